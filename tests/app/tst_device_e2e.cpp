// The main window's device commands (Device information, Read device, Write device) from
// their menu actions to karvo-unit on a pseudo-terminal: the real frame, the real serial
// port reached through COM 1's device name in the profile, the real exchanges, and a unit
// that behaves or misbehaves. Message boxes are recorded and answered by the test.
#include "AppTestSupport.h"
#include "CRecordingMessages.h"
#include "CSer2net.h"

#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/link/ComPortNames.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CCommLogWindow.h"
#include "gui/app/CFindUnitDlg.h"
#include "gui/app/CSerialPortsDlg.h"
#include "gui/app/CSetupComparer.h"
#include "gui/app/CSetupHistory.h"
#include "gui/dialogs/CProgressDlg.h"
#include "gui/dialogs/ProgressDlgTemplate.h"
#include "gui/shell/ShellResources.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

namespace {

const QString DEVICE_INFORMATION_TEXT =
    QStringLiteral("Software : RM4811\nVersion : V2.6\nSoftware date : 15 Jun 1999 12:00");
const QString CONNECT_CAPTION = QStringLiteral("Error connecting to device");

// An image unlike the default setup, so that a read or write that moved nothing shows.
QByteArray PatternImage(int seed) {
    QByteArray bytes(int(CE2prom::IMAGE_SIZE), '\0');
    for (int a = 1; a < bytes.size(); ++a)
        bytes[a] = char((a * 7 + seed) & 0xFF);
    return bytes;
}

// Saves the pattern image of seed as path, for the unit to start from.
void SavePatternSetup(int seed, const QString& path) {
    CE2prom setup;
    setup.ReplaceBytes(PatternImage(seed));
    setup.SaveSRecords(path);
}

// karvo-unit on a pseudo-terminal reached through a link in the test folder; stopped
// (which removes the link) when destroyed.
class CUnitProcess {
public:
    CUnitProcess(const CTestFolder& folder, const QStringList& options) {
        m_process.start(QStringLiteral(KARVO_UNIT), QStringList{"--link", folder.Path("com1"),
                                                                "--save", folder.Path("unit.s19")} +
                                                        options);
        m_started = m_process.waitForStarted(5000) && m_process.waitForReadyRead(5000) &&
                    m_process.readLine().startsWith("/dev/");
    }
    ~CUnitProcess() {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }
    bool Started() const { return m_started; }

private:
    QProcess m_process;
    bool m_started = false;
};

// Watches the main window while a command runs: whether it was ever disabled (the
// progress dialog does that) and whether a progress dialog was shown.
class CWindowWatcher {
public:
    explicit CWindowWatcher(QWidget& window) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this, &window] {
            if (!window.isEnabled())
                sawDisabled = true;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<CProgressDlg*>(widget) && widget->isVisible())
                    sawProgress = true;
        });
        m_timer.start();
    }
    bool sawDisabled = false;
    bool sawProgress = false;

private:
    QTimer m_timer;
};

// A recorded box of an exchange: text, caption, stop icon or none.
struct Box {
    QString text;
    QString caption;
    bool stop = false;
};

QList<Box> BoxesOf(const CRecordingMessages& messages) {
    QList<Box> boxes;
    for (const RecordedBox& b : messages.boxes)
        boxes.append({b.text, b.caption, b.icon == MsgIcon::Stop});
    return boxes;
}

bool operator==(const Box& a, const Box& b) {
    return a.text == b.text && a.caption == b.caption && a.stop == b.stop;
}

// The boxes as one line, for failure messages.
QString BoxText(const QList<Box>& boxes) {
    QStringList lines;
    for (const Box& b : boxes)
        lines << QStringLiteral("[%1%2] %3").arg(b.stop ? "stop " : "", b.caption, b.text);
    return lines.join(" / ");
}

const Box QUESTION = {QStringLiteral("Are you sure?"), QStringLiteral("Karvo"), false};

} // namespace

class TestDeviceEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void deviceInformation();
    void readDevice_data();
    void readDevice();
    void compareWithDevice_data();
    void compareWithDevice();
    void writeDevice();
    void writeAnsweredNoSendsNothing();
    void wrongFirmware_data();
    void wrongFirmware();
    void noUnitAnswering_data();
    void noUnitAnswering();
    void checksumErrorInDump();
    void writeVerdicts_data();
    void writeVerdicts();
    void unitStopsDuringWrite();
    void unitPulledDuringRead();
    void portChosenInSerialPortsDialog();
    void unitFoundOverTheNetwork();

private:
    // Starts the unit and the main frame with COM 1 pointing at the unit.
    void Start(const QStringList& unitOptions);
    // Triggers a command's menu action; afterwards the main window must be usable again.
    void Run(int command);
    QList<Box> Boxes() const { return BoxesOf(*m_messages); }
    bool UnitSaved() const { return QFile::exists(m_folder->Path("unit.s19")); }

    std::unique_ptr<CTestFolder> m_folder;
    std::unique_ptr<CRecordingMessages> m_messages;
    std::unique_ptr<CUnitProcess> m_unit;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_sawDisabled = false;
    bool m_sawProgress = false;
};

void TestDeviceEndToEnd::init() {
    m_folder = std::make_unique<CTestFolder>();
    m_folder->AddDefaultSetup();
    // Backups of setups sent to or read from the unit stay in the test folder.
    qputenv("KARVO_BACKUP_DIR", m_folder->Path("backups").toLocal8Bit());
    m_messages = std::make_unique<CRecordingMessages>();
}

void TestDeviceEndToEnd::cleanup() {
    m_frame.reset();
    m_unit.reset();
    m_messages.reset();
    m_folder.reset();
    qunsetenv("KARVO_BACKUP_DIR");
}

void TestDeviceEndToEnd::Start(const QStringList& unitOptions) {
    m_unit = std::make_unique<CUnitProcess>(*m_folder, unitOptions);
    QVERIFY(m_unit->Started());
    CProfile::WriteString("Communication", "Port1", m_folder->Path("com1"));
    CProfile::WriteInt("Communication", "Comport", 0);
    m_frame = std::make_unique<CMainFrame>();
    m_frame->show();
    QVERIFY(m_messages->boxes.isEmpty()); // the default setup loaded
    QCOMPARE(m_frame->SelectedPortIndex(), 0);
}

void TestDeviceEndToEnd::Run(int command) {
    QAction* action = m_frame->CommandAction(command);
    QVERIFY(action && action->isEnabled());
    CWindowWatcher watcher(*m_frame);
    action->trigger();
    m_sawDisabled = watcher.sawDisabled;
    m_sawProgress = watcher.sawProgress;
    QVERIFY(m_frame->isEnabled());
    QVERIFY(action->isEnabled());
    QVERIFY(!QApplication::activeModalWidget());
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!(qobject_cast<CProgressDlg*>(widget) && widget->isVisible()));
}

void TestDeviceEndToEnd::deviceInformation() {
    Start({});
    const QByteArray before = m_frame->Image()->Bytes();
    Run(ID_DEVICE_INFORMATION);
    QCOMPARE(m_messages->boxes.size(), 1);
    QCOMPARE(m_messages->boxes[0].text, DEVICE_INFORMATION_TEXT);
    QCOMPARE(m_messages->boxes[0].caption, QString("Device information"));
    QCOMPARE(m_messages->boxes[0].icon, MsgIcon::None);
    QCOMPARE(m_messages->boxes[0].buttons, MsgButtons::Ok);
    QVERIFY(m_sawDisabled);
    QVERIFY(m_sawProgress);
    QCOMPARE(m_frame->Image()->Bytes(), before);
    QVERIFY(!m_frame->Image()->IsModified());
    QVERIFY(!UnitSaved());
}

void TestDeviceEndToEnd::readDevice_data() {
    QTest::addColumn<bool>("modified");
    QTest::newRow("unchanged image") << false;
    // The save question comes first; answered No, the read goes on.
    QTest::newRow("changed image, save declined") << true;
}

void TestDeviceEndToEnd::readDevice() {
    QFETCH(bool, modified);
    SavePatternSetup(3, m_folder->Path("setup.s19"));
    Start({"--image", m_folder->Path("setup.s19")});
    CE2prom* image = m_frame->Image();
    if (modified) {
        image->SetByte(50, 0xAA);
        m_messages->answers = {MsgAnswer::No};
    }
    const std::uint8_t firstByte = image->GetByte(0);
    const QByteArray before = image->Bytes();

    Run(ID_READ_DEVICE);
    QList<Box> expected;
    if (modified)
        expected.append({"Save changes to Untitled?", "Karvo", false});
    expected.append({"Reception OK", "Reading device", false});
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QVERIFY(m_sawDisabled);
    // The image holds the unit's setup; address 0 is not part of the dump.
    QCOMPARE(image->Bytes().mid(1).toHex(), PatternImage(3).mid(1).toHex());
    QCOMPARE(image->GetByte(0), firstByte);
    QCOMPARE(image->IsModified(), modified);
    QVERIFY(!UnitSaved()); // nothing was programmed

    // The read is one undo step, which gives back the bytes and the flag.
    QCOMPARE(PlainMenuText(m_frame->CommandAction(ID_EDIT_UNDO)->text()),
             QString("Undo Read device"));
    m_frame->ExecuteCommand(ID_EDIT_UNDO);
    QCOMPARE(image->Bytes().mid(1).toHex(), before.mid(1).toHex());
    QCOMPARE(image->IsModified(), modified);
}

void TestDeviceEndToEnd::compareWithDevice_data() {
    QTest::addColumn<QString>("unit"); // the setup the unit holds
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("summary");
    // A good read shows no box of its own: the comparison is its outcome.
    QTest::newRow("equal") << "karvo.def" << false << ""
                           << "The setups are equal.";
    QTest::newRow("differing") << "setup.s19" << false << ""
                               << "Differences: ";
    QTest::newRow("cancelled") << "setup.s19" << true << "User aborted"
                               << "";
}

void TestDeviceEndToEnd::compareWithDevice() {
    QFETCH(QString, unit);
    QFETCH(bool, cancel);
    QFETCH(QString, box);
    QFETCH(QString, summary);
    SavePatternSetup(3, m_folder->Path("setup.s19"));
    // A unit at the line's real pace leaves time for Cancel in the progress dialog.
    Start({"--image", m_folder->Path(unit), "--pacing"});
    CE2prom* image = m_frame->Image();
    image->SetByte(CMainFrame::RADIO_TYPE_ADDRESS, 5); // modified, same value
    const QByteArray before = image->Bytes();
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<CProgressDlg*>(widget); dialog && dialog->isVisible())
                qobject_cast<QPushButton*>(dialog->Control(IDC_PROGRESS_CANCEL))->click();
    });
    if (cancel)
        canceller.start(10);

    Run(ID_FILE_COMPARE_DEVICE);
    QVERIFY2(Boxes().size() == (box.isEmpty() ? 0 : 1), qPrintable(BoxText(Boxes())));
    if (!box.isEmpty())
        QCOMPARE(Boxes()[0].text, box);
    QVERIFY(m_sawProgress);
    // Nothing changed here: no bytes, no flag, no undo step, no backup.
    QCOMPARE(image->Bytes(), before);
    QVERIFY(image->IsModified());
    QCOMPARE(m_frame->History().Count(), 0);
    QVERIFY(!QFile::exists(m_folder->Path("backups")));
    CComparisonWindow* window = m_frame->Comparer().Window();
    QCOMPARE(window != nullptr, !cancel);
    if (!window)
        return;
    QVERIFY(window->Summary().startsWith(summary));
    QCOMPARE(window->windowTitle(), QString("Comparison with the unit"));
    QCOMPARE(window->Rows().isEmpty(), unit == "karvo.def");
    if (unit == "setup.s19") {
        const QList<QStringList> rows = window->Rows();
        const auto radioType = std::ranges::find_if(
            rows, [](const QStringList& row) { return row[1] == "Radio type"; });
        QVERIFY(radioType != rows.end());
        QCOMPARE((*radioType)[0], QString("Radio Interface"));
        QCOMPARE((*radioType)[2], QString("GM350 RPT"));
        QVERIFY((*radioType)[3] != (*radioType)[2]);
        QCOMPARE(window->TableText().section('\n', 1, 1),
                 QString("Section\tSetting\tThis setup\tThe unit"));
    }
}

void TestDeviceEndToEnd::writeDevice() {
    Start({});
    CE2prom* image = m_frame->Image();
    image->ReplaceBytes(PatternImage(11));
    const QByteArray before = image->Bytes();
    m_messages->answers = {MsgAnswer::Yes};

    Run(ID_WRITE_DEVICE);
    const QList<Box> expected = {QUESTION, {"Writing device OK", "Writing device", false}};
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QCOMPARE(m_messages->boxes[0].icon, MsgIcon::Question);
    QCOMPARE(m_messages->boxes[0].buttons, MsgButtons::YesNo);
    QVERIFY(m_sawDisabled);
    QVERIFY(m_sawProgress);
    // The unit now holds the image; writing left the image as it was.
    QTRY_VERIFY_WITH_TIMEOUT(UnitSaved(), 3000);
    CE2prom unit;
    QTRY_COMPARE_WITH_TIMEOUT(unit.LoadSRecords(m_folder->Path("unit.s19")), 1, 3000);
    QCOMPARE(unit.Bytes().mid(1).toHex(), before.mid(1).toHex());
    QCOMPARE(image->Bytes(), before);
    // The unit's lines before its prompt were traced to the working folder.
    QVERIFY(m_folder->Read("test.dat").contains("READY"));
}

void TestDeviceEndToEnd::writeAnsweredNoSendsNothing() {
    // The unit answers only the first line it receives: had the declined write sent
    // anything, the device information afterwards would find no unit.
    Start({"--silent-after", "1"});
    m_messages->answers = {MsgAnswer::No};
    Run(ID_WRITE_DEVICE);
    QVERIFY2(Boxes() == QList<Box>{QUESTION}, qPrintable(BoxText(Boxes())));
    QVERIFY(!m_sawDisabled);
    QVERIFY(!m_sawProgress);
    QVERIFY(!QFile::exists(m_folder->Path("test.dat")));

    Run(ID_DEVICE_INFORMATION);
    QCOMPARE(m_messages->boxes.size(), 2);
    QCOMPARE(m_messages->boxes[1].text, DEVICE_INFORMATION_TEXT);
    QVERIFY(!UnitSaved());
}

void TestDeviceEndToEnd::wrongFirmware_data() {
    QTest::addColumn<QStringList>("unitOptions");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("caption");
    QTest::newRow("read, other firmware")
        << QStringList{"--name", "RM5000"} << int(ID_READ_DEVICE) << CONNECT_CAPTION;
    QTest::newRow("read, other major version")
        << QStringList{"--firmware-version", "V3.6"} << int(ID_READ_DEVICE) << CONNECT_CAPTION;
    QTest::newRow("write, other firmware")
        << QStringList{"--name", "RM5000"} << int(ID_WRITE_DEVICE) << "Writing device";
}

void TestDeviceEndToEnd::wrongFirmware() {
    QFETCH(QStringList, unitOptions);
    QFETCH(int, command);
    QFETCH(QString, caption);
    SavePatternSetup(5, m_folder->Path("setup.s19"));
    Start(unitOptions + QStringList{"--image", m_folder->Path("setup.s19")});
    const QByteArray before = m_frame->Image()->Bytes();
    m_messages->answers = {MsgAnswer::Yes};

    Run(command);
    QList<Box> expected;
    if (command == ID_WRITE_DEVICE)
        expected.append(QUESTION);
    expected.append({"Software not compatible", caption, false});
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QCOMPARE(m_frame->Image()->Bytes(), before);
    QVERIFY(!m_frame->Image()->IsModified());
    QVERIFY(!UnitSaved());
    QVERIFY(!QFile::exists(m_folder->Path("test.dat")));
}

void TestDeviceEndToEnd::noUnitAnswering_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("device information") << int(ID_DEVICE_INFORMATION);
    QTest::newRow("read device") << int(ID_READ_DEVICE);
    QTest::newRow("write device") << int(ID_WRITE_DEVICE);
}

void TestDeviceEndToEnd::noUnitAnswering() {
    QFETCH(int, command);
    Start({"--silent"});
    const QByteArray before = m_frame->Image()->Bytes();
    m_messages->answers = {MsgAnswer::Yes};

    Run(command);
    QList<Box> expected;
    if (command == ID_WRITE_DEVICE)
        expected.append(QUESTION);
    expected.append({"CComProm :  Device is not connected.", "ERROR", true});
    expected.append({"", CONNECT_CAPTION, false});
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QCOMPARE(m_frame->Image()->Bytes(), before);
    QVERIFY(!UnitSaved());
}

void TestDeviceEndToEnd::checksumErrorInDump() {
    SavePatternSetup(9, m_folder->Path("setup.s19"));
    // Records before the bad one arrive intact; none of them may reach the image.
    Start({"--image", m_folder->Path("setup.s19"), "--bad-dump-record", "5"});
    const QByteArray before = m_frame->Image()->Bytes();

    Run(ID_READ_DEVICE);
    const QList<Box> expected = {{"Checksum error", "Error reading device", false}};
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QCOMPARE(m_frame->Image()->Bytes().toHex(), before.toHex());
    QVERIFY(!m_frame->Image()->IsModified());
}

void TestDeviceEndToEnd::writeVerdicts_data() {
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("text");
    QTest::newRow("timeout") << "TIMEOUT!!!"
                             << "Timeout error";
    QTest::newRow("format") << "FORMAT ERROR!!!"
                            << "Format error";
    QTest::newRow("address") << "ADDRESS ERROR!!!"
                             << "Address error";
    QTest::newRow("checksum") << "CHECKSUM ERROR!!!"
                              << "Checksum error";
    QTest::newRow("no known marker") << "WHATEVER"
                                     << "Unknown error";
}

void TestDeviceEndToEnd::writeVerdicts() {
    QFETCH(QString, verdict);
    QFETCH(QString, text);
    Start({"--verdict", verdict});
    const QByteArray before = m_frame->Image()->Bytes();
    m_messages->answers = {MsgAnswer::Yes};

    Run(ID_WRITE_DEVICE);
    const QList<Box> expected = {QUESTION, {text, "Error writing device", false}};
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QCOMPARE(m_frame->Image()->Bytes(), before);
    QVERIFY(!UnitSaved()); // the unit stored nothing
}

void TestDeviceEndToEnd::unitStopsDuringWrite() {
    // VERIFY, PROGRAMMING and six records are answered; the seventh record is not. The
    // link failure is reported, then its plain text shows in the write's own box.
    Start({"--silent-after", "8"});
    const QByteArray before = m_frame->Image()->Bytes();
    m_messages->answers = {MsgAnswer::Yes};

    Run(ID_WRITE_DEVICE);
    const QList<Box> expected = {QUESTION,
                                 {"CComProm :  AS BUFR EMPTY", "ERROR", true},
                                 {"Buffer empty", "Error writing device", false}};
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QCOMPARE(m_frame->Image()->Bytes(), before);
    QVERIFY(!UnitSaved());

    // The port was closed: the next command opens it afresh (and finds the unit mute).
    Run(ID_DEVICE_INFORMATION);
    QCOMPARE(m_messages->boxes.size(), 5);
    QCOMPARE(m_messages->boxes[3].text, QString("CComProm :  Device is not connected."));
}

void TestDeviceEndToEnd::unitPulledDuringRead() {
    // The unit is gone after four records of its dump, its terminal closed as when a USB
    // adapter is pulled out; the port is released, so a unit plugged in again is read.
    Start({"--vanish-after", "8"});
    const QByteArray before = m_frame->Image()->Bytes();
    Run(ID_READ_DEVICE);
    const QList<Box> expected = {{"CComProm :  AS PORT LOST", "ERROR", true},
                                 {"The port went away (adapter pulled out or unit switched off)",
                                  "Error reading device", false}};
    QVERIFY2(Boxes() == expected, qPrintable(BoxText(Boxes())));
    QCOMPARE(m_frame->Image()->Bytes(), before);

    m_unit = std::make_unique<CUnitProcess>(*m_folder, QStringList{"--image", KARVO_DEFAULT_SETUP});
    QVERIFY(m_unit->Started());
    m_frame->Image()->ReplaceBytes(PatternImage(3));
    Run(ID_READ_DEVICE);
    QCOMPARE(m_messages->boxes.last().text, QString("Reception OK"));
    QCOMPARE(m_frame->Image()->Bytes().mid(1), before.mid(1));
}

void TestDeviceEndToEnd::portChosenInSerialPortsDialog() {
    Start({});
    // COM 2 is pointed at the unit through the dialog and chosen; COM 1 now names nothing.
    CProfile::WriteString("Communication", "Port1", m_folder->Path("nothing-here"));
    CModalWatcher watcher([this](QWidget* modal) {
        auto* dialog = qobject_cast<CSerialPortsDlg*>(modal);
        QVERIFY(dialog);
        QLineEdit* edit = dialog->PortBox(1)->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, m_folder->Path("com1"));
        QTest::mouseClick(dialog->Buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    Run(ID_SERIAL_PORTS);
    QVERIFY(watcher.Fired());
    Run(ID_COM_PORT_2);
    QCOMPARE(m_frame->SelectedPortIndex(), 1);

    Run(ID_DEVICE_INFORMATION);
    QCOMPARE(m_messages->boxes.size(), 1);
    QCOMPARE(m_messages->boxes[0].text, DEVICE_INFORMATION_TEXT);
}

// Find unit finds the unit behind ser2net's RFC 2217 port (COM 3) and puts it into the
// selected COM 2; Write device, Read device and Device information then go over the
// network, and View > Communication log shows the last command line by line.
void TestDeviceEndToEnd::unitFoundOverTheNetwork() {
    Start({});
    CSer2net ser2net(m_folder->Path("com1"), m_folder->Path("."));
    QVERIFY(ser2net.Started());
    StoreComPortDeviceName(1, m_folder->Path("nothing-here"));
    StoreComPortDeviceName(2, ser2net.TelnetAddress());
    m_frame->CommandAction(ID_COM_PORT_2)->trigger();
    QCOMPARE(m_frame->SelectedPortIndex(), 1);

    QString found;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<CFindUnitDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->UseButton()->text(), QString("Use for COM 2"));
        QVERIFY(QTest::qWaitFor([&] { return dialog->Ports().last().probed; }, 30000));
        QVERIFY(!dialog->Searching());
        QTreeWidget* table = dialog->Table();
        for (int row = 0; row < table->topLevelItemCount(); ++row) {
            QTreeWidgetItem* item = table->topLevelItem(row);
            if (item->text(0) == ser2net.TelnetAddress()) {
                QCOMPARE(item->text(1), QString("COM 3"));
                found = item->text(3);
                table->setCurrentItem(item);
            } else if (item->text(0) == m_folder->Path("nothing-here")) {
                QCOMPARE(item->text(3), QString("no answer"));
            }
        }
        QVERIFY(dialog->UseButton()->isEnabled());
        dialog->UseButton()->click();
    });
    m_frame->CommandAction(ID_FIND_UNIT)->trigger();
    QCOMPARE(found, QString("RM4811 V2.6 15 Jun 1999 12:00"));
    QCOMPARE(StoredComPortDeviceName(1), ser2net.TelnetAddress());

    m_frame->Image()->ReplaceBytes(PatternImage(3));
    Run(ID_WRITE_DEVICE);
    QTRY_VERIFY_WITH_TIMEOUT(UnitSaved(), 3000);
    m_frame->Image()->ReplaceBytes(PatternImage(4));
    Run(ID_READ_DEVICE);
    QCOMPARE(m_frame->Image()->Bytes().mid(1), PatternImage(3).mid(1));
    Run(ID_DEVICE_INFORMATION);
    QCOMPARE(m_messages->boxes.last().text, DEVICE_INFORMATION_TEXT);

    m_frame->CommandAction(ID_VIEW_COMM_LOG)->trigger();
    auto* log = m_frame->findChild<CCommLogWindow*>();
    QVERIFY(log && log->isVisible());
    const QStringList lines = log->Text().split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.first().endsWith(" ms  ->  \\nVERIFY\\r"), qPrintable(lines.first()));
    QVERIFY(lines.filter(" ms  <-  REPLY RM4811 V2.6 15 Jun 1999 12:00\\r").size() == 1);
    QVERIFY(log->SaveTo(m_folder->Path("log.txt")));
    QCOMPARE(QString::fromUtf8(m_folder->Read("log.txt")), log->Text());
}

QTEST_MAIN(TestDeviceEndToEnd)
#include "tst_device_e2e.moc"
