// The Radio interface, Repeater operation, Line interface, Line operation and TRC setup
// dialogs as the user meets them. One table per dialog: a stored byte, what its control
// shows, the byte OK and Commit store, and its report line. Then the repeater's read-only
// mode, the line interface's radio groups, typed values at OK, Cancel, and each report
// section on a fresh image. The list rules themselves are the bindings' tests.
#include "DialogFixture.h"

#include "controls/CCtrlBinding.h"
#include "controls/CStandardSpinner.h"
#include "dialogs/CLineInterfaceDlg.h"
#include "dialogs/CRepeaterDlg.h"
#include "dialogs/SetupDialogFactory.h"
#include "tests/common/CRecordingMessages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>
#include <memory>

namespace {

void AddColumns() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("control"); // the binding whose shown text is checked; 0 for none
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("after"); // the byte after OK and Commit
    QTest::addColumn<QString>("reportLine");
}

void Row(const char* name, int address, int stored, int control, const char* shown, int after,
         const char* label, const char* value) {
    QTest::newRow(name) << address << stored << control << QString::fromLatin1(shown) << after
                        << Padded(label, value);
}

std::unique_ptr<CTemplateDialog> Open(int command, CE2prom& image, bool readOnly = false) {
    std::unique_ptr<CSetupDialog> dialog = CreateSetupDialog(command, &image, readOnly);
    return std::unique_ptr<CTemplateDialog>(static_cast<CTemplateDialog*>(dialog.release()));
}

void RunRow(int command) {
    QFETCH(int, address);
    QFETCH(int, stored);
    QFETCH(int, control);
    QFETCH(QString, shown);
    QFETCH(int, after);
    QFETCH(QString, reportLine);
    CE2prom image;
    Fill(image, {{address, stored}});
    auto dialog = Open(command, image);
    if (control != 0)
        QCOMPARE(dialog->Binding(control)->ShownText(), shown);
    QVERIFY2(dialog->SectionLines().contains(reportLine),
             qPrintable(dialog->SectionLines().join('\n')));
    dialog->show();
    Press(*dialog, IDOK);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    dialog->Commit();
    QCOMPARE(int(image.GetByte(address)), after);
}

const QString SPINNER_MESSAGE = QStringLiteral("A spinner does not contain a valid value!");

} // namespace

class TestDialogTables : public QObject {
    Q_OBJECT
private slots:
    void radioInterface_data();
    void radioInterface() { RunRow(ID_RADIO_INTERFACE); }
    void repeater_data();
    void repeater() { RunRow(ID_REPEATER_OPERATION); }
    void lineInterface_data();
    void lineInterface() { RunRow(ID_LINE_INTERFACE); }
    void lineOperation_data();
    void lineOperation() { RunRow(ID_LINE_OPERATION); }
    void trcSetup_data();
    void trcSetup() { RunRow(ID_TRC_SETUP); }
    void typedAtOK_data();
    void typedAtOK();
    void repeaterReadOnly();
    void lineConnectionRadios();
    void plActionRadios_data();
    void plActionRadios();
    void cancelStoresNothing();
    void freshReports_data();
    void freshReports();
};

void TestDialogTables::radioInterface_data() {
    AddColumns();
    Row("tone system 0", 24, 0, 1107, "ZVEI1", 1, "Tone system", "ZVEI1");
    Row("tone system 5", 24, 5, 1107, "CCIR 70", 5, "Tone system", "CCIR 70");
    Row("channel 0", 23, 0, 1142, "1", 1, "Start up channel", "1");
    Row("channel 8", 23, 8, 1142, "8", 8, "Start up channel", "8");
    Row("from radio 236", 28, 236, 2014, "-20", 236, "Fine tune level from radio", "-20");
    Row("to radio 30", 29, 30, 1165, "30", 30, "Fine tune level to radio", "30");
    Row("type GM350 RPT", 21, 5, 1143, "GM350 RPT", 5, "Radio type", "GM350 RPT");
    Row("type 13", 21, 13, 1143, "GM950 SEMI DUPLEX, SBEP, NO PTT UPDATE", 13, "Radio type",
        "GM950 SEMI DUPLEX, SBEP, NO PTT UPDATE");
    Row("type 18", 21, 18, 1143, "GM300 SIMPLEX", 0, "Radio type", "GM300 SIMPLEX");
    // Not printed: the report line checked is another one.
    Row("single channel", 22, 1, 1174, "YES", 1, "Start up channel", "1");
}

void TestDialogTables::repeater_data() {
    AddColumns();
    Row("hang 17", 30, 17, 1113, "17", 17, "Repeater hang time (s)", "17");
    Row("hang 100", 30, 100, 1113, "DISABLED", 0, "Repeater hang time (s)", "DISABLED");
    Row("block 15", 31, 15, 1115, "15", 15, "Repeater block time (s)", "15");
    Row("time-out 240", 32, 240, 1134, "240", 240, "Repeater TX max time (s)", "240");
    Row("time-out 241", 32, 241, 1134, "DISABLED", 0, "Repeater TX max time (s)", "DISABLED");
    Row("knock-down 30", 33, 30, 1135, "30", 30, "Repeater mode max time (min)", "30");
    Row("type 2", 27, 2, 1179, "Repeater type 2", 2, "Repeater type", "Repeater type 2");
    Row("type 3", 27, 3, 1179, "Repeater unconditional", 0, "Repeater type",
        "Repeater unconditional");
    Row("beeps", 26, 1, 1139, "YES", 1, "Confidence beeps", "YES");
}

void TestDialogTables::lineInterface_data() {
    AddColumns();
    Row("two wire", 37, 0, 1121, "YES", 0, "Line connection", "Two wire");
    Row("four wire", 37, 1, 1122, "YES", 1, "Line connection", "Four wire");
    Row("wire byte 5", 37, 5, 1121, "NO", 5, "Line connection", "Four wire");
    Row("pl 1", 36, 1, 0, "", 1, "PL tone detect action", "RX AUDIO INHIBIT");
    Row("pl 7", 36, 7, 0, "", 0, "PL tone detect action", "OFF");
    Row("to line 0", 42, 0, 2014, "0", 0, "Nominal level to line (dBm)", "0");
    Row("from line 250", 41, 250, 1126, "-6", 250, "Nominal level from line (dBm)", "-6");
    Row("from line 100", 41, 100, 1126, "-13", 243, "Nominal level from line (dBm)", "-13");
    Row("gain auto", 38, 255, 2017, "AUTO", 255, "Gain (dB)", "AUTO");
    Row("equalizer 9", 39, 9, 2019, "9", 9, "Equalizer (dB)", "9");
    Row("centro plus", 40, 1, 1146, "ENABLED", 1, "Centro Plus", "ENABLED");
    Row("trc to line 7", 35, 7, 1166, "NO", 0, "TRC to line", "NO");
}

void TestDialogTables::lineOperation_data() {
    AddColumns();
    Row("tone none", 44, 255, 1128, "NONE", 255, "TRC tone", "NONE");
    Row("tone F12", 44, 12, 1128, "F12  950", 12, "TRC tone", "F12  950");
    Row("tone 0", 44, 0, 1128, "F1 2050", 1, "TRC tone", "F1 2050");
    Row("ack delay 0x8D", 45, 0x8D, 1125, "130", 0x8D, "Wait for ack time (ms)", "130");
    Row("line fail 0xFF", 46, 0xFF, 1122, "1270", 0xFF, "Line fail check period (s)", "1270");
    Row("line fail 0", 46, 0, 1122, "DISABLED", 0, "Line fail check period (s)", "DISABLED");
    Row("ptt max 241", 47, 241, 1123, "DISABLED", 0, "PTT max time (s)", "DISABLED");
    Row("ptt block 15", 48, 15, 1124, "15", 15, "PTT block time (s)", "15");
    Row("tone ack", 43, 1, 1173, "YES", 1, "Tone ack on TRC commands", "YES");
}

void TestDialogTables::trcSetup_data() {
    AddColumns();
    Row("F1 set up", 164, 2, 1012, "RPT SET UP", 2, "F1 2050 Hz", "RPT SET UP");
    Row("F8 on 1107", 171, 17, 1107, "LINE TEST", 17, "F8 1350 Hz", "LINE TEST");
    Row("F15 18", 178, 18, 1114, "NULL", 0, "F15 650 Hz", "NULL");
    Row("guard 3", 34, 3, 1115, "3250", 3, "Guard tone", "3250");
    Row("guard 4", 34, 4, 1115, "2100", 0, "Guard tone", "2100");
}

void TestDialogTables::typedAtOK_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("stored"); // -1: refused
    QTest::newRow("channel 9") << int(ID_RADIO_INTERFACE) << 1141 << "9" << 23 << -1;
    QTest::newRow("channel 8") << int(ID_RADIO_INTERFACE) << 1141 << "8" << 23 << 8;
    QTest::newRow("knock-down 31") << int(ID_REPEATER_OPERATION) << 1132 << "31" << 33 << -1;
    QTest::newRow("knock-down 30") << int(ID_REPEATER_OPERATION) << 1132 << "30" << 33 << 30;
    QTest::newRow("gain 21") << int(ID_LINE_INTERFACE) << 2016 << "21" << 38 << -1;
    QTest::newRow("equalizer auto") << int(ID_LINE_INTERFACE) << 2018 << "AUTO" << 39 << 255;
    QTest::newRow("ack delay 1270") << int(ID_LINE_OPERATION) << 2018 << "1270" << 45 << 0xFF;
    QTest::newRow("ack delay 128") << int(ID_LINE_OPERATION) << 2018 << "128" << 45 << -1;
}

void TestDialogTables::typedAtOK() {
    QFETCH(int, command);
    QFETCH(int, edit);
    QFETCH(QString, typed);
    QFETCH(int, address);
    QFETCH(int, stored);
    CRecordingMessages messages;
    CE2prom image;
    Fill(image, {{address, 1}});
    auto dialog = Open(command, image);
    dialog->show();
    Type(*dialog, edit, typed);
    Press(*dialog, IDOK);
    QCOMPARE(dialog->isVisible(), stored < 0);
    if (stored < 0) {
        QCOMPARE(messages.boxes.size(), 1);
        QCOMPARE(messages.boxes[0].text, SPINNER_MESSAGE);
        return;
    }
    dialog->Commit();
    QCOMPARE(int(image.GetByte(address)), stored);
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

// A byte other than 0 and 1 checks neither radio; OK without a choice leaves it; a chosen
// radio stores its value.
void TestDialogTables::lineConnectionRadios() {
    CE2prom image;
    Fill(image, {{37, 5}});
    for (const int choice : {0, 1122, 1121}) {
        CLineInterfaceDlg dialog(&image);
        const auto radio = [&](int id) { return qobject_cast<QRadioButton*>(dialog.Control(id)); };
        if (choice == 0)
            QVERIFY(!radio(1121)->isChecked() && !radio(1122)->isChecked());
        else
            radio(choice)->click();
        dialog.show();
        Press(dialog, IDOK);
        dialog.Commit();
        QCOMPARE(int(image.GetByte(37)), choice == 0 ? 5 : choice == 1121 ? 0 : 1);
    }
}

void TestDialogTables::plActionRadios_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("checked");
    QTest::addColumn<int>("click"); // 0: none
    QTest::addColumn<int>("after");
    QTest::newRow("guard tone") << 2 << 1218 << 0 << 2;
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

void TestDialogTables::freshReports_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("radio interface") << int(ID_RADIO_INTERFACE)
                                     << QStringList{"Radio Interface",
                                                    Padded("Fine tune level from radio", "0"),
                                                    Padded("Fine tune level to radio", "0"),
                                                    Padded("Tone system", "ZVEI1"),
                                                    Padded("Radio type", "GM300 SIMPLEX"),
                                                    Padded("Start up channel", "1")};
    QTest::newRow("repeater") << int(ID_REPEATER_OPERATION)
                              << QStringList{"Repeater operation",
                                             Padded("Repeater hang time (s)", "DISABLED"),
                                             Padded("Repeater block time (s)", "DISABLED"),
                                             Padded("Repeater TX max time (s)", "DISABLED"),
                                             Padded("Repeater mode max time (min)", "DISABLED"),
                                             Padded("Repeater type", "Repeater unconditional"),
                                             Padded("Confidence beeps", "NO")};
    QTest::newRow("line interface") << int(ID_LINE_INTERFACE)
                                    << QStringList{"Line interface",
                                                   Padded("Line connection", "Two wire"),
                                                   Padded("PL tone detect action", "OFF"),
                                                   Padded("Nominal level to line (dBm)", "0"),
                                                   Padded("Nominal level from line (dBm)", "0"),
                                                   Padded("Centro Plus", "DISABLED"),
                                                   Padded("Gain (dB)", "0"),
                                                   Padded("Equalizer (dB)", "0"),
                                                   Padded("TRC to line", "NO")};
    QTest::newRow("line operation") << int(ID_LINE_OPERATION)
                                    << QStringList{"Line operation",
                                                   Padded("TRC tone", "F1 2050"),
                                                   Padded("Wait for ack time (ms)", "DISABLED"),
                                                   Padded("Tone ack on TRC commands", "NO"),
                                                   Padded("Line fail check period (s)", "DISABLED"),
                                                   Padded("PTT max time (s)", "DISABLED"),
                                                   Padded("PTT block time (s)", "DISABLED")};
    QStringList trc{"TRC Setup"};
    for (const char* tone : {"F1 2050 Hz", "F2 1950 Hz", "F3 1850 Hz", "F4 1750 Hz", "F5 1650 Hz",
                             "F6 1550 Hz", "F7 1450 Hz", "F8 1350 Hz", "F9 1250 Hz", "F10 1150 Hz",
                             "F11 1050 Hz", "F12 950 Hz", "F13 850 Hz", "F14 750 Hz", "F15 650 Hz"})
        trc << Padded(tone, "NULL");
    QTest::newRow("trc setup") << int(ID_TRC_SETUP) << (trc << Padded("Guard tone", "2100"));
}

void TestDialogTables::freshReports() {
    QFETCH(int, command);
    QFETCH(QStringList, lines);
    CE2prom image;
    QCOMPARE(Open(command, image)->SectionLines(), lines);
}

QTEST_MAIN(TestDialogTables)
#include "tst_dialogtables.moc"
