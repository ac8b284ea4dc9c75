// The combo box, check box, radio button and digit logic: loading stored bytes, the
// user's choices, matching typed texts, the OK check, and what is stored back.
#include "ListFixture.h"

#include "core/lang/CTranslator.h"
#include "core/link/CError.h"
#include "core/settings/CCheckLogic.h"
#include "core/settings/CComboLogic.h"
#include "core/settings/CDigitLogic.h"
#include "core/settings/CRadioLogic.h"
#include "core/settings/Mnemonic.h"
#include "tests/common/CRecordingMessages.h"

#include <QtTest>

namespace {

// A check box list whose second entry is incomplete: the on value is entry 0's high.
const VALUE_STRUCT HALF_LIST[] = {
    {0, 5, 1, 1, "OFF"},
    {0, 0, 0, 1, ""},
    {0, 0, 0, 0, ""},
};

QString Tr(int language, const char* english) {
    return CTranslator().Translated(language, QString::fromLatin1(english));
}

} // namespace

class TestChoiceLogic : public QObject {
    Q_OBJECT
private slots:
    void comboLoad_data();
    void comboLoad();
    void comboRowsInEntryOrder();
    void comboPickRow();
    void comboTyped_data();
    void comboTyped();
    void comboTranslated();
    void checkLoad_data();
    void checkLoad();
    void checkClicks();
    void checkOnValueFromIncompleteList();
    void radioGroup();
    void radioGroupWithoutChoiceWritesNothing();
    void digit_data();
    void digit();
    void digitAttachEntryErrors();
    void withoutMnemonic_data();
    void withoutMnemonic();
};

void TestChoiceLogic::comboLoad_data() {
    QTest::addColumn<ListPtr>("list");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("storedBack");
    QTest::newRow("spain") << ListPtr(COUNTRY_LIST) << 4 << 4 << "SPAIN" << 4;
    QTest::newRow("country 12") << ListPtr(COUNTRY_LIST) << 12 << 0 << "SWEDEN" << 0;
    QTest::newRow("russia") << ListPtr(COUNTRY_LIST) << 9 << 9 << "RUSSIA" << 9;
    QTest::newRow("tone system 0") << ListPtr(TONE_SYSTEM_LIST) << 0 << 0 << "ZVEI1" << 1;
    QTest::newRow("ccir 70") << ListPtr(TONE_SYSTEM_LIST) << 5 << 4 << "CCIR 70" << 5;
    QTest::newRow("trc none") << ListPtr(TRC_TONE_LIST) << 255 << 15 << "NONE" << 255;
    QTest::newRow("trc f12") << ListPtr(TRC_TONE_LIST) << 12 << 11 << "F12  950" << 12;
    QTest::newRow("radio type 200") << ListPtr(RADIO_TYPE_LIST) << 200 << 0 << "GM300 SIMPLEX" << 0;
}

void TestChoiceLogic::comboLoad() {
    QFETCH(ListPtr, list);
    QFETCH(int, stored);
    QFETCH(int, row);
    QFETCH(QString, shown);
    QFETCH(int, storedBack);
    CE2prom image;
    image.SetByte(TEST_ADDRESS, std::uint8_t(stored));
    CComboLogic combo;
    combo.Attach(&image, ListTable(list), TEST_CONTROL);
    QCOMPARE(combo.CurrentRow(), row);
    QCOMPARE(combo.ShownText(), shown);
    combo.Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), storedBack);
}

void TestChoiceLogic::comboRowsInEntryOrder() {
    CE2prom image;
    CComboLogic combo;
    combo.Attach(&image, ListTable(COUNTRY_LIST), TEST_CONTROL);
    QCOMPARE(combo.Rows(),
             (QStringList{"SWEDEN", "FRANCE", "GERMANY", "GREAT_BRITAIN", "SPAIN", "PORTUGAL",
                          "ITALY", "NETHERLANDS", "SWITZERLAND", "RUSSIA"}));
}

void TestChoiceLogic::comboPickRow() {
    CE2prom image;
    CComboLogic combo;
    combo.Attach(&image, ListTable(TONE_SYSTEM_LIST), TEST_CONTROL);
    combo.SelectRow(5);
    QCOMPARE(combo.Value(), 6);
    QCOMPARE(combo.ShownText(), QStringLiteral("EEA"));
    combo.SelectRow(17); // no such row: nothing changes
    QCOMPARE(combo.Value(), 6);
    QVERIFY(!image.IsModified());
    combo.Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 6);
}

void TestChoiceLogic::comboTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matched");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("valid"); // the OK check on the typed text afterwards
    QTest::newRow("lower case") << "spain" << true << 4 << true;
    QTest::newRow("exact") << "ITALY" << true << 6 << true;
    QTest::newRow("misspelt") << "SPIAN" << false << 2 << false;
    QTest::newRow("empty") << "" << false << 2 << false;
    QTest::newRow("blank added") << "SPAIN " << false << 2 << false;
}

void TestChoiceLogic::comboTyped() {
    QFETCH(QString, typed);
    QFETCH(bool, matched);
    QFETCH(int, row);
    QFETCH(bool, valid);
    CRecordingMessages messages;
    CE2prom image;
    image.SetByte(TEST_ADDRESS, 2);
    CComboLogic combo;
    combo.Attach(&image, ListTable(COUNTRY_LIST), TEST_CONTROL);
    QCOMPARE(combo.MatchTyped(typed), matched);
    QCOMPARE(combo.CurrentRow(), row);
    QCOMPARE(combo.Validate(typed), valid);
    QCOMPARE(messages.boxes.size(), valid ? 0 : 1);
    if (!valid) {
        QCOMPARE(messages.boxes[0].text, QStringLiteral("A invalid value is set!"));
        QCOMPARE(messages.boxes[0].icon, MsgIcon::Stop);
    }
    combo.Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), row);
}

// In another language the rows are translated, and a typed translation is recognised.
void TestChoiceLogic::comboTranslated() {
    LanguageScope german(2);
    CRecordingMessages messages;
    CE2prom image;
    CComboLogic combo;
    combo.Attach(&image, ListTable(COUNTRY_LIST), TEST_CONTROL);
    QCOMPARE(combo.Rows().at(2), Tr(2, "GERMANY"));
    QVERIFY(combo.MatchTyped(Tr(2, "GERMANY").toLower()));
    QCOMPARE(combo.CurrentRow(), 2);
    QVERIFY(combo.Validate(Tr(2, "GERMANY")));
    QVERIFY(combo.Validate(Tr(2, "GERMANY").toLower()));
    QCOMPARE(messages.boxes.size(), 0);
}

void TestChoiceLogic::checkLoad_data() {
    QTest::addColumn<ListPtr>("list");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("storedBack");
    QTest::newRow("true") << ListPtr(FALSE_TRUE_LIST) << 1 << true << 1;
    QTest::newRow("false") << ListPtr(FALSE_TRUE_LIST) << 0 << false << 0;
    QTest::newRow("seven") << ListPtr(FALSE_TRUE_LIST) << 7 << false << 0;
    QTest::newRow("enabled") << ListPtr(ON_OFF_LIST) << 1 << true << 1;
    QTest::newRow("255") << ListPtr(ON_OFF_LIST) << 255 << false << 0;
}

void TestChoiceLogic::checkLoad() {
    QFETCH(ListPtr, list);
    QFETCH(int, stored);
    QFETCH(bool, checked);
    QFETCH(int, storedBack);
    CE2prom image;
    image.SetByte(TEST_ADDRESS, std::uint8_t(stored));
    CCheckLogic check;
    check.Attach(&image, ListTable(list), TEST_CONTROL);
    QCOMPARE(check.IsChecked(), checked);
    QCOMPARE(check.ShownText(), checked ? QStringLiteral("YES") : QStringLiteral("NO"));
    check.Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), storedBack);
}

void TestChoiceLogic::checkClicks() {
    CE2prom image;
    CCheckLogic check;
    check.Attach(&image, ListTable(FALSE_TRUE_LIST), TEST_CONTROL);
    check.SetChecked(true);
    check.Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 1);
    check.SetChecked(false);
    check.Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), 0);
    check.SetLanguage(1); // French
    check.SetChecked(true);
    QCOMPARE(check.ShownText(), Tr(1, "YES"));
}

void TestChoiceLogic::checkOnValueFromIncompleteList() {
    CE2prom image;
    image.SetByte(TEST_ADDRESS, 5);
    CCheckLogic check;
    check.Attach(&image, ListTable(HALF_LIST), TEST_CONTROL);
    QCOMPARE(check.OffValue(), 0);
    QCOMPARE(check.OnValue(), 5);
    QVERIFY(check.IsChecked());
}

// Two buttons share address 37 through one list entered at two entries.
void TestChoiceLogic::radioGroup() {
    CE2prom image;
    Fill(image, 37, 1);
    const VARIABLE_STRUCT table[] = {
        {37, 1121, "_LINE_FOUR_WIRE", &WIRE_LIST[0]},
        {37, 1122, "_LINE_FOUR_WIRE", &WIRE_LIST[1]},
        {0, 0, "", nullptr},
    };
    CRadioLogic two;
    CRadioLogic four;
    two.Attach(&image, table, 1121);
    four.Attach(&image, table, 1122);
    QCOMPARE(two.OwnValue(), 0);
    QCOMPARE(four.OwnValue(), 1);
    QVERIFY(!two.IsChecked());
    QVERIFY(four.IsChecked());
    two.SetChecked(true);
    four.SetChecked(false);
    four.Store();
    QVERIFY(!image.IsModified());
    two.Store();
    QCOMPARE(int(image.GetByte(37)), 0);
}

void TestChoiceLogic::radioGroupWithoutChoiceWritesNothing() {
    CE2prom image;
    image.SetByte(37, 9);
    const VARIABLE_STRUCT table[] = {
        {37, 1121, "_LINE_FOUR_WIRE", &WIRE_LIST[0]},
        {37, 1122, "_LINE_FOUR_WIRE", &WIRE_LIST[1]},
        {0, 0, "", nullptr},
    };
    CRadioLogic two;
    CRadioLogic four;
    two.Attach(&image, table, 1121);
    four.Attach(&image, table, 1122);
    QVERIFY(!two.IsChecked() && !four.IsChecked());
    two.Store();
    four.Store();
    QCOMPARE(int(image.GetByte(37)), 9);
}

void TestChoiceLogic::digit_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("read");
    QTest::newRow("3 is outside") << 3 << 0 << "1" << 1;
    QTest::newRow("2 is inside") << 2 << 2 << "2" << 2;
    QTest::newRow("typed outside") << 1 << 1 << "7" << 0;
    QTest::newRow("typed negative") << 1 << 1 << "-1" << 0;
    QTest::newRow("typed text") << 1 << 1 << "x" << 0;
    QTest::newRow("typed leading number") << 0 << 0 << "2 tones" << 2;
}

void TestChoiceLogic::digit() {
    QFETCH(int, stored);
    QFETCH(int, loaded);
    QFETCH(QString, typed);
    QFETCH(int, read);
    CE2prom image;
    image.SetByte(36, std::uint8_t(stored));
    CDigitLogic digit;
    digit.AttachEntry(&image, &LINE_INTERFACE_TABLE[0]);
    QCOMPARE(digit.Value(), loaded);
    QCOMPARE(digit.ShownText(), QString::number(loaded));
    QCOMPARE(digit.ReadShownValue(typed), read);
    digit.SetValue(digit.ReadShownValue(typed));
    digit.Store();
    QCOMPARE(int(image.GetByte(36)), read);
}

void TestChoiceLogic::digitAttachEntryErrors() {
    CE2prom image;
    CDigitLogic digit;
    const auto codeOf = [&](CE2prom* img, const VARIABLE_STRUCT* entry) {
        try {
            digit.AttachEntry(img, entry);
        } catch (const CCtrlErr& e) {
            return QByteArray(e.ObjectName()) == "CGenDigit" ? e.Code() : -2;
        }
        return -1;
    };
    QCOMPARE(codeOf(nullptr, &LINE_INTERFACE_TABLE[0]), 2);
    QCOMPARE(codeOf(&image, nullptr), 3);
    QCOMPARE(codeOf(&image, &LINE_INTERFACE_TABLE[0]), -1);
}

// Label and menu texts as screen readers and undo steps name them.
void TestChoiceLogic::withoutMnemonic_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("plain");
    QTest::newRow("mnemonic") << "Read &twice"
                              << "Read twice";
    QTest::newRow("doubled") << "Tx && Rx"
                             << "Tx & Rx";
    QTest::newRow("at the end") << "Level &"
                                << "Level &";
}

void TestChoiceLogic::withoutMnemonic() {
    QFETCH(QString, text);
    QFETCH(QString, plain);
    QCOMPARE(WithoutMnemonic(text), plain);
}

QTEST_APPLESS_MAIN(TestChoiceLogic)
#include "tst_choicelogic.moc"
