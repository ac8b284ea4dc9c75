// karvo-unit: a virtual TRC interface unit on a pseudo-terminal, so that Read device,
// Write device and Device information work without hardware.
//
//   karvo-unit [--image FILE] [--save FILE] [--link PATH] [fault options]
//
// It prints the terminal's device name on the first line of stdout, then answers the
// program until it is stopped (SIGTERM or SIGINT). --save writes the setup the unit was
// last programmed with after every successful write. Run with --help for the faults.
#include "core/lang/ProgramOptions.h"
#include "core/link/CError.h"
#include "core/link/CLineNoise.h"
#include "tools/CVirtualUnit.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

const char* const HELP =
    "Usage: karvo-unit [OPTION]...\n"
    "A virtual TRC interface unit on a pseudo-terminal: prints the terminal's device name,\n"
    "then answers like the unit (connection, dump, programming) until it is stopped.\n"
    "\n"
    "  --image FILE          start with this S-record setup (default: all zeros)\n"
    "  --save FILE           save the setup the unit is programmed with\n"
    "  --link PATH           also reach the terminal through this symbolic link\n"
    "  --name NAME           firmware name to report (default RM4811)\n"
    "  --firmware-version TOKEN\n"
    "                        version token to report (default V2.6)\n"
    "  --silent              never answer\n"
    "  --silent-after N      stop answering after N received lines\n"
    "  --bad-dump-record N   send dump record N (1 = first S1) with a wrong checksum\n"
    "  --verdict TEXT        final verdict of a write (e.g. \"CHECKSUM ERROR!!!\")\n"
    "  --save-delay MS       time taken to store the E2PROM (default 200)\n"
    "  --no-received-ok      do not send RECEIVED_OK before storing\n"
    "  --echo                echo the command ahead of REPLY\n"
    "  --nul-bytes           put NUL bytes into the lines sent\n"
    "  --long-line           send a line longer than 80 characters\n"
    "  --corrupt ADDR        store the wrong value at ADDR when programmed\n"
    "  --pacing              send at 9600 baud (960 bytes per second)\n"
    "  --vanish-after N      be killed after sending N lines (the terminal closes, as\n"
    "                        when a USB adapter is pulled)\n"
    "  --flood BYTES         answer DUMPING with BYTES characters and no line end\n"
    "  --every-other-line    answer only the 1st, 3rd, 5th ... line received\n"
    "  --stream              be a device that only streams text (100 characters every\n"
    "                        quarter second), never answering\n"
    "  --busy                answer DUMPING and PROGRAMMING with BUSY every second, for\n"
    "                        200 seconds, and nothing else\n"
    "  --repeat-received-ok  after a write's end record send RECEIVED_OK every second,\n"
    "                        for 200 seconds, and never a verdict\n"
    "  --doubled-dump-record N\n"
    "                        follow dump record N with a record for its first address\n"
    "                        holding another byte\n"
    "  --vary-every-dump N   dumps 1, 1 + N, 1 + 2N, ... carry addresses 1 and 2 moved up\n"
    "                        and down by the dump's number, which their record's\n"
    "                        checksum cannot tell\n"
    "  --noise-to-pc RATES   damage what the unit sends, RATES as\n"
    "                        flip=P,lose=P,double=P,cr=P,line=P,pair=P (any of them; P\n"
    "                        from 0 to 1: per byte a flipped bit, a lost or a doubled\n"
    "                        byte; per line end a lost CR; per line a lost line; per S1\n"
    "                        record two flipped bits whose changes cancel in its checksum)\n"
    "  --noise-from-pc RATES damage what the unit receives, likewise\n"
    "  --noise-seed N        seed of the noise (default 1): the same seed, the same damage\n"
    "      --help            display this help and exit\n"
    "      --version         output version information and exit\n"
    "\n"
    "Exit status: 0 when stopped by SIGTERM or SIGINT, 1 wrong command line, 2 the\n"
    "--image file cannot be loaded, 3 no pseudo-terminal or link.\n";

using Clock = std::chrono::steady_clock;

// The noise of each direction of the line.
struct LINE_NOISE_OPTIONS {
    LINE_NOISE_RATES toPc;
    LINE_NOISE_RATES fromPc;
    unsigned seed = 1;
};

bool ParseNoise(const QString& text, LINE_NOISE_RATES& rates) {
    QString error;
    const std::optional<LINE_NOISE_RATES> parsed = CLineNoise::ParseRates(text, &error);
    if (!parsed)
        std::fprintf(stderr, "karvo-unit: %s\n", qPrintable(error));
    rates = parsed.value_or(LINE_NOISE_RATES());
    return parsed.has_value();
}

bool ParseOptions(const QStringList& args, CUnitOptions& o, QString& image, QString& save,
                  QString& link, LINE_NOISE_OPTIONS& noise) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto value = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        const auto number = [&]() { return value().toInt(); };
        if (a == "--image")
            image = value();
        else if (a == "--save")
            save = value();
        else if (a == "--link")
            link = value();
        else if (a == "--name")
            o.name = value().toLatin1();
        else if (a == "--firmware-version")
            o.version = value().toLatin1();
        else if (a == "--silent")
            o.silent = true;
        else if (a == "--silent-after")
            o.silentAfterLines = number();
        else if (a == "--bad-dump-record")
            o.badDumpRecord = number();
        else if (a == "--verdict")
            o.verdict = value().toLatin1();
        else if (a == "--save-delay")
            o.saveDelayMs = number();
        else if (a == "--no-received-ok")
            o.receivedOk = false;
        else if (a == "--echo")
            o.echo = true;
        else if (a == "--nul-bytes")
            o.nulBytes = true;
        else if (a == "--long-line")
            o.longLine = true;
        else if (a == "--corrupt")
            o.corruptAddress = number();
        else if (a == "--pacing")
            o.pacing = true;
        else if (a == "--vanish-after")
            o.vanishAfterLines = number();
        else if (a == "--flood")
            o.floodBytes = number();
        else if (a == "--every-other-line")
            o.everyOtherLine = true;
        else if (a == "--stream")
            o.stream = true;
        else if (a == "--busy")
            o.busy = true;
        else if (a == "--repeat-received-ok")
            o.repeatReceivedOk = true;
        else if (a == "--doubled-dump-record")
            o.doubledDumpRecord = number();
        else if (a == "--vary-every-dump")
            o.varyEveryDump = number();
        else if (a == "--noise-seed")
            noise.seed = unsigned(number());
        else if (a == "--noise-to-pc" || a == "--noise-from-pc") {
            if (!ParseNoise(value(), a == "--noise-to-pc" ? noise.toPc : noise.fromPc))
                return false;
        } else
            return false;
    }
    return true;
}

// Opens the pseudo-terminal pair; the unit keeps the terminal side open too, so that the
// program may open and close it as often as it likes.
bool OpenTerminal(int& master, int& slave, QByteArray& name) {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return false;
    name = ptsname(master);
    slave = open(name.constData(), O_RDWR | O_NOCTTY);
    if (slave < 0)
        return false;
    termios t{};
    tcgetattr(slave, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B9600);
    tcsetattr(slave, TCSANOW, &t);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    return true;
}

// Loads the --image setup into the unit; false, with the reason printed, when the file
// cannot be opened or read as a setup (a damaged file raises CE2Error 4 or 5).
bool LoadImage(CVirtualUnit& unit, const QString& path) {
    try {
        if (unit.Image().LoadSRecords(path) == 1)
            return true;
        std::fprintf(stderr, "karvo-unit: cannot load %s\n", qPrintable(path));
    } catch (const CError& e) {
        std::fprintf(stderr, "karvo-unit: %s\n", qPrintable(e.ComposeText()));
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const int status = AnswerStandardOptions(argc, argv, "karvo-unit", HELP); status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    CUnitOptions options;
    QString imagePath, savePath, linkPath;
    LINE_NOISE_OPTIONS noise;
    if (!ParseOptions(args, options, imagePath, savePath, linkPath, noise)) {
        std::fputs(HELP, stderr);
        return 1;
    }
    if (options.corruptAddress >= int(CE2prom::IMAGE_SIZE)) {
        std::fprintf(stderr, "karvo-unit: --corrupt takes an address from 0 to 210\n");
        return 1;
    }
    CVirtualUnit unit(options);
    CLineNoise toPc(noise.toPc, noise.seed);
    CLineNoise fromPc(noise.fromPc, noise.seed + 1);
    if (!imagePath.isEmpty() && !LoadImage(unit, imagePath))
        return 2;
    int master = -1, slave = -1;
    QByteArray name;
    if (!OpenTerminal(master, slave, name)) {
        std::perror("karvo-unit: pseudo-terminal");
        return 3;
    }
    if (!linkPath.isEmpty()) {
        QFile::remove(linkPath);
        if (symlink(name.constData(), linkPath.toLocal8Bit().constData()) != 0) {
            std::perror("karvo-unit: link");
            return 3;
        }
    }
    std::printf("%s\n", name.constData());
    std::fflush(stdout);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);

    // Output waiting to be sent, each piece due at its own time.
    std::deque<std::pair<Clock::time_point, CUnitOutput>> queue;
    Clock::time_point last = Clock::now();
    bool blocked = false;
    int saved = 0;
    while (!g_stop) {
        int timeout = 200;
        if (blocked) {
            timeout = 10; // the terminal was full: try the rest again soon
        } else if (!queue.empty()) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
                queue.front().first - Clock::now());
            timeout = std::max<int>(0, int(wait.count()));
        }
        pollfd p{master, POLLIN, 0};
        const int ready = poll(&p, 1, timeout);
        if (ready > 0 && (p.revents & POLLIN)) {
            char buffer[512];
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0) {
                Clock::time_point at = std::max(Clock::now(), last);
                for (CUnitOutput o : unit.Receive(fromPc.Apply(QByteArray(buffer, int(n))))) {
                    at += std::chrono::milliseconds(o.delayMs);
                    o.bytes = toPc.Apply(o.bytes);
                    queue.emplace_back(at, o);
                }
                if (!queue.empty())
                    last = queue.back().first;
            }
        }
        blocked = false;
        while (!queue.empty() && queue.front().first <= Clock::now()) {
            CUnitOutput& piece = queue.front().second;
            const ssize_t n = write(master, piece.bytes.constData(), size_t(piece.bytes.size()));
            if (n > 0)
                piece.bytes.remove(0, n);
            if (n < 0 && errno != EAGAIN)
                piece.bytes.clear(); // nobody can receive it
            if (!piece.bytes.isEmpty()) {
                blocked = true; // the rest goes when the terminal has room
                break;
            }
            if (piece.vanish)
                std::raise(SIGKILL);
            queue.pop_front();
        }
        if (unit.ProgramCount() != saved && !savePath.isEmpty()) {
            try {
                unit.Image().SaveSRecords(savePath);
            } catch (const CError& e) {
                std::fprintf(stderr, "karvo-unit: %s\n", qPrintable(e.ComposeText()));
            }
        }
        saved = unit.ProgramCount();
    }
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    close(slave);
    close(master);
    return 0;
}
