// Times writes and reads of a setup through the virtual unit at 9600 baud, and sets each
// against its floor: the bytes on the wire at 960 bytes per second plus the waits the
// protocol prescribes (the 500 ms listening slice of each connection, and the 50 ms pause
// before each dump). A confirmed read takes two connections and dumps, three when the
// first two differ (a second unit changes every third dump). Every ratio should stay
// below 1.05.
//
//   karvo_link_bench [rounds]
#include "core/image/CE2prom.h"
#include "core/link/CMessages.h"
#include "core/link/CSerialPort.h"
#include "core/link/DeviceCommandFrames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The real serial port, counting every byte that crosses the wire, except those that
// arrive while the connection listens for the unit's identity: they come within the
// 500 ms listening slice, which the floor counts whole already.
class CCountingPort : public CSerialPort {
public:
    qint64 bytesOnWire = 0;

    int ReadBufferTimed(QByteArray& buffer, int maxChars, int timeoutMs) override {
        m_listening = true;
        const int result = CSerialPort::ReadBufferTimed(buffer, maxChars, timeoutMs);
        m_listening = false;
        return result;
    }

protected:
    int Fetch(qint64 waitMs) override {
        const qsizetype before = m_received.size();
        const int result = CSerialPort::Fetch(waitMs);
        if (!m_listening)
            bytesOnWire += m_received.size() - before;
        return result;
    }
    int Send(const QByteArray& bytes, int timeoutMs) override {
        bytesOnWire += bytes.size();
        return CSerialPort::Send(bytes, timeoutMs);
    }

private:
    bool m_listening = false;
};

constexpr double BYTES_PER_SECOND = 960.0;
constexpr double CONNECT_SLICE_S = 0.5;
constexpr double DUMP_PAUSE_S = 0.05;

struct Measure {
    double seconds = 0;
    double floor = 0;
};

void Report(const char* name, const Measure& m) {
    std::printf("%-14s %8.3f s   floor %8.3f s   ratio %.3f\n", name, m.seconds, m.floor,
                m.seconds / m.floor);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    CQuietMessages quiet; // the bench reports what it measured
    QTemporaryDir dir;
    qputenv("KARVO_BACKUP_DIR", dir.filePath("backups").toLocal8Bit());
    QProcess unit, varying;
    const QStringList options = {"--pacing", "--save-delay", "0", "--image", KARVO_DEFAULT_SETUP};
    unit.start(KARVO_UNIT, options + QStringList{"--link", dir.filePath("com1")});
    varying.start(KARVO_UNIT,
                  options + QStringList{"--link", dir.filePath("com2"), "--vary-every-dump", "3"});
    if (!unit.waitForReadyRead(5000) || !varying.waitForReadyRead(5000)) {
        std::fprintf(stderr, "karvo-unit did not start\n");
        return 1;
    }
    CE2prom image;
    image.LoadSRecords(KARVO_DEFAULT_SETUP);

    // A write with its read-back, a write trusting the unit, a read. The floor of each is
    // the time its bytes take on the wire, plus the connection's first slice and the dump's
    // settling pause for every connection and dump it makes.
    enum Kind { VERIFIED_WRITE, WRITE, READ, SINGLE_READ, THIRD_DUMP_READ, KINDS };
    const char* const names[KINDS] = {"write+verify", "write", "read", "single read",
                                      "read, 3 dumps"};
    // Connections (each with its slice) and dumps (each with its pause) of each kind.
    const int connections[KINDS] = {2, 1, 2, 1, 3};
    const int dumps[KINDS] = {1, 0, 2, 1, 3};
    Measure measures[KINDS];
    bool ok = true;
    for (int round = 0; round < rounds; ++round) {
        for (int kind = 0; kind < KINDS; ++kind) {
            CCountingPort port;
            port.SetDeviceName(dir.filePath(kind == THIRD_DUMP_READ ? "com2" : "com1"));
            QElapsedTimer timer;
            timer.start();
            const CDeviceOutcome outcome =
                kind >= READ
                    ? RunReadDevice(image, 0, port, nullptr, quiet, false, kind != SINGLE_READ)
                    : RunWriteDevice(image, 0, port, nullptr, quiet, dir.filePath("test.dat"),
                                     kind == VERIFIED_WRITE);
            const double seconds = timer.nsecsElapsed() / 1e9;
            ok = ok && outcome.ok;
            Measure& m = measures[kind];
            m.seconds += seconds / rounds;
            m.floor += (port.bytesOnWire / BYTES_PER_SECOND + connections[kind] * CONNECT_SLICE_S +
                        dumps[kind] * DUMP_PAUSE_S) /
                       rounds;
        }
    }
    for (QProcess* p : {&unit, &varying}) {
        p->terminate();
        p->waitForFinished(3000);
    }
    if (!ok) {
        std::fprintf(stderr, "an exchange failed\n");
        return 1;
    }
    std::printf("Setup through karvo-unit at 9600 baud, mean of %d rounds:\n", rounds);
    for (int kind = 0; kind < KINDS; ++kind)
        Report(names[kind], measures[kind]);
    for (const Measure& m : measures)
        if (m.seconds / m.floor >= 1.05)
            return 2;
    return 0;
}
