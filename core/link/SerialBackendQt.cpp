// Serial ports through Qt Serial Port.
#include "core/link/SerialBackend.h"

#include "core/link/CSerialPort.h"

#include <QSerialPortInfo>

std::unique_ptr<CPort> CreateSerialPort(const QString& device) {
    auto port = std::make_unique<CSerialPort>();
    port->SetDeviceName(device);
    return port;
}

QString NativeSerialPortName(int index) {
    return QStringLiteral("/dev/ttyS%1").arg(index);
}

QList<SERIAL_PORT_ENTRY> ListSerialPorts() {
    QList<SERIAL_PORT_ENTRY> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append({info.systemLocation(), info.description(), info.manufacturer()});
    return ports;
}
