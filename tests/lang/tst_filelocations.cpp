// Where shipped files are found (working folder, then program folder, then data folder)
// and where written files go (working folder when files can be created there, else the
// user's folder).
#include "core/lang/CFileLocations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFileLocations : public QObject {
    Q_OBJECT
private slots:
    void shippedFile_data();
    void shippedFile();
    void writtenFile_data();
    void writtenFile();

private:
    void Touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
};

void TestFileLocations::shippedFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("holders"); // the folders that hold the file
    QTest::addColumn<QString>("expectedFolder");
    QTest::newRow("working folder only") << "karvo.def" << QStringList{"work"} << "work";
    QTest::newRow("all three: working folder first")
        << "fra/Karvo.hlp" << QStringList{"work", "bin", "share/karvo"} << "work";
    QTest::newRow("program folder only") << "karvo.def" << QStringList{"bin"} << "bin";
    QTest::newRow("program and data folder: program folder first")
        << "fra/Karvo.hlp" << QStringList{"bin", "share/karvo"} << "bin";
    QTest::newRow("data folder only")
        << "fra/Karvo.hlp" << QStringList{"share/karvo"} << "share/karvo";
    QTest::newRow("none: the working folder's path") << "karvo.def" << QStringList{} << "work";
}

void TestFileLocations::shippedFile() {
    QFETCH(QString, name);
    QFETCH(QStringList, holders);
    QFETCH(QString, expectedFolder);
    QTemporaryDir root;
    const QDir dir(root.path());
    for (const QString& folder : holders)
        Touch(dir.filePath(folder + '/' + name));
    const CFileLocations files(dir.filePath("work"), dir.filePath("bin"),
                               dir.filePath("share/karvo"), dir.filePath("user"));
    QCOMPARE(files.ShippedFile(name), dir.filePath(expectedFolder + '/' + name));
}

void TestFileLocations::writtenFile_data() {
    QTest::addColumn<QString>("working");
    QTest::addColumn<QString>("expectedFolder");
    QTest::newRow("writable working folder") << "work"
                                             << "work";
    // A working folder where nothing can be created (here: one that is gone; for root,
    // permission bits would not stop the write) sends the file to the user's folder.
    QTest::newRow("working folder not writable") << "gone"
                                                 << "user/karvo";
}

void TestFileLocations::writtenFile() {
    QFETCH(QString, working);
    QFETCH(QString, expectedFolder);
    QTemporaryDir root;
    const QDir dir(root.path());
    dir.mkpath("work");
    const CFileLocations files(dir.filePath(working), dir.filePath("bin"),
                               dir.filePath("share/karvo"), dir.filePath("user/karvo"));
    const QString path = files.WrittenFile("test.dat");
    QCOMPARE(path, dir.filePath(expectedFolder + "/test.dat"));
    // The place it names can be written (the user's folder is created), and nothing else
    // was left behind in the working folder by the writability probe.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    if (working == "work")
        QCOMPARE(QDir(dir.filePath("work")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"test.dat"});
}

QTEST_GUILESS_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
