#include "link/PortFactory.h"

#include "link/ComPortNames.h"
#include "link/SerialBackend.h"

QString DeviceForPort(int portIndex, const QString& deviceName) {
    return deviceName.isEmpty() ? ComPortDeviceName(portIndex) : deviceName;
}

std::unique_ptr<CPort> CreateDevicePort(const QString& device) {
    return CreateSerialPort(device);
}
