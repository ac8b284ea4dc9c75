// CSerialPort: the real serial port behind the device exchanges, over QSerialPort.
//
// Opens the device that the profile names for the link settings' port index (see
// ComPortNames.h) at the settings' speed and framing (9600 baud, no parity, 8 data bits,
// 1 stop bit for the unit), without flow control. Timed calls wait in slices of at most
// SLICE_MS and run the idle handler between them, so the windows stay painted. Qt's
// errors become the serial layer's return codes: a missing device -2 "Invalid port", a
// device this user may not open -76 (no permission), one that is busy -3 "Port in use",
// an open port that goes away -77 (port lost), anything else -1.
#pragma once

#include "core/link/CPort.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>
#include <memory>

class CSerialPort : public CPort {
public:
    static constexpr int SLICE_MS = 50;

    CSerialPort();
    ~CSerialPort() override;

    // Opens this device instead of the profile's name for the port index (tests and the
    // command line use it); an empty name restores the profile's.
    void SetDeviceName(const QString& name) { m_deviceName = name; }

    void SetDefaultBufferSize(int receiveSize, int transmitSize) override;
    int Open(const CLinkSettings& settings) override;
    void Close() override;
    int OpenStatus() const override { return m_openStatus; }
    int IsTXBusy() override;

    // The return code for a Qt serial port error.
    static int ReturnCodeFor(QSerialPort::SerialPortError error);
    // The return code of an open of device that failed with error. Qt reports a device
    // in use and one this user may not open alike; the device's access rights tell them
    // apart.
    static int OpenFailureCode(QSerialPort::SerialPortError error, const QString& device);

protected:
    qint64 Clock() const override { return m_clock.elapsed(); }
    int Fetch(qint64 waitMs) override;
    int Send(const QByteArray& bytes, int timeoutMs) override;
    void DiscardInput() override;

private:
    // Applies speed and framing to the open port; 0 or the code of the setting refused.
    int Configure(const CLinkSettings& settings);
    // The return code of the port's pending error (timeouts of a slice are no error),
    // which is cleared.
    int TakeError();

    std::unique_ptr<QSerialPort> m_port;
    QString m_deviceName;
    int m_receiveSize = 0;
    int m_openStatus = PORT_NOT_SETUP;
    QElapsedTimer m_clock;
};
