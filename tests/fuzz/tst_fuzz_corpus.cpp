// Replays the fuzz corpus (tests/fuzz/corpus/<target>/*) through the same targets the
// fuzz build hands to libFuzzer, so an input that once broke Karvo stays covered in
// every build, without clang.
#include "FuzzTargets.h"

#include <QDir>
#include <QtTest>

namespace {

using Target = int (*)(const std::uint8_t*, std::size_t);

const std::pair<const char*, Target> TARGETS[] = {
    {"srecords", FuzzSRecordFile},
    {"unit", FuzzUnitAnswers},
    {"cli", FuzzCliArguments},
    {"wav", FuzzWavFile},
};

} // namespace

class TestFuzzCorpus : public QObject {
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

void TestFuzzCorpus::replay_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("path");
    for (int t = 0; t < int(std::size(TARGETS)); ++t) {
        const QDir dir(QStringLiteral(KARVO_FUZZ_CORPUS "/") + TARGETS[t].first);
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        QVERIFY2(!files.isEmpty(), qPrintable(dir.path()));
        for (const QString& name : files)
            QTest::addRow("%s/%s", TARGETS[t].first, qPrintable(name)) << t << dir.filePath(name);
    }
}

void TestFuzzCorpus::replay() {
    QFETCH(int, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray input = file.readAll();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(input.constData());
    QCOMPARE(TARGETS[target].second(bytes, std::size_t(input.size())), 0);
}

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzz_corpus.moc"
