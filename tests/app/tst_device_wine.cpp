// The main window's device commands against a unit the test does not start: karvo-unit
// behind the serial port KARVO_E2E_COM names (for the Windows build under Wine, a Wine COM
// port linked to the Linux unit's pseudo-terminal; tools/windows/device-e2e.sh runs it).
// The unit starts from the shipped default setup. KARVO_E2E_VANISHING=1 says that the unit
// goes away in the middle of its dump; only the vanishing case runs then, only the other
// cases otherwise. Without KARVO_E2E_COM every case is skipped.
#include "AppTestSupport.h"
#include "CRecordingMessages.h"

#include "core/image/CE2prom.h"
#include "core/lang/CProfile.h"
#include "core/link/ComPortNames.h"
#include "gui/app/AddedMenus.h"
#include "gui/app/CCommLogWindow.h"
#include "gui/shell/ShellResources.h"

#include <QtTest>

namespace {

// An image unlike the default setup, so that a read or write that moved nothing shows.
QByteArray PatternImage(int seed) {
    QByteArray bytes(int(CE2prom::IMAGE_SIZE), '\0');
    for (int a = 1; a < bytes.size(); ++a)
        bytes[a] = char((a * 7 + seed) & 0xFF);
    return bytes;
}

// The recorded boxes as "caption: text" lines; a stop icon is marked.
QStringList Boxes(const CRecordingMessages& messages) {
    QStringList boxes;
    for (const RecordedBox& b : messages.boxes)
        boxes << (b.icon == MsgIcon::Stop ? "(stop) " : "") + b.caption + ": " + b.text;
    return boxes;
}

} // namespace

class TestDeviceThroughPort : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void exchanges();
    void vanishingUnit();

private:
    // Whether the environment names a port with a unit of this kind behind it.
    static bool UnitHere(bool vanishing);
    // Builds the main frame with COM 1 pointing at that port.
    void Start();
    // Runs a command as the menu does, then checks the boxes it showed.
    void Run(int command, const QStringList& boxes);

    std::unique_ptr<CTestFolder> m_folder;
    std::unique_ptr<CRecordingMessages> m_messages;
    std::unique_ptr<CMainFrame> m_frame;
};

void TestDeviceThroughPort::init() {
    m_folder = std::make_unique<CTestFolder>();
    m_folder->AddDefaultSetup();
    qputenv("KARVO_BACKUP_DIR", m_folder->Path("backups").toLocal8Bit());
    m_messages = std::make_unique<CRecordingMessages>();
}

void TestDeviceThroughPort::cleanup() {
    m_frame.reset();
    m_messages.reset();
    m_folder.reset();
    qunsetenv("KARVO_BACKUP_DIR");
}

bool TestDeviceThroughPort::UnitHere(bool vanishing) {
    return !qEnvironmentVariable("KARVO_E2E_COM").isEmpty() &&
           qEnvironmentVariable("KARVO_E2E_VANISHING") == (vanishing ? "1" : "");
}

void TestDeviceThroughPort::Start() {
    const QString port = qEnvironmentVariable("KARVO_E2E_COM");
    StoreComPortDeviceName(0, port);
    CProfile::WriteInt("Communication", "Comport", 0);
    m_frame = std::make_unique<CMainFrame>();
    m_frame->show();
    QVERIFY(m_messages->boxes.isEmpty()); // the default setup loaded
    QCOMPARE(m_frame->SelectedPortIndex(), 0);
    QCOMPARE(ComPortDeviceName(0), port);
}

void TestDeviceThroughPort::Run(int command, const QStringList& boxes) {
    m_messages->boxes.clear();
    m_frame->ExecuteCommand(command);
    QCOMPARE(Boxes(*m_messages), boxes);
    QVERIFY(m_frame->isEnabled());
}

void TestDeviceThroughPort::exchanges() {
    if (!UnitHere(false))
        QSKIP("no unit behind a port (KARVO_E2E_COM)");
    Start();
    if (QTest::currentTestFailed())
        return;
    CE2prom* image = m_frame->Image();
    const QByteArray unitSetup = image->Bytes(); // the default setup, as the unit's

    Run(ID_DEVICE_INFORMATION, {"Device information: Software : RM4811\nVersion : V2.6\nSoftware "
                                "date : 15 Jun 1999 12:00"});

    // Address 0 is not part of the dump.
    image->ReplaceBytes(PatternImage(3));
    Run(ID_READ_DEVICE, {"Reading device: Reception OK"});
    QCOMPARE(image->Bytes().mid(1).toHex(), unitSetup.mid(1).toHex());

    StoreVerifyAfterWriting(true);
    image->ReplaceBytes(PatternImage(11));
    m_messages->answers = {MsgAnswer::Yes};
    Run(ID_WRITE_DEVICE, {"Karvo: Are you sure?", "Writing device: Writing device OK"});
    // The write was read back: the unit was connected to twice.
    m_frame->ExecuteCommand(ID_VIEW_COMM_LOG);
    auto* log = m_frame->findChild<CCommLogWindow*>();
    QVERIFY(log);
    QCOMPARE(log->Text().count(QStringLiteral("->  \\nVERIFY\\r")), 2);

    // The unit holds what was written.
    image->ReplaceBytes(PatternImage(4));
    Run(ID_READ_DEVICE, {"Reading device: Reception OK"});
    QCOMPARE(image->Bytes().mid(1).toHex(), PatternImage(11).mid(1).toHex());
}

void TestDeviceThroughPort::vanishingUnit() {
    if (!UnitHere(true))
        QSKIP("no vanishing unit behind a port (KARVO_E2E_COM, KARVO_E2E_VANISHING=1)");
    Start();
    if (QTest::currentTestFailed())
        return;
    const QByteArray before = m_frame->Image()->Bytes();
    Run(ID_READ_DEVICE, {"(stop) ERROR: CComProm :  AS PORT LOST",
                         "Error reading device: The port went away (adapter pulled out or unit "
                         "switched off)"});
    QCOMPARE(m_frame->Image()->Bytes(), before);
    QVERIFY(!m_frame->Image()->IsModified());
}

QTEST_MAIN(TestDeviceThroughPort)
#include "tst_device_wine.moc"
