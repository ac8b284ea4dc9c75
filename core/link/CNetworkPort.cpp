#include "core/link/CNetworkPort.h"

#include <QTcpSocket>
#include <QUrl>
#include <algorithm>

namespace {

const char* const RAW_SCHEME = "socket";
const char* const TELNET_SCHEME = "rfc2217";

// The open failure of a connection that did not come about.
int ConnectFailure(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return PORT_CONNECTION_REFUSED;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::NetworkError:
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::RemoteHostClosedError:
        return PORT_HOST_UNREACHABLE;
    default:
        return PORT_GENERAL_ERROR;
    }
}

} // namespace

CNetworkPort::CNetworkPort(QString address) : m_address(std::move(address)) {
    m_clock.start();
}

CNetworkPort::~CNetworkPort() {
    Close();
}

bool CNetworkPort::IsNetworkAddress(const QString& device) {
    const QString scheme = device.section(u':', 0, 0);
    return device.contains(u':') &&
           (scheme.compare(QLatin1String(RAW_SCHEME), Qt::CaseInsensitive) == 0 ||
            scheme.compare(QLatin1String(TELNET_SCHEME), Qt::CaseInsensitive) == 0);
}

std::optional<NETWORK_ADDRESS> CNetworkPort::ParseAddress(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme(); // QUrl gives it in lower case
    const bool known =
        scheme == QLatin1String(RAW_SCHEME) || scheme == QLatin1String(TELNET_SCHEME);
    if (!url.isValid() || !known || url.host().isEmpty() || url.port() < 1 ||
        !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment() ||
        !(url.path().isEmpty() || url.path() == QLatin1String("/")))
        return std::nullopt;
    return NETWORK_ADDRESS{scheme == QLatin1String(TELNET_SCHEME), url.host(), quint16(url.port())};
}

int CNetworkPort::Open(const CLinkSettings& settings) {
    Close();
    const std::optional<NETWORK_ADDRESS> address = ParseAddress(m_address);
    if (!address)
        return m_openStatus = PORT_BAD_ADDRESS;
    if (const int failure = Connect(*address); failure != PORT_OK)
        return m_openStatus = failure;
    if (address->telnet) {
        m_telnet.emplace(settings);
        Transmit(m_telnet->Opening(), CONNECT_TIMEOUT_MS);
        if (const int failure = Negotiate(settings); failure != PORT_OK) {
            Close();
            return m_openStatus = failure;
        }
    }
    m_received.clear();
    return m_openStatus = PORT_OK;
}

int CNetworkPort::Connect(const NETWORK_ADDRESS& address) {
    m_socket = std::make_unique<QTcpSocket>();
    m_socket->connectToHost(address.host, address.port);
    const qint64 deadline = Clock() + CONNECT_TIMEOUT_MS;
    while (m_socket->state() != QAbstractSocket::ConnectedState) {
        const qint64 left = deadline - Clock();
        if (left <= 0 || m_socket->state() == QAbstractSocket::UnconnectedState) {
            const int failure =
                left <= 0 ? PORT_HOST_UNREACHABLE : ConnectFailure(m_socket->error());
            m_socket.reset();
            return failure;
        }
        m_socket->waitForConnected(int(std::min<qint64>(left, SLICE_MS)));
        RunIdle();
    }
    // Lines are short and answered one by one: each goes out at once.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return PORT_OK;
}

int CNetworkPort::Negotiate(const CLinkSettings& settings) {
    // The speed request goes out once the server agrees to COM port control; its answer
    // ends the wait, as does a refusal.
    const auto answered = [this] {
        return m_telnet->ComPortAnswer() < 0 || m_telnet->SpeedAnswer().has_value();
    };
    const qint64 deadline = Clock() + NEGOTIATION_TIMEOUT_MS;
    while (!answered() && Clock() < deadline) {
        if (Fetch(std::max<qint64>(deadline - Clock(), 0)) != PORT_OK)
            break; // the open succeeds; the next call reports the lost connection
    }
    if (m_telnet->ComPortAnswer() < 0)
        return PORT_COM_CONTROL_REFUSED;
    const std::optional<quint32> speed = m_telnet->SpeedAnswer();
    return speed && *speed != quint32(settings.baudRate) ? PORT_SPEED_REFUSED : PORT_OK;
}

void CNetworkPort::Close() {
    if (m_socket) {
        m_socket->abort();
        m_socket.reset();
    }
    m_telnet.reset();
    m_openStatus = PORT_NOT_SETUP;
    m_received.clear();
}

int CNetworkPort::IsTXBusy() {
    if (!m_socket || m_socket->bytesToWrite() == 0)
        return 0;
    m_socket->waitForBytesWritten(SLICE_MS);
    RunIdle();
    return m_socket->bytesToWrite() > 0 ? 1 : 0;
}

void CNetworkPort::TakeInput() {
    const QByteArray bytes = m_socket->readAll();
    if (!m_telnet) {
        m_received += bytes;
        return;
    }
    QByteArray replies;
    m_received += m_telnet->Decode(bytes, replies);
    if (!replies.isEmpty() && m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->write(replies); // sent with the next wait; never blocks here
}

int CNetworkPort::Fetch(qint64 waitMs) {
    if (!m_socket)
        return PORT_NOT_SETUP;
    const bool connected = m_socket->state() == QAbstractSocket::ConnectedState;
    if (connected && m_socket->bytesAvailable() == 0 && waitMs > 0)
        m_socket->waitForReadyRead(int(std::min<qint64>(waitMs, SLICE_MS)));
    const qsizetype before = m_received.size();
    const bool hadInput = m_socket->bytesAvailable() > 0;
    TakeInput();
    RunIdle();
    // What arrived before the connection dropped is delivered first; the loss is
    // reported by the call after.
    if (!hadInput && m_received.size() == before &&
        m_socket->state() != QAbstractSocket::ConnectedState)
        return PORT_LOST;
    return PORT_OK;
}

int CNetworkPort::Send(const QByteArray& bytes, int timeoutMs) {
    if (!m_socket)
        return PORT_NOT_SETUP;
    return Transmit(m_telnet ? m_telnet->Encode(bytes) : bytes, timeoutMs);
}

int CNetworkPort::Transmit(const QByteArray& bytes, int timeoutMs) {
    if (m_socket->state() != QAbstractSocket::ConnectedState || m_socket->write(bytes) < 0)
        return PORT_LOST;
    const qint64 deadline = Clock() + timeoutMs;
    while (m_socket->bytesToWrite() > 0) {
        const qint64 left = deadline - Clock();
        if (left <= 0)
            return PORT_TIMEOUT;
        m_socket->waitForBytesWritten(int(std::min<qint64>(left, SLICE_MS)));
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            return PORT_LOST;
        RunIdle();
    }
    return PORT_OK;
}

void CNetworkPort::DiscardInput() {
    if (m_socket)
        TakeInput(); // negotiation in it is still answered
    m_received.clear();
}
