// CNetworkPort: a serial port reached over the network, as terminal servers (ser2net,
// serial-to-Ethernet boxes) offer it, over QTcpSocket.
//
//   socket://HOST:PORT    raw TCP: the bytes go to the serial line as they stand
//   rfc2217://HOST:PORT   Telnet with COM port control: 9600 baud, 8 data bits, no parity,
//                         1 stop bit are set on the remote port (CTelnetCodec)
//
// The timed calls behave exactly as on a local serial port: the same line and buffer
// assembly (CPort), waits in slices of at most SLICE_MS that run the idle handler, the same
// return codes. An address that is not one of the two forms gives PORT_BAD_ADDRESS, a
// refused connection PORT_CONNECTION_REFUSED, an unknown host or one that does not answer
// within CONNECT_TIMEOUT_MS PORT_HOST_UNREACHABLE. An rfc2217:// open waits at most
// NEGOTIATION_TIMEOUT_MS for the server's answers: a refusal of COM port control gives
// PORT_COM_CONTROL_REFUSED, an answer naming another speed than the link's
// PORT_SPEED_REFUSED; a server that does not answer (a raw TCP accepter) is used as it is.
// A connection that drops once open is PORT_LOST, as a pulled USB adapter is.
#pragma once

#include "core/link/CPort.h"
#include "core/link/CTelnetCodec.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>
#include <optional>

class QTcpSocket;

// The parts of a network port address.
struct NETWORK_ADDRESS {
    bool telnet = false; // rfc2217:// rather than socket://
    QString host;
    quint16 port = 0;
};

class CNetworkPort : public CPort {
public:
    static constexpr int SLICE_MS = 50;
    static constexpr int CONNECT_TIMEOUT_MS = 5000;
    // How long an rfc2217 open waits for the server's answers to COM port control and to
    // the speed (ser2net gives both within milliseconds).
    static constexpr int NEGOTIATION_TIMEOUT_MS = 1000;

    explicit CNetworkPort(QString address);
    ~CNetworkPort() override;

    // True when device names a network port (socket: or rfc2217:, well formed or not).
    static bool IsNetworkAddress(const QString& device);
    // The address's parts; nothing when it is not socket://HOST:PORT or rfc2217://HOST:PORT
    // (PORT 1 to 65535, an IPv6 host in brackets, nothing after the port but a "/").
    static std::optional<NETWORK_ADDRESS> ParseAddress(const QString& address);

    QString Name() const override { return m_address; }
    void SetDefaultBufferSize(int, int) override {}
    int Open(const CLinkSettings& settings) override;
    void Close() override;
    int OpenStatus() const override { return m_openStatus; }
    int IsTXBusy() override;

protected:
    qint64 Clock() const override { return m_clock.elapsed(); }
    int Fetch(qint64 waitMs) override;
    int Send(const QByteArray& bytes, int timeoutMs) override;
    void DiscardInput() override;

private:
    // Connects within CONNECT_TIMEOUT_MS; 0 or the open failure.
    int Connect(const NETWORK_ADDRESS& address);
    // Waits for the server's answers to COM port control and to the speed, answering its
    // negotiation; 0, or the open failure those answers give.
    int Negotiate(const CLinkSettings& settings);
    // Reads what the socket holds (through the Telnet layer) into m_received.
    void TakeInput();
    // Writes bytes as they stand; 0 or a failure code.
    int Transmit(const QByteArray& bytes, int timeoutMs);

    QString m_address;
    std::unique_ptr<QTcpSocket> m_socket;
    std::optional<CTelnetCodec> m_telnet; // rfc2217:// only
    int m_openStatus = PORT_NOT_SETUP;
    QElapsedTimer m_clock;
};
