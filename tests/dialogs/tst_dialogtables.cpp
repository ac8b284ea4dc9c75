// The Radio interface, Repeater operation, Line interface, Line operation and TRC setup
// dialogs as the user meets them. One table per dialog: a stored byte, what its control
// shows, the byte OK and Commit store, and its report line (with the section's title and
// length). Then the repeater's read-only mode, the line interface's PL-tone radios and
// Cancel. The list rules are the bindings' tests.
#include "DialogFixture.h"

#include "gui/controls/CCtrlBinding.h"
#include "gui/dialogs/CLineInterfaceDlg.h"
#include "gui/dialogs/CRepeaterDlg.h"
#include "gui/dialogs/SetupDialogFactory.h"
#include "tests/common/CRecordingMessages.h"

#include <QCheckBox>
#include <QRadioButton>
#include <memory>

namespace {

void AddColumns() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("control"); // the binding whose shown text is checked; 0 for none
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("after"); // the byte after OK and Commit
    QTest::addColumn<int>("line");  // its report line, 0 being the title
    QTest::addColumn<QString>("reportLine");
}

void Row(const char* name, int address, int stored, int control, const char* shown, int after,
         int line, const char* label, const char* value) {
    QTest::newRow(name) << address << stored << control << QString::fromLatin1(shown) << after
                        << line << Padded(label, value);
}

std::unique_ptr<CTemplateDialog> Open(int command, CE2prom& image, bool readOnly = false) {
    std::unique_ptr<CSetupDialog> dialog = CreateSetupDialog(command, &image, readOnly);
    return std::unique_ptr<CTemplateDialog>(static_cast<CTemplateDialog*>(dialog.release()));
}

// The report section has its title and lineCount lines; the row's setting is on its line.
void RunRow(int command, const char* title, int lineCount) {
    QFETCH(int, address);
    QFETCH(int, stored);
    QFETCH(int, control);
    QFETCH(QString, shown);
    QFETCH(int, after);
    QFETCH(int, line);
    QFETCH(QString, reportLine);
    CE2prom image;
    Fill(image, {{address, stored}});
    auto dialog = Open(command, image);
    if (control != 0)
        QCOMPARE(dialog->Binding(control)->ShownText(), shown);
    const QStringList lines = dialog->SectionLines();
    QCOMPARE(lines.size(), lineCount + 1);
    QCOMPARE(lines[0], QString::fromLatin1(title));
    QCOMPARE(lines[line], reportLine);
    dialog->show();
    Press(*dialog, IDOK);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    dialog->Commit();
    QCOMPARE(int(image.GetByte(address)), after);
}

} // namespace

class TestDialogTables : public QObject {
    Q_OBJECT
private slots:
    void radioInterface_data();
    void radioInterface() { RunRow(ID_RADIO_INTERFACE, "Radio Interface", 5); }
    void repeater_data();
    void repeater() { RunRow(ID_REPEATER_OPERATION, "Repeater operation", 6); }
    void lineInterface_data();
    void lineInterface() { RunRow(ID_LINE_INTERFACE, "Line interface", 8); }
    void lineOperation_data();
    void lineOperation() { RunRow(ID_LINE_OPERATION, "Line operation", 6); }
    void trcSetup_data();
    void trcSetup() { RunRow(ID_TRC_SETUP, "TRC Setup", 16); }
    void radioInterfaceChecksInOrder();
    void repeaterReadOnly();
    void plActionRadios_data();
    void plActionRadios();
    void cancelStoresNothing();
};

void TestDialogTables::radioInterface_data() {
    AddColumns();
    Row("tone system 0", 24, 0, 1107, "ZVEI1", 1, 3, "Tone system", "ZVEI1");
    Row("channel 0", 23, 0, 1142, "1", 1, 5, "Start up channel", "1");
    Row("from radio 236", 28, 236, 2014, "-20", 236, 1, "Fine tune level from radio", "-20");
    Row("to radio 30", 29, 30, 1165, "30", 30, 2, "Fine tune level to radio", "30");
    Row("type GM350 RPT", 21, 5, 1143, "GM350 RPT", 5, 4, "Radio type", "GM350 RPT");
    Row("type 18", 21, 18, 1143, "GM300 SIMPLEX", 0, 4, "Radio type", "GM300 SIMPLEX");
    // Not in the report: the line checked is another one.
    Row("single channel", 22, 1, 1174, "YES", 1, 5, "Start up channel", "1");
}

void TestDialogTables::repeater_data() {
    AddColumns();
    Row("hang 100", 30, 100, 1113, "DISABLED", 0, 1, "Repeater hang time (s)", "DISABLED");
    Row("block 15", 31, 15, 1115, "15", 15, 2, "Repeater block time (s)", "15");
    Row("time-out 240", 32, 240, 1134, "240", 240, 3, "Repeater TX max time (s)", "240");
    Row("knock-down 30", 33, 30, 1135, "30", 30, 4, "Repeater mode max time (min)", "30");
    Row("type 2", 27, 2, 1179, "Repeater type 2", 2, 5, "Repeater type", "Repeater type 2");
    Row("beeps", 26, 1, 1139, "YES", 1, 6, "Confidence beeps", "YES");
}

void TestDialogTables::lineInterface_data() {
    AddColumns();
    Row("two wire", 37, 0, 1121, "YES", 0, 1, "Line connection", "Two wire");
    Row("four wire", 37, 1, 1122, "YES", 1, 1, "Line connection", "Four wire");
    Row("wire byte 5", 37, 5, 1121, "NO", 5, 1, "Line connection", "Four wire");
    Row("pl 1", 36, 1, 0, "", 1, 2, "PL tone detect action", "RX AUDIO INHIBIT");
    Row("pl 7", 36, 7, 0, "", 0, 2, "PL tone detect action", "OFF");
    Row("to line 0", 42, 0, 2014, "0", 0, 3, "Nominal level to line (dBm)", "0");
    Row("to line 250", 42, 250, 2014, "-6", 250, 3, "Nominal level to line (dBm)", "-6");
    Row("from line 250", 41, 250, 1126, "-6", 250, 4, "Nominal level from line (dBm)", "-6");
    Row("centro plus", 40, 1, 1146, "ENABLED", 1, 5, "Centro Plus", "ENABLED");
    Row("gain auto", 38, 255, 2017, "AUTO", 255, 6, "Gain (dB)", "AUTO");
    Row("equalizer 9", 39, 9, 2019, "9", 9, 7, "Equalizer (dB)", "9");
    Row("trc to line 7", 35, 7, 1166, "NO", 0, 8, "TRC to line", "NO");
}

void TestDialogTables::lineOperation_data() {
    AddColumns();
    Row("tone none", 44, 255, 1128, "NONE", 255, 1, "TRC tone", "NONE");
    Row("tone 0", 44, 0, 1128, "F1 2050", 1, 1, "TRC tone", "F1 2050");
    Row("ack delay 0x8D", 45, 0x8D, 1125, "130", 0x8D, 2, "Wait for ack time (ms)", "130");
    Row("tone ack", 43, 1, 1173, "YES", 1, 3, "Tone ack on TRC commands", "YES");
    Row("line fail 0xFF", 46, 0xFF, 1122, "1270", 0xFF, 4, "Line fail check period (s)", "1270");
    Row("ptt max 241", 47, 241, 1123, "DISABLED", 0, 5, "PTT max time (s)", "DISABLED");
    Row("ptt block 15", 48, 15, 1124, "15", 15, 6, "PTT block time (s)", "15");
}

void TestDialogTables::trcSetup_data() {
    AddColumns();
    Row("F1 set up", 164, 2, 1012, "RPT SET UP", 2, 1, "F1 2050 Hz", "RPT SET UP");
    Row("F8 on 1107", 171, 17, 1107, "LINE TEST", 17, 8, "F8 1350 Hz", "LINE TEST");
    Row("F15 18", 178, 18, 1114, "NULL", 0, 15, "F15 650 Hz", "NULL");
    Row("guard 4", 34, 4, 1115, "2100", 0, 16, "Guard tone", "2100");
}

// OK stops at the first refusal and gives its control the focus: the level to the radio,
// the radio type, the level from the radio, the start-up channel, the tone system.
void TestDialogTables::radioInterfaceChecksInOrder() {
    CRecordingMessages messages;
    CE2prom image;
    auto dialog = Open(ID_RADIO_INTERFACE, image);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    const int order[] = {1163, 1143, 2015, 1141, 1107};
    QStringList before;
    for (const int id : order) {
        before << TextOf(*dialog, id);
        if (auto* combo = qobject_cast<QComboBox*>(dialog->Control(id)))
            combo->setEditText(QStringLiteral("x"));
        else
            Type(*dialog, id, QStringLiteral("x"));
    }
    for (std::size_t i = 0; i < std::size(order); ++i) {
        Press(*dialog, IDOK);
        QVERIFY2(dialog->Control(order[i])->hasFocus(), qPrintable(QString::number(order[i])));
        if (auto* combo = qobject_cast<QComboBox*>(dialog->Control(order[i])))
            combo->setEditText(before[int(i)]);
        else
            Type(*dialog, order[i], before[int(i)]);
    }
    QCOMPARE(messages.boxes.size(), 5);
    Press(*dialog, IDOK);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

// A simplex radio: the timers, their labels, the type and the group box are locked and
// nothing steps them; only the confidence beeps change. Commit stores the rest as loaded
// (an out-of-list hang time as the list's first value).
void TestDialogTables::repeaterReadOnly() {
    CE2prom image;
    Fill(image, {{30, 100}, {31, 5}, {32, 20}, {33, 7}, {27, 2}, {26, 0}});
    CRepeaterDlg dialog(&image, true);
    dialog.show();
    for (const int id : {1168, 1167, 1169, 1170, 1113, 1115, 1134, 1135, 1180, 1179, 1171})
        QVERIFY2(!dialog.Control(id)->isEnabled(), qPrintable(QString::number(id)));
    for (const int id : {1112, 1114, 1131, 1132})
        QVERIFY(Edit(dialog, id)->isReadOnly() && Edit(dialog, id)->isEnabled());
    QVERIFY(dialog.Control(1139)->isEnabled());

    QTest::keyClick(Edit(dialog, 1114), Qt::Key_Up);
    QTest::keyClicks(Edit(dialog, 1131), QStringLiteral("4"));
    QCOMPARE(TextOf(dialog, 1114), QStringLiteral("5"));
    QCOMPARE(TextOf(dialog, 1131), QStringLiteral("20"));
    qobject_cast<QCheckBox*>(dialog.Control(1139))->click();
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.Commit();
    // Addresses 26 to 33: beeps, type, two untouched bytes, hang, block, time-out, knock-down.
    QCOMPARE(image.Bytes().mid(26, 8), QByteArray::fromHex("0102000000051407"));
}

void TestDialogTables::plActionRadios_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("checked");
    QTest::addColumn<int>("click"); // 0: none
    QTest::addColumn<int>("after");
    QTest::newRow("7 shows off") << 7 << 1123 << 0 << 0;
    QTest::newRow("inhibit to off") << 1 << 1124 << 1123 << 0;
    QTest::newRow("off to guard tone") << 0 << 1123 << 1218 << 2;
}

// The windowless binding checks exactly the radio of its value and takes the clicked one
// at OK.
void TestDialogTables::plActionRadios() {
    QFETCH(int, stored);
    QFETCH(int, checked);
    QFETCH(int, click);
    QFETCH(int, after);
    CE2prom image;
    Fill(image, {{36, stored}});
    CLineInterfaceDlg dialog(&image);
    for (const int id : {1123, 1124, 1218})
        QCOMPARE(qobject_cast<QRadioButton*>(dialog.Control(id))->isChecked(), id == checked);
    if (click != 0)
        qobject_cast<QRadioButton*>(dialog.Control(click))->click();
    dialog.show();
    Press(dialog, IDOK);
    dialog.Commit();
    QCOMPARE(int(image.GetByte(36)), after);
}

void TestDialogTables::cancelStoresNothing() {
    CE2prom image;
    Fill(image, {{36, 1}, {37, 1}, {41, 250}});
    const QByteArray before = image.Bytes();
    CLineInterfaceDlg dialog(&image);
    dialog.show();
    qobject_cast<QRadioButton*>(dialog.Control(1121))->click();
    qobject_cast<QRadioButton*>(dialog.Control(1218))->click();
    QTest::keyClick(Edit(dialog, 1125), Qt::Key_Up);
    Press(dialog, IDCANCEL);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(image.Bytes(), before);
    QVERIFY(!image.IsModified());
}

QTEST_MAIN(TestDialogTables)
#include "tst_dialogtables.moc"
