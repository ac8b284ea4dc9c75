// Backups: written as loadable setups, kept to the newest 50, never in the way.
#include "core/image/CBackups.h"
#include "core/image/CE2prom.h"

#include <QTemporaryDir>
#include <QtTest>

class TestBackups : public QObject {
    Q_OBJECT
private slots:
    void init() { qputenv("KARVO_BACKUP_DIR", m_dir.path().toLocal8Bit() + "/b"); }
    void savedSetupLoadsBack();
    void keepsTheNewestFifty();
    void unwritableFolder();

private:
    QTemporaryDir m_dir;
};

void TestBackups::savedSetupLoadsBack() {
    CE2prom image;
    image.SetByte(21, 5);
    image.SetByte(210, 0x77);
    const QString path = CBackups::Save(image.Bytes(), "written");
    QVERIFY(path.endsWith("-written.s19"));
    QVERIFY(path.startsWith(CBackups::Folder()));
    CE2prom copy;
    QCOMPARE(copy.LoadSRecords(path), 1);
    QCOMPARE(copy.Bytes(), image.Bytes());
}

void TestBackups::keepsTheNewestFifty() {
    QDir dir(CBackups::Folder());
    dir.removeRecursively();
    // Setups of the technician's own in the same folder are never pruned, even when their
    // names sort before every backup.
    dir.mkpath(".");
    const QStringList own = {"00-site.s19", "20261207-214501-123-000-mine.S19.s19"};
    for (const QString& name : own) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QStringList paths;
    for (int i = 0; i < 53; ++i) {
        QByteArray bytes(211, '\0');
        bytes[1] = char(i);
        paths << CBackups::Save(bytes, "replaced");
    }
    const QStringList kept = QDir(CBackups::Folder()).entryList({"*.s19"}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 50 + own.size());
    for (const QString& name : own)
        QVERIFY(kept.contains(name));
    // Backups of the same millisecond get distinct names in age order; the three oldest went.
    for (int i = 0; i < 3; ++i)
        QVERIFY(!QFile::exists(paths[i]));
    for (int i = 3; i < 53; ++i)
        QVERIFY(QFile::exists(paths[i]));
}

void TestBackups::unwritableFolder() {
    QFile blocker(m_dir.filePath("file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("KARVO_BACKUP_DIR", m_dir.filePath("file/b").toLocal8Bit());
    QCOMPARE(CBackups::Save(QByteArray(211, '\0'), "written"), QString());
}

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
