#include "core/link/CSerialPort.h"

#include "core/link/ComPortNames.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

CSerialPort::CSerialPort() {
    m_clock.start();
}

CSerialPort::~CSerialPort() {
    Close();
}

void CSerialPort::SetDefaultBufferSize(int receiveSize, int) {
    m_receiveSize = receiveSize;
}

int CSerialPort::Open(const CLinkSettings& settings) {
    Close();
    m_port = std::make_unique<QSerialPort>();
    const QString device =
        m_deviceName.isEmpty() ? ComPortDeviceName(settings.portIndex) : m_deviceName;
    m_port->setPortName(device);
    m_port->setReadBufferSize(m_receiveSize);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_openStatus = OpenFailureCode(m_port->error(), device);
        m_port->clearError();
        return m_openStatus;
    }
    m_openStatus = Configure(settings);
    return m_openStatus;
}

int CSerialPort::Configure(const CLinkSettings& settings) {
    if (!m_port->setBaudRate(settings.baudRate))
        return PORT_ILLEGAL_BAUDRATE;

    QSerialPort::Parity parity = QSerialPort::NoParity;
    switch (settings.parity) {
    case 'N':
        parity = QSerialPort::NoParity;
        break;
    case 'E':
        parity = QSerialPort::EvenParity;
        break;
    case 'O':
        parity = QSerialPort::OddParity;
        break;
    case 'M':
        parity = QSerialPort::MarkParity;
        break;
    case 'S':
        parity = QSerialPort::SpaceParity;
        break;
    default:
        return PORT_ILLEGAL_PARITY;
    }
    if (!m_port->setParity(parity))
        return PORT_ILLEGAL_PARITY;

    if (settings.dataBits < 5 || settings.dataBits > 8 ||
        !m_port->setDataBits(QSerialPort::DataBits(settings.dataBits)))
        return PORT_ILLEGAL_WORD_LENGTH;

    const bool stopOk = (settings.stopBits == 1 && m_port->setStopBits(QSerialPort::OneStop)) ||
                        (settings.stopBits == 2 && m_port->setStopBits(QSerialPort::TwoStop));
    if (!stopOk)
        return PORT_ILLEGAL_STOPBIT;

    m_port->setFlowControl(QSerialPort::NoFlowControl);
    m_port->clearError();
    return PORT_OK;
}

void CSerialPort::Close() {
    if (m_port) {
        m_port->close();
        m_port.reset();
    }
    m_openStatus = PORT_NOT_SETUP;
    m_received.clear();
}

int CSerialPort::IsTXBusy() {
    if (!m_port || !m_port->isOpen() || m_port->bytesToWrite() == 0)
        return 0;
    m_port->waitForBytesWritten(SLICE_MS);
    RunIdle();
    if (TakeError() != PORT_OK)
        return 0; // the next write reports the failure
    return m_port->bytesToWrite() > 0 ? 1 : 0;
}

int CSerialPort::Fetch(qint64 waitMs) {
    if (!m_port || !m_port->isOpen())
        return PORT_NOT_SETUP;
    if (m_port->bytesAvailable() == 0)
        m_port->waitForReadyRead(int(std::min<qint64>(waitMs, SLICE_MS)));
    const int error = TakeError();
    m_received += m_port->readAll();
    RunIdle();
    return error;
}

int CSerialPort::Send(const QByteArray& bytes, int timeoutMs) {
    if (!m_port || !m_port->isOpen())
        return PORT_NOT_SETUP;
    if (m_port->write(bytes) != bytes.size()) {
        const int error = TakeError();
        return error != PORT_OK ? error : PORT_GENERAL_ERROR;
    }
    const qint64 deadline = Clock() + timeoutMs;
    while (m_port->bytesToWrite() > 0) {
        const qint64 left = deadline - Clock();
        if (left <= 0)
            return PORT_TIMEOUT;
        m_port->waitForBytesWritten(int(std::min<qint64>(left, SLICE_MS)));
        if (const int error = TakeError())
            return error;
        RunIdle();
    }
    return PORT_OK;
}

void CSerialPort::DiscardInput() {
    if (m_port && m_port->isOpen())
        m_port->clear(QSerialPort::Input);
}

int CSerialPort::TakeError() {
    const QSerialPort::SerialPortError error = m_port->error();
    m_port->clearError();
    return error == QSerialPort::TimeoutError ? PORT_OK : ReturnCodeFor(error);
}

int CSerialPort::OpenFailureCode(QSerialPort::SerialPortError error, const QString& device) {
    if (error == QSerialPort::PermissionError) {
        // A bare name ("ttyUSB0") is a device in /dev, as Qt takes it.
        const QString path = device.startsWith('/') ? device : QStringLiteral("/dev/") + device;
        if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0 && errno == EACCES)
            return PORT_NO_PERMISSION;
    }
    const int code = ReturnCodeFor(error);
    return code == PORT_OK ? PORT_GENERAL_ERROR : code;
}

int CSerialPort::ReturnCodeFor(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return PORT_OK;
    case QSerialPort::DeviceNotFoundError:
        return PORT_INVALID_PORT;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        return PORT_IN_USE;
    case QSerialPort::NotOpenError:
        return PORT_NOT_SETUP;
    case QSerialPort::TimeoutError:
        return PORT_TIMEOUT;
    case QSerialPort::UnsupportedOperationError:
        return PORT_NOT_SUPPORTED;
    // A port whose device has gone fails its reads and writes (a closed pseudo-terminal
    // answers "Inappropriate ioctl", a pulled USB adapter "Input/output error").
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
        return PORT_LOST;
    default:
        return PORT_GENERAL_ERROR;
    }
}
