// karvo-cli show: the listing of every setting with its dialog label and shown value,
// its language option, and its failures.
#include "core/forms/CSettingForm.h"
#include "core/image/CE2prom.h"
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "tools/CliCommon.h"
#include "tools/CliShow.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString Padded(const QString& label, const QString& value) {
    return label.leftJustified(30) + value;
}

// Runs CliShow with its stdout caught in a file.
struct Run {
    int status = -1;
    QString out;
};

Run Show(const QStringList& args, const QString& scratch) {
    Run run;
    std::fflush(stdout);
    const int saved = dup(1);
    const int file =
        open(QFile::encodeName(scratch).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 1);
    run.status = CliShow(args);
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    close(file);
    QFile result(scratch);
    if (result.open(QIODevice::ReadOnly))
        run.out = QString::fromUtf8(result.readAll().replace("\r\n", "\n")); // CR LF on Windows
    return run;
}

} // namespace

class TestCliShow : public QObject {
    Q_OBJECT
private slots:
    void init() { SetCurrentLanguage(0); }
    void cleanup() { SetCurrentLanguage(0); }
    void listing();
    void defaultSetup();
    void languages_data();
    void languages();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
};

// Seven sections in the report's order, each ended by an empty line; the line interface
// lists each line-connection radio and the PL-tone action as its radio button reads.
void TestCliShow::listing() {
    CE2prom image;
    QByteArray bytes(int(CE2prom::IMAGE_SIZE), '\0');
    bytes[18] = 4;
    bytes[19] = 1;
    bytes[20] = 55;
    bytes[33] = 30;
    bytes[36] = 1;
    bytes[37] = 5;
    bytes[38] = char(0xFF);
    bytes[41] = char(250);
    bytes[50] = 0x04;
    bytes[51] = char(0xB0);
    bytes[52] = char(0xFF);
    bytes[53] = char(0xFF);
    bytes[54] = 0x0B;
    bytes[55] = char(0xB8);
    const char block[] = {char(0x8D), 2, 20, 112, char(177), char(255)}; // Alarm, from 150
    bytes.replace(150, int(sizeof block), block, int(sizeof block));
    image.ReplaceBytes(bytes);
    const QStringList lines = ShowSettings(image, LANGUAGE_ENGLISH);
    QStringList titles;
    for (int i = 0; i < lines.size(); ++i)
        if (i == 0 || lines[i - 1].isEmpty())
            titles << lines[i];
    QCOMPARE(titles, (QStringList{"System Setup", "Radio Interface", "Repeater Operation",
                                  "Line Interface", "Line operation", "Single tones", "TRC Setup",
                                  "Disconnect", "Acknowledge", "Alarm", "Decoder 1", "Decoder 2",
                                  "Decoder 3", "Decoder 4"}));
    QCOMPARE(lines.count(QString()), 14);
    QCOMPARE(lines.mid(0, 5),
             (QStringList{"System Setup", Padded("Country", "SPAIN"), Padded("Options", "55"),
                          Padded("Monitor power supply alarms", "YES"), ""}));
    QVERIFY(lines.contains("Repeater Knock-Down timer (min) 30"));
    const int line = int(lines.indexOf("Line Interface"));
    QCOMPARE(lines.mid(line, 11),
             (QStringList{"Line Interface", Padded("Two wire", "NO"), Padded("Four wire", "NO"),
                          Padded("PL-tone detect action", "RX audio inhibit"),
                          Padded("TRC to line", "NO"), Padded("to line (dBm)", "0"),
                          Padded("from line (dBm)", "-6"), Padded("Centro Plus", "DISABLED"),
                          Padded("Gain (dB)", "AUTO"), Padded("Equalizer (dB)", "0"), ""}));
    const int tones = int(lines.indexOf("Single tones"));
    QCOMPARE(lines.mid(tones, 6), (QStringList{"Single tones", Padded("Single tone A (Hz)", "1200"),
                                               Padded("Single tone B (Hz)", "DEFAULT"),
                                               Padded("Single tone C (Hz)", "DEFAULT"),
                                               Padded("Single tone D (Hz)", "DEFAULT"), ""}));
    const int alarm = int(lines.indexOf("Alarm"));
    QCOMPARE(lines.mid(alarm + 1, 4),
             (QStringList{Padded("Prolonged tone", "2"), Padded("Telegram length", "2"),
                          Padded("Tone 1", "Alarm no. and status"), Padded("Tone 2", "ID 1")}));
    QCOMPARE(lines.mid(alarm + 14, 2), (QStringList{Padded("Preamble length (10ms)", "130"),
                                                    Padded("Prolonged tone (10ms)", "20")}));
    QVERIFY(!image.IsModified());
}

// The shipped default setup, through the whole command.
void TestCliShow::defaultSetup() {
    const Run run = Show({KARVO_DEFAULT_SETUP}, m_dir.filePath("out.txt"));
    QCOMPARE(run.status, int(CLI_OK));
    CE2prom image;
    QCOMPARE(image.LoadSRecords(KARVO_DEFAULT_SETUP), 1);
    QCOMPARE(run.out, ShowSettings(image, LANGUAGE_ENGLISH).join('\n') + '\n');
    QVERIFY(run.out.startsWith("System Setup\n"));
}

void TestCliShow::languages_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("language");
    QTest::newRow("en") << QStringList{"--language", "en"} << 0;
    QTest::newRow("fr") << QStringList{"--language", "fr"} << 1;
    QTest::newRow("de") << QStringList{"--language=de"} << 2;
    QTest::newRow("es") << QStringList{"--language", "es"} << 3;
    QTest::newRow("it") << QStringList{"--language", "it"} << 4;
    QTest::newRow("none") << QStringList{} << 0;
}

void TestCliShow::languages() {
    QFETCH(QStringList, options);
    QFETCH(int, language);
    const Run run = Show(QStringList{KARVO_DEFAULT_SETUP} + options, m_dir.filePath("out.txt"));
    QCOMPARE(run.status, int(CLI_OK));
    const CTranslator translator;
    const QStringList lines = run.out.split('\n');
    QCOMPARE(lines.at(0), translator.Translated(language, "System Setup"));
    QCOMPARE(lines.at(1), Padded(translator.Translated(language, "Country"),
                                 translator.Translated(language, "SWEDEN")));
    QVERIFY(lines.contains(translator.Translated(language, "Single tones")));
}

void TestCliShow::failures_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::newRow("no file") << QStringList{} << int(CLI_USAGE);
    QTest::newRow("two files") << QStringList{KARVO_DEFAULT_SETUP, "other"} << int(CLI_USAGE);
    QTest::newRow("unknown language")
        << QStringList{KARVO_DEFAULT_SETUP, "--language", "sv"} << int(CLI_USAGE);
    QTest::newRow("language missing")
        << QStringList{KARVO_DEFAULT_SETUP, "--language"} << int(CLI_USAGE);
    QTest::newRow("unknown option") << QStringList{KARVO_DEFAULT_SETUP, "--all"} << int(CLI_USAGE);
    QTest::newRow("missing file") << QStringList{"/nonexistent/karvo.s19"} << int(CLI_CANNOT_OPEN);
    QTest::newRow("not a setup") << QStringList{"@garbage"} << int(CLI_BAD_INPUT);
}

void TestCliShow::failures() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    const QString garbage = m_dir.filePath("garbage.s19");
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is not a setup\n");
    file.close();
    args.replaceInStrings("@garbage", garbage);
    const Run run = Show(args, m_dir.filePath("out.txt"));
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, QString()); // nothing listed when the command fails
}

QTEST_GUILESS_MAIN(TestCliShow)
#include "tst_clishow.moc"
