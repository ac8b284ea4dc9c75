// Where the device commands get their port: the one place that turns a port choice (a COM
// port index, or a device named on the command line) into a CPort object.
//
// The device comes from the name given, else from the COM port's entry in the profile (or
// its KARVO_COMn override). A device named socket://HOST:PORT or rfc2217://HOST:PORT is a
// network port (CNetworkPort), any other a local serial port; the kind is chosen here by
// name, so the exchanges and the commands never know which kind they talk to.
#pragma once

#include "core/link/CPort.h"

#include <QString>
#include <memory>

// The device a command talks to for portIndex: deviceName when not empty, else the COM
// port's device as ComPortDeviceName gives it.
QString DeviceForPort(int portIndex, const QString& deviceName = QString());

// A closed port object for device (as DeviceForPort gives it). Its Open opens device,
// whatever port index the link settings name. The command log (CommandLog()) starts
// afresh and records what the port sends and receives.
std::unique_ptr<CPort> CreateDevicePort(const QString& device);
