// The binding widgets over their logic: arrows, keys and typing in a spinner's buddy,
// typed text in a combo box, check box clicks and the radio button's state at OK.
#include "ListFixture.h"

#include "gui/controls/CCheckBox.h"
#include "gui/controls/CGenCombo.h"
#include "gui/controls/CGenDigit.h"
#include "gui/controls/CRadioButton.h"
#include "gui/controls/CSpinner10.h"
#include "gui/controls/CWordSpinner.h"
#include "tests/common/CRecordingMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

class TestBindings : public QObject {
    Q_OBJECT
private slots:
    void spinnerArrowsAndKeys();
    void spinnerHeldArrowAccelerates();
    void spinnerTypedValueIsValidatedAndStored();
    void spinnerRefusesAndKeepsText();
    void spinnerWithoutArrowKeys();
    void spinnerLockedDoesNotStep_data();
    void spinnerLockedDoesNotStep();
    void spinner10ShowsLongTimes();
    void wordSpinnerStoresWord();
    void comboTypedTextSelectsOnLeaving();
    void comboPickedRow();
    void checkBoxFollowsClicks();
    void radioButtonTakesStateAtSave();
    void digitReadsOnLeaving();
};

void TestBindings::spinnerArrowsAndKeys() {
    CE2prom image;
    Fill(image, TEST_ADDRESS, 29);
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CStandardSpinner(TEST_CONTROL, "CStandardSpinner", &dialog);
    spinner->resize(16, 22);
    spinner->SetBuddy(edit);
    spinner->Attach(&image, ListTable(HANG_TIME_LIST));
    QCOMPARE(edit->text(), QStringLiteral("29"));

    QTest::mouseClick(spinner->UpArrow(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("30"));
    QTest::mouseClick(spinner->UpArrow(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("30"));
    QTest::mouseClick(spinner->DownArrow(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("29"));
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(edit->text(), QStringLiteral("28"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("29"));
    QVERIFY(!image.IsModified()); // stepping never writes the image
}

// Held for 2.5 s, an arrow steps every 100 ms for the first second and much faster after
// it: about 7 + 75 steps, against 22 without speeding up.
void TestBindings::spinnerHeldArrowAccelerates() {
    CE2prom image;
    Fill(image, TEST_ADDRESS, 1);
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CStandardSpinner(TEST_CONTROL, "CStandardSpinner", &dialog);
    spinner->resize(16, 22);
    spinner->SetBuddy(edit);
    spinner->Attach(&image, ListTable(OPTIONS_LIST)); // 1 to 99
    dialog.show();
    QTest::mousePress(spinner->UpArrow(), Qt::LeftButton);
    QTest::qWait(2500);
    QTest::mouseRelease(spinner->UpArrow(), Qt::LeftButton);
    const int value = edit->text().toInt();
    QVERIFY2(value > 40, qPrintable(edit->text()));
    QCOMPARE(spinner->UpArrow()->autoRepeatInterval(), CStandardSpinner::REPEAT_MS);
}

void TestBindings::spinnerTypedValueIsValidatedAndStored() {
    CRecordingMessages messages;
    CE2prom image;
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CStandardSpinner(TEST_CONTROL, "CStandardSpinner", &dialog);
    spinner->SetBuddy(edit);
    spinner->Attach(&image, ListTable(OPTIONS_LIST));
    QCOMPARE(edit->text(), QStringLiteral("DISABLED"));

    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("17"));
    QTest::keyClick(edit, Qt::Key_Up); // the step starts from the typed value
    QCOMPARE(edit->text(), QStringLiteral("18"));
    edit->setText(QStringLiteral("9x9"));
    QVERIFY(spinner->Validate());
    QCOMPARE(edit->text(), QStringLiteral("9"));
    spinner->SaveData();
    QVERIFY(!image.IsModified());
    spinner->Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 9);
    QCOMPARE(messages.boxes.size(), 0);
}

void TestBindings::spinnerRefusesAndKeepsText() {
    CRecordingMessages messages;
    CE2prom image;
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CStandardSpinner(TEST_CONTROL, "CStandardSpinner", &dialog);
    spinner->SetBuddy(edit);
    spinner->Attach(&image, ListTable(OPTIONS_LIST));
    edit->setText(QStringLiteral("100"));
    QVERIFY(!spinner->Validate());
    QCOMPARE(edit->text(), QStringLiteral("100"));
    QCOMPARE(messages.boxes.size(), 1);
    edit->clear();
    QVERIFY(!spinner->Validate());
    QCOMPARE(messages.boxes.size(), 2);
}

void TestBindings::spinnerWithoutArrowKeys() {
    CE2prom image;
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CStandardSpinner(TEST_CONTROL, "CStandardSpinner", &dialog);
    spinner->SetBuddy(edit, false);
    spinner->Attach(&image, ListTable(HANG_TIME_LIST));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), QStringLiteral("DISABLED"));
    spinner->Step(1);
    QCOMPARE(edit->text(), QStringLiteral("1"));
}

void TestBindings::spinnerLockedDoesNotStep_data() {
    QTest::addColumn<QString>("lock");
    QTest::addColumn<QStringList>("texts"); // after an arrow click, the Up key, a wheel notch
    QTest::newRow("free") << "" << QStringList{"1", "2", "3"};
    const QStringList unchanged{"DISABLED", "DISABLED", "DISABLED"};
    QTest::newRow("up-down disabled") << "disabled" << unchanged;
    QTest::newRow("edit read-only") << "read-only" << unchanged;
    QTest::newRow("edit disabled") << "edit disabled" << unchanged;
}

// A locked spinner must not step: Commit would store a value the user could not change.
void TestBindings::spinnerLockedDoesNotStep() {
    QFETCH(QString, lock);
    QFETCH(QStringList, texts);
    CE2prom image;
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CStandardSpinner(TEST_CONTROL, "CStandardSpinner", &dialog);
    spinner->resize(16, 22);
    spinner->SetBuddy(edit);
    spinner->Attach(&image, ListTable(HANG_TIME_LIST));
    spinner->setEnabled(lock != "disabled");
    edit->setReadOnly(lock == "read-only");
    edit->setEnabled(lock != "edit disabled");

    QTest::mouseClick(spinner->UpArrow(), Qt::LeftButton);
    QCOMPARE(edit->text(), texts[0]);
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(edit->text(), texts[1]);
    QWheelEvent notch(QPointF(4, 4), spinner->mapToGlobal(QPointF(4, 4)), QPoint(),
                      QPoint(0, QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(spinner, &notch);
    QCOMPARE(edit->text(), texts[2]);
}

void TestBindings::spinner10ShowsLongTimes() {
    CE2prom image;
    image.SetByte(TEST_ADDRESS, 0xFF);
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CSpinner10(TEST_CONTROL, &dialog);
    spinner->SetBuddy(edit);
    spinner->Attach(&image, ListTable(LINE_LONG_TIME_LIST));
    QCOMPARE(edit->text(), QStringLiteral("1270"));
    QCOMPARE(QByteArray(spinner->Logic().ObjectName()), QByteArray("CSpinner10"));
    spinner->Step(-1);
    spinner->Step(-1);
    QCOMPARE(edit->text(), QStringLiteral("1250"));
    QVERIFY(spinner->Validate());
    spinner->SaveData();
    spinner->Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 0x80 | 125);
}

void TestBindings::wordSpinnerStoresWord() {
    CE2prom image;
    image.SetWord(TEST_ADDRESS, 1200);
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* spinner = new CWordSpinner(TEST_CONTROL, &dialog);
    spinner->SetBuddy(edit);
    spinner->Attach(&image, ListTable(SINGLE_TONE_LIST));
    QCOMPARE(QByteArray(spinner->Logic().ObjectName()), QByteArray("CStandardSpinner"));
    spinner->Step(1);
    QCOMPARE(edit->text(), QStringLiteral("1201"));
    QVERIFY(spinner->Validate());
    spinner->SaveData();
    spinner->Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 0x04);
    QCOMPARE(int(image.GetByte(TEST_ADDRESS + 1)), 0xB1);
}

void TestBindings::comboTypedTextSelectsOnLeaving() {
    CRecordingMessages messages;
    CE2prom image;
    QWidget dialog;
    auto* combo = new CGenCombo(TEST_CONTROL, &dialog);
    auto* other = new QLineEdit(&dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    combo->Attach(&image, ListTable(COUNTRY_LIST));
    QCOMPARE(combo->count(), 10);
    QCOMPARE(combo->currentText(), QStringLiteral("SWEDEN"));

    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("spain"));
    other->setFocus();
    QCOMPARE(combo->currentIndex(), 4);
    QCOMPARE(combo->currentText(), QStringLiteral("SPAIN"));
    QVERIFY(combo->Validate());

    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("SPIAN"));
    other->setFocus();
    QCOMPARE(combo->currentIndex(), 4);
    QVERIFY(!combo->Validate());
    QCOMPARE(messages.boxes.size(), 1);
    combo->Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 4);
}

void TestBindings::comboPickedRow() {
    CE2prom image;
    QWidget dialog;
    auto* combo = new CGenCombo(TEST_CONTROL, &dialog);
    combo->Attach(&image, ListTable(TONE_SYSTEM_LIST));
    QCOMPARE(combo->ShownText(), QStringLiteral("ZVEI1"));
    combo->setCurrentIndex(3); // as the list does when the user picks a row
    QCOMPARE(combo->ComboLogic().Value(), 4);
    QCOMPARE(combo->ShownText(), QStringLiteral("CCIR"));
    combo->Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 4);
}

void TestBindings::checkBoxFollowsClicks() {
    CE2prom image;
    image.SetByte(TEST_ADDRESS, 7);
    QWidget dialog;
    auto* check = new CCheckBox(TEST_CONTROL, &dialog);
    check->resize(100, 20);
    check->Attach(&image, ListTable(FALSE_TRUE_LIST));
    QVERIFY(!check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 10));
    QVERIFY(check->isChecked());
    QCOMPARE(check->ShownText(), QStringLiteral("YES"));
    check->Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 1);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 10));
    check->Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 0);
}

void TestBindings::radioButtonTakesStateAtSave() {
    CE2prom image;
    image.SetByte(37, 1);
    const VARIABLE_STRUCT table[] = {
        {37, 1121, "_LINE_FOUR_WIRE", &WIRE_LIST[0]},
        {37, 1122, "_LINE_FOUR_WIRE", &WIRE_LIST[1]},
        {0, 0, "", nullptr},
    };
    QWidget dialog;
    auto* two = new CRadioButton(1121, &dialog);
    auto* four = new CRadioButton(1122, &dialog);
    two->Attach(&image, table);
    four->Attach(&image, table);
    QVERIFY(four->isChecked());
    two->setChecked(true); // siblings exclude each other
    QVERIFY(!four->isChecked());
    four->Store(); // four is no longer the chosen button: it writes nothing
    QCOMPARE(int(image.GetByte(37)), 1);
    two->SaveData();
    four->SaveData();
    two->Store();
    four->Store();
    QCOMPARE(int(image.GetByte(37)), 0);
}

void TestBindings::digitReadsOnLeaving() {
    CE2prom image;
    image.SetByte(36, 1);
    QWidget dialog;
    auto* digit = new CGenDigit(1123, &dialog);
    auto* other = new QLineEdit(&dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    digit->Attach(&image, LINE_INTERFACE_TABLE);
    QCOMPARE(digit->text(), QStringLiteral("1"));
    digit->setFocus();
    digit->selectAll();
    QTest::keyClicks(digit, QStringLiteral("2"));
    QCOMPARE(digit->DigitLogic().Value(), 1);
    other->setFocus();
    QCOMPARE(digit->DigitLogic().Value(), 2);
    digit->Store();
    QCOMPARE(int(image.GetByte(36)), 2);
}

QTEST_MAIN(TestBindings)
#include "tst_bindings.moc"
