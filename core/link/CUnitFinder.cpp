#include "core/link/CUnitFinder.h"

#include "core/image/CE2prom.h"
#include "core/link/CMessages.h"
#include "core/link/ComPortNames.h"
#include "core/link/DeviceCommandFrames.h"
#include "core/link/PortFactory.h"

#include <QStringList>
#include <algorithm>

QString UNIT_PORT::Identity() const {
    if (!probed)
        return QString();
    if (!answered)
        return QStringLiteral("no answer");
    return QStringLiteral("%1 %2 %3").arg(software, version, date);
}

QString UNIT_PORT::ComPortsText() const {
    QStringList names;
    for (const int index : comPorts)
        names << QStringLiteral("COM %1").arg(index + 1);
    return names.join(QStringLiteral(", "));
}

QList<UNIT_PORT> UnitPortCandidates(const QList<SERIAL_PORT_ENTRY>& listed) {
    QList<UNIT_PORT> ports;
    for (const SERIAL_PORT_ENTRY& entry : listed) {
        UNIT_PORT port;
        port.device = entry.location;
        port.description = entry.description.trimmed();
        ports.append(port);
    }
    for (int k = 0; k < COM_PORT_COUNT; ++k) {
        const QString device = ComPortDeviceName(k);
        auto same = std::find_if(ports.begin(), ports.end(),
                                 [&](const UNIT_PORT& port) { return port.device == device; });
        if (same == ports.end()) {
            UNIT_PORT port;
            port.device = device;
            ports.append(port);
            same = ports.end() - 1;
        }
        same->comPorts.append(k);
    }
    return ports;
}

void ProbeUnitPort(UNIT_PORT& port, CProgressFactory* progress) {
    CQuietMessages quiet;
    const auto portObject = CreateDevicePort(port.device);
    CE2prom image;
    const int portIndex = port.comPorts.isEmpty() ? 0 : port.comPorts.first();
    const CDeviceOutcome outcome =
        RunDeviceInformation(image, portIndex, *portObject, progress, quiet);
    port.probed = outcome.connectResult != LinkOutcome::UserAborted;
    port.answered = outcome.ok;
    if (!outcome.ok)
        return;
    port.software = QString::fromLatin1(image.DeviceSoftwareName());
    port.version =
        QStringLiteral("V%1.%2").arg(image.DeviceMajorVersion()).arg(image.DeviceMinorVersion());
    port.date = QString::fromLatin1(image.DeviceSoftwareDate());
}
