// karvo-cli reaching units as a fleet would: through ser2net (raw TCP and RFC 2217 in
// front of karvo-unit's pseudo-terminal, on loopback), apply's three outcomes, the unit
// finder over four COM settings, and the trace of a command.
#include "CSer2net.h"
#include "core/image/CE2prom.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestReachEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void throughSer2net_data();
    void throughSer2net();
    void refusedConnection();
    void connectionCutMidDump();
    void applyOutcomes();
    void findUnits();

private:
    // Starts a virtual unit reachable as Path(name); returns that path.
    QString StartUnit(const QString& name, const QStringList& options = {});
    // Starts ser2net with a raw and an RFC 2217 accepter in front of the unit at device.
    void StartSer2net(const QString& device);
    QString Address(const QString& scheme) const {
        return scheme == "socket" ? m_ser2net->RawAddress() : m_ser2net->TelnetAddress();
    }
    Run Cli(const QStringList& args, const QStringList& environment = {});
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::unique_ptr<CSer2net> m_ser2net;
};

void TestReachEndToEnd::init() {
    QVERIFY(m_dir.isValid());
    qputenv("KARVO_PROFILE", Path("profile.ini").toLocal8Bit());
    qputenv("KARVO_BACKUP_DIR", Path("backups").toLocal8Bit());
}

void TestReachEndToEnd::cleanup() {
    m_ser2net.reset();
    // Each unit is gone before the next one starts: a unit that stopped late would remove
    // its link, which by then is the next unit's.
    for (const auto& p : m_processes) {
        p->terminate();
        if (!p->waitForFinished(3000)) {
            p->kill();
            p->waitForFinished();
        }
    }
    m_processes.clear();
}

QString TestReachEndToEnd::StartUnit(const QString& name, const QStringList& options) {
    auto unit = std::make_unique<QProcess>();
    unit->start(KARVO_UNIT, QStringList{"--image", KARVO_DEFAULT_SETUP, "--link", Path(name),
                                        "--save", Path(name + ".s19")} +
                                options);
    [&] {
        QVERIFY(unit->waitForStarted(5000));
        QVERIFY(unit->waitForReadyRead(5000));
        QVERIFY(unit->readLine().startsWith("/dev/"));
    }();
    m_processes.push_back(std::move(unit));
    return Path(name);
}

void TestReachEndToEnd::StartSer2net(const QString& device) {
    m_ser2net = std::make_unique<CSer2net>(device, m_dir.path());
    QVERIFY2(m_ser2net->Started(), "ser2net does not start (tools/install-deps.sh installs it)");
}

Run TestReachEndToEnd::Cli(const QStringList& args, const QStringList& environment) {
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.setEnvironment(QProcess::systemEnvironment() + environment);
    p.start(KARVO_CLI, args);
    if (!p.waitForFinished(60000)) { // reported as a crash (-1), not as the status 0 of a run
        p.kill();
        p.waitForFinished();
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

void TestReachEndToEnd::throughSer2net_data() {
    QTest::addColumn<QString>("scheme");
    QTest::newRow("raw TCP") << "socket";
    QTest::newRow("RFC 2217") << "rfc2217";
}

void TestReachEndToEnd::throughSer2net() {
    QFETCH(QString, scheme);
    StartSer2net(StartUnit("com1"));
    const QString address = Address(scheme).replace("127.0.0.1", "localhost");
    const Run info = Cli({"info", "--port", address, "--trace", Path("trace.txt")});
    QCOMPARE(info.status, 0);
    QVERIFY(info.out.contains("Software : RM4811\nVersion : V2.6\n"));
    // The trace holds the exchange line by line, the program's first.
    QFile trace(Path("trace.txt"));
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(trace.readAll()).split('\n');
    QVERIFY2(QRegularExpression("^ +\\d+ ms  ->  \\\\nVERIFY\\\\r$").match(lines[0]).hasMatch(),
             qPrintable(lines[0]));
    QVERIFY(lines.filter(QRegularExpression(" ms  <-  REPLY RM4811 V2.6 15 Jun 1999")).size() == 1);

    // A setup unlike the unit's goes there and comes back.
    CE2prom image;
    for (int a = 1; a < 211; ++a)
        image.SetByte(a, std::uint8_t(a * 11));
    QVERIFY(image.SaveSRecords(Path("mine.s19")));
    const Run write = Cli({"write", Path("mine.s19"), "--verify", "--port", address});
    QCOMPARE(write.status, 0);
    QVERIFY(write.out.contains("addresses 1 to 210 match"));
    const Run read = Cli({"read", Path("back.s19"), "--port", address});
    QCOMPARE(read.status, 0);
    CE2prom back;
    QCOMPARE(back.LoadSRecords(Path("back.s19")), 1);
    QCOMPARE(back.Bytes().mid(1), image.Bytes().mid(1));
}

void TestReachEndToEnd::refusedConnection() {
    const QString address = QStringLiteral("rfc2217://127.0.0.1:%1").arg(CSer2net::FreePort());
    const Run r = Cli({"read", Path("out.s19"), "--port", address});
    QCOMPARE(r.status, 12);
    QVERIFY2(r.err.contains((address + ": connection refused").toUtf8()), r.err.constData());
    QVERIFY(!QFile::exists(Path("out.s19")));
    const Run malformed = Cli({"info", "--com", "2"}, {"KARVO_COM2=socket://localhost"});
    QCOMPARE(malformed.status, 12);
    QVERIFY2(malformed.err.contains("socket://localhost: not a network address"),
             malformed.err.constData());
    // ser2net's Telnet accepter without COM port control refuses it.
    StartSer2net(StartUnit("com1"));
    const QString plain = m_ser2net->PlainTelnetAddress();
    const Run telnet = Cli({"info", "--port", plain});
    QCOMPARE(telnet.status, 12);
    QVERIFY2(telnet.err.contains((plain + ": the server refuses COM port control").toUtf8()),
             telnet.err.constData());
}

void TestReachEndToEnd::connectionCutMidDump() {
    // Between karvo-cli and ser2net a relay passes the first 150 bytes towards karvo-cli
    // (the connection and a few records of the dump), then cuts the connection.
    StartSer2net(StartUnit("com1"));
    QTcpServer relay;
    QVERIFY(relay.listen(QHostAddress::LocalHost));
    QTcpSocket upstream;
    QTcpSocket* client = nullptr;
    qint64 passed = 0;
    connect(&relay, &QTcpServer::newConnection, this, [&] {
        client = relay.nextPendingConnection();
        upstream.connectToHost(QHostAddress::LocalHost, m_ser2net->RawPort());
        upstream.waitForConnected(2000);
        connect(client, &QTcpSocket::readyRead, this, [&] { upstream.write(client->readAll()); });
        connect(&upstream, &QTcpSocket::readyRead, this, [&] {
            const QByteArray bytes = upstream.readAll();
            if (passed >= 150)
                return;
            client->write(bytes.left(150 - passed));
            client->flush();
            passed += bytes.size();
            if (passed >= 150)
                client->abort();
        });
    });
    QVERIFY(QFile::copy(KARVO_DEFAULT_SETUP, Path("out.s19")));
    QProcess cli;
    cli.setWorkingDirectory(m_dir.path());
    cli.start(KARVO_CLI, {"read", Path("out.s19"), "--port",
                          QStringLiteral("socket://127.0.0.1:%1").arg(relay.serverPort())});
    QVERIFY(QTest::qWaitFor([&] { return cli.state() == QProcess::NotRunning; }, 20000));
    const QByteArray err = cli.readAllStandardError();
    QCOMPARE(cli.exitCode(), 12);
    QVERIFY2(err.contains("CComProm :  AS PORT LOST"), err.constData());
    QVERIFY(passed >= 150);
    QFile kept(Path("out.s19")), shipped(KARVO_DEFAULT_SETUP);
    QVERIFY(kept.open(QIODevice::ReadOnly) && shipped.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), shipped.readAll());
}

void TestReachEndToEnd::applyOutcomes() {
    const QString unit = StartUnit("com1");
    CE2prom image;
    QCOMPARE(image.LoadSRecords(KARVO_DEFAULT_SETUP), 1);
    image.SetByte(30, std::uint8_t(image.GetByte(30) ^ 1));
    QVERIFY(image.SaveSRecords(Path("site.s19")));

    const Run changed = Cli({"apply", Path("site.s19"), "--port", unit});
    QCOMPARE(changed.status, 6);
    QVERIFY2(changed.out.startsWith((unit + ": changed").toUtf8()), changed.out.constData());
    CE2prom held;
    QCOMPARE(held.LoadSRecords(Path("com1.s19")), 1);
    QCOMPARE(held.Bytes().mid(1), image.Bytes().mid(1));

    // The unit holds the setup now: one read, nothing written.
    QVERIFY(QFile::remove(Path("com1.s19")));
    const Run unchanged = Cli({"apply", Path("site.s19"), "--json", "--port", unit});
    QCOMPARE(unchanged.status, 0);
    const QJsonObject line = QJsonDocument::fromJson(unchanged.out).object();
    QCOMPARE(line["result"].toString(), QString("unchanged"));
    QCOMPARE(line["port"].toString(), unit);
    QCOMPARE(line["identity"]["software"].toString(), QString("RM4811"));
    QVERIFY(line["settings"].toArray().isEmpty());
    QVERIFY(!QFile::exists(Path("com1.s19")));

    // A difference at address 1 alone, the first address a setup holds, is written too.
    image.SetByte(1, std::uint8_t(image.GetByte(1) ^ 1));
    QVERIFY(image.SaveSRecords(Path("first.s19")));
    const Run first = Cli({"apply", Path("first.s19"), "--port", unit});
    QCOMPARE(first.status, 6);
    QVERIFY2(first.out.contains("\n  address 1: unit 0x"), first.out.constData());

    cleanup();
    StartUnit("com1", {"--verdict", "CHECKSUM ERROR!!!"});
    const Run failed = Cli({"apply", Path("site.s19"), "--json", "--port", unit});
    QCOMPARE(failed.status, 19);
    const QJsonObject failure = QJsonDocument::fromJson(failed.out).object();
    QCOMPARE(failure["result"].toString(), QString("failed"));
    QCOMPARE(failure["status"].toInt(), 19);
    QVERIFY(!failure["settings"].toArray().isEmpty()); // what was to change is named
}

void TestReachEndToEnd::findUnits() {
    const QStringList environment = {
        "KARVO_COM1=" + StartUnit("unitA"),
        "KARVO_COM2=" + StartUnit("quiet1", {"--silent"}),
        "KARVO_COM3=" + StartUnit("unitB", {"--name", "RM5000", "--firmware-version", "X2Y14"}),
        "KARVO_COM4=" + StartUnit("quiet2", {"--silent"}),
    };
    const Run listed = Cli({"ports"}, environment);
    QCOMPARE(listed.status, 0);
    QVERIFY(listed.out.contains((Path("unitB") + "\tCOM 3\t-\n").toUtf8()));
    const Run probed = Cli({"ports", "--probe"}, environment);
    QCOMPARE(probed.status, 0);
    const QStringList expected = {
        Path("unitA") + "\tCOM 1\t-\tRM4811 V2.6 15 Jun 1999 12:00",
        Path("quiet1") + "\tCOM 2\t-\tno answer",
        Path("unitB") + "\tCOM 3\t-\tRM5000 V2.14 15 Jun 1999 12:00",
        Path("quiet2") + "\tCOM 4\t-\tno answer",
    };
    // The system's own ports come first, whatever this machine has.
    const QStringList lines = QString::fromUtf8(probed.out).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= 4, probed.out.constData());
    QCOMPARE(lines.mid(lines.size() - 4), expected);
}

QTEST_GUILESS_MAIN(TestReachEndToEnd)
#include "tst_reach_e2e.moc"
