// The configuration image: bytes, big-endian words, the modified flag, link settings
// and the unit's identity.
#include "core/image/ByteNumber.h"
#include "core/image/CE2prom.h"

#include <QtTest>

class TestImage : public QObject {
    Q_OBJECT
private slots:
    void freshImage();
    void words_data();
    void words();
    void modifiedFlag();
    void outsideTheImage();
    void replaceBytesKeepsFlag();
    void linkSettings();
    void identity_data();
    void identity();
    void identityFieldsCut();
    void byteNumber_data();
    void byteNumber();
};

void TestImage::freshImage() {
    const CE2prom image;
    QCOMPARE(image.GetSize(), 211u);
    QVERIFY(!image.IsModified());
    for (int a = 0; a < 211; ++a)
        QCOMPARE(int(image.GetByte(a)), 0);
    QCOMPARE(image.Bytes(), QByteArray(211, '\0'));
    QCOMPARE(image.LinkSettings().replyExpected, 1);
    QCOMPARE(image.LinkSettings().lineTerminator, 0);
    QCOMPARE(image.LinkSettings().portIndex, 0);
}

void TestImage::words_data() {
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::newRow("2800") << 2800 << 10 << 240;
    QTest::newRow("1750") << 1750 << 6 << 214;
    QTest::newRow("-1") << -1 << 255 << 255;
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("-32768") << -32768 << 128 << 0;
}

void TestImage::words() {
    QFETCH(int, word);
    QFETCH(int, high);
    QFETCH(int, low);
    CE2prom image;
    image.SetWord(50, std::int16_t(word));
    QCOMPARE(int(image.GetByte(50)), high);
    QCOMPARE(int(image.GetByte(51)), low);
    QCOMPARE(int(image.GetWord(50)), word);
    QVERIFY(image.IsModified());
}

void TestImage::modifiedFlag() {
    CE2prom image;
    image.SetByte(21, 0); // the value already there still counts as a change
    QVERIFY(image.IsModified());
    CE2prom other;
    other.SetWord(56, 0);
    QVERIFY(other.IsModified());
    QCOMPARE(int(other.GetByte(56)), 0);
}

void TestImage::outsideTheImage() {
    CE2prom image;
    image.SetByte(211, 7);
    image.SetByte(-1, 7);
    image.SetWord(210, 0x1234); // low byte would fall beyond the image
    QCOMPARE(int(image.GetByte(210)), 0x12);
    QCOMPARE(int(image.GetByte(211)), 0);
    QCOMPARE(int(image.GetByte(-1)), 0);
    QCOMPARE(image.Bytes().size(), 211);
}

void TestImage::replaceBytesKeepsFlag() {
    CE2prom image;
    QByteArray data(211, '\x5A');
    image.ReplaceBytes(data);
    QVERIFY(!image.IsModified());
    QCOMPARE(image.Bytes(), data);
    image.ReplaceBytes(QByteArray(300, '\x01')); // extra bytes are ignored
    QCOMPARE(int(image.GetByte(210)), 1);
}

void TestImage::linkSettings() {
    CE2prom image;
    image.SetLinkSettings(13, 2, 9600, 'N', 8, 1, 9);
    const CLinkSettings& s = image.LinkSettings();
    QCOMPARE(s.lineTerminator, 13);
    QCOMPARE(s.portIndex, 2);
    QCOMPARE(s.baudRate, 9600);
    QCOMPARE(s.parity, 'N');
    QCOMPARE(s.dataBits, 8);
    QCOMPARE(s.stopBits, 1);
    QCOMPARE(s.attemptLimit, 9);
    QCOMPARE(s.replyExpected, 1);
}

void TestImage::identity_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("expected");
    QTest::newRow("match") << QByteArray("RM4811") << 2 << 1;
    QTest::newRow("other major") << QByteArray("RM4811") << 3 << 0;
    QTest::newRow("lower case") << QByteArray("rm4811") << 2 << 0;
    QTest::newRow("longer") << QByteArray("RM48112") << 2 << 0;
    QTest::newRow("shorter") << QByteArray("RM481") << 2 << 0;
}

void TestImage::identity() {
    QFETCH(QByteArray, name);
    QFETCH(int, major);
    QFETCH(int, expected);
    CE2prom image;
    image.SetDeviceIdentity(name, "12-03-99", major, 6);
    QCOMPARE(image.CheckDeviceIdentity("RM4811", 2), expected);
    QCOMPARE(image.DeviceMinorVersion(), 6);
    QCOMPARE(image.DeviceSoftwareDate(), QByteArray("12-03-99"));
}

void TestImage::identityFieldsCut() {
    CE2prom image;
    image.SetDeviceIdentity(QByteArray(40, 'N'), QByteArray(80, 'D'), 2, 1);
    QCOMPARE(image.DeviceSoftwareName().size(), 19);
    QCOMPARE(image.DeviceSoftwareDate().size(), 51);
}

// Addresses and values as poke and a text setup's bytes take them; -1: refused.
void TestImage::byteNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "210" << 210;
    QTest::newRow("hexadecimal") << "0x1f" << 31;
    QTest::newRow("capital prefix") << "0XFF" << 255;
    QTest::newRow("no digits") << "0x" << -1;
    QTest::newRow("word") << "ten" << -1;
}

void TestImage::byteNumber() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(ParseByteNumber(text).value_or(-1), value);
}

QTEST_APPLESS_MAIN(TestImage)
#include "tst_image.moc"
