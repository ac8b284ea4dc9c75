// CWinSerialPort: the real serial port behind the device exchanges on Windows, over the
// Win32 communications API.
//
// Opens \\.\COMn (or the device the profile names for the link settings' port index) for
// overlapped I/O at the settings' speed and framing, without flow control. Received
// characters are collected by one outstanding one-character read: when it completes,
// whatever else the driver holds is read at once. The waiting happens here, in slices of
// at most SLICE_MS with the idle handler run between them, never in COMMTIMEOUTS (whose
// "return at once" read cases some drivers, Wine's among them, do not honour).
//
// Return codes as on Linux: a missing port -2 "Invalid port", a port another program
// holds -3 "Port in use", a failed read or write on the open port (the adapter pulled
// out, the other end of a virtual port closed) -77 (port lost), anything else -1.
#pragma once

#include "core/link/CPort.h"

#include <QElapsedTimer>
#include <QString>

class CWinSerialPort : public CPort {
public:
    static constexpr int SLICE_MS = 50;

    CWinSerialPort();
    ~CWinSerialPort() override;
    CWinSerialPort(const CWinSerialPort&) = delete;
    CWinSerialPort& operator=(const CWinSerialPort&) = delete;

    // Opens this device ("COM5", "\\.\COM12") instead of the profile's name for the port
    // index; an empty name restores the profile's.
    void SetDeviceName(const QString& name) { m_deviceName = name; }

    void SetDefaultBufferSize(int receiveSize, int transmitSize) override;
    int Open(const CLinkSettings& settings) override;
    void Close() override;
    int OpenStatus() const override { return m_openStatus; }
    int IsTXBusy() override;

    // The path CreateFile opens for a device name: "COM5" becomes "\\.\COM5" (the only
    // form that reaches COM10 and above); a name with a path prefix is kept.
    static QString DevicePath(const QString& device);
    // The return code of an open that failed with the Win32 error.
    static int OpenFailureCode(unsigned long error);

protected:
    qint64 Clock() const override { return m_clock.elapsed(); }
    int Fetch(qint64 waitMs) override;
    int Send(const QByteArray& bytes, int timeoutMs) override;
    void DiscardInput() override;

private:
    struct Io; // the Win32 handles, kept out of this header

    int Configure(const CLinkSettings& settings);
    // Starts the one-character read unless one is outstanding; 0 or PORT_LOST.
    int StartRead();
    // Takes the outstanding read's character once it has completed; 0 or PORT_LOST.
    int CollectRead();
    // Reads the characters the driver holds now, with no read outstanding; 0 or PORT_LOST.
    int ReadQueued();
    // Cancels the outstanding read and waits until the driver has let it go.
    void CancelRead();

    Io* m_io = nullptr;
    QString m_deviceName;
    int m_receiveSize = 0;
    int m_transmitSize = 0;
    int m_openStatus = PORT_NOT_SETUP;
    QElapsedTimer m_clock;
};
