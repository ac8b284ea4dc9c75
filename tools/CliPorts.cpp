#include "tools/CliPorts.h"

#include "core/link/CProgress.h"
#include "core/link/CUnitFinder.h"
#include "core/link/DeviceCommandFrames.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"
#include "tools/CliDevice.h"

#include <cstdio>

int CliPorts(const CCliCommand& command) {
    const auto progress = CliProgress(false); // shows nothing; a stop signal ends the probe
    for (UNIT_PORT port : UnitPortCandidates(ListSerialPorts())) {
        if (CliStopRequested()) {
            CDeviceOutcome stopped;
            stopped.connectResult = LinkOutcome::UserAborted;
            return CliDeviceStatus(stopped, false);
        }
        if (command.probe)
            ProbeUnitPort(port, progress.get());
        QStringList fields{port.device, port.ComPortsText(), port.description};
        for (QString& field : fields)
            if (field.isEmpty())
                field = QStringLiteral("-");
        if (command.probe)
            fields << port.Identity();
        std::printf("%s\n", qPrintable(fields.join(u'\t')));
        std::fflush(stdout); // each line as soon as its port is known
    }
    return CLI_OK;
}
