#include "core/link/PortFactory.h"

#include "core/link/CNetworkPort.h"
#include "core/link/ComPortNames.h"
#include "core/link/SerialBackend.h"

QString DeviceForPort(int portIndex, const QString& deviceName) {
    return deviceName.isEmpty() ? ComPortDeviceName(portIndex) : deviceName;
}

std::unique_ptr<CPort> CreateDevicePort(const QString& device) {
    std::unique_ptr<CPort> port;
    if (CNetworkPort::IsNetworkAddress(device))
        port = std::make_unique<CNetworkPort>(device);
    else
        port = CreateSerialPort(device);
    // Each command's port starts the log afresh.
    CommandLog().Clear();
    port->SetLog(&CommandLog());
    return port;
}
