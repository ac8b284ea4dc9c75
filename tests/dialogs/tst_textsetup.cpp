// Setups as text: every image comes back byte for byte, a partial text changes only what
// it names, and each kind of bad text is refused with its line and nothing changed.
#include "core/forms/CTextSetup.h"
#include "core/forms/YamlScalar.h"
#include "core/image/CE2prom.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QtTest>

namespace {

void LoadDefault(CE2prom& image) {
    if (image.LoadSRecords(KARVO_DEFAULT_SETUP) != 1)
        qFatal("no default setup");
}

// What a save keeps: addresses 1 to 210.
QByteArray Saved(const CE2prom& image) {
    return image.Bytes().mid(1);
}

} // namespace

class TestTextSetup : public QObject {
    Q_OBJECT
private slots:
    void yamlScalar_data();
    void yamlScalar();
    void roundTrip_data();
    void roundTrip();
    void partialTextOnBase();
    void refusals_data();
    void refusals();
};

void TestTextSetup::yamlScalar_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("number"); // a JSON number rather than a JSON string
    const QStringList words =
        QStringLiteral("SWEDEN|GM350 RPT|Tone 1|Single tone A (Hz)|yess|Nord|NOx|E1.5/x_y+z-w")
            .split(u'|');
    for (const QString& text : words)
        QTest::addRow("plain %s", qPrintable(text)) << text << text << false;
    for (const QString& text : QStringLiteral("0|6|-3|1200|100000000000000").split(u'|'))
        QTest::addRow("plain %s", qPrintable(text)) << text << text << true;
    // Booleans and null of YAML 1.1 or 1.2, numbers in another spelling, the empty text,
    // blanks at the ends and YAML's indicators: quoted.
    const QStringList quoted =
        QStringLiteral("y|Y|yes|Yes|YES|n|N|no|No|NO|true|True|TRUE|on|On|ON|off|Off|OFF|false|"
                       "FALSE|null|Null|NULL|~|+6|007|-0|0x1F|0o17|1.5|1.50|6.|1e3|1:30|1_0|"
                       "1234567890123456|.inf|.NaN|"
                       "-.inf|2026-12-08|| SWEDEN|SWEDEN |a: b|a #b|#x|- x|&a|*a|!t|[1]|{a}|>|'s'|"
                       "%x|@x|`x|a,b")
            .split(u'|');
    for (const QString& text : quoted)
        QTest::addRow("quoted '%s'", qPrintable(text)) << text << u'"' + text + u'"' << false;
    QTest::newRow("escapes") << "say \"hi\"\\"
                             << "\"say \\\"hi\\\"\\\\\"" << false;
}

// Written into a text setup, as YAML or as JSON, each text reads back as itself.
void TestTextSetup::yamlScalar() {
    QFETCH(QString, text);
    QFETCH(QString, written);
    QFETCH(bool, number);
    QCOMPARE(QString::fromStdString(YamlScalar(text)), written);
    const CTextSetup setup =
        CTextSetup::Parse("karvo-setup: 1\nSystem Setup:\n  Country: " + written.toUtf8() + "\n");
    QCOMPARE(setup.Settings().at(0).value, text);
    const QJsonValue json = JsonScalar(text);
    QCOMPARE(json.isDouble(), number);
    const QJsonObject section{{QStringLiteral("Country"), json}};
    const QJsonObject root{{QStringLiteral("karvo-setup"), 1},
                           {QStringLiteral("System Setup"), section}};
    const QByteArray jsonText = QJsonDocument(root).toJson();
    QCOMPARE(CTextSetup::Parse(jsonText).Settings().at(0).value, text);
}

void TestTextSetup::roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("json");
    for (const char fill : {'\x00', '\xFF', '\x80', '\x0B'})
        QTest::addRow("all 0x%02X", quint8(fill)) << QByteArray(CE2prom::IMAGE_SIZE, fill) << false;
    QRandomGenerator random(18);
    for (int n = 0; n < 150; ++n) {
        QByteArray bytes(CE2prom::IMAGE_SIZE, '\0');
        for (char& byte : bytes) // mostly small values, so that many bytes are legal
            byte = char(random.bounded(4) == 0 ? random.bounded(256) : random.bounded(12));
        QTest::addRow("random %d", n) << bytes << (n % 10 == 0);
    }
}

// Imported onto the shipped setup, the export of any image gives back all its bytes.
void TestTextSetup::roundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, json);
    CE2prom image;
    image.ReplaceBytes(bytes);
    const CTextSetup exported = CTextSetup::FromImage(image);
    const QByteArray text = json ? exported.Json() : exported.Yaml();
    QVERIFY(CTextSetup::IsTextSetup(text));
    CE2prom back;
    LoadDefault(back);
    CTextSetup::Parse(text).ApplyTo(back);
    QCOMPARE(Saved(back).toHex(), Saved(image).toHex());
}

// A text saved with a byte order mark is a text setup too; a prolonged tone may be the
// telegram's last tone, and is exported as a setting.
void TestTextSetup::partialTextOnBase() {
    CE2prom image;
    LoadDefault(image);
    QByteArray expected = image.Bytes();
    const QByteArray text = "\xEF\xBB\xBFkarvo-setup: 1  # a site\n"
                            "System Setup:\n  Options: 7\n"
                            "Disconnect:\n  Telegram length: 2\n  Tone 2: Tone 5\n"
                            "  Prolonged tone: 2\n"
                            "bytes:\n  0x01: 0x2A\n";
    QVERIFY(CTextSetup::IsTextSetup(text));
    CTextSetup::Parse(text).ApplyTo(image);
    expected[20] = char(7);
    expected[122 + 1] = char(2);           // the prolonged tone
    expected[122 + 3 + 1] = char(5);       // tone 2
    for (int tone = 3; tone <= 11; ++tone) // the tones after the length end
        expected[122 + 3 + tone - 1] = char(255);
    expected[1] = char(0x2A);
    QCOMPARE(image.Bytes().toHex(), expected.toHex());
    const CTextSetup exported = CTextSetup::FromImage(image);
    QVERIFY(exported.Yaml().contains("\nDisconnect:\n  Prolonged tone: 2\n"));
    // In JSON a shown number and a byte's value are numbers.
    const QJsonObject json = QJsonDocument::fromJson(exported.Json()).object();
    QCOMPARE(json["System Setup"].toObject()["Options"], QJsonValue(7));
    QCOMPARE(json["bytes"].toObject()["0x01"], QJsonValue(0x2A));
}

void TestTextSetup::refusals_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    const QByteArray head = "karvo-setup: 1\nSystem Setup:\n";
    QTest::newRow("unknown section")
        << QByteArray("karvo-setup: 1\nSystem Setp:\n  Options: 1\n") << 2
        << "System Setp: no such section (did you mean 'System Setup'?)";
    QTest::newRow("unknown empty section")
        << QByteArray("karvo-setup: 1\nSytem Setup:\n") << 2 << "did you mean 'System Setup'?";
    QTest::newRow("unknown label")
        << head + "  Frobs: 1\n"
        << 3
        << "System Setup/Frobs: no such setting (legal: Country, Options, "
           "Monitor power supply alarms)";
    QTest::newRow("near miss") << head + "  Option: 1\n" << 3 << "did you mean 'Options'?";
    // A name is suggested up to max(2, a third of its length) edits away, and no further.
    QTest::newRow("near miss at the limit") << head + "  Opton: 1\n"
                                            << 3 << "no such setting (did you mean 'Options'?)";
    QTest::newRow("beyond the limit") << head + "  Opto: 1\n" << 3 << "no such setting (legal: ";
    QTest::newRow("spinner range") << head + "  Country: SWEDEN\n  Options: 100\n"
                                   << 4
                                   << "System Setup/Options: '100' is not a legal value (legal: "
                                      "DISABLED, 1 to 99)";
    QTest::newRow("number not plain decimal")
        << head + "  Options: 0x6\n"
        << 3 << "'0x6' is not a legal value (legal: DISABLED, 1 to 99)";
    QTest::newRow("length with a plus")
        << QByteArray("karvo-setup: 1\nAlarm:\n  Telegram length: +3\n") << 3 << "(legal: 0 to 11)";
    QTest::newRow("combo text") << head + "  Country: MARS\n" << 3 << "legal: SWEDEN, FRANCE";
    QTest::newRow("check box") << head + "  Monitor power supply alarms: 1\n"
                               << 3 << "(legal: YES, NO)";
    QTest::newRow("radio pair") << QByteArray("karvo-setup: 1\nLine Interface:\n  Two wire: YES\n"
                                              "  Four wire: YES\n")
                                << 4 << "only one button of its group can be YES";
    QTest::newRow("prolonged beyond telegram")
        << QByteArray("karvo-setup: 1\nAlarm:\n  Prolonged tone: 4\n  Telegram length: 3\n") << 3
        << "(legal: NO, 1 to 3 (the telegram length))";
    QTest::newRow("prolonged beyond the image's telegram")
        << QByteArray("karvo-setup: 1\nDisconnect:\n  Prolonged tone: 9\n") << 3
        << "(legal: NO, 1 to 5 (the telegram length))";
    QTest::newRow("telegram length")
        << QByteArray("karvo-setup: 1\nAlarm:\n  Telegram length: 12\n") << 3 << "(legal: 0 to 11)";
    QTest::newRow("version") << QByteArray("karvo-setup: 2\n") << 1
                             << "format version '2' is not read";
    QTest::newRow("no version") << QByteArray("System Setup:\n  Options: 1\n") << 1
                                << "\"karvo-setup: 1\" is missing";
    QTest::newRow("second document") << head + "  Options: 1\n---\nbytes:\n"
                                     << 4 << "a second document";
    QTest::newRow("a list") << QByteArray("# a list\n- karvo-setup: 1\n") << 2
                            << "not a text setup";
    QTest::newRow("syntax") << head + "  Options: [1\n" << 4 << "YAML syntax error";
    QTest::newRow("nesting") << "karvo-setup: 1\nbytes: " + QByteArray(3000, '[') << 2
                             << "nested too deeply";
    QTest::newRow("duplicate") << head + "  Options: 1\n  Options: 2\n"
                               << 4 << "duplicate key 'Options' (first at line 3)";
    QTest::newRow("byte address") << QByteArray("karvo-setup: 1\nbytes:\n  211: 0\n") << 3
                                  << "address '211' is outside 1 to 210";
    QTest::newRow("byte value") << QByteArray("karvo-setup: 1\nbytes:\n  0x01: 0x100\n") << 3
                                << "outside 0 to 255";
}

// The first refusal names its line; the image is untouched even by settings before it.
void TestTextSetup::refusals() {
    QFETCH(QByteArray, text);
    CE2prom image;
    LoadDefault(image);
    const QByteArray before = image.Bytes();
    try {
        CTextSetup::Parse(text).ApplyTo(image);
        QFAIL("accepted");
    } catch (const TEXT_SETUP_ERROR& e) {
        QTEST(e.line, "line");
        QFETCH(QString, message);
        QVERIFY2(e.Text().contains(message), qPrintable(e.Text()));
    }
    QCOMPARE(image.Bytes(), before);
    QVERIFY(!image.IsModified());
}

QTEST_GUILESS_MAIN(TestTextSetup)
#include "tst_textsetup.moc"
