// Serial ports through the Win32 communications API.
#include "core/link/SerialBackend.h"

#include "core/link/CWinSerialPort.h"

#include <algorithm>
#include <windows.h>

std::unique_ptr<CPort> CreateSerialPort(const QString& device) {
    auto port = std::make_unique<CWinSerialPort>();
    port->SetDeviceName(device);
    return port;
}

QString NativeSerialPortName(int index) {
    return QStringLiteral("COM%1").arg(index + 1);
}

// The ports Windows has now are the values of HKLM\HARDWARE\DEVICEMAP\SERIALCOMM: the
// value's name is the driver's device ("\Device\Serial0"), its data the port ("COM1").
// Read with the registry functions, not QSettings: QSettings takes the backslashes of
// the value names for group separators and cannot read those values back.
QList<SERIAL_PORT_ENTRY> ListSerialPorts() {
    QList<SERIAL_PORT_ENTRY> ports;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return ports;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t data[256];
        DWORD nameLength = 256;
        DWORD dataBytes = sizeof data;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        const QString port =
            QString::fromWCharArray(data, int(dataBytes / sizeof(wchar_t))).section(QChar(0), 0, 0);
        ports.append({port, QString::fromWCharArray(name, int(nameLength)), QString()});
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(),
              [](const SERIAL_PORT_ENTRY& a, const SERIAL_PORT_ENTRY& b) {
                  return a.location.mid(3).toInt() < b.location.mid(3).toInt();
              });
    return ports;
}
