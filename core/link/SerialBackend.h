// The platform's serial ports: how a local serial device is opened and how the system's
// serial ports are listed. One implementation per platform is built (chosen in
// link/CMakeLists.txt); nothing else in Karvo knows which.
#pragma once

#include "core/link/CPort.h"

#include <QList>
#include <QString>
#include <memory>

// One serial port as the system reports it.
struct SERIAL_PORT_ENTRY {
    QString location; // the device name that is stored, e.g. "/dev/ttyUSB0" or "COM3"
    QString description;
    QString manufacturer;
};

// A closed port object that opens the local serial device named device.
std::unique_ptr<CPort> CreateSerialPort(const QString& device);

// The system's own name of the serial port behind the COM port choice index (0 to 3):
// "COM1" to "COM4" on Windows, "/dev/ttyS0" to "/dev/ttyS3" on Linux.
QString NativeSerialPortName(int index);

// The serial ports the system reports now.
QList<SERIAL_PORT_ENTRY> ListSerialPorts();
