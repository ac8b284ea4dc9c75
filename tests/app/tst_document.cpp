// The document's file commands through the running application: New, Open, Save,
// Save As and Exit, with and without changes, and the save-if-modified question.
#include "AppTestSupport.h"
#include "CRecordingMessages.h"

#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CKarvoApp.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CRecentFileList.h"
#include "gui/app/CSetupComparer.h"
#include "gui/dialogs/SetupDialogFactory.h"
#include "gui/shell/ShellResources.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QtTest>

namespace {

// A setup file holding bytes 1 to 16 only: 0x11, 0x12, ... 0x20.
QByteArray PartialSetup() {
    QByteArray body;
    body.append(char(16 + 3)).append(char(0)).append(char(1));
    for (int i = 0; i < 16; ++i)
        body.append(char(0x11 + i));
    unsigned sum = 0;
    for (char c : body)
        sum += std::uint8_t(c);
    return "S1" + body.toHex().toUpper() +
           QByteArray::number(~sum & 0xFF, 16).rightJustified(2, '0').toUpper() + "\r\nS9030000FC";
}

// The application started in English on a folder with the shipped default setup.
struct Started {
    CTestFolder folder;
    CRecordingMessages messages;
    CScriptedFileDialogs files;
    CFakeDialogs dialogs;
    std::unique_ptr<CKarvoApp> app;

    Started() {
        folder.AddDefaultSetup();
        CProfile::WriteString("language", "language", "U.S English");
        app = std::make_unique<CKarvoApp>(dialogs.Source());
        if (!app->InitInstance({}))
            qFatal("start-up failed");
    }
    CMainFrame& Frame() { return *app->MainFrame(); }
    CKarvoDoc& Doc() { return *Frame().Document(); }
    CE2prom& Image() { return *Frame().Image(); }
    // A change as a setup dialog makes it.
    void Change() { Frame().ExecuteCommand(ID_SYSTEM_SETUP); }
};

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void unmodifiedAsksNothing();
    void exitWithChanges_data();
    void exitWithChanges();
    void openAskedTwiceWhenAnsweredNo();
    void openYesSavesAndAsksOnce();
    void openCancelledKeepsEverything();
    void openFailures_data();
    void openFailures();
    void openLeavesUncoveredAddresses();
    void openTextSetupIsUntitled();
    void compareWithFile_data();
    void compareWithFile();
    void fileDialogs_data();
    void fileDialogs();
    void saveWritesTheOpenFile();
    void saveOfReadOnlyFileAsksForName();
    void saveFailureIsReported();
    void questionSavesToFullPath();
    void newKeepsTheImage();
    void recentFileList();
};

void TestDocument::unmodifiedAsksNothing() {
    Started s;
    QCOMPARE(s.Frame().windowTitle(), QString("Untitled - Karvo"));
    s.Frame().ExecuteCommand(ID_FILE_NEW);
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QCOMPARE(s.files.openCalls, 1);
    QVERIFY(s.Frame().close());
    QVERIFY(s.messages.boxes.isEmpty());
}

void TestDocument::exitWithChanges_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveName"); // empty: the Save As dialog is cancelled
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("No") << int(MsgAnswer::No) << QString() << true << false;
    QTest::newRow("Yes, named") << int(MsgAnswer::Yes) << "out.def" << true << true;
    QTest::newRow("Yes, dialog cancelled") << int(MsgAnswer::Yes) << QString() << false << false;
}

void TestDocument::exitWithChanges() {
    QFETCH(int, answer);
    QFETCH(QString, saveName);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    Started s;
    s.Change();
    s.messages.answers = {MsgAnswer(answer)};
    if (!saveName.isEmpty())
        s.files.saveAnswers = {s.folder.Path(saveName)};

    s.Frame().show();
    s.Frame().ExecuteCommand(ID_APP_EXIT);
    QCOMPARE(s.messages.boxes.size(), 1);
    QCOMPARE(s.messages.boxes[0].text, QString("Save changes to Untitled?"));
    QCOMPARE(s.messages.boxes[0].buttons, MsgButtons::YesNo);
    QCOMPARE(s.Frame().isVisible(), !closes);
    QCOMPARE(s.files.saveProposals,
             answer == int(MsgAnswer::Yes) ? QStringList{"Untitled"} : QStringList{});
    QCOMPARE(QFile::exists(s.folder.Path("out.def")), saved);
    QCOMPARE(s.Image().IsModified(), !saved);
    if (saved) {
        const QList<QByteArray> lines = s.folder.Read("out.def").split('\n');
        QCOMPARE(lines.size(), 15);
        QVERIFY(lines[1].startsWith("S1130011000001000500")); // the default setup's bytes
        QCOMPARE(lines.last(), QByteArray("S9030000FC"));
    }
}

void TestDocument::openAskedTwiceWhenAnsweredNo() {
    Started s;
    s.folder.Write("other.def", PartialSetup());
    s.Change();
    s.messages.answers = {MsgAnswer::No, MsgAnswer::No};
    s.files.openAnswers = {s.folder.Path("other.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QCOMPARE(s.messages.boxes.size(), 2);
    QCOMPARE(s.Doc().Title(), QString("other.def"));
    QCOMPARE(s.Frame().windowTitle(), QString("other.def - Karvo"));
    QCOMPARE(s.Image().GetByte(1), std::uint8_t(0x11));
    QVERIFY(s.Image().IsModified()); // No keeps the flag, and a load never clears it
}

void TestDocument::openYesSavesAndAsksOnce() {
    Started s;
    s.folder.Write("first.def", PartialSetup());
    s.folder.Write("second.def", PartialSetup());
    s.files.openAnswers = {s.folder.Path("first.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    s.Change();
    s.messages.answers = {MsgAnswer::Yes};
    s.files.openAnswers = {s.folder.Path("second.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QCOMPARE(s.messages.boxes.size(), 1);
    QVERIFY(s.files.saveProposals.isEmpty()); // saved to the open file, no dialog
    QCOMPARE(s.Doc().Title(), QString("second.def"));
    QVERIFY(s.folder.Read("first.def").startsWith("S1130001"));
    QVERIFY(s.folder.Read("first.def").contains("S1130061"));
}

void TestDocument::openCancelledKeepsEverything() {
    Started s;
    s.Change();
    const QByteArray before = s.Image().Bytes();
    s.messages.answers = {MsgAnswer::No};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QCOMPARE(s.messages.boxes.size(), 1);
    QCOMPARE(s.Image().Bytes(), before);
    QCOMPARE(s.Doc().Title(), QString("Untitled"));
    QVERIFY(s.Image().IsModified());
}

void TestDocument::openFailures_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    QTest::addColumn<QString>("report");     // empty: no box; %1 the file
    QTest::addColumn<QString>("caption");
    QTest::newRow("missing file") << QByteArray() << QString() << QString();
    QTest::newRow("unsupported record")
        << QByteArray("S104000100FA\r\nS2030000FC\r\n")
        << "%1 holds an S2 record, which Karvo does not read. Nothing was loaded."
        << "Karvo";
    QTest::newRow("checksum error") << QByteArray("S10400010000\r\nS9030000FC")
                                    << "E2prom : Checksum in Motorola file incorrect."
                                    << "ERROR";
    QTest::newRow("no records") << QByteArray("just some text\n")
                                << "E2prom : File not in the right format or damage."
                                << "ERROR";
    QTest::newRow("refused text setup")
        << QByteArray("karvo-setup: 1\nSystem Setup:\n  Options: 200\n")
        << "%1:3: System Setup/Options: '200' is not a legal value (legal: DISABLED, 1 to 99)"
        << "Karvo";
    QTest::newRow("cut short") << QByteArray("S104000100FA\r\nS10400")
                               << "E2prom : File not in the right format or damage."
                               << "ERROR";
}

void TestDocument::openFailures() {
    QFETCH(QByteArray, content);
    QFETCH(QString, report);
    Started s;
    if (!content.isEmpty())
        s.folder.Write("bad.def", content);
    const QByteArray before = s.Image().Bytes();
    s.files.openAnswers = {s.folder.Path("bad.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QCOMPARE(s.messages.boxes.size(), report.isEmpty() ? 0 : 1);
    if (!report.isEmpty()) {
        QCOMPARE(s.messages.boxes[0].text,
                 report.arg(QDir::toNativeSeparators(s.folder.Path("bad.def"))));
        QTEST(s.messages.boxes[0].caption, "caption");
    }
    QCOMPARE(s.Doc().Title(), QString("Untitled"));
    QVERIFY(s.Doc().PathName().isEmpty());
    QCOMPARE(s.Image().Bytes(), before);
    QVERIFY(CRecentFileList::Files().isEmpty());
    QVERIFY(s.Frame().isVisible()); // the program goes on
}

void TestDocument::openLeavesUncoveredAddresses() {
    Started s;
    const QByteArray before = s.Image().Bytes();
    s.folder.Write("part.def", PartialSetup());
    s.files.openAnswers = {s.folder.Path("part.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    const QByteArray after = s.Image().Bytes();
    QCOMPARE(after.mid(17), before.mid(17));
    QCOMPARE(after[16], char(0x20));
    QCOMPARE(after[0], before[0]);
}

// The text applies to the shipped setup; Save asks for a name and leaves the text alone.
void TestDocument::openTextSetupIsUntitled() {
    Started s;
    const QByteArray text =
        "# site\nkarvo-setup: 1\nRadio Interface:\n  Radio type: GM300 SIMPLEX\n";
    s.folder.Write("site.yaml", text);
    QByteArray expected = s.Image().Bytes();
    expected[21] = char(0); // GM300 SIMPLEX
    // Compared with, it reads as it opens, and changes nothing.
    s.files.openAnswers = {s.folder.Path("site.yaml")};
    s.Frame().ExecuteCommand(ID_FILE_COMPARE_FILE);
    QVERIFY(s.Frame().Comparer().Window());
    const QList<QStringList> rows = s.Frame().Comparer().Window()->Rows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].mid(1), (QStringList{"Radio type", "GM350 RPT", "GM300 SIMPLEX"}));
    QVERIFY(!s.Image().IsModified());
    s.files.openAnswers = {s.folder.Path("site.yaml")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QVERIFY(s.messages.boxes.isEmpty());
    QCOMPARE(s.Image().Bytes().toHex(), expected.toHex());
    QCOMPARE(s.Doc().Title(), QString("Untitled"));
    QVERIFY(s.Image().IsModified());
    s.files.saveAnswers = {s.folder.Path("site.def")};
    s.Frame().ExecuteCommand(ID_FILE_SAVE);
    QCOMPARE(s.files.saveProposals.size(), 1);
    QCOMPARE(s.folder.Read("site.yaml"), text);
    QVERIFY(s.folder.Read("site.def").startsWith("S1"));
}

void TestDocument::compareWithFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("summary");
    QTest::newRow("equal") << "karvo.def"
                           << "The setups are equal.";
    QTest::newRow("differing") << "site.yaml"
                               << "Differences: 1";
}

// The file is asked for under the command's own title; the window is titled after the
// file, and Enter closes it wherever the focus is at first.
void TestDocument::compareWithFile() {
    QFETCH(QString, file);
    Started s;
    s.folder.Write("site.yaml", "karvo-setup: 1\nRadio Interface:\n  Radio type: GM300 SIMPLEX\n");
    s.files.openAnswers = {s.folder.Path(file)};
    s.Frame().ExecuteCommand(ID_FILE_COMPARE_FILE);
    QCOMPARE(s.files.openTitles, QStringList{"Compare with file"});
    QPointer<CComparisonWindow> window = s.Frame().Comparer().Window();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), "Comparison with " + file);
    QTEST(window->Summary(), "summary");
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!window);
}

void TestDocument::fileDialogs_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("title");
    QTest::newRow("Open") << int(ID_FILE_OPEN) << "Open";
    QTest::newRow("Compare with file") << int(ID_FILE_COMPARE_FILE) << "Compare with file";
}

// The program's own file dialog lists every file at first and offers setups by kind.
void TestDocument::fileDialogs() {
    QFETCH(int, command);
    Started s;
    SetFileDialogs(nullptr);
    QString title;
    QStringList filters;
    CModalWatcher watcher([&](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            dialog->reject();
        }
    });
    s.Frame().ExecuteCommand(command);
    QVERIFY(watcher.Fired());
    QTEST(title, "title");
    QCOMPARE(filters,
             (QStringList{"All Files (*)", "S-record files (*.s19 *.def *.srec *.mot *.s28 *.s37)",
                          "Text setups (*.yaml *.yml *.json)"}));
}

void TestDocument::saveWritesTheOpenFile() {
    Started s;
    s.folder.Write("part.def", PartialSetup());
    s.files.openAnswers = {s.folder.Path("part.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    s.Change();
    s.Frame().ExecuteCommand(ID_FILE_SAVE);
    QVERIFY(s.files.saveProposals.isEmpty());
    QVERIFY(!s.Image().IsModified());
    const QList<QByteArray> lines = s.folder.Read("part.def").split('\n');
    QCOMPARE(lines.size(), 15);
    QCOMPARE(lines[0], QByteArray("S11300011112131415161718191A1B1C1D1E1F2063\r"));
    QVERIFY(s.messages.boxes.isEmpty());
}

void TestDocument::saveOfReadOnlyFileAsksForName() {
    Started s;
    s.folder.Write("locked.def", PartialSetup());
    s.files.openAnswers = {s.folder.Path("locked.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QFile::setPermissions(s.folder.Path("locked.def"), QFile::ReadOwner | QFile::ReadUser);
    s.files.saveAnswers = {s.folder.Path("copy.def")};
    s.Frame().ExecuteCommand(ID_FILE_SAVE);
    QCOMPARE(s.files.saveProposals, QStringList{s.folder.Path("locked.def")});
    QCOMPARE(s.Doc().Title(), QString("copy.def"));
    QCOMPARE(s.folder.Read("locked.def"), PartialSetup());
    QVERIFY(QFile::exists(s.folder.Path("copy.def")));

    // A file that has gone since it was opened is saved through Save As too.
    QFile::remove(s.folder.Path("copy.def"));
    s.Frame().ExecuteCommand(ID_FILE_SAVE);
    QCOMPARE(s.files.saveProposals.size(), 2);
}

void TestDocument::saveFailureIsReported() {
    Started s;
    s.Change();
    s.files.saveAnswers = {s.folder.Path("no/such/folder/x.def")};
    s.Frame().ExecuteCommand(ID_FILE_SAVE_AS);
    QCOMPARE(s.messages.boxes.size(), 1);
    QCOMPARE(s.messages.boxes[0].text, QString("E2prom : File not found."));
    QCOMPARE(s.Doc().Title(), QString("Untitled"));
    QVERIFY(s.Image().IsModified()); // nothing was saved, so the change is still unsaved
}

void TestDocument::questionSavesToFullPath() {
    Started s;
    QDir(s.folder.Path(".")).mkdir("setups");
    s.folder.Write("setups/site.def", PartialSetup());
    s.files.openAnswers = {s.folder.Path("setups/site.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    s.Change();
    s.messages.answers = {MsgAnswer::Yes};
    QVERIFY(s.Frame().close());
    QCOMPARE(s.messages.boxes[0].text,
             "Save changes to " + QFileInfo(s.folder.Path("setups/site.def")).absoluteFilePath() +
                 "?");
    QVERIFY(!QFile::exists(s.folder.Path("site.def")));
    QVERIFY(s.folder.Read("setups/site.def").contains("S1130061"));
}

void TestDocument::newKeepsTheImage() {
    Started s;
    s.folder.Write("part.def", PartialSetup());
    s.files.openAnswers = {s.folder.Path("part.def")};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    const QByteArray loaded = s.Image().Bytes();
    s.Change();
    s.messages.answers = {MsgAnswer::No};
    s.Frame().ExecuteCommand(ID_FILE_NEW);
    QCOMPARE(s.messages.boxes.size(), 1);
    QCOMPARE(s.Doc().Title(), QString("Untitled"));
    QVERIFY(s.Doc().PathName().isEmpty());
    QCOMPARE(s.Frame().windowTitle(), QString("Untitled - Karvo"));
    QCOMPARE(s.Image().Bytes().left(17), loaded.left(17));
    QVERIFY(s.Image().IsModified());
}

void TestDocument::recentFileList() {
    Started s;
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        const QString name = QStringLiteral("f%1.def").arg(i);
        s.folder.Write(name, PartialSetup());
        paths << QFileInfo(s.folder.Path(name)).absoluteFilePath();
        s.files.openAnswers = {paths.last()};
        s.Frame().ExecuteCommand(ID_FILE_OPEN);
    }
    QCOMPARE(CRecentFileList::Files(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    s.files.openAnswers = {paths[2]};
    s.Frame().ExecuteCommand(ID_FILE_OPEN);
    QCOMPARE(CRecentFileList::Files(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));
    QCOMPARE(ProfileString("Recent File List", "File1"), paths[2]);
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
