// Times what reaching units at a distance and in fleets costs, with karvo-cli against
// virtual units at 9600 baud (karvo-unit --pacing):
//
//   1. a read through ser2net on loopback (raw TCP and RFC 2217) against the same read on
//      the unit's serial port: each ratio should stay at or below 1.05;
//   2. apply on a unit that already holds the setup against a plain read: it costs one
//      read (ratio at or below 1.05);
//   3. four units applied in parallel (each one written) against one unit alone: at most
//      1.3 times as long.
//
//   karvo_fleet_bench [rounds]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QTemporaryDir g_dir;

QString Path(const QString& name) {
    return g_dir.filePath(name);
}

std::vector<std::unique_ptr<QProcess>> g_processes;

QString StartUnit(const QString& name) {
    auto unit = std::make_unique<QProcess>();
    unit->start(KARVO_UNIT, {"--pacing", "--save-delay", "0", "--image", KARVO_DEFAULT_SETUP,
                             "--link", Path(name)});
    if (!unit->waitForReadyRead(5000)) {
        std::fprintf(stderr, "karvo-unit did not start\n");
        std::exit(1);
    }
    g_processes.push_back(std::move(unit));
    return Path(name);
}

quint16 FreePort() {
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost) ? server.serverPort() : 0;
}

// ser2net with a raw and an RFC 2217 accepter in front of device; their two ports.
std::pair<quint16, quint16> StartSer2net(const QString& device) {
    const quint16 raw = FreePort();
    const quint16 telnet = FreePort();
    QFile config(Path("ser2net.yaml"));
    config.open(QIODevice::WriteOnly);
    const QString connector = QStringLiteral("serialdev,%1,9600n81,local").arg(device);
    config.write(QStringLiteral("connection: &raw\n  accepter: tcp,127.0.0.1,%1\n  connector: %3\n"
                                "connection: &telnet\n"
                                "  accepter: telnet(rfc2217),tcp,127.0.0.1,%2\n  connector: %3\n")
                     .arg(raw)
                     .arg(telnet)
                     .arg(connector)
                     .toUtf8());
    config.close();
    auto ser2net = std::make_unique<QProcess>();
    ser2net->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ser2net->start("ser2net", {"-n", "-d", "-c", config.fileName()});
    if (!ser2net->waitForStarted(5000)) {
        std::fprintf(stderr, "ser2net did not start (tools/install-deps.sh installs it)\n");
        std::exit(1);
    }
    g_processes.push_back(std::move(ser2net));
    for (int i = 0; i < 100; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, telnet);
        if (probe.waitForConnected(100))
            break;
        QThread::msleep(50);
    }
    QThread::msleep(200); // the probe's connection is gone before the first command
    return {raw, telnet};
}

QProcess* StartCli(const QStringList& args) {
    auto* p = new QProcess;
    p->setWorkingDirectory(g_dir.path());
    p->start(KARVO_CLI, args);
    return p;
}

// Runs the karvo-cli commands side by side; their wall time in seconds, or -1 when one
// ended with another status than expected.
double Timed(const std::vector<QStringList>& commands, int expected) {
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> running;
    for (const QStringList& args : commands)
        running.emplace_back(StartCli(args));
    bool ok = true;
    for (const auto& p : running) {
        p->waitForFinished(300000);
        if (p->exitCode() != expected) {
            std::fprintf(stderr, "karvo-cli %s: status %d\n%s",
                         qPrintable(p->arguments().join(' ')), p->exitCode(),
                         p->readAllStandardError().constData());
            ok = false;
        }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    return ok ? seconds : -1;
}

double Mean(int rounds, const std::vector<QStringList>& commands, int expected) {
    double sum = 0;
    for (int r = 0; r < rounds; ++r) {
        const double s = Timed(commands, expected);
        if (s < 0)
            std::exit(1);
        sum += s;
    }
    return sum / rounds;
}

bool Line(const char* name, double seconds, double base, double limit) {
    const double ratio = seconds / base;
    std::printf("%-34s %7.3f s   ratio %.3f (limit %.2f)\n", name, seconds, ratio, limit);
    return ratio <= limit;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    qputenv("KARVO_BACKUP_DIR", Path("backups").toLocal8Bit());
    qputenv("KARVO_PROFILE", Path("profile.ini").toLocal8Bit());
    bool ok = true;

    // 1. A read through ser2net against the serial port.
    const QString unit = StartUnit("com1");
    const auto [raw, telnet] = StartSer2net(unit);
    const QString out = Path("out.s19");
    const double serial = Mean(rounds, {{"read", out, "--port", unit}}, 0);
    const double socket = Mean(
        rounds, {{"read", out, "--port", QStringLiteral("socket://127.0.0.1:%1").arg(raw)}}, 0);
    const double rfc2217 = Mean(
        rounds, {{"read", out, "--port", QStringLiteral("rfc2217://127.0.0.1:%1").arg(telnet)}}, 0);
    std::printf("karvo-cli at 9600 baud, mean of %d rounds:\n", rounds);
    std::printf("%-34s %7.3f s\n", "read, serial port", serial);
    ok &= Line("read through ser2net, socket://", socket, serial, 1.05);
    ok &= Line("read through ser2net, rfc2217://", rfc2217, serial, 1.05);

    // 2. apply on a unit that holds the setup already.
    const double unchanged = Mean(rounds, {{"apply", KARVO_DEFAULT_SETUP, "--port", unit}}, 0);
    ok &= Line("apply, unit unchanged (vs read)", unchanged, serial, 1.05);

    // 3. Four units written side by side against one alone; each round brings every
    // unit to the other of two setups, so that every apply writes.
    QStringList units{unit};
    for (int i = 2; i <= 4; ++i)
        units << StartUnit(QStringLiteral("com%1").arg(i));
    QProcess::execute(KARVO_CLI, {"poke", KARVO_DEFAULT_SETUP, Path("other.s19"), "30=1"});
    const QStringList setups{Path("other.s19"), KARVO_DEFAULT_SETUP};
    double one = 0, four = 0;
    for (int r = 0; r < rounds; ++r) {
        const QString a = setups[r % 2], b = setups[(r + 1) % 2];
        one += Timed({{"apply", a, "--port", units[0]}}, 6);
        std::vector<QStringList> all;
        for (const QString& u : units)
            all.push_back({"apply", u == units[0] ? b : a, "--port", u});
        four += Timed(all, 6);
        Timed({{"apply", a, "--port", units[0]}}, 6); // all four hold a again
    }
    std::printf("%-34s %7.3f s\n", "apply, one unit written", one / rounds);
    ok &= Line("apply, four units in parallel", four / rounds, one / rounds, 1.3);

    for (const auto& p : g_processes) {
        p->terminate();
        p->waitForFinished(3000);
    }
    return ok ? 0 : 2;
}
