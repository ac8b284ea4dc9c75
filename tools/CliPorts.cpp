#include "tools/CliPorts.h"

#include "link/CUnitFinder.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"

#include <cstdio>

int CliPorts(const CCliCommand& command) {
    for (UNIT_PORT port : UnitPortCandidates(ListSerialPorts())) {
        if (command.probe)
            ProbeUnitPort(port, nullptr);
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
