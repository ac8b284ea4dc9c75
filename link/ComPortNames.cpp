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
    // KARVO_COM1 to KARVO_COM4 point a COM port somewhere else for one run (the demo
    // points COM 1 at the virtual unit) without touching the profile.
    const QByteArray forced = qgetenv(qPrintable(QStringLiteral("KARVO_COM%1").arg(index + 1)));
    if (!forced.trimmed().isEmpty())
        return QString::fromLocal8Bit(forced.trimmed());
    const QString section = QStringLiteral("Communication");
    const QString entry = QStringLiteral("Port%1").arg(index + 1);
    const QString name = CProfile::GetString(section, entry).trimmed();
    if (!name.isEmpty())
        return name;
    const QString builtIn = DefaultComPortDeviceName(index);
    CProfile::WriteString(section, entry, builtIn);
    return builtIn;
}
