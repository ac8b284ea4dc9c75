#include "link/ComPortNames.h"

#include "lang/CProfile.h"

namespace {
int ValidIndex(int portIndex) {
    return (portIndex >= 0 && portIndex < COM_PORT_COUNT) ? portIndex : 0;
}
} // namespace

QString DefaultComPortDeviceName(int portIndex) {
    const int index = ValidIndex(portIndex);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(index + 1);
#else
    return QStringLiteral("/dev/ttyS%1").arg(index);
#endif
}

QString ComPortDeviceName(int portIndex) {
    const int index = ValidIndex(portIndex);
    const QString section = QStringLiteral("Communication");
    const QString entry = QStringLiteral("Port%1").arg(index + 1);
    const QString name = CProfile::GetString(section, entry).trimmed();
    if (!name.isEmpty())
        return name;
    const QString builtIn = DefaultComPortDeviceName(index);
    CProfile::WriteString(section, entry, builtIn);
    return builtIn;
}
