#include "link/PortFactory.h"

#include "link/CNetworkPort.h"
#include "link/ComPortNames.h"
#include "link/SerialBackend.h"

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
