// The sound seam through RtAudio against a PulseAudio server of the test's own: a null
// sink stands for the line, its monitor records what was played into it.
#include "core/sound/CSoundDevice.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cmath>
#include <numbers>

// RtAudio's PulseAudio device probe leaves a few small PulseAudio objects unfreed; the
// sanitizer build (-DKARVO_SANITIZE=ON) would otherwise fail this test on them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libpulse.so\nleak:librtaudio.so\n";
}

namespace {

constexpr int RATE = 48000;
constexpr double TONE_HZ = 1000.0;
constexpr double AMPLITUDE = 16384.0; // -6 dB of full scale

std::vector<std::int16_t> Tone(double seconds) {
    std::vector<std::int16_t> samples(std::size_t(seconds * RATE));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t(
            std::lround(AMPLITUDE * std::sin(2 * std::numbers::pi * TONE_HZ * double(i) / RATE)));
    return samples;
}

// The stretch of the recording louder than a quarter of the tone, less 50 ms at each end
// (the server's fade-in and the stream's end).
std::vector<double> LoudPart(const std::vector<std::int16_t>& recorded) {
    std::size_t first = recorded.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < recorded.size(); ++i)
        if (std::abs(recorded[i]) > AMPLITUDE / 4) {
            first = std::min(first, i);
            last = i;
        }
    const std::size_t margin = RATE / 20;
    if (first >= last || last - first < 4 * margin)
        return {};
    return {recorded.begin() + long(first + margin), recorded.begin() + long(last - margin)};
}

// Frequency from the first and last rising zero crossings (interpolated between samples).
double Frequency(const std::vector<double>& x) {
    double firstCrossing = -1;
    double lastCrossing = -1;
    int crossings = 0;
    for (std::size_t i = 1; i < x.size(); ++i)
        if (x[i - 1] < 0 && x[i] >= 0) {
            const double at = double(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
            if (crossings++ == 0)
                firstCrossing = at;
            lastCrossing = at;
        }
    return crossings < 2 ? 0 : (crossings - 1) * RATE / (lastCrossing - firstCrossing);
}

double Rms(const std::vector<double>& x) {
    double sum = 0;
    for (double v : x)
        sum += v * v;
    return x.empty() ? 0 : std::sqrt(sum / double(x.size()));
}

bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void devicesListed();
    void toneThroughTheLine();
    void unknownDevice_data();
    void unknownDevice();

private:
    bool PactlAnswers();

    QTemporaryDir m_dir;
    QProcess m_server;
    std::unique_ptr<CSoundDevice> m_sound;
    unsigned m_outputId = 0;
    unsigned m_inputId = 0;
};

bool TestSound::PactlAnswers() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return pactl.waitForFinished(3000) && pactl.exitStatus() == QProcess::NormalExit &&
           pactl.exitCode() == 0;
}

// A user-space server with a private runtime folder and HOME; the client may not start one
// of its own. Everything started here inherits the environment set.
void TestSound::initTestCase() {
    const QString server = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (server.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty())
        QSKIP("PulseAudio (pulseaudio, pactl) is not installed");
    QVERIFY(m_dir.isValid());
    const QString runtime = m_dir.filePath(QStringLiteral("run"));
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString socket = runtime + QStringLiteral("/native");
    QFile script(m_dir.filePath(QStringLiteral("line.pa")));
    QFile client(m_dir.filePath(QStringLiteral("client.conf")));
    QVERIFY(script.open(QIODevice::WriteOnly) && client.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("load-module module-native-protocol-unix auth-anonymous=1 "
                                "socket=%1\n"
                                "load-module module-null-sink sink_name=karvo_line\n"
                                "set-default-sink karvo_line\n"
                                "set-default-source karvo_line.monitor\n")
                     .arg(socket)
                     .toUtf8());
    client.write("autospawn = no\n");
    script.close();
    client.close();

    qputenv("HOME", m_dir.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("PULSE_RUNTIME_PATH", runtime.toUtf8());
    qputenv("PULSE_STATE_PATH", m_dir.filePath(QStringLiteral("state")).toUtf8());
    qputenv("PULSE_CLIENTCONFIG", client.fileName().toUtf8());
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());

    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.start(server, {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                            QStringLiteral("-n"), QStringLiteral("--use-pid-file=no"),
                            QStringLiteral("--file=") + script.fileName()});
    if (!m_server.waitForStarted(5000))
        QSKIP(qPrintable("pulseaudio did not start: " + m_server.errorString()));
    if (!WaitFor([this] { return PactlAnswers() || m_server.state() != QProcess::Running; },
                 10000) ||
        m_server.state() != QProcess::Running)
        QSKIP(qPrintable("PulseAudio cannot run here: " +
                         QString::fromLocal8Bit(m_server.readAll())));

    m_sound = CreateSoundDevice();
}

void TestSound::cleanupTestCase() {
    m_sound.reset();
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
    m_server.waitForFinished(2000);
}

void TestSound::devicesListed() {
    const std::vector<SOUND_DEVICE> devices = m_sound->Devices();
    QVERIFY(!devices.empty());
    const auto output = std::find_if(devices.begin(), devices.end(),
                                     [](const SOUND_DEVICE& d) { return d.output; });
    const auto input =
        std::find_if(devices.begin(), devices.end(), [](const SOUND_DEVICE& d) { return d.input; });
    QVERIFY(output != devices.end() && input != devices.end());
    QVERIFY(!output->name.isEmpty());
    m_outputId = output->id;
    m_inputId = input->id;
}

// A second of 1000 Hz into the null sink comes back from its monitor at the same
// frequency and level, and playing ends by itself after the last sample.
void TestSound::toneThroughTheLine() {
    QString error;
    QVERIFY2(m_sound->Record(m_inputId, RATE, &error), qPrintable(error));
    QVERIFY(m_sound->Recording());
    QThread::msleep(200);
    QVERIFY2(m_sound->Play(m_outputId, Tone(1.0), RATE, &error), qPrintable(error));
    QVERIFY(m_sound->Playing());
    QVERIFY(WaitFor([this] { return !m_sound->Playing(); }, 5000));
    QThread::msleep(300);
    m_sound->Stop();
    QVERIFY(!m_sound->Recording());
    const std::vector<std::int16_t> recorded = m_sound->TakeRecorded();
    QVERIFY(m_sound->TakeRecorded().empty()); // taken once, and nothing came after Stop

    const std::vector<double> tone = LoudPart(recorded);
    QVERIFY2(tone.size() > RATE / 2, qPrintable(QString::number(tone.size())));
    const double frequency = Frequency(tone);
    const double level = Rms(tone) / (AMPLITUDE / std::sqrt(2.0));
    qInfo("recorded %.2f Hz at %.3f of the level played", frequency, level);
    QVERIFY(std::abs(frequency - TONE_HZ) < TONE_HZ / 100);
    QVERIFY(level > 0.89 && level < 1.12); // within 1 dB
}

void TestSound::unknownDevice_data() {
    QTest::addColumn<bool>("play");
    QTest::newRow("play") << true;
    QTest::newRow("record") << false;
}

void TestSound::unknownDevice() {
    QFETCH(bool, play);
    QString error;
    const bool started =
        play ? m_sound->Play(9999, Tone(0.1), RATE, &error) : m_sound->Record(9999, RATE, &error);
    QVERIFY(!started);
    QVERIFY2(error.contains(QLatin1String("9999")), qPrintable(error));
    QVERIFY(!m_sound->Playing() && !m_sound->Recording());
}

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"
