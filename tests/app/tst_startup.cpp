// Start-up and shut-down of the application: the stored language or the first-start
// question, the restart, the menus of the language, the command-line file, the language
// command, the application's own commands (About, help, accelerators).
#include "AppTestSupport.h"
#include "CRecordingMessages.h"

#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/app/CAboutDlg.h"
#include "gui/app/CHelpWindow.h"
#include "gui/app/CKarvoApp.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CLanguageDlg.h"
#include "gui/shell/ShellResources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWhatsThis>
#include <QtTest>

namespace {

QString FileMenuTitle(CMainFrame& frame) {
    return frame.menuBar()->actions().first()->text();
}

// Answers the language dialog: clicks the radio button (unless 0) and then the button.
std::unique_ptr<CModalWatcher> AnswerLanguageDialog(int radioId, int buttonId,
                                                    bool* frameExisted = nullptr,
                                                    CKarvoApp* app = nullptr,
                                                    int* preset = nullptr) {
    return std::make_unique<CModalWatcher>([=](QWidget* modal) {
        auto* dialog = qobject_cast<CLanguageDlg*>(modal);
        QVERIFY(dialog);
        if (frameExisted)
            *frameExisted = app->MainFrame() != nullptr;
        if (preset)
            *preset = dialog->SelectedIndex();
        if (radioId)
            QTest::mouseClick(dialog->Control(radioId), Qt::LeftButton);
        QTest::mouseClick(dialog->Control(buttonId), Qt::LeftButton);
    });
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStartChoiceRestarts();
    void firstStartCancelGoesOnInEnglish();
    void storedLanguage_data();
    void storedLanguage();
    void commandLineFile();
    void commandLineFileThatFailsEndsStartUp();
    void languageCommand();
    void languageCommandCancelled();
    void languageCommandSaveQuestion_data();
    void languageCommandSaveQuestion();
    void shutDownStoresPortAndLanguage();
    void englishAccelerators();
    void aboutBox();
    void helpWindow();
    void helpFromLanguageFolder();
    void missingHelpFile();
};

void TestStartup::firstStartChoiceRestarts() {
    CTestFolder folder;
    folder.AddHelpFolders();
    CRecordingMessages messages;
    CRecordingProcess process;
    CKarvoApp app;
    bool frameExisted = true;
    int preset = -2;
    const auto watcher = AnswerLanguageDialog(CLanguageDlg::IDC_GERMAN, CLanguageDlg::IDC_OK,
                                              &frameExisted, &app, &preset);
    QVERIFY(!app.InitInstance({}));
    QVERIFY(!frameExisted); // asked before the main window exists
    QCOMPARE(preset, 0);    // English preselected
    QCOMPARE(ProfileString("language", "language"), QString("German"));
    QCOMPARE(process.starts, 1);
    QCOMPARE(process.ends, QList<int>{0});
    QVERIFY(!app.MainFrame());
    QCOMPARE(folder.Read("Karvo.hlp"), folder.Read("ger/Karvo.hlp"));
    QCOMPARE(folder.Read("Karvo.cnt"), folder.Read("ger/Karvo.cnt"));
    QCOMPARE(folder.Read("Unwise.ini"), folder.Read("ger/Unwise.ger"));
    QVERIFY(messages.boxes.isEmpty());
}

void TestStartup::firstStartCancelGoesOnInEnglish() {
    CTestFolder folder;
    CRecordingMessages messages;
    CRecordingProcess process;
    CProfile::WriteString("language", "language", ""); // an empty value counts as none
    CKarvoApp app;
    const auto watcher = AnswerLanguageDialog(0, CLanguageDlg::IDC_CANCEL_BUTTON);
    QVERIFY(app.InitInstance({}));
    QVERIFY(app.MainFrame());
    QCOMPARE(app.ResourceId(), 128);
    QCOMPARE(GetCurrentLanguage(), 0);
    QCOMPARE(process.starts, 0);
    QVERIFY(!QFile::exists(folder.Path("Karvo.hlp")));
    app.ExitInstance();
    QCOMPARE(ProfileString("language", "language"), QString("U.S English"));
}

void TestStartup::storedLanguage_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("resource");
    QTest::addColumn<QString>("fileMenu");
    QTest::newRow("English") << "U.S English" << 0 << 128 << "&File";
    QTest::newRow("French") << "French" << 1 << 164 << "&Fichier";
    QTest::newRow("German") << "German" << 2 << 172 << "&Datei";
    QTest::newRow("Spanish") << "Spanish" << 3 << 173 << "&Archivo";
    QTest::newRow("Italian") << "Italian" << 4 << 174 << "&File";
    QTest::newRow("unknown name") << "Klingon" << 0 << 128 << "&File";
    QTest::newRow("differs in case") << "french" << 0 << 128 << "&File";
    QTest::newRow("trailing blank") << "German " << 0 << 128 << "&File";
}

void TestStartup::storedLanguage() {
    QFETCH(QString, stored);
    QFETCH(int, language);
    QFETCH(int, resource);
    QFETCH(QString, fileMenu);
    CTestFolder folder;
    CRecordingMessages messages;
    CRecordingProcess process;
    CProfile::WriteString("language", "language", stored);
    CKarvoApp app;
    const CModalWatcher watcher([](QWidget* modal) { modal->close(); });
    QVERIFY(app.InitInstance({}));
    QCoreApplication::processEvents();
    QVERIFY(!watcher.Fired());
    QCOMPARE(GetCurrentLanguage(), language);
    QCOMPARE(app.ResourceId(), resource);
    QCOMPARE(app.MainFrame()->ResourceId(), resource);
    QCOMPARE(FileMenuTitle(*app.MainFrame()), fileMenu);
    QVERIFY(app.MainFrame()->isVisible());
    QCOMPARE(process.starts, 0);
    app.ExitInstance();
    // The shut-down writes the name of the language in use.
    QCOMPARE(ProfileString("language", "language"), LanguageProfileName(language));
}

void TestStartup::commandLineFile() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    folder.Write("site.def", "S104000142B8\r\nS9030000FC");
    CRecordingMessages messages;
    CProfile::WriteString("language", "language", "U.S English");
    CKarvoApp app;
    QVERIFY(app.InitInstance({folder.Path("site.def")}));
    CMainFrame& frame = *app.MainFrame();
    QCOMPARE(frame.Document()->Title(), QString("site.def"));
    QCOMPARE(frame.windowTitle(), QString("site.def - Karvo"));
    QCOMPARE(frame.Image()->GetByte(1), std::uint8_t(0x42)); // from the named file
    QCOMPARE(frame.Image()->GetByte(21), std::uint8_t(5));   // from karvo.def, loaded first
    QVERIFY(messages.boxes.isEmpty());
}

void TestStartup::commandLineFileThatFailsEndsStartUp() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CProfile::WriteString("language", "language", "U.S English");
    CProfile::WriteInt("Communication", "Comport", 1);
    CKarvoApp app;
    QVERIFY(!app.InitInstance({folder.Path("missing.def")}));
    QVERIFY(!app.MainFrame());
    QCOMPARE(messages.boxes.size(), 1); // not a silent end
    QCOMPARE(messages.boxes[0].text,
             "Cannot open " + QDir::toNativeSeparators(folder.Path("missing.def")));
    QCOMPARE(ProfileString("Communication", "Comport"), QString("1"));
}

void TestStartup::languageCommand() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    folder.AddHelpFolders();
    CRecordingMessages messages;
    CRecordingProcess process;
    CProfile::WriteString("language", "language", "German");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    CMainFrame& frame = *app.MainFrame();
    frame.CommandAction(ID_COM_PORT_4)->trigger();
    frame.Image()->SetByte(50, 1);
    messages.answers = {MsgAnswer::No};
    int preset = -2;
    const auto watcher = AnswerLanguageDialog(CLanguageDlg::IDC_ITALIAN, CLanguageDlg::IDC_OK,
                                              nullptr, nullptr, &preset);
    frame.CommandAction(ID_LANGUAGE)->trigger();
    QCOMPARE(preset, 2); // the language in use is preselected
    QCOMPARE(ProfileString("language", "language"), QString("Italian"));
    QCOMPARE(folder.Read("Unwise.ini"), folder.Read("ita/Unwise.ita"));
    QCOMPARE(messages.boxes.size(), 1); // the document was offered for saving
    QCOMPARE(ProfileString("Communication", "Comport"), QString("3"));
    QCOMPARE(process.starts, 1);
    QCOMPARE(process.ends, QList<int>{0});
}

void TestStartup::languageCommandCancelled() {
    CTestFolder folder;
    folder.AddHelpFolders();
    CRecordingMessages messages;
    CRecordingProcess process;
    CProfile::WriteString("language", "language", "Spanish");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    const auto watcher =
        AnswerLanguageDialog(CLanguageDlg::IDC_FRENCH, CLanguageDlg::IDC_CANCEL_BUTTON);
    app.MainFrame()->ExecuteCommand(ID_LANGUAGE);
    QCOMPARE(GetCurrentLanguage(), 3);
    QCOMPARE(ProfileString("language", "language"), QString("Spanish"));
    QVERIFY(!QFile::exists(folder.Path("Karvo.hlp")));
    QCOMPARE(process.starts, 0);
    QVERIFY(process.ends.isEmpty());
}

// The save question before the restart: a save that fails or is cancelled abandons the
// change; otherwise the new copy opens the document's file (none when untitled).
void TestStartup::languageCommandSaveQuestion_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("saveAs"); // empty: the Save As dialog is cancelled
    QTest::addColumn<bool>("restarts");
    QTest::newRow("No") << false << QString() << true;
    QTest::newRow("Yes, saved") << true << "site.def" << true;
    QTest::newRow("Yes, Save As cancelled") << true << QString() << false;
}

void TestStartup::languageCommandSaveQuestion() {
    QFETCH(bool, yes);
    QFETCH(QString, saveAs);
    QFETCH(bool, restarts);
    CTestFolder folder;
    folder.AddHelpFolders();
    CRecordingMessages messages;
    CRecordingProcess process;
    CScriptedFileDialogs files;
    CProfile::WriteString("language", "language", "Spanish");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    app.MainFrame()->Image()->SetByte(50, 1);
    messages.answers = {yes ? MsgAnswer::Yes : MsgAnswer::No};
    if (!saveAs.isEmpty())
        files.saveAnswers = {folder.Path(saveAs)};
    const auto watcher = AnswerLanguageDialog(CLanguageDlg::IDC_FRENCH, CLanguageDlg::IDC_OK);
    app.MainFrame()->ExecuteCommand(ID_LANGUAGE);
    QCOMPARE(process.starts, restarts ? 1 : 0);
    QCOMPARE(GetCurrentLanguage(), restarts ? 1 : 3);
    QCOMPARE(ProfileString("language", "language"), QString(restarts ? "French" : "Spanish"));
    QCOMPARE(QFile::exists(folder.Path("Karvo.hlp")), restarts);
    QCOMPARE(process.restartArguments,
             saveAs.isEmpty() ? QStringList() : QStringList{folder.Path(saveAs)});
    QCOMPARE(app.MainFrame()->Image()->IsModified(), saveAs.isEmpty());
}

void TestStartup::shutDownStoresPortAndLanguage() {
    CTestFolder folder;
    CRecordingMessages messages;
    CProfile::WriteString("language", "language", "French");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    app.MainFrame()->CommandAction(ID_COM_PORT_2)->trigger();
    CProfile::WriteString("language", "language", "scribbled over");
    app.ExitInstance();
    QVERIFY(!app.MainFrame());
    QCOMPARE(ProfileString("Communication", "Comport"), QString("1"));
    QCOMPARE(ProfileString("language", "language"), QString("French"));
}

void TestStartup::englishAccelerators() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CScriptedFileDialogs files;
    CProfile::WriteString("language", "language", "U.S English");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    CMainFrame& frame = *app.MainFrame();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));

    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(files.openCalls, 1);
    frame.Image()->SetByte(40, 9);
    files.saveAnswers = {folder.Path("keyed.def")};
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(frame.Document()->Title(), QString("keyed.def"));
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(frame.Document()->Title(), QString("Untitled"));

    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
    QCOMPARE(frame.CommandAction(ID_COM_PORT_1)->whatsThis(), QString("Select COM port 1"));

    if (NativePrintDialogs())
        QSKIP("the system's own print dialogs cannot be answered by a test");
    {
        // Ctrl+P shows the print dialog; cancelling it prints nothing.
        const CModalWatcher printWatcher([](QWidget* modal) {
            QVERIFY(qobject_cast<QPrintDialog*>(modal));
            static_cast<QDialog*>(modal)->reject();
        });
        QTest::keyClick(&frame, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(printWatcher.Fired());
        QVERIFY(messages.boxes.isEmpty());
    }
    // Print Setup shows the page set-up dialog.
    const CModalWatcher watcher([](QWidget* modal) {
        QVERIFY(qobject_cast<QPageSetupDialog*>(modal));
        static_cast<QDialog*>(modal)->reject();
    });
    frame.CommandAction(ID_FILE_PRINT_SETUP)->trigger();
    QVERIFY(watcher.Fired());
}

void TestStartup::aboutBox() {
    for (int language : {0, 1, 4}) {
        CTestFolder folder;
        CRecordingMessages messages;
        CProfile::WriteString("language", "language", LanguageProfileName(language));
        CKarvoApp app;
        QVERIFY(app.InitInstance({}));
        QString caption, version, ok;
        const CModalWatcher watcher([&](QWidget* modal) {
            auto* about = qobject_cast<CAboutDlg*>(modal);
            QVERIFY(about);
            caption = about->windowTitle();
            version = static_cast<QLabel*>(about->Control(CAboutDlg::IDC_VERSION))->text();
            auto* button = static_cast<QAbstractButton*>(about->Control(CAboutDlg::IDC_OK));
            ok = button->text();
            QVERIFY(!static_cast<QLabel*>(about->Control(CAboutDlg::IDC_ICON))->pixmap().isNull());
            QVERIFY(about->Control(CAboutDlg::IDC_PURPOSE));
            button->click();
        });
        // The About item of the menu bar, the last of its items.
        app.MainFrame()->menuBar()->actions().last()->trigger();
        QVERIFY(watcher.Fired());
        const CTranslator translator;
        QCOMPARE(caption, translator.Translated(language, "About Karvo"));
        QCOMPARE(version, translator.Translated(language, "Karvo Version 2.6"));
        QCOMPARE(ok, translator.Translated(language, "OK"));
    }
}

void TestStartup::helpWindow() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    folder.Write("Karvo.hlp", "<html><body><h1>Guide</h1><p>marker text</p>"
                              "<h2 id=\"com\">Ports</h2></body></html>");
    folder.Write("Karvo.cnt", ":Base Karvo.hlp\n:Title Karvo Help\n1 Guide\n2 Ports=com\n"
                              "2 Files=files\n1 Second\n");
    CRecordingMessages messages;
    CProfile::WriteString("language", "language", "U.S English");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    app.MainFrame()->ExecuteCommand(ID_HELP);
    CHelpWindow* help = app.HelpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowTitle(), QString("Karvo Help"));
    QVERIFY(help->Browser()->toPlainText().contains("marker text"));
    QTreeWidget* contents = help->Contents();
    QCOMPARE(contents->topLevelItemCount(), 2);
    QCOMPARE(contents->topLevelItem(0)->childCount(), 2);
    QCOMPARE(contents->topLevelItem(0)->child(0)->text(0), QString("Ports"));
    QCOMPARE(contents->topLevelItem(0)->child(0)->data(0, Qt::UserRole).toString(), QString("com"));
    QVERIFY(messages.boxes.isEmpty());
    // The help index and F1 from the accelerator reuse the same window.
    app.MainFrame()->ExecuteCommand(ID_HELP_INDEX);
    QCOMPARE(app.HelpWindow(), help);
}

void TestStartup::helpFromLanguageFolder() {
    // No copy from a language change where Karvo keeps its written files (the language
    // was chosen from another working folder): F1 reads the language's own help.
    CTestFolder folder;
    folder.AddHelpFolders();
    CRecordingMessages messages;
    CProfile::WriteString("language", "language", "German");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    messages.boxes.clear();
    app.MainFrame()->ExecuteCommand(ID_HELP);
    QVERIFY(messages.boxes.isEmpty());
    QVERIFY(app.HelpWindow() && app.HelpWindow()->isVisible());
    QCOMPARE(app.HelpWindow()->windowTitle(), QString("Karvo-Hilfe"));
    QVERIFY(app.HelpWindow()->Browser()->toPlainText().contains("Arbeitsordner"));
}

void TestStartup::missingHelpFile() {
    CTestFolder folder;
    CRecordingMessages messages;
    CProfile::WriteString("language", "language", "U.S English");
    CKarvoApp app;
    QVERIFY(app.InitInstance({}));
    messages.boxes.clear();
    app.MainFrame()->ExecuteCommand(ID_HELP);
    QCOMPARE(messages.boxes.size(), 1);
    QVERIFY(messages.boxes[0].text.contains("Karvo.hlp"));
    QVERIFY(!app.HelpWindow() || !app.HelpWindow()->isVisible());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
