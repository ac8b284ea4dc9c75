#include "core/link/CWinSerialPort.h"

#include "core/link/ComPortNames.h"

#include <QThread>
#include <algorithm>
#include <windows.h>

struct CWinSerialPort::Io {
    HANDLE port = INVALID_HANDLE_VALUE;
    OVERLAPPED read{};
    OVERLAPPED write{};
    OVERLAPPED queued{}; // the read of what the driver holds
    char readChar = 0;
    bool readPending = false; // a one-character read is outstanding

    Io() {
        read.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        write.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        queued.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ~Io() {
        if (port != INVALID_HANDLE_VALUE)
            CloseHandle(port);
        CloseHandle(read.hEvent);
        CloseHandle(write.hEvent);
        CloseHandle(queued.hEvent);
    }
    Io(const Io&) = delete;
    Io& operator=(const Io&) = delete;
};

CWinSerialPort::CWinSerialPort() {
    m_clock.start();
}

CWinSerialPort::~CWinSerialPort() {
    Close();
}

void CWinSerialPort::SetDefaultBufferSize(int receiveSize, int transmitSize) {
    m_receiveSize = receiveSize;
    m_transmitSize = transmitSize;
}

QString CWinSerialPort::DevicePath(const QString& device) {
    if (device.startsWith(QStringLiteral("\\\\")))
        return device;
    return QStringLiteral("\\\\.\\") + device;
}

int CWinSerialPort::OpenFailureCode(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return PORT_INVALID_PORT;
    // Windows answers "access denied" for a COM port another program has open.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        return PORT_IN_USE;
    default:
        return PORT_GENERAL_ERROR;
    }
}

int CWinSerialPort::Open(const CLinkSettings& settings) {
    Close();
    const QString device =
        m_deviceName.isEmpty() ? ComPortDeviceName(settings.portIndex) : m_deviceName;
    m_io = new Io;
    m_io->port = CreateFileW(reinterpret_cast<const wchar_t*>(DevicePath(device).utf16()),
                             GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_FLAG_OVERLAPPED, nullptr);
    if (m_io->port == INVALID_HANDLE_VALUE) {
        m_openStatus = OpenFailureCode(GetLastError());
        return m_openStatus;
    }
    m_openStatus = Configure(settings);
    return m_openStatus;
}

int CWinSerialPort::Configure(const CLinkSettings& settings) {
    if (m_receiveSize > 0 || m_transmitSize > 0)
        SetupComm(m_io->port, DWORD(std::max(m_receiveSize, 16)),
                  DWORD(std::max(m_transmitSize, 16)));

    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(m_io->port, &dcb))
        return PORT_GENERAL_ERROR;
    if (settings.baudRate <= 0)
        return PORT_ILLEGAL_BAUDRATE;
    dcb.BaudRate = DWORD(settings.baudRate);
    switch (settings.parity) {
    case 'N':
        dcb.Parity = NOPARITY;
        break;
    case 'E':
        dcb.Parity = EVENPARITY;
        break;
    case 'O':
        dcb.Parity = ODDPARITY;
        break;
    case 'M':
        dcb.Parity = MARKPARITY;
        break;
    case 'S':
        dcb.Parity = SPACEPARITY;
        break;
    default:
        return PORT_ILLEGAL_PARITY;
    }
    if (settings.dataBits < 5 || settings.dataBits > 8)
        return PORT_ILLEGAL_WORD_LENGTH;
    dcb.ByteSize = BYTE(settings.dataBits);
    if (settings.stopBits != 1 && settings.stopBits != 2)
        return PORT_ILLEGAL_STOPBIT;
    dcb.StopBits = settings.stopBits == 1 ? ONESTOPBIT : TWOSTOPBITS;
    // Binary, no flow control of any kind, no character replaced or dropped.
    dcb.fBinary = TRUE;
    dcb.fParity = dcb.Parity != NOPARITY;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(m_io->port, &dcb))
        return PORT_ILLEGAL_BAUDRATE; // the framing was checked above; the speed is left

    // Reads and writes wait without a limit of their own: the waits are this class's.
    COMMTIMEOUTS timeouts{};
    SetCommTimeouts(m_io->port, &timeouts);
    PurgeComm(m_io->port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    return PORT_OK;
}

void CWinSerialPort::Close() {
    if (m_io) {
        CancelRead();
        delete m_io;
        m_io = nullptr;
    }
    m_openStatus = PORT_NOT_SETUP;
    m_received.clear();
}

int CWinSerialPort::StartRead() {
    if (m_io->readPending)
        return PORT_OK;
    ResetEvent(m_io->read.hEvent);
    if (!ReadFile(m_io->port, &m_io->readChar, 1, nullptr, &m_io->read) &&
        GetLastError() != ERROR_IO_PENDING)
        return PORT_LOST;
    m_io->readPending = true; // completed at once or not, CollectRead takes the result
    return PORT_OK;
}

int CWinSerialPort::CollectRead() {
    if (!m_io->readPending)
        return PORT_OK;
    DWORD count = 0;
    if (!GetOverlappedResult(m_io->port, &m_io->read, &count, FALSE)) {
        if (GetLastError() == ERROR_IO_INCOMPLETE)
            return PORT_OK;
        m_io->readPending = false;
        return PORT_LOST;
    }
    m_io->readPending = false;
    // Without a time-out a read ends early only at the end of the device: it has gone.
    if (count == 0)
        return PORT_LOST;
    m_received += m_io->readChar;
    return PORT_OK;
}

int CWinSerialPort::ReadQueued() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(m_io->port, &errors, &status))
        return PORT_LOST;
    if (status.cbInQue == 0)
        return PORT_OK;
    QByteArray chunk(qsizetype(status.cbInQue), Qt::Uninitialized);
    ResetEvent(m_io->queued.hEvent);
    DWORD count = 0;
    // The characters are in the driver already, so the read completes at once.
    const bool ok = (ReadFile(m_io->port, chunk.data(), status.cbInQue, nullptr, &m_io->queued) ||
                     GetLastError() == ERROR_IO_PENDING) &&
                    GetOverlappedResult(m_io->port, &m_io->queued, &count, TRUE);
    if (!ok)
        return PORT_LOST;
    m_received += chunk.left(qsizetype(count));
    return PORT_OK;
}

void CWinSerialPort::CancelRead() {
    if (!m_io || !m_io->readPending)
        return;
    CancelIoEx(m_io->port, &m_io->read);
    DWORD count = 0;
    GetOverlappedResult(m_io->port, &m_io->read, &count, TRUE);
    m_io->readPending = false;
}

int CWinSerialPort::Fetch(qint64 waitMs) {
    if (!m_io || m_openStatus != PORT_OK)
        return PORT_NOT_SETUP;
    int result = StartRead();
    if (result == PORT_OK && waitMs > 0)
        WaitForSingleObject(m_io->read.hEvent, DWORD(std::min<qint64>(waitMs, SLICE_MS)));
    if (result == PORT_OK)
        result = CollectRead();
    if (result == PORT_OK && !m_io->readPending)
        result = ReadQueued();
    RunIdle();
    return result;
}

int CWinSerialPort::Send(const QByteArray& bytes, int timeoutMs) {
    if (!m_io || m_openStatus != PORT_OK)
        return PORT_NOT_SETUP;
    ResetEvent(m_io->write.hEvent);
    if (!WriteFile(m_io->port, bytes.constData(), DWORD(bytes.size()), nullptr, &m_io->write) &&
        GetLastError() != ERROR_IO_PENDING)
        return PORT_LOST;
    const qint64 deadline = Clock() + timeoutMs;
    for (;;) {
        DWORD count = 0;
        if (GetOverlappedResult(m_io->port, &m_io->write, &count, FALSE))
            return count == DWORD(bytes.size()) ? PORT_OK : PORT_LOST;
        if (GetLastError() != ERROR_IO_INCOMPLETE)
            return PORT_LOST;
        const qint64 left = deadline - Clock();
        if (left <= 0) {
            CancelIoEx(m_io->port, &m_io->write);
            GetOverlappedResult(m_io->port, &m_io->write, &count, TRUE);
            return PORT_TIMEOUT;
        }
        WaitForSingleObject(m_io->write.hEvent, DWORD(std::min<qint64>(left, SLICE_MS)));
        RunIdle();
    }
}

int CWinSerialPort::IsTXBusy() {
    if (!m_io || m_openStatus != PORT_OK)
        return 0;
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(m_io->port, &errors, &status) || status.cbOutQue == 0)
        return 0; // a failure is reported by the next write
    QThread::msleep(SLICE_MS);
    RunIdle();
    return ClearCommError(m_io->port, &errors, &status) && status.cbOutQue > 0 ? 1 : 0;
}

void CWinSerialPort::DiscardInput() {
    if (!m_io || m_openStatus != PORT_OK)
        return;
    CancelRead(); // a character it took is discarded with the rest
    PurgeComm(m_io->port, PURGE_RXCLEAR);
}
