// karvo-cli as a script sees it: output, exit status, and nothing written on failure.
#include "core/image/CE2prom.h"
#include "core/image/SRecords.h"
#include "tools/CliArguments.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status;
    QByteArray out;
    QByteArray err;
};

// In the folder cwd when given (where karvo-cli finds the shipped karvo.def).
Run Cli(const QStringList& args, const QString& cwd = QString()) {
    QProcess p;
    p.setWorkingDirectory(cwd);
    p.start(KARVO_CLI, args);
    p.waitForFinished(20000);
    // A Windows program's standard output and error end their lines with CR LF.
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput().replace("\r\n", "\n"),
            p.readAllStandardError().replace("\r\n", "\n")};
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One request line of a manual page as plain text: .B and .I keep the blanks between their
// words, the alternating fonts (.BR, .IR, ...) join them; font changes are dropped.
QString RoffText(const QString& line) {
    static const QRegularExpression word(R"re("([^"]*)"|(\S+))re");
    static const QRegularExpression font(R"re(\\f[BIRP])re");
    const QString request = line.section(u' ', 0, 0);
    QStringList words;
    for (auto it = word.globalMatch(line.section(u' ', 1)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words << (m.captured(0).startsWith(u'"') ? m.captured(1) : m.captured(2));
    }
    QString text = words.join(request.size() == 2 ? QStringLiteral(" ") : QString());
    return text.remove(font).replace(QLatin1String("\\-"), QLatin1String("-"));
}

// The command lines of the manual page's synopsis (without --help and --version), or of
// the README's table of karvo-cli commands, as plain text.
QStringList DocumentedSynopses(const QString& path) {
    const QString text = QString::fromUtf8(ReadAll(path));
    QStringList lines;
    if (path.endsWith(QLatin1String(".md"))) {
        for (const QString& row : text.split(u'\n'))
            if (row.startsWith(QLatin1String("| `karvo-cli ")))
                lines << row.section(u'`', 1, 1).replace(QLatin1String("\\|"), QLatin1String("|"));
        return lines;
    }
    const QString synopsis =
        text.section(QLatin1String(".SH SYNOPSIS\n"), 1).section(QLatin1String("\n.SH "), 0, 0);
    for (const QString& entry : synopsis.split(QLatin1String(".br\n"))) {
        QStringList parts;
        for (const QString& line : entry.split(u'\n', Qt::SkipEmptyParts))
            parts << RoffText(line);
        if (!parts.join(u' ').contains(QLatin1String("--help")))
            lines << parts.join(u' ');
    }
    return lines;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void dump();
    void copyCanonical();
    void poke();
    void diff_data();
    void diff();
    void textSetup();
    void refusals_data();
    void refusals();
    void documentedUsage_data();
    void documentedUsage();
    void tonesHeardBack();

private:
    QString Path(const QString& name) { return m_dir.filePath(name); }
    QString WriteFile(const QString& name, const QByteArray& text) {
        QFile f(Path(name));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write");
        f.write(text);
        return Path(name);
    }
    QTemporaryDir m_dir;
};

void TestCli::dump() {
    const Run r = Cli({"dump", KARVO_DEFAULT_SETUP});
    QCOMPARE(r.status, 0);
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines[0], QByteArray("0000: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    CE2prom image;
    QCOMPARE(image.LoadSRecords(KARVO_DEFAULT_SETUP), 1);
    QByteArray expected = "0010:";
    for (int a = 16; a < 32; ++a)
        expected += ' ' + QByteArray::number(image.GetByte(a), 16).rightJustified(2, '0').toUpper();
    QCOMPARE(lines[1], expected);
    QCOMPARE(lines[13],
             QByteArray("00D0: ") +
                 QByteArray::number(image.GetByte(208), 16).rightJustified(2, '0').toUpper() + ' ' +
                 QByteArray::number(image.GetByte(209), 16).rightJustified(2, '0').toUpper() + ' ' +
                 QByteArray::number(image.GetByte(210), 16).rightJustified(2, '0').toUpper());
}

void TestCli::copyCanonical() {
    // Leading text, lower-case digits, LF line ends and records out of order.
    const QString in =
        WriteFile("messy.s19", "exported by hand\ns1040002cd2c\nS1040001AB4F\nS9030000FC\n");
    const Run r = Cli({"copy", in, Path("clean.s19")});
    QCOMPARE(r.status, 0);
    // "s1..." is skipped as leading text, so only address 1 is loaded.
    CE2prom image;
    image.SetByte(1, 0xAB);
    QCOMPARE(ReadAll(Path("clean.s19")), SRecordLines(image.Bytes()));
}

void TestCli::poke() {
    const Run r =
        Cli({"poke", KARVO_DEFAULT_SETUP, Path("poked.s19"), "21=2", "0x1E=0x0F", "210=255"});
    QCOMPARE(r.status, 0);
    CE2prom image;
    QCOMPARE(image.LoadSRecords(Path("poked.s19")), 1);
    CE2prom original;
    original.LoadSRecords(KARVO_DEFAULT_SETUP);
    QByteArray expected = original.Bytes();
    expected[21] = char(2);
    expected[30] = char(15);
    expected[210] = char(255);
    QCOMPARE(image.Bytes().toHex(), expected.toHex());
}

void TestCli::diff_data() {
    QTest::addColumn<QStringList>("pokes");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::newRow("equal") << QStringList{"30=0x0F"} << 0 << "";
    QTest::newRow("a setting") << QStringList{"21=0"} << 5
                               << "Radio Interface | Radio type | GM350 RPT | GM300 SIMPLEX\n";
    QTest::newRow("a byte no setting shows")
        << QStringList{"1=5"} << 5 << "address 1 | 0x00 | 0x05\n";
    // Each byte is tried alone on A: B's differing setting does not hide the unshown byte.
    QTest::newRow("a setting and a byte no setting shows")
        << QStringList{"21=0", "1=5"} << 5
        << "Radio Interface | Radio type | GM350 RPT | GM300 SIMPLEX\naddress 1 | 0x00 | 0x05\n";
}

// B is A with the changes made; A has byte 30 at 0x0F already, so "equal" changes nothing.
void TestCli::diff() {
    QFETCH(QStringList, pokes);
    QFETCH(int, status);
    QFETCH(QString, out);
    QCOMPARE(Cli(QStringList{"poke", KARVO_DEFAULT_SETUP, Path("a.s19"), "30=0x0F"}).status, 0);
    QCOMPARE(Cli(QStringList{"poke", Path("a.s19"), Path("b.s19")} + pokes).status, 0);
    const Run r = Cli({"diff", Path("a.s19"), Path("b.s19")});
    QCOMPARE(r.status, status);
    QCOMPARE(QString::fromUtf8(r.out), out);
}

// export, import, set and get, and a text setup read where S-records are.
void TestCli::textSetup() {
    QCOMPARE(Cli({"export", KARVO_DEFAULT_SETUP, "--output", Path("def.yaml")}).status, 0);
    // Run by its path from a folder without karvo.def, it takes the one beside the program.
    const QTemporaryDir elsewhere;
    QCOMPARE(Cli({"import", Path("def.yaml"), Path("back.s19")}, elsewhere.path()).status, 0);
    QVERIFY(QFile::copy(KARVO_DEFAULT_SETUP, Path("karvo.def")));
    QCOMPARE(Cli({"copy", KARVO_DEFAULT_SETUP, Path("def.s19")}).status, 0);
    QCOMPARE(ReadAll(Path("back.s19")), ReadAll(Path("def.s19")));
    const QStringList names = {"Radio Interface/Radio type=GM300 SIMPLEX",
                               "Decoder 2/Send acknowledge=NO"};
    QCOMPARE(Cli(QStringList{"set", KARVO_DEFAULT_SETUP, Path("site.s19")} + names).status, 0);
    const Run d = Cli({"diff", Path("def.yaml"), Path("site.s19")}, m_dir.path());
    QCOMPARE(d.status, 5);
    QCOMPARE(d.out, QByteArray("Radio Interface | Radio type | GM350 RPT | GM300 SIMPLEX\n"
                               "Decoder 2 | Send acknowledge | YES | NO\n"));
    const Run g = Cli({"get", Path("site.s19"), "Decoder 2/Send acknowledge"});
    QCOMPARE(g.out, QByteArray("NO\n"));
}

void TestCli::refusals_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << 1 << "usage";
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 1 << "usage";
    QTest::newRow("dump without file") << QStringList{"dump"} << 1 << "usage";
    QTest::newRow("missing input")
        << QStringList{"copy", "@/absent.s19", "@/out.s19"} << 2 << "cannot open";
    QTest::newRow("damaged input") << QStringList{"copy", "@/bad.s19", "@/out.s19"} << 3
                                   << "E2prom : Checksum in Motorola file incorrect.";
    QTest::newRow("not a setup") << QStringList{"dump", "@/text.txt"} << 3
                                 << "E2prom : File not in the right format or damage.";
    QTest::newRow("S2 records")
        << QStringList{"copy", "@/s2.s19", "@/out.s19"} << 3
        << "s2.s19: record type S2 is not read (only S0, S1, S8 and S9 are)";
    QTest::newRow("unwritable output")
        << QStringList{"copy", KARVO_DEFAULT_SETUP, "@/no/such/dir/out.s19"} << 4
        << "E2prom : File not found.";
    QTest::newRow("poke address 0")
        << QStringList{"poke", KARVO_DEFAULT_SETUP, "@/out.s19", "0=1"} << 1 << "address 0";
    QTest::newRow("poke address 211")
        << QStringList{"poke", KARVO_DEFAULT_SETUP, "@/out.s19", "21=1", "211=1"} << 1 << "outside";
    QTest::newRow("poke value 256")
        << QStringList{"poke", KARVO_DEFAULT_SETUP, "@/out.s19", "21=256"} << 1
        << "outside 0 to 255";
    QTest::newRow("poke garbage") << QStringList{"poke", KARVO_DEFAULT_SETUP, "@/out.s19", "21:3"}
                                  << 1 << "not ADDR=VALUE";
    QTest::newRow("diff with one setup")
        << QStringList{"diff", KARVO_DEFAULT_SETUP} << 1 << "usage";
    QTest::newRow("report to an unwritable PDF")
        << QStringList{"report", KARVO_DEFAULT_SETUP, "--pdf", "@/no/such/dir/out.s19"} << 4
        << "cannot write";
    QTest::newRow("refused text setup")
        << QStringList{"import", "@/site.yaml", "@/out.s19", "--base", KARVO_DEFAULT_SETUP} << 3
        << "site.yaml:3: Radio Interface/Radio typ: no such setting (did you mean 'Radio type'?)";
    QTest::newRow("comments alone")
        << QStringList{"show", "@/notes.yaml"} << 3 << "notes.yaml:1: not a text setup";
    QTest::newRow("set refused") << QStringList{"set", KARVO_DEFAULT_SETUP, "@/out.s19",
                                                "System Setup/Options=100"}
                                 << 3 << "System Setup/Options: '100' is not a legal value";
    QTest::newRow("poke no changes")
        << QStringList{"poke", KARVO_DEFAULT_SETUP, "@/out.s19"} << 1 << "usage";
    QTest::newRow("ports with a file")
        << QStringList{"ports", "x"} << 1 << "usage: karvo-cli ports";
    QTest::newRow("trace of a file command")
        << QStringList{"copy", KARVO_DEFAULT_SETUP, "@/out.s19", "--trace", "@/t"} << 1 << "usage";
    QTest::newRow("apply of a refused text setup")
        << QStringList{"apply", "@/site.yaml", "--port", "@/none"} << 3 << "Radio typ";
    QTest::newRow("tones: both a command and a telegram")
        << QStringList{"tones", KARVO_DEFAULT_SETUP, "--trc", "3", "--telegram", "Alarm"} << 1
        << "usage: karvo-cli tones";
    QTest::newRow("tones: neither") << QStringList{"tones", KARVO_DEFAULT_SETUP} << 1 << "usage";
    QTest::newRow("tones: F16") << QStringList{"tones", KARVO_DEFAULT_SETUP, "--trc", "16"} << 1
                                << "--trc takes 1 to 15";
    QTest::newRow("tones: any tone F")
        << QStringList{"tones", KARVO_DEFAULT_SETUP, "--telegram", "Decoder 1", "--any", "F"} << 1
        << "--any takes";
    QTest::newRow("tones: unknown telegram")
        << QStringList{"tones", KARVO_DEFAULT_SETUP, "--telegram", "Decoder 5"} << 1
        << "no telegram is called 'Decoder 5'";
    QTest::newRow("listen: not a WAV file")
        << QStringList{"listen", KARVO_DEFAULT_SETUP, "@/text.txt"} << 3 << "text.txt: ";
    QTest::newRow("trace into a missing folder")
        << QStringList{"info", "--port", "@/none", "--trace", "@/no/t"} << 12
        << "cannot write the trace";
}

void TestCli::refusals() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, message);
    WriteFile("bad.s19", "S1040001AB50\nS9030000FC");
    WriteFile("text.txt", "hello world\n");
    WriteFile("s2.s19", "S2050000010100\nS9030000FC");
    WriteFile("notes.yaml", "# karvo-setup: 1\n");
    WriteFile("site.yaml", "karvo-setup: 1\nRadio Interface:\n  Radio typ: GM300 SIMPLEX\n");
    QFile::copy(KARVO_DEFAULT_SETUP, Path("karvo.def")); // the base of a text setup
    for (QString& a : args)
        a.replace("@", m_dir.path());
    const Run r = Cli(args, m_dir.path());
    QCOMPARE(r.status, status);
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(message), r.err.constData());
    QVERIFY(!QFile::exists(Path("out.s19")));
}

// The manual page and the README list the commands as the usage table gives them.
void TestCli::documentedUsage_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("manual page") << KARVO_CLI_MANUAL;
    QTest::newRow("README") << KARVO_README;
}

void TestCli::documentedUsage() {
    QFETCH(QString, path);
    QCOMPARE(DocumentedSynopses(path), CliSynopses());
}

// A telegram written as sound by tones is recognised by listen; a TRC command's plan is
// printed one segment a line.
void TestCli::tonesHeardBack() {
    const Run plan = Cli({"tones", KARVO_DEFAULT_SETUP, "--trc", "3", "--hold", "0"});
    QCOMPARE(plan.status, 0);
    const QList<QByteArray> segments = plan.out.trimmed().split('\n');
    QCOMPARE(segments.size(), 2);
    QCOMPARE(segments[1], QByteArray("120 40 1850 -10 F3"));
    QCOMPARE(Cli({"tones", KARVO_DEFAULT_SETUP, "--telegram", "decoder 1", "--rate", "8000",
                  "--wav", Path("d1.wav")})
                 .status,
             0);
    const Run heard = Cli({"listen", KARVO_DEFAULT_SETUP, Path("d1.wav"), "--json"});
    QCOMPARE(heard.status, 0);
    const QJsonObject json = QJsonDocument::fromJson(heard.out).object();
    QVERIFY2(!json["tones"].toArray().isEmpty(), heard.out.constData());
    QCOMPARE(json["meanings"].toArray().first().toObject()["text"].toString(),
             QString("Decoder 1"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
