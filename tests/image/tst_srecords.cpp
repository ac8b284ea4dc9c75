// S-record files: the exact lines written, and every way a file can be read or refused.
// A load that does not end at an S8/S9 record leaves the image exactly as it was.
#include "core/image/CE2prom.h"
#include "core/image/SRecords.h"
#include "core/link/CError.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The result of a load, or 100 + the error code it raised.
int Load(CE2prom& image, const QString& path) {
    try {
        return image.LoadSRecords(path);
    } catch (const CE2Error& e) {
        return 100 + e.Code();
    }
}

// An image whose bytes all differ from what the test files hold.
void Fill(CE2prom& image) {
    QByteArray bytes(211, '\0');
    for (int i = 0; i < 211; ++i)
        bytes[i] = char(0xA0 + i % 7);
    image.ReplaceBytes(bytes);
}

} // namespace

class TestSRecords : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void savedZeroImage();
    void savedFirstBytes();
    void saveClearsFlagOnlyWhenWritten();
    void saveReplacesExistingFile();
    void saveInLockedFolder_data();
    void saveInLockedFolder();
    void lineTest_data();
    void lineTest();
    void load_data();
    void load();
    void loadLeavesFlag();
    void partialFileKeepsTheRest();
    void missingFile();
    void roundTrip();

private:
    QString Write(const QByteArray& text) {
        const QString path = m_dir.filePath(QString("f%1.s19").arg(m_count++));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write test file");
        f.write(text);
        return path;
    }
    QTemporaryDir m_dir;
    int m_count = 0;
};

void TestSRecords::savedZeroImage() {
    CE2prom image;
    const QString path = m_dir.filePath("zero.s19");
    QCOMPARE(image.SaveSRecords(path), 1);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    const QList<QByteArray> lines = text.split('\n');
    QCOMPARE(lines.size(), 15);
    QCOMPARE(lines[0], QByteArray("S113000100000000000000000000000000000000EB\r"));
    QCOMPARE(lines[1], QByteArray("S113001100000000000000000000000000000000DB\r"));
    QCOMPARE(lines[13], QByteArray("S10500D1000029\r"));
    QCOMPARE(lines[14], QByteArray("S9030000FC")); // no line end after the last record
    QVERIFY(text.endsWith("\r\nS9030000FC"));
    for (int i = 0; i < 13; ++i)
        QVERIFY(lines[i].startsWith(
            QByteArray("S113") +
            QByteArray::number(1 + 16 * i, 16).rightJustified(4, '0').toUpper()));
}

void TestSRecords::savedFirstBytes() {
    CE2prom image;
    image.SetByte(1, 0x12);
    image.SetByte(2, 0xAB);
    image.SetByte(0, 0x77); // address 0 is never written out
    QVERIFY(
        SRecordLines(image.Bytes()).startsWith("S113000112AB00000000000000000000000000002E\r\n"));
}

void TestSRecords::saveClearsFlagOnlyWhenWritten() {
    CE2prom image;
    image.SetByte(5, 5);
    try {
        image.SaveSRecords(m_dir.filePath("no/such/folder/x.s19"));
        QFAIL("saving into a missing folder succeeded");
    } catch (const CE2Error& e) {
        QCOMPARE(e.Code(), 1);
        QCOMPARE(e.ComposeText(), QString("E2prom : File not found."));
    }
    QVERIFY(image.IsModified());
    QCOMPARE(image.SaveSRecords(m_dir.filePath("x.s19")), 1);
    QVERIFY(!image.IsModified());
}

// A folder that takes no new file: a writable file in it is written in place; a file
// that cannot be written either stays as it was, the changes stay unsaved, and the report
// gives the reason.
void TestSRecords::saveInLockedFolder_data() {
    QTest::addColumn<bool>("fileWritable");
    QTest::newRow("writable file") << true;
    QTest::newRow("read-only file") << false;
}

void TestSRecords::saveInLockedFolder() {
    QFETCH(bool, fileWritable);
    QTemporaryDir locked;
    const QString path = locked.filePath("site.s19");
    const QByteArray old = "S1040001AB4F\r\nS9030000FC and a longer tail than a setup has";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(old);
    file.close();
    QStringList locks = {locked.path()};
    if (!fileWritable) {
        QFile::setPermissions(path, QFile::ReadOwner);
        locks << path;
    }
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
    // The super-user writes anyway; immutable files and folders stop it where allowed.
    for (const QString& lock : locks)
        QProcess::execute("chattr", {"+i", lock});
    const auto unlock = qScopeGuard([&] {
        for (const QString& lock : locks)
            QProcess::execute("chattr", {"-i", lock});
        QFile::setPermissions(locked.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (QFile probe(locked.filePath("probe")); probe.open(QIODevice::WriteOnly)) {
        probe.close();
        QFile::remove(probe.fileName());
        QSKIP("this user can write into a read-only folder");
    }
    CE2prom image;
    image.SetByte(1, 0x55);
    QString report;
    try {
        QCOMPARE(image.SaveSRecords(path), 1);
    } catch (const CE2Error& e) {
        report = e.ComposeText();
    }
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    if (fileWritable) {
        QCOMPARE(report, QString());
        QCOMPARE(kept.readAll(), SRecordLines(image.Bytes()));
        QVERIFY(!image.IsModified());
    } else {
        QVERIFY2(report.startsWith("E2prom : File cannot be written: ") && report.size() > 40,
                 qPrintable(report));
        QCOMPARE(kept.readAll(), old);
        QVERIFY(image.IsModified());
    }
    QCOMPARE(QDir(locked.path()).entryList(QDir::Files), QStringList{"site.s19"});
}

void TestSRecords::saveReplacesExistingFile() {
    const QString path = Write("old contents that are much longer than a setup file ....");
    const int filesBefore = QDir(m_dir.path()).entryList(QDir::Files).size();
    CE2prom image;
    image.SetByte(1, 1);
    image.SaveSRecords(path);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), SRecordLines(image.Bytes()));
    // No temporary file is left behind.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).size(), filesBefore);
}

void TestSRecords::lineTest_data() {
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<bool>("record");
    QTest::newRow("S1 record") << QByteArray("S10500D1000029") << true;
    QTest::newRow("lower case") << QByteArray("S1050a0b0c0d0e") << true;
    QTest::newRow("S alone") << QByteArray("S") << true;
    QTest::newRow("CR LF ignored") << QByteArray("S9030000FC\r\n") << true;
    QTest::newRow("hex letters") << QByteArray("SABCDEF") << true;
    QTest::newRow("word") << QByteArray("Setup") << false;
    QTest::newRow("lower s") << QByteArray("s1030000FC") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestSRecords::lineTest() {
    QFETCH(QByteArray, word);
    QFETCH(bool, record);
    QCOMPARE(IsSRecordLine(word), record);
}

// Each file is loaded over an image with known contents: the result, and which bytes it
// must hold afterwards (address, value); an empty list means "unchanged".
void TestSRecords::load_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<int>>("bytes");
    const QByteArray s9 = "S9030000FC";
    QTest::newRow("plain") << QByteArray(
                                  "S1050001AB12" +
                                  QByteArray::number(0xFF & ~(5 + 1 + 0xAB + 0x12), 16).toUpper() +
                                  "\r\n" + s9)
                           << 1 << QList<int>{1, 0xAB, 2, 0x12};
    QTest::newRow("words before the first record")
        << QByteArray("Karvo setup for site 12\nS1040001AB4F\n" + s9) << 1 << QList<int>{1, 0xAB};
    QTest::newRow("capital S word of hex letters")
        << QByteArray("SEED\nS1040001AB4F\n" + s9) << -1 << QList<int>{};
    QTest::newRow("S0 header skipped")
        << QByteArray("S00600004844521B\r\nS1040001AB4F\r\n" + s9) << 1 << QList<int>{1, 0xAB};
    QTest::newRow("records after S9 ignored")
        << QByteArray("S1040001AB4F\nS9030000FC\nS1040002CD2C\n") << 1
        << QList<int>{1, 0xAB, 2, 0xA2};
    QTest::newRow("S5 record count skipped")
        << QByteArray("S1040001AB4F\nS5030001FB\n" + s9) << 1 << QList<int>{1, 0xAB};
    QTest::newRow("S6 record count skipped")
        << QByteArray("S1040001AB4F\nS604000001FA\n" + s9) << 1 << QList<int>{1, 0xAB};
    QTest::newRow("S5 with a bad checksum")
        << QByteArray("S1040001AB4F\nS5030001FC\n" + s9) << 105 << QList<int>{};
    QTest::newRow("UTF-8 byte order mark")
        << QByteArray("\xEF\xBB\xBFS1040001AB4F\n" + s9) << 1 << QList<int>{1, 0xAB};
    QTest::newRow("S8 ends too") << QByteArray("S1040001AB4F\nS804000000FB\n") << 1
                                 << QList<int>{1, 0xAB};
    QTest::newRow("address masked to 0x1FFF")
        << QByteArray("S1042001AB2F\n" + s9) << 1 << QList<int>{1, 0xAB};
    // A lower-case "s" is not a record start: the word is skipped like any leading text.
    QTest::newRow("lower-case s skipped as text")
        << QByteArray("s1040001ab4f\n" + s9) << 1 << QList<int>{};
    QTest::newRow("lower-case data digits")
        << QByteArray("S1040001ab4f\n" + s9) << 1 << QList<int>{1, 0xAB};
    QTest::newRow("count 3, no data")
        << QByteArray("S1030001FB\n" + s9) << 1 << QList<int>{1, 0xA1};
    QTest::newRow("later record wins")
        << QByteArray("S1040001AB4F\nS104000111E9\n" + s9) << 1 << QList<int>{1, 0x11};
    QTest::newRow("bytes beyond 210 skipped")
        << QByteArray("S10600D0010203" +
                      QByteArray::number(0xFF & ~(6 + 0xD0 + 1 + 2 + 3), 16).toUpper() + "\n" + s9)
        << 1 << QList<int>{208, 1, 209, 2, 210, 3};
    {
        // A full record at 0x00D1 runs from 209 past the end: 209 and 210 are kept.
        QByteArray body = QByteArray::fromHex("1300D1") + QByteArray(16, '\0');
        body[3] = char(0x11);
        body[4] = char(0x22);
        body[5] = char(0x33);
        const QByteArray line =
            "S1" + body.toHex().toUpper() +
            QByteArray::number(SRecordChecksum(body), 16).rightJustified(2, '0').toUpper();
        QTest::newRow("record running past 210")
            << QByteArray(line + "\n" + s9) << 1 << QList<int>{209, 0x11, 210, 0x22};
    }
    QTest::newRow("address far beyond the image")
        << QByteArray("S1041000AB40\n" + s9) << 1 << QList<int>{1, 0xA1};
    QTest::newRow("checksum error") << QByteArray("S1040001AB50\n" + s9) << 105 << QList<int>{};
    QTest::newRow("checksum error after good records")
        << QByteArray("S1040001AB4F\nS1040002AB00\n" + s9) << 105 << QList<int>{};
    QTest::newRow("no S-record at all") << QByteArray("just some text\n") << 104 << QList<int>{};
    QTest::newRow("empty file") << QByteArray() << 104 << QList<int>{};
    QTest::newRow("ends before S9") << QByteArray("S1040001AB4F\n") << 104 << QList<int>{};
    QTest::newRow("ends inside a record") << QByteArray("S1040001A") << 104 << QList<int>{};
    QTest::newRow("ends after the type") << QByteArray("S1040001AB4F\nS1") << 104 << QList<int>{};
    QTest::newRow("record without S")
        << QByteArray("S1040001AB4F\nX1040001AB4F\n" + s9) << 104 << QList<int>{};
    QTest::newRow("count below 3") << QByteArray("S1020001FC\n" + s9) << 104 << QList<int>{};
    QTest::newRow("S2 record") << QByteArray("S1040001AB4F\nS2050000010100\n" + s9) << -1
                               << QList<int>{};
    QTest::newRow("S followed by a letter")
        << QByteArray("S1040001AB4F\nSA\n" + s9) << -1 << QList<int>{};
}

void TestSRecords::load() {
    QFETCH(QByteArray, file);
    QFETCH(int, result);
    QFETCH(QList<int>, bytes);
    CE2prom image;
    Fill(image);
    const QByteArray before = image.Bytes();
    QCOMPARE(Load(image, Write(file)), result);
    QByteArray expected = before;
    for (int i = 0; i + 1 < bytes.size(); i += 2)
        expected[bytes[i]] = char(bytes[i + 1]);
    QCOMPARE(image.Bytes().toHex(), expected.toHex());
    if (result != 1)
        QCOMPARE(image.Bytes(), before);
}

void TestSRecords::loadLeavesFlag() {
    CE2prom image;
    QCOMPARE(image.LoadSRecords(Write("S1040001AB4F\nS9030000FC")), 1);
    QVERIFY(!image.IsModified());
    image.SetByte(3, 3);
    QCOMPARE(image.LoadSRecords(Write("S1040001AB4F\nS9030000FC")), 1);
    QVERIFY(image.IsModified());
}

void TestSRecords::partialFileKeepsTheRest() {
    CE2prom source;
    for (int a = 1; a <= 16; ++a)
        source.SetByte(a, std::uint8_t(a));
    const QByteArray firstLine = SRecordLines(source.Bytes()).split('\n').first();
    CE2prom image;
    Fill(image);
    const QByteArray before = image.Bytes();
    QCOMPARE(image.LoadSRecords(Write(firstLine + "\nS9030000FC")), 1);
    for (int a = 1; a <= 16; ++a)
        QCOMPARE(int(image.GetByte(a)), a);
    QCOMPARE(image.Bytes().mid(17), before.mid(17));
    QCOMPARE(int(image.GetByte(0)), int(quint8(before[0])));
}

void TestSRecords::missingFile() {
    CE2prom image;
    Fill(image);
    const QByteArray before = image.Bytes();
    QCOMPARE(image.LoadSRecords(m_dir.filePath("absent.s19")), 0);
    QCOMPARE(image.Bytes(), before);
}

void TestSRecords::roundTrip() {
    CE2prom image;
    for (int a = 1; a < 211; ++a)
        image.SetByte(a, std::uint8_t(a * 37));
    const QString path = m_dir.filePath("round.s19");
    image.SaveSRecords(path);
    CE2prom copy;
    QCOMPARE(copy.LoadSRecords(path), 1);
    QCOMPARE(copy.Bytes().mid(1), image.Bytes().mid(1));
    QCOMPARE(int(copy.GetByte(0)), 0);
}

QTEST_APPLESS_MAIN(TestSRecords)
#include "tst_srecords.moc"
