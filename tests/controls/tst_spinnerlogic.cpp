// The spinner logic against the unit's own value lists: what a stored value shows, how
// the arrows step, which typed texts OK accepts, and what is stored back.
#include "ListFixture.h"

#include "core/lang/CTranslator.h"
#include "core/link/CError.h"
#include "core/settings/CSpinnerLogic.h"
#include "tests/common/CRecordingMessages.h"

#include <QtTest>

Q_DECLARE_METATYPE(SpinnerForm)

namespace {

void Put(CE2prom& image, SpinnerForm form, int value) {
    if (form == SpinnerForm::Word)
        image.SetWord(TEST_ADDRESS, std::int16_t(value));
    else
        image.SetByte(TEST_ADDRESS, std::uint8_t(value));
}

int Get(const CE2prom& image, SpinnerForm form) {
    return form == SpinnerForm::Word ? image.GetWord(TEST_ADDRESS) : image.GetByte(TEST_ADDRESS);
}

// What OK does once the checks have passed: the edit's text into the exchange string.
void SaveAndStore(CSpinnerLogic& logic) {
    logic.SetExchangeString(logic.ShownText());
    logic.Store();
}

QString Fr(const char* english) {
    return CTranslator().Translated(1, QString::fromLatin1(english));
}

} // namespace

class TestSpinnerLogic : public QObject {
    Q_OBJECT
private slots:
    void load_data();
    void load();
    void step_data();
    void step();
    void validate_data();
    void validate();
    void failedValidationShowsMessageAndKeepsState();
    void translatedTexts();
    void longTimeStore_data();
    void longTimeStore();
    void attachErrorsNameTheBinding();
    void storeWithoutDigitsRaisesCode4();
};

void TestSpinnerLogic::load_data() {
    QTest::addColumn<ListPtr>("list");
    QTest::addColumn<SpinnerForm>("form");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("storedBack");

    const auto B = SpinnerForm::Byte;
    const auto L = SpinnerForm::LongTime;
    const auto W = SpinnerForm::Word;
    QTest::newRow("options 0") << ListPtr(OPTIONS_LIST) << B << 0 << "DISABLED" << 0;
    QTest::newRow("options 55") << ListPtr(OPTIONS_LIST) << B << 55 << "55" << 55;
    QTest::newRow("options 100 is no value")
        << ListPtr(OPTIONS_LIST) << B << 100 << "DISABLED" << 0;
    QTest::newRow("hang time 100") << ListPtr(HANG_TIME_LIST) << B << 100 << "DISABLED" << 0;
    QTest::newRow("tx time-out 241") << ListPtr(TX_MAX_TIME_LIST) << B << 241 << "DISABLED" << 0;
    QTest::newRow("fine tune 251") << ListPtr(FINE_TUNE_LIST) << B << 251 << "-5" << 251;
    QTest::newRow("fine tune 236") << ListPtr(FINE_TUNE_LIST) << B << 236 << "-20" << 236;
    QTest::newRow("fine tune 0") << ListPtr(FINE_TUNE_LIST) << B << 0 << "0" << 0;
    QTest::newRow("fine tune 100") << ListPtr(FINE_TUNE_LIST) << B << 100 << "-30" << 226;
    QTest::newRow("channel 0") << ListPtr(CHANNEL_LIST) << B << 0 << "1" << 1;
    QTest::newRow("channel 8") << ListPtr(CHANNEL_LIST) << B << 8 << "8" << 8;
    QTest::newRow("level 250") << ListPtr(LINE_LEVEL_LIST) << B << 250 << "-6" << 250;
    QTest::newRow("gain 255") << ListPtr(GAIN_LIST) << B << 255 << "AUTO" << 255;
    QTest::newRow("long 0x8D") << ListPtr(LINE_LONG_TIME_LIST) << L << 0x8D << "130" << 0x8D;
    QTest::newRow("long 0xFF") << ListPtr(LINE_LONG_TIME_LIST) << L << 0xFF << "1270" << 0xFF;
    QTest::newRow("long 127") << ListPtr(LINE_LONG_TIME_LIST) << L << 127 << "127" << 127;
    QTest::newRow("long 0") << ListPtr(LINE_LONG_TIME_LIST) << L << 0 << "DISABLED" << 0;
    QTest::newRow("long 0x80 is 0") << ListPtr(LINE_LONG_TIME_LIST) << L << 0x80 << "DISABLED" << 0;
    QTest::newRow("prolonged 0") << ListPtr(PROLONGED_LENGTH_LIST) << L << 0 << "0" << 0;
    QTest::newRow("prolonged 0x8D") << ListPtr(PROLONGED_LENGTH_LIST) << L << 0x8D << "130" << 0x8D;
    QTest::newRow("tone 0") << ListPtr(SINGLE_TONE_LIST) << W << 0 << "DEFAULT" << 0;
    QTest::newRow("tone 2800") << ListPtr(SINGLE_TONE_LIST) << W << 0x0AF0 << "2800" << 2800;
    QTest::newRow("tone 1200") << ListPtr(SINGLE_TONE_LIST) << W << 0x04B0 << "1200" << 1200;
    QTest::newRow("tone 3000") << ListPtr(SINGLE_TONE_LIST) << W << 0x0BB8 << "DEFAULT" << 0;
    QTest::newRow("tone 299") << ListPtr(SINGLE_TONE_LIST) << W << 299 << "DEFAULT" << 0;
    QTest::newRow("tone -1") << ListPtr(SINGLE_TONE_LIST) << W << -1 << "DEFAULT" << 0;
}

void TestSpinnerLogic::load() {
    QFETCH(ListPtr, list);
    QFETCH(SpinnerForm, form);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    QFETCH(int, storedBack);

    CE2prom image;
    Put(image, form, stored);
    CSpinnerLogic logic("CStandardSpinner", form);
    logic.Attach(&image, ListTable(list), TEST_CONTROL);
    QCOMPARE(logic.ShownText(), shown);
    SaveAndStore(logic);
    QCOMPARE(Get(image, form), storedBack);
}

void TestSpinnerLogic::step_data() {
    QTest::addColumn<ListPtr>("list");
    QTest::addColumn<SpinnerForm>("form");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("typed"); // replaces the shown text before the first step
    QTest::addColumn<QString>("steps"); // '+' up, '-' down
    QTest::addColumn<QStringList>("shown");

    const auto B = SpinnerForm::Byte;
    const auto L = SpinnerForm::LongTime;
    const auto W = SpinnerForm::Word;
    const QString none;
    QTest::newRow("hang up from disabled")
        << ListPtr(HANG_TIME_LIST) << B << 0 << none << "+++" << QStringList{"1", "2", "3"};
    QTest::newRow("hang up at 30")
        << ListPtr(HANG_TIME_LIST) << B << 29 << none << "++" << QStringList{"30", "30"};
    QTest::newRow("hang down to disabled") << ListPtr(HANG_TIME_LIST) << B << 2 << none << "---"
                                           << QStringList{"1", "DISABLED", "DISABLED"};
    QTest::newRow("tx up by two") << ListPtr(TX_MAX_TIME_LIST) << B << 0 << none << "++++"
                                  << QStringList{"1", "2", "4", "6"};
    QTest::newRow("tx top") << ListPtr(TX_MAX_TIME_LIST) << B << 238 << none << "++"
                            << QStringList{"240", "240"};
    QTest::newRow("tx down") << ListPtr(TX_MAX_TIME_LIST) << B << 4 << none << "---"
                             << QStringList{"2", "1", "DISABLED"};
    QTest::newRow("fine tune up") << ListPtr(FINE_TUNE_LIST) << B << 236 << none << "+"
                                  << QStringList{"-19"};
    QTest::newRow("fine tune through 0")
        << ListPtr(FINE_TUNE_LIST) << B << 255 << none << "++-" << QStringList{"0", "1", "0"};
    QTest::newRow("fine tune ends")
        << ListPtr(FINE_TUNE_LIST) << B << 30 << none << "+" << QStringList{"30"};
    QTest::newRow("fine tune bottom")
        << ListPtr(FINE_TUNE_LIST) << B << 226 << none << "-" << QStringList{"-30"};
    QTest::newRow("gain into auto")
        << ListPtr(GAIN_LIST) << B << 19 << none << "++-" << QStringList{"20", "AUTO", "20"};
    QTest::newRow("equalizer") << ListPtr(EQUALIZER_LIST) << B << 0 << none << "++++"
                               << QStringList{"3", "6", "9", "AUTO"};
    QTest::newRow("long across the gap")
        << ListPtr(LINE_LONG_TIME_LIST) << L << 126 << none << "++++--"
        << QStringList{"127", "130", "140", "150", "140", "130"};
    QTest::newRow("long down the gap")
        << ListPtr(LINE_LONG_TIME_LIST) << L << 130 << none << "-" << QStringList{"127"};
    QTest::newRow("long top") << ListPtr(LINE_LONG_TIME_LIST) << L << 1270 << none << "+"
                              << QStringList{"1270"};
    QTest::newRow("tone default up")
        << ListPtr(SINGLE_TONE_LIST) << W << 0 << none << "+-" << QStringList{"300", "DEFAULT"};
    QTest::newRow("tone 1200 up") << ListPtr(SINGLE_TONE_LIST) << W << 1200 << none << "+"
                                  << QStringList{"1201"};
    QTest::newRow("tone top") << ListPtr(SINGLE_TONE_LIST) << W << 2800 << none << "+"
                              << QStringList{"2800"};
    QTest::newRow("typed value is picked up") << ListPtr(HANG_TIME_LIST) << B << 0 << "17"
                                              << "+" << QStringList{"18"};
    QTest::newRow("typed above the range") << ListPtr(CHANNEL_LIST) << B << 3 << "9"
                                           << "+" << QStringList{"8"};
    QTest::newRow("typed rubbish") << ListPtr(OPTIONS_LIST) << B << 5 << "abc"
                                   << "+" << QStringList{"1"};
}

void TestSpinnerLogic::step() {
    QFETCH(ListPtr, list);
    QFETCH(SpinnerForm, form);
    QFETCH(int, stored);
    QFETCH(QString, typed);
    QFETCH(QString, steps);
    QFETCH(QStringList, shown);

    CE2prom image;
    Put(image, form, form == SpinnerForm::LongTime ? ValueToLongTime(stored) : stored);
    const QByteArray before = image.Bytes();
    CSpinnerLogic logic("CStandardSpinner", form);
    logic.Attach(&image, ListTable(list), TEST_CONTROL);
    QString text = typed.isNull() ? logic.ShownText() : typed;
    QStringList seen;
    for (const QChar c : steps) {
        text = logic.Step(text, c == u'+' ? 1 : -1);
        seen.append(text);
    }
    QCOMPARE(seen, shown);
    QCOMPARE(image.Bytes(), before); // stepping never writes the image
}

void TestSpinnerLogic::validate_data() {
    QTest::addColumn<ListPtr>("list");
    QTest::addColumn<SpinnerForm>("form");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("storedBack"); // after OK, when valid

    const auto B = SpinnerForm::Byte;
    const auto L = SpinnerForm::LongTime;
    const auto W = SpinnerForm::Word;
    QTest::newRow("hang 17") << ListPtr(HANG_TIME_LIST) << B << 0 << "17" << true << 17;
    QTest::newRow("hang 45") << ListPtr(HANG_TIME_LIST) << B << 0 << "45" << false << 0;
    QTest::newRow("hang typed DISABLED")
        << ListPtr(HANG_TIME_LIST) << B << 5 << "DISABLED" << true << 0;
    QTest::newRow("hang 0") << ListPtr(HANG_TIME_LIST) << B << 5 << "0" << true << 0;
    QTest::newRow("options 100") << ListPtr(OPTIONS_LIST) << B << 0 << "100" << false << 0;
    QTest::newRow("options 99") << ListPtr(OPTIONS_LIST) << B << 0 << "99" << true << 99;
    QTest::newRow("options unchanged") << ListPtr(OPTIONS_LIST) << B << 42 << "42" << true << 42;
    QTest::newRow("options leading blank") << ListPtr(OPTIONS_LIST) << B << 0 << " 7" << true << 7;
    QTest::newRow("options empty") << ListPtr(OPTIONS_LIST) << B << 3 << "" << false << 0;
    QTest::newRow("options mixed text") << ListPtr(OPTIONS_LIST) << B << 0 << "9x9" << true << 9;
    QTest::newRow("options misspelt") << ListPtr(OPTIONS_LIST) << B << 0 << "DISABLD" << false << 0;
    QTest::newRow("channel 9") << ListPtr(CHANNEL_LIST) << B << 1 << "9" << false << 0;
    QTest::newRow("channel 8") << ListPtr(CHANNEL_LIST) << B << 1 << "8" << true << 8;
    QTest::newRow("tx odd typed") << ListPtr(TX_MAX_TIME_LIST) << B << 0 << "3" << true << 3;
    QTest::newRow("tx 241") << ListPtr(TX_MAX_TIME_LIST) << B << 0 << "241" << false << 0;
    QTest::newRow("fine tune -5") << ListPtr(FINE_TUNE_LIST) << B << 0 << "-5" << true << 251;
    QTest::newRow("fine tune 5") << ListPtr(FINE_TUNE_LIST) << B << 0 << "5" << true << 5;
    QTest::newRow("fine tune 31") << ListPtr(FINE_TUNE_LIST) << B << 0 << "31" << false << 0;
    QTest::newRow("fine tune -31") << ListPtr(FINE_TUNE_LIST) << B << 0 << "-31" << false << 0;
    QTest::newRow("gain AUTO") << ListPtr(GAIN_LIST) << B << 4 << "AUTO" << true << 255;
    QTest::newRow("long 130") << ListPtr(LINE_LONG_TIME_LIST) << L << 0 << "130" << true << 0x8D;
    QTest::newRow("long 1270") << ListPtr(LINE_LONG_TIME_LIST) << L << 0 << "1270" << true << 0xFF;
    QTest::newRow("long 127") << ListPtr(LINE_LONG_TIME_LIST) << L << 0 << "127" << true << 0x7F;
    QTest::newRow("long 128 in the gap")
        << ListPtr(LINE_LONG_TIME_LIST) << L << 0 << "128" << false << 0;
    QTest::newRow("tone 299") << ListPtr(SINGLE_TONE_LIST) << W << 1200 << "299" << false << 0;
    QTest::newRow("tone 2801") << ListPtr(SINGLE_TONE_LIST) << W << 1200 << "2801" << false << 0;
    QTest::newRow("tone 0") << ListPtr(SINGLE_TONE_LIST) << W << 1200 << "0" << true << 0;
    QTest::newRow("tone 300") << ListPtr(SINGLE_TONE_LIST) << W << 0 << "300" << true << 300;
    QTest::newRow("tone back to loaded")
        << ListPtr(SINGLE_TONE_LIST) << W << 1200 << "1200" << true << 1200;
}

void TestSpinnerLogic::validate() {
    QFETCH(ListPtr, list);
    QFETCH(SpinnerForm, form);
    QFETCH(int, stored);
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    QFETCH(int, storedBack);

    CRecordingMessages messages;
    CE2prom image;
    Put(image, form, form == SpinnerForm::LongTime ? ValueToLongTime(stored) : stored);
    CSpinnerLogic logic("CStandardSpinner", form);
    logic.Attach(&image, ListTable(list), TEST_CONTROL);
    QCOMPARE(logic.Validate(typed), valid);
    QCOMPARE(messages.boxes.size(), valid ? 0 : 1);
    if (valid) {
        SaveAndStore(logic);
        QCOMPARE(Get(image, form), storedBack);
    }
}

void TestSpinnerLogic::failedValidationShowsMessageAndKeepsState() {
    CRecordingMessages messages;
    CE2prom image;
    image.SetByte(TEST_ADDRESS, 12);
    CSpinnerLogic logic("CStandardSpinner", SpinnerForm::Byte);
    logic.Attach(&image, ListTable(HANG_TIME_LIST), TEST_CONTROL);
    QVERIFY(!logic.Validate(QStringLiteral("45")));
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, QStringLiteral("A spinner does not contain a valid value!"));
    QCOMPARE(messages.boxes[0].icon, MsgIcon::Stop);
    QCOMPARE(messages.boxes[0].buttons, MsgButtons::Ok);
    QCOMPARE(logic.ShownText(), QStringLiteral("12"));
    QCOMPARE(logic.ExchangeString(), QStringLiteral("12"));
    QCOMPARE(logic.GetValue(), 12);
}

// Texts are shown translated, and a translated text is still recognised when stepping;
// the English text typed validates in any language.
void TestSpinnerLogic::translatedTexts() {
    LanguageScope french(1);
    CRecordingMessages messages;
    CE2prom image;
    CSpinnerLogic options("CStandardSpinner", SpinnerForm::Byte);
    options.Attach(&image, ListTable(OPTIONS_LIST), TEST_CONTROL);
    QCOMPARE(options.ShownText(), Fr("DISABLED"));
    QCOMPARE(options.Step(options.ShownText(), 1), QStringLiteral("1"));
    QCOMPARE(options.Step(QStringLiteral("1"), -1), Fr("DISABLED"));
    QVERIFY(options.Validate(QStringLiteral("DISABLED")));
    QCOMPARE(options.ShownText(), Fr("DISABLED"));
    QVERIFY(options.Validate(Fr("DISABLED")));

    image.SetByte(TEST_ADDRESS, 255);
    CSpinnerLogic gain("CStandardSpinner", SpinnerForm::Byte);
    gain.Attach(&image, ListTable(GAIN_LIST), TEST_CONTROL);
    QCOMPARE(gain.ShownText(), Fr("AUTO"));
    QCOMPARE(gain.Step(gain.ShownText(), -1), QStringLiteral("20"));
    QCOMPARE(messages.boxes.size(), 0);
}

void TestSpinnerLogic::longTimeStore_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("stored");
    QTest::newRow("127") << "127" << 0x7F;
    QTest::newRow("130") << "130" << 0x8D;
    QTest::newRow("1270") << "1270" << 0xFF;
    QTest::newRow("128 keeps tens") << "128" << 0x8C;
    QTest::newRow("0") << "0" << 0;
}

// Store converts whatever number the edit holds; 128 and 129 come back as 120.
void TestSpinnerLogic::longTimeStore() {
    QFETCH(QString, value);
    QFETCH(int, stored);
    CE2prom image;
    image.SetByte(TEST_ADDRESS, 5);
    CSpinnerLogic logic("CSpinner10", SpinnerForm::LongTime);
    logic.Attach(&image, ListTable(PROLONGED_LENGTH_LIST), TEST_CONTROL);
    logic.SetExchangeString(value);
    logic.Store();
    QCOMPARE(int(image.GetByte(TEST_ADDRESS)), stored);
}

void TestSpinnerLogic::attachErrorsNameTheBinding() {
    CE2prom image;
    CSpinnerLogic logic("CSpinner10", SpinnerForm::LongTime);
    const auto codeOf = [&](CE2prom* img, const VARIABLE_STRUCT* table, int id) {
        try {
            logic.Attach(img, table, id);
        } catch (const CCtrlErr& e) {
            if (QByteArray(e.ObjectName()) != "CSpinner10")
                return -2;
            return e.Code();
        }
        return -1;
    };
    const ListTable table(PROLONGED_LENGTH_LIST);
    QCOMPARE(codeOf(nullptr, table, TEST_CONTROL), 2);
    QCOMPARE(codeOf(&image, nullptr, TEST_CONTROL), 3);
    QCOMPARE(codeOf(&image, table, TEST_CONTROL + 1), 1);
    QCOMPARE(codeOf(&image, table, TEST_CONTROL), -1);
}

// An exchange string without a digit on a numeric entry cannot be stored: code 4, not
// fatal, and the image is left alone.
void TestSpinnerLogic::storeWithoutDigitsRaisesCode4() {
    CE2prom image;
    Fill(image, TEST_ADDRESS, 7);
    CSpinnerLogic logic("CStandardSpinner", SpinnerForm::Byte);
    logic.Attach(&image, ListTable(OPTIONS_LIST), TEST_CONTROL);
    logic.SetExchangeString(QString());
    try {
        logic.Store();
        QFAIL("Store did not raise");
    } catch (const CCtrlErr& e) {
        QCOMPARE(e.Code(), 4);
        QVERIFY(!e.IsFatal());
        QCOMPARE(e.ComposeText(),
                 QStringLiteral("CStandardSpinner : CString contained no valid number."));
    }
    QVERIFY(!image.IsModified());
    QCOMPARE(logic.TryGetValue(), std::nullopt);
}

QTEST_APPLESS_MAIN(TestSpinnerLogic)
#include "tst_spinnerlogic.moc"
