// The network port against a scripted peer (a QTcpServer in this test, served through the
// port's idle handler): raw lines, Telnet negotiation and 0xFF doubling, address,
// connection and COM port control failures, a connection that drops; the Telnet layer's
// CR in and out of binary mode and its subnegotiations; and the communication log: one
// exchange line by line on the scripted port's virtual clock, its escapes and its limit.
#include "CFakeUnit.h"
#include "core/image/CE2prom.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "core/link/CNetworkPort.h"
#include "core/link/DeviceCommandFrames.h"

#include "UnitSettings.h"
#include <QTcpServer>
#include <QTcpSocket>

#include <QtTest>

namespace {

QByteArray Bytes(std::initializer_list<int> bytes) {
    QByteArray out;
    for (const int b : bytes)
        out += char(b);
    return out;
}

const QByteArray OPENING =
    Bytes({255, 251, 0, 255, 253, 0, 255, 251, 3, 255, 253, 3, 255, 251, 44});
// 9600 baud, 8 data bits, no parity (1), 1 stop bit.
const QByteArray SETTINGS =
    Bytes({255, 250, 44,  1,  0, 0, 0x25, 0x80, 255, 240, 255, 250, 44, 2,   8,  255,
           240, 255, 250, 44, 3, 1, 255,  240,  255, 250, 44,  4,   1,  255, 240});

// The far end of the connection: keeps what it receives, sends what the test gives it.
class CPeer {
public:
    CPeer() {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            m_socket = m_server.nextPendingConnection();
            QObject::connect(m_socket, &QTcpSocket::readyRead, [this] {
                m_got += m_socket->readAll();
                if (m_onData)
                    m_onData();
            });
        });
    }
    QString Address(const char* scheme) const {
        return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(m_server.serverPort());
    }
    void Send(const QByteArray& bytes) {
        m_socket->write(bytes);
        m_socket->flush();
    }
    // Waits (serving events) until the peer has received count bytes.
    bool WaitFor(int count) {
        return QTest::qWaitFor([&] { return m_got.size() >= count; }, 2000);
    }
    QByteArray Take() { return std::exchange(m_got, QByteArray()); }
    void Drop() { m_socket->disconnectFromHost(); }
    void OnData(std::function<void()> f) { m_onData = std::move(f); }

private:
    QTcpServer m_server;
    QTcpSocket* m_socket = nullptr;
    QByteArray m_got;
    std::function<void()> m_onData;
};

// The port with its waits serving the peer's events.
std::unique_ptr<CNetworkPort> PortTo(const QString& address) {
    auto port = std::make_unique<CNetworkPort>(address);
    port->SetIdleHandler([] { QCoreApplication::processEvents(); });
    return port;
}

} // namespace

class TestNetworkPort : public QObject {
    Q_OBJECT
private slots:
    void addresses_data();
    void addresses();
    void rawLinesAndTimeout();
    void telnetNegotiationAndDoubling();
    void telnetStream_data();
    void telnetStream();
    void openFailures_data();
    void openFailures();
    void droppedConnection();
    void logOfOneExchange();
    void logLines_data();
    void logLines();
};

void TestNetworkPort::addresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("network");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("telnet");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("raw") << "socket://site7.example:4001" << true << true << false
                         << "site7.example" << 4001;
    QTest::newRow("telnet, upper case")
        << "RFC2217://10.0.0.5:7000/" << true << true << true << "10.0.0.5" << 7000;
    QTest::newRow("IPv6") << "socket://[::1]:2000" << true << true << false << "::1" << 2000;
    QTest::newRow("no port") << "socket://localhost" << true << false << false << "" << 0;
    QTest::newRow("port 0") << "rfc2217://localhost:0" << true << false << false << "" << 0;
    QTest::newRow("port too big") << "socket://localhost:65536" << true << false << false << ""
                                  << 0;
    QTest::newRow("no host") << "socket://:4001" << true << false << false << "" << 0;
    QTest::newRow("query") << "rfc2217://h:1?logging=debug" << true << false << false << "" << 0;
    QTest::newRow("one slash") << "socket:/h:1" << true << false << false << "" << 0;
    QTest::newRow("serial device") << "/dev/ttyUSB0" << false << false << false << "" << 0;
    QTest::newRow("Windows port") << "COM3" << false << false << false << "" << 0;
}

void TestNetworkPort::addresses() {
    QFETCH(QString, address);
    QFETCH(bool, network);
    QFETCH(bool, valid);
    QCOMPARE(CNetworkPort::IsNetworkAddress(address), network);
    const std::optional<NETWORK_ADDRESS> parts = CNetworkPort::ParseAddress(address);
    QCOMPARE(parts.has_value(), valid);
    if (!valid)
        return;
    QTEST(parts->telnet, "telnet");
    QTEST(parts->host, "host");
    QTEST(int(parts->port), "port");
}

void TestNetworkPort::rawLinesAndTimeout() {
    CPeer peer;
    const auto port = PortTo(peer.Address("socket"));
    QCOMPARE(port->Open(UnitSettings()), PORT_OK);
    QCOMPARE(port->WriteStringTimed("\nVERIFY", '\r', 500), PORT_OK);
    QVERIFY(peer.WaitFor(8));
    QCOMPARE(peer.Take(), QByteArray("\nVERIFY\r")); // no Telnet bytes on a raw port
    peer.Send(QByteArray("REPLY RM4\xff"));
    peer.Send("811\rS1");
    QByteArray line;
    QCOMPARE(port->ReadStringTimed(line, 80, '\r', 2000), PORT_OK);
    QCOMPARE(line, QByteArray("REPLY RM4\xff"
                              "811"));
    // The rest of a line that never ends comes at the time-out, as on a serial port (the
    // port's clock and this timer count whole milliseconds apart).
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(port->ReadStringTimed(line, 80, '\r', 300), PORT_BUFFER_EMPTY);
    QVERIFY2(timer.elapsed() >= 299 && timer.elapsed() < 1000,
             qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(line, QByteArray("S1"));
}

void TestNetworkPort::telnetNegotiationAndDoubling() {
    CPeer peer;
    // The server agrees to COM port control, offers echo and asks for a terminal type;
    // then it answers the settings with the speed.
    const auto port = PortTo(peer.Address("rfc2217"));
    int chunks = 0;
    peer.OnData([&] {
        if (chunks++ == 0)
            peer.Send(Bytes({255, 253, 44, 255, 251, 1, 255, 253, 24, 255, 251, 3, 255, 253, 0}));
        else if (chunks == 2)
            peer.Send(Bytes({255, 250, 44, 101, 0, 0, 0x25, 0x80, 255, 240}));
    });
    QCOMPARE(port->Open(UnitSettings()), PORT_OK);
    // Open returns once the server has answered the speed: the settings follow the
    // agreement, the echo and terminal type are refused, agreed options are not answered
    // again. Binary is agreed, so a CR goes out bare.
    QVERIFY(peer.WaitFor(OPENING.size() + SETTINGS.size() + 6));
    QCOMPARE(peer.Take(), OPENING + SETTINGS + Bytes({255, 254, 1, 255, 252, 24}));

    QCOMPARE(port->WriteStringTimed(Bytes({'A', 0xff, 'B'}), '\r', 500), PORT_OK);
    QVERIFY(peer.WaitFor(5));
    QCOMPARE(peer.Take(), Bytes({'A', 0xff, 0xff, 'B', '\r'}));

    // Doubled 0xFF, a no-operation, the server's echo of the speed and a command split
    // across two segments all leave only the data.
    peer.Send(Bytes({'X', 0xff}));
    QTest::qWait(60);
    peer.Send(Bytes({0xff, 'Y', 0xff, 241, 0xff, 250, 44, 101, 0, 0, 0x25, 0x80, 0xff}));
    QTest::qWait(60);
    peer.Send(Bytes({240, 'Z', '\r'}));
    QByteArray line;
    QCOMPARE(port->ReadStringTimed(line, 80, '\r', 2000), PORT_OK);
    QCOMPARE(line, Bytes({'X', 0xff, 'Y', 'Z'}));
    QCOMPARE(peer.Take(), QByteArray()); // nothing to answer there
}

// The Telnet layer alone: what the server sent (after the client's opening), the data it
// carried, and how the client's data goes on the wire after it.
void TestNetworkPort::telnetStream_data() {
    QTest::addColumn<QByteArray>("fromServer");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("toSend");
    QTest::addColumn<QByteArray>("onWire");
    const QByteArray cr("\r");
    const QByteArray crNul("\r\0", 2);
    QTest::newRow("binary asked, not agreed: CR NUL")
        << "ok" + Bytes({255, 251, 3}) << QByteArray("ok") << Bytes({'A', '\r', 0xff, '\r', '\n'})
        << Bytes({'A', '\r', 0, 0xff, 0xff, '\r', 0, '\n'});
    // The server's own binary transmission says nothing about the client's.
    QTest::newRow("binary agreed, then refused: CR NUL")
        << Bytes({255, 253, 0, 255, 251, 0, 255, 254, 0}) + "ok" << QByteArray("ok") << cr << crNul;
    QTest::newRow("subnegotiation past the limit, dropped whole")
        << "A" + Bytes({255, 250, 44, 107}) + QByteArray(CTelnetCodec::MAX_SUB_LENGTH + 50, 'x') +
               Bytes({255, 240}) + "B"
        << QByteArray("AB") << cr << crNul;
    QTest::newRow("IAC IAC inside a subnegotiation does not end it")
        << "A" + Bytes({255, 250, 44, 101, 255, 255}) + "tail" + Bytes({255, 240, 255, 253, 0}) +
               "B"
        << QByteArray("AB") << cr << cr;
}

void TestNetworkPort::telnetStream() {
    QFETCH(QByteArray, fromServer);
    QFETCH(QByteArray, toSend);
    CTelnetCodec codec(UnitSettings());
    codec.Opening();
    QByteArray replies;
    QTEST(codec.Decode(fromServer, replies), "data");
    QTEST(codec.Encode(toSend), "onWire");
}

// An address of "peer" is a scripted Telnet server that sends answer to the client's opening.
void TestNetworkPort::openFailures_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text"); // after the address
    QTcpServer closed;                 // a port just freed: nothing listens there
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("socket://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    QTest::newRow("malformed") << "rfc2217://localhost" << QByteArray() << PORT_BAD_ADDRESS
                               << "not a network address (socket://HOST:PORT or "
                                  "rfc2217://HOST:PORT)";
    QTest::newRow("refused") << refused << QByteArray() << PORT_CONNECTION_REFUSED
                             << "connection refused (nothing listens at that port)";
    QTest::newRow("unknown host") << "socket://no-such-host.invalid:4001" << QByteArray()
                                  << PORT_HOST_UNREACHABLE << "host not found or not reachable";
    // ser2net's plain telnet accepter: its own options, then DONT COM-PORT-OPTION.
    QTest::newRow("COM port control refused")
        << "peer" << Bytes({255, 251, 3,   255, 253, 3,   255, 251, 1,   255, 254,
                            1,   255, 253, 0,   255, 251, 0,   255, 254, 44})
        << PORT_COM_CONTROL_REFUSED << "the server refuses COM port control (RFC 2217)";
    QTest::newRow("server will not do COM port control")
        << "peer" << Bytes({255, 252, 44}) << PORT_COM_CONTROL_REFUSED
        << "the server refuses COM port control (RFC 2217)";
    QTest::newRow("speed answered as 115200")
        << "peer" << Bytes({255, 253, 44, 255, 250, 44, 101, 0, 1, 0xc2, 0, 255, 240})
        << PORT_SPEED_REFUSED << "the server did not set its serial port to 9600 baud";
}

void TestNetworkPort::openFailures() {
    QFETCH(QString, address);
    QFETCH(QByteArray, answer);
    QFETCH(int, code);
    QFETCH(QString, text);
    CPeer peer;
    peer.OnData([&] { peer.Send(std::exchange(answer, QByteArray())); });
    if (address == "peer")
        address = peer.Address("rfc2217");
    const auto port = PortTo(address);
    QCOMPARE(port->Open(UnitSettings()), code);
    QCOMPARE(port->OpenStatus(), code);
    QByteArray line;
    QCOMPARE(port->ReadStringTimed(line, 80, '\r', 100), code);
    QString shown;
    AppendLibraryErrorText(code, shown, port->Name());
    QCOMPARE(shown, address + ": " + text);
}

void TestNetworkPort::droppedConnection() {
    CPeer peer;
    const auto port = PortTo(peer.Address("socket"));
    QCOMPARE(port->Open(UnitSettings()), PORT_OK);
    QCOMPARE(port->WriteStringTimed("DUMPING", '\r', 500), PORT_OK);
    QVERIFY(peer.WaitFor(8));
    peer.Send("S00600004844521B\rS1");
    peer.Drop();
    // What came before the drop is delivered; then the port is lost, well before the
    // 2-second wait is over.
    QByteArray line;
    QCOMPARE(port->ReadStringTimed(line, 80, '\r', 2000), PORT_OK);
    QCOMPARE(line, QByteArray("S00600004844521B"));
    QElapsedTimer timer;
    timer.start();
    int result = port->ReadStringTimed(line, 80, '\r', 2000);
    if (result == PORT_BUFFER_EMPTY) // the partial record, if the drop came after it
        result = port->ReadStringTimed(line, 80, '\r', 2000);
    QCOMPARE(result, PORT_LOST);
    QVERIFY(timer.elapsed() < 1500);
    QCOMPARE(port->WriteStringTimed("X", '\r', 500), PORT_LOST);
}

void TestNetworkPort::logOfOneExchange() {
    CScriptedPort port;
    CFakeUnit unit(port);
    unit.replies = {QByteArray("REPLY RM4811 V2.6 15 Jun 1999 12:00\r\n\x01")};
    CCommLog log;
    port.SetLog(&log);
    CE2prom image;
    QVERIFY(RunDeviceInformation(image, 0, port, nullptr, Messages()).ok);
    QCOMPARE(log.TextLines(), QStringList({
                                  "     0 ms  ->  \\nVERIFY\\r",
                                  "     5 ms  <-  OK\\r",
                                  "   505 ms  <-  REPLY RM4811 V2.6 15 Jun 1999 12:00\\r\\n\\x01",
                                  "   505 ms  --  time-out: nothing more within 500 ms",
                              }));
}

// A backslash the unit sent is logged doubled, so it never reads as an escape; a log
// filled past its limit ends with the line that says so.
void TestNetworkPort::logLines_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("last");
    QTest::newRow("backslash r, then CR")
        << 1 << QByteArray("\\r\r") << 1 << "     0 ms  <-  \\\\r\\r";
    QTest::newRow("past the limit")
        << CCommLog::MAX_LINES + 2 << QByteArray("x") << CCommLog::MAX_LINES + 1
        << "     0 ms  --  log full: later lines are left out";
}

void TestNetworkPort::logLines() {
    QFETCH(int, records);
    QFETCH(QByteArray, bytes);
    CCommLog log;
    for (int i = 0; i < records; ++i)
        log.Record(0, CCommLog::Direction::Received, bytes);
    const QStringList lines = log.TextLines();
    QTEST(int(lines.size()), "lines");
    QTEST(lines.last(), "last");
}

QTEST_GUILESS_MAIN(TestNetworkPort)
#include "tst_network_port.moc"
