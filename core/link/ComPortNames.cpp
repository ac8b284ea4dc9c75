#include "core/link/ComPortNames.h"

#include "core/lang/CProfile.h"
#include "core/link/SerialBackend.h"

namespace {
const QString COMMUNICATION = QStringLiteral("Communication");
const QString COMPORT = QStringLiteral("Comport");

int ValidIndex(int portIndex) {
    return (portIndex >= 0 && portIndex < COM_PORT_COUNT) ? portIndex : 0;
}

QString PortEntry(int portIndex) {
    return QStringLiteral("Port%1").arg(ValidIndex(portIndex) + 1);
}
} // namespace

int StoredComPortIndex() {
    return ValidIndex(CProfile::GetInt(COMMUNICATION, COMPORT, 0));
}

void StoreComPortIndex(int portIndex) {
    CProfile::WriteInt(COMMUNICATION, COMPORT, ValidIndex(portIndex));
}

bool StoredVerifyAfterWriting() {
    return CProfile::GetInt(COMMUNICATION, QStringLiteral("VerifyAfterWriting"), 1) != 0;
}

bool StoredConfirmReads() {
    return CProfile::GetInt(COMMUNICATION, QStringLiteral("ConfirmReads"), 1) != 0;
}

void StoreConfirmReads(bool confirm) {
    CProfile::WriteInt(COMMUNICATION, QStringLiteral("ConfirmReads"), confirm ? 1 : 0);
}

void StoreVerifyAfterWriting(bool verify) {
    CProfile::WriteInt(COMMUNICATION, QStringLiteral("VerifyAfterWriting"), verify ? 1 : 0);
}

QString StoredComPortDeviceName(int portIndex) {
    return CProfile::GetString(COMMUNICATION, PortEntry(portIndex)).trimmed();
}

void StoreComPortDeviceName(int portIndex, const QString& deviceName) {
    CProfile::WriteString(COMMUNICATION, PortEntry(portIndex), deviceName);
}

QString DefaultComPortDeviceName(int portIndex) {
    return NativeSerialPortName(ValidIndex(portIndex));
}

QString ComPortDeviceName(int portIndex) {
    const int index = ValidIndex(portIndex);
    // KARVO_COM1 to KARVO_COM4 point a COM port somewhere else for one run (the demo
    // points COM 1 at the virtual unit) without touching the profile.
    const QByteArray forced = qgetenv(qPrintable(QStringLiteral("KARVO_COM%1").arg(index + 1)));
    if (!forced.trimmed().isEmpty())
        return QString::fromLocal8Bit(forced.trimmed());
    const QString name = StoredComPortDeviceName(index);
    if (!name.isEmpty())
        return name;
    const QString builtIn = DefaultComPortDeviceName(index);
    StoreComPortDeviceName(index, builtIn);
    return builtIn;
}
