// Read device, Write device and Device information from the main window, offscreen, on a
// scripted unit: the question, the boxes, the progress dialog with its Cancel, and the
// main window disabled during the exchange and enabled again afterwards.
#include "CFakeUnit.h"

#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/DeviceCommands.h"
#include "gui/dialogs/CProgressDlg.h"
#include "gui/dialogs/ProgressDlgTemplate.h"
#include "gui/shell/ShellResources.h"
#include "tests/common/CRecordingMessages.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Records with every box whether the main window could be used while it was shown.
class CFrameMessages : public CRecordingMessages {
public:
    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override {
        frameEnabledAtBox.append(frame && frame->isEnabled());
        progressShownAtBox.append(VisibleProgress() != nullptr);
        return CRecordingMessages::Show(text, caption, icon, buttons);
    }
    static CProgressDlg* VisibleProgress() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CProgressDlg*>(widget); dialog && dialog->isVisible())
                return dialog;
        return nullptr;
    }
    QStringList Boxes() const {
        QStringList shown;
        for (const RecordedBox& box : boxes)
            shown << box.text + QStringLiteral(" | ") + box.caption;
        return shown;
    }
    QWidget* frame = nullptr;
    QList<bool> frameEnabledAtBox;
    QList<bool> progressShownAtBox;
};

// What a test saw of the progress dialog while the exchange ran.
struct Seen {
    bool dialog = false;
    bool frameEnabled = true;
    bool cancelEnabled = false;
    QString caption;
    QString percent;
};

Seen Look() {
    Seen seen;
    CProgressDlg* dialog = CFrameMessages::VisibleProgress();
    seen.dialog = dialog != nullptr;
    if (!dialog)
        return seen;
    seen.caption = dialog->windowTitle();
    seen.percent = qobject_cast<QLabel*>(dialog->Control(IDC_PERCENT))->text();
    seen.cancelEnabled = dialog->Control(IDC_PROGRESS_CANCEL)->isEnabled();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<CMainFrame*>(widget))
            seen.frameEnabled = widget->isEnabled();
    return seen;
}

QString Box(const QString& text, const QString& caption) {
    return text + " | " + caption;
}

} // namespace

class TestDeviceCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { QDir::setCurrent(m_previousFolder); }
    void init();
    void cleanup();

    void commandsEnabled();
    void writeAnsweredNoOpensNoPort();
    void writeAnsweredYes();
    void writeVerifiesUnlessUnchecked();
    void readReplacesImage();
    void readOffersToSaveFirst();
    void cancelInProgressDialog();
    void escapeDuringRead();
    void enabledAgainAfterError();
    void mainWindowCannotCloseDuringExchange();
    void enabledAgainAfterNoReply();

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
    std::unique_ptr<CScriptedPort> m_port;
    std::unique_ptr<CFakeUnit> m_unit;
    std::unique_ptr<CFrameMessages> m_messages;
    std::unique_ptr<CMainFrame> m_frame;
};

void TestDeviceCommands::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_previousFolder = QDir::currentPath();
    QDir::setCurrent(m_dir.path()); // where "test.dat" goes
    CProfile::SetPath(m_dir.filePath(QStringLiteral("karvo.ini")));
}

void TestDeviceCommands::init() {
    SetCurrentLanguage(0);
    QFile::remove(QStringLiteral("test.dat"));
    m_port = std::make_unique<CScriptedPort>();
    m_unit = std::make_unique<CFakeUnit>(*m_port);
    m_messages = std::make_unique<CFrameMessages>();
    m_frame = std::make_unique<CMainFrame>();
    m_frame->show();
    m_messages->frame = m_frame.get();
    m_messages->boxes.clear(); // start-up without karvo.def says so
    m_messages->frameEnabledAtBox.clear();
    m_messages->progressShownAtBox.clear();
    SetDeviceCommandPort(m_port.get());
}

void TestDeviceCommands::cleanup() {
    SetDeviceCommandPort(nullptr);
    m_frame.reset();
    m_messages.reset();
    m_unit.reset();
    m_port.reset();
    QVERIFY(!CFrameMessages::VisibleProgress());
}

void TestDeviceCommands::commandsEnabled() {
    for (int id : {ID_WRITE_DEVICE, ID_READ_DEVICE, ID_DEVICE_INFORMATION}) {
        QVERIFY(m_frame->IsCommandEnabled(id));
        QVERIFY(m_frame->CommandAction(id)->isEnabled());
    }
}

void TestDeviceCommands::writeAnsweredNoOpensNoPort() {
    QFile old(QStringLiteral("test.dat"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("KEEP");
    old.close();
    m_messages->answers = {MsgAnswer::No};
    m_frame->ExecuteCommand(ID_WRITE_DEVICE);
    QCOMPARE(m_messages->boxes.size(), 1);
    QCOMPARE(m_messages->boxes[0].text, QStringLiteral("Are you sure?"));
    QCOMPARE(m_messages->boxes[0].caption, QStringLiteral("Karvo"));
    QCOMPARE(m_messages->boxes[0].buttons, MsgButtons::YesNo);
    QCOMPARE(m_port->OpenCount(), 0);
    QCOMPARE(m_unit->verifies, 0);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("KEEP"));
}

void TestDeviceCommands::writeAnsweredYes() {
    SetCurrentLanguage(3);
    const CTranslator translator;
    m_frame->ExecuteCommand(ID_COM_PORT_3);
    m_frame->Image()->SetByte(1, 0x12);
    m_frame->Image()->SetByte(2, 0xAB);
    m_unit->verdicts = {{100, "RECEIVED_OK\r"}, {3000, "SAVED_OK\r"}};
    Seen during;
    m_port->After(2000, [&] { during = Look(); });
    m_messages->answers = {MsgAnswer::Yes};
    m_frame->ExecuteCommand(ID_WRITE_DEVICE);
    QCOMPARE(m_messages->Boxes(),
             (QStringList{Box(translator.Translated(3, "Are you sure?"), "Karvo"),
                          Box(translator.Translated(3, "Writing device OK"),
                              translator.Translated(3, "Writing device"))}));
    QCOMPARE(m_port->OpenedWith().portIndex, 2);
    QCOMPARE(m_port->OpenedWith().attemptLimit, 9);
    QCOMPARE(m_unit->records.first(), QByteArray("S113000112AB00000000000000000000000000002E"));
    QVERIFY(m_unit->gotEndRecord);
    QVERIFY(!m_port->IsOpen());
    QVERIFY(m_frame->isEnabled());
    QCOMPARE(m_messages->frameEnabledAtBox, (QList<bool>{true, true}));
    QCOMPARE(m_messages->progressShownAtBox, (QList<bool>{false, false}));
    QFile trace(QStringLiteral("test.dat"));
    QVERIFY(trace.open(QIODevice::ReadOnly));
    QCOMPARE(trace.readAll(), QByteArray("PROGRAMMING RM4811 V2"));
    QVERIFY(during.dialog);
    QCOMPARE(during.caption, translator.Translated(3, "Writing device ..."));
    QCOMPARE(during.percent, QStringLiteral("100%"));
    QVERIFY(!during.frameEnabled);
    QVERIFY(!during.cancelEnabled); // the end record is out: only the verdict is awaited
}

// Configuration > Verify after writing, checked by default and kept in the profile, decides
// whether SAVED_OK is trusted; the read-back names the settings the unit holds otherwise.
void TestDeviceCommands::writeVerifiesUnlessUnchecked() {
    QAction* item = m_frame->CommandAction(ID_VERIFY_AFTER_WRITING);
    QVERIFY(item && item->isCheckable());
    m_frame->UpdateCommandUI();
    QVERIFY(item->isChecked());
    m_unit->storesWrites = false; // says SAVED_OK, keeps its zeros
    m_unit->dumpLines = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\0'));
    m_frame->Image()->SetByte(20, 0x01); // System Setup, Options
    m_messages->answers = {MsgAnswer::Yes, MsgAnswer::Ok};
    m_frame->ExecuteCommand(ID_WRITE_DEVICE);
    QCOMPARE(m_messages->boxes.last().caption, QStringLiteral("Error writing device"));
    QVERIFY2(m_messages->boxes.last().text.contains("\nSystem Setup | "),
             qPrintable(m_messages->boxes.last().text));
    QCOMPARE(m_port->OpenCount(), 2);

    m_frame->ExecuteCommand(ID_VERIFY_AFTER_WRITING);
    QVERIFY(!item->isChecked());
    QCOMPARE(CProfile::GetInt("Communication", "VerifyAfterWriting", 1), 0);
    m_messages->answers = {MsgAnswer::Yes, MsgAnswer::Ok};
    m_frame->ExecuteCommand(ID_WRITE_DEVICE);
    QCOMPARE(m_messages->boxes.last().text, QStringLiteral("Writing device OK"));
    QCOMPARE(m_port->OpenCount(), 3);
    m_frame->ExecuteCommand(ID_VERIFY_AFTER_WRITING);
    QVERIFY(item->isChecked());
}

void TestDeviceCommands::readReplacesImage() {
    QByteArray pattern(CE2prom::IMAGE_SIZE, '\0');
    for (int i = 0; i < pattern.size(); ++i)
        pattern[i] = char(255 - i);
    m_unit->dumpLines = CFakeUnit::DumpOf(pattern);
    m_frame->ExecuteCommand(ID_READ_DEVICE);
    QCOMPARE(m_messages->Boxes(), QStringList{Box("Reception OK", "Reading device")});
    QCOMPARE(m_frame->Image()->Bytes().mid(1), pattern.mid(1));
    QCOMPARE(m_frame->Image()->GetByte(0), 0); // no record covers it; it keeps its value
    QVERIFY(!m_frame->Image()->IsModified());
    QVERIFY(m_frame->isEnabled());
    QCOMPARE(m_port->OpenedWith().portIndex, m_frame->SelectedPortIndex());
    // Configuration > Read twice to confirm, checked by default and kept in the profile: a
    // connection for each dump, or one.
    QCOMPARE(m_port->OpenCount(), 2);
    QAction* item = m_frame->CommandAction(ID_CONFIRM_READS);
    m_frame->UpdateCommandUI();
    QVERIFY(item && item->isChecked());
    m_frame->ExecuteCommand(ID_CONFIRM_READS);
    QCOMPARE(CProfile::GetInt("Communication", "ConfirmReads", 1), 0);
    m_frame->ExecuteCommand(ID_READ_DEVICE);
    QCOMPARE(m_port->OpenCount(), 3);
    m_frame->ExecuteCommand(ID_CONFIRM_READS);
    QVERIFY(item->isChecked());
}

void TestDeviceCommands::readOffersToSaveFirst() {
    m_frame->Image()->SetByte(30, 7);
    m_unit->dumpLines = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\x21'));
    m_messages->answers = {MsgAnswer::No};
    m_frame->ExecuteCommand(ID_READ_DEVICE);
    QCOMPARE(m_messages->boxes.size(), 2);
    QCOMPARE(m_messages->boxes[0].buttons, MsgButtons::YesNo); // the document's question
    QCOMPARE(m_port->OpenCount(), 2); // No does not stop the read (of two dumps)
    QCOMPARE(m_messages->Boxes().last(), Box("Reception OK", "Reading device"));
    QCOMPARE(m_frame->Image()->GetByte(30), 0x21);
    QVERIFY(m_frame->Image()->IsModified());
}

void TestDeviceCommands::cancelInProgressDialog() {
    m_unit->replies = {}; // the unit never answers; the user gives up
    Seen during;
    m_port->After(1200, [&] {
        during = Look();
        CProgressDlg* dialog = CFrameMessages::VisibleProgress();
        QVERIFY(dialog);
        QTest::mouseClick(qobject_cast<QPushButton*>(dialog->Control(IDC_PROGRESS_CANCEL)),
                          Qt::LeftButton);
        QVERIFY(dialog->isVisible()); // Cancel only asks
    });
    m_frame->ExecuteCommand(ID_DEVICE_INFORMATION);
    QVERIFY(during.dialog);
    QCOMPARE(during.caption, QStringLiteral("Connecting to device ..."));
    QCOMPARE(during.percent, QStringLiteral("30%")); // opened, then two attempts
    QVERIFY(!during.frameEnabled);
    QVERIFY(m_port->Now() < 2000); // taken at the next poll, not after all attempts
    QCOMPARE(m_messages->Boxes(), QStringList{Box("User aborted", "Error connecting to device")});
    QCOMPARE(m_messages->frameEnabledAtBox, QList<bool>{true});
    QVERIFY(m_frame->isEnabled());
    QVERIFY(!m_port->IsOpen());
}

void TestDeviceCommands::escapeDuringRead() {
    m_unit->dumpLines = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\x44'));
    m_unit->lineGap = 100;
    const QByteArray before = m_frame->Image()->Bytes();
    Seen during;
    m_port->After(900, [&] {
        during = Look();
        QTest::keyClick(CFrameMessages::VisibleProgress(), Qt::Key_Escape);
    });
    m_frame->ExecuteCommand(ID_READ_DEVICE);
    QCOMPARE(during.caption, QStringLiteral("Reading device ..."));
    QCOMPARE(m_messages->Boxes(), QStringList{Box("User aborted", "Error reading device")});
    QCOMPARE(m_frame->Image()->Bytes(), before);
    QVERIFY(m_frame->isEnabled());
}

void TestDeviceCommands::enabledAgainAfterError() {
    m_port->SetOpenResult(-3);
    m_frame->ExecuteCommand(ID_READ_DEVICE);
    QCOMPARE(m_messages->Boxes(), (QStringList{Box("CComProm :  AS IN USE", "ERROR"),
                                               Box("Port in use", "Error connecting to device")}));
    QCOMPARE(m_messages->frameEnabledAtBox, (QList<bool>{true, true}));
    QCOMPARE(m_messages->progressShownAtBox, (QList<bool>{false, false}));
    QVERIFY(m_frame->isEnabled());
}

void TestDeviceCommands::mainWindowCannotCloseDuringExchange() {
    m_unit->dumpLines = CFakeUnit::DumpOf(QByteArray(CE2prom::IMAGE_SIZE, '\x44'));
    bool closed = true;
    m_port->After(700, [&] { closed = m_frame->close(); });
    m_frame->ExecuteCommand(ID_READ_DEVICE);
    QVERIFY(!closed);
    QVERIFY(m_frame->isVisible());
    QCOMPARE(m_messages->Boxes(), QStringList{Box("Reception OK", "Reading device")});
}

void TestDeviceCommands::enabledAgainAfterNoReply() {
    m_unit->replies = {};
    m_messages->answers = {MsgAnswer::Yes};
    m_frame->ExecuteCommand(ID_WRITE_DEVICE);
    QCOMPARE(m_messages->Boxes().last(), Box("No reply from device", "Error connecting to device"));
    QVERIFY(m_frame->isEnabled());
    QVERIFY(!m_port->IsOpen());
    QVERIFY(!QFile::exists(QStringLiteral("test.dat"))); // never got as far as writing
}

QTEST_MAIN(TestDeviceCommands)
#include "tst_device_commands.moc"
