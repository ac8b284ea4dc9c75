// The encoder and decoder dialogs: what they show and store for a telegram in the image,
// the slider and the prolonged tone driven by real keys and mouse, OK's order of checks,
// and that every instance keeps to its own bytes.
#include "DialogFixture.h"

#include "dialogs/CDecoderDlg.h"
#include "dialogs/CTelegramSlider.h"
#include "dialogs/SetupDialogFactory.h"
#include "tests/common/CRecordingMessages.h"

#include <QStyleOptionSlider>
#include <memory>

namespace {

// The image bytes of each telegram command: from base, this many.
struct TELEGRAM {
    int command;
    int base;
    int size;
};
constexpr TELEGRAM TELEGRAMS[] = {
    {ID_ENCODER_DISCONNECT, 122, 14}, {ID_ENCODER_ACKNOWLEDGE, 136, 14},
    {ID_ENCODER_ALARM, 150, 14},      {ID_DECODER_1, 58, 15},
    {ID_DECODER_2, 74, 15},           {ID_DECODER_3, 90, 15},
    {ID_DECODER_4, 106, 15},
};

const TELEGRAM& Telegram(int command) {
    for (const TELEGRAM& t : TELEGRAMS)
        if (t.command == command)
            return t;
    return TELEGRAMS[0];
}

// Where a tone's byte lies in its block: encoders from 3, decoders from 4.
int ToneOffset(const TELEGRAM& t, int tone) {
    return (t.size == 14 ? 2 : 3) + tone;
}

std::unique_ptr<CToneSequenceDlg> Open(int command, CE2prom& image) {
    auto dialog = CreateSetupDialog(command, &image, false);
    return std::unique_ptr<CToneSequenceDlg>(dynamic_cast<CToneSequenceDlg*>(dialog.release()));
}

QByteArray Block(std::initializer_list<int> bytes, int size) {
    QByteArray block;
    for (const int b : bytes)
        block.append(char(b));
    return block.leftJustified(size, char(TONE_END), true);
}

// 1 when a tone's label, combo box and radio are enabled, 0 when all three are
// disabled, -1 when they disagree.
int RowState(const CToneSequenceDlg& dialog, int tone) {
    int enabled = 0;
    for (const int id :
         {TONE_LABEL_IDS[tone - 1], TONE_COMBO_IDS[tone - 1], PROLONGED_RADIO_IDS[tone]})
        enabled += dialog.Control(id)->isEnabled() ? 1 : 0;
    return enabled == 3 ? 1 : enabled == 0 ? 0 : -1;
}

// The text a tone combo shows for a stored value 0 to 15.
QString ToneText(int value) {
    return value < 15 ? QStringLiteral("Tone ") + QChar("0123456789ABCDE"[value])
                      : QStringLiteral("Pause");
}

QAbstractButton* Radio(const CToneSequenceDlg& dialog, int k) {
    return qobject_cast<QAbstractButton*>(dialog.Control(PROLONGED_RADIO_IDS[k]));
}

QPoint HandleCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    option.upsideDown = !slider->invertedAppearance();
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestToneDialogs : public QObject {
    Q_OBJECT
private slots:
    void telegram_data();
    void telegram();
    void sliderAndProlongedTone();
    void okChecksInOrder();
    void ownBytesOnly();
};

void TestToneDialogs::telegram_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("block");  // the telegram's bytes, the rest "End"
    QTest::addColumn<int>("length");        // rows enabled
    QTest::addColumn<QStringList>("shown"); // the first tone combos
    QTest::addColumn<QStringList>("lines"); // report lines among the others
    QTest::addColumn<QByteArray>("stored"); // after OK and Commit
    QTest::newRow("disconnect, length 3")
        << int(ID_ENCODER_DISCONNECT) << Block({0, 0, 0, 1, 2, 3, 255, 5, 6, 7, 8, 9, 10, 11}, 14)
        << 3 << QStringList{"Tone 1", "Tone 2", "Tone 3", "End", "Tone 5"}
        << QStringList{Padded("Prolonged tone", "NO"), Padded("Number of tones", "3"),
                       Padded("Tone 4", "End"), Padded("Tone 5", "Tone 5")}
        << Block({0, 0, 0, 1, 2, 3}, 14);
    QTest::newRow("acknowledge, eleven tones, 0x8D")
        << int(ID_ENCODER_ACKNOWLEDGE)
        << Block({0x8D, 11, 0xFF, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 14) << 11
        << QStringList{"Tone 0", "Tone 1"}
        << QStringList{Padded("Prolonged tone", "11"), Padded("Number of tones", "11"),
                       Padded("Tone 11", "Tone A"), Padded("Preamble length (ms)", "130"),
                       Padded("Prolonged tone length (ms)", "1270")}
        << Block({0x8D, 11, 0xFF, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 14);
    QTest::newRow("alarm symbols")
        << int(ID_ENCODER_ALARM) << Block({0, 0, 0, 112, 128, 144, 177, 187, 255}, 14) << 5
        << QStringList{"Alarm no. and status",
                       "Alarm no. + 1",
                       "Alarm status",
                       "ID 1",
                       "ID 11",
                       "End"}
        << QStringList{Padded("Tone 1", "Alarm no. and status")}
        << Block({0, 0, 0, 112, 128, 144, 177, 187, 255}, 14);
    QTest::newRow("empty telegram") // slider at 1, yet tone 1 stays "End"
        << int(ID_ENCODER_DISCONNECT) << Block({0, 0, 0, 255, 1, 2, 3}, 14) << 0
        << QStringList{"End", "Tone 1"} << QStringList{Padded("Number of tones", "0")}
        << Block({0, 0, 0}, 14);
    QTest::newRow("prolonged index 13") // no radio; the report tells the stored number
        << int(ID_ENCODER_ALARM) << Block({5, 13, 7, 1, 255}, 14) << 1 << QStringList{"Tone 1"}
        << QStringList{Padded("Prolonged tone", "13")} << Block({5, 13, 7, 1}, 14);
    QTest::newRow("decoder 1, any tone, function 0")
        << int(ID_DECODER_1) << Block({0, 0, 1, 0, 1, 64, 3, 255, 9, 9, 9, 9, 9, 9, 9}, 15) << 3
        << QStringList{"Tone 1", "Any tone", "Tone 3", "End", "Tone 9"}
        << QStringList{Padded("Send acknowledge", "YES"),
                       Padded("Decoder function", "Repeater Set-Up")}
        << Block({0, 0, 1, 1, 1, 64, 3}, 15);
    QTest::newRow("decoder 3, length 2")
        << int(ID_DECODER_3) << Block({2, 50, 7, 5, 3, 5, 255, 1}, 15) << 2
        << QStringList{"Tone 3", "Tone 5", "End", "Tone 1"}
        << QStringList{Padded("Prolonged tone", "2"), Padded("Send acknowledge", "NO"),
                       Padded("Decoder function", "Repeater Enable"),
                       Padded("Prolonged tone length (ms)", "50")}
        << Block({2, 50, 0, 5, 3, 5}, 15);
}

void TestToneDialogs::telegram() {
    QFETCH(int, command);
    QFETCH(QByteArray, block);
    QFETCH(int, length);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, stored);
    const TELEGRAM& t = Telegram(command);
    CE2prom image;
    QByteArray bytes = image.Bytes();
    bytes.replace(t.base, t.size, block);
    image.ReplaceBytes(bytes);
    const auto dialog = Open(command, image);
    QVERIFY(dialog);
    QCOMPARE(dialog->DisplayedLength(), length);
    QCOMPARE(dialog->Slider()->value(), std::max(length, 1));
    for (int tone = 1; tone <= MAX_TONES; ++tone)
        QCOMPARE(RowState(*dialog, tone), tone <= length ? 1 : 0);
    for (int i = 0; i < shown.size(); ++i)
        QCOMPARE(TextOf(*dialog, TONE_COMBO_IDS[i]), shown[i]);
    const QStringList report = dialog->SectionLines();
    QCOMPARE(report.size(), t.size + 2);
    QCOMPARE(report[0], dialog->windowTitle());
    for (const QString& line : lines)
        QVERIFY2(report.contains(line), qPrintable(report.join('\n')));

    dialog->show();
    Press(*dialog, IDOK);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    dialog->Commit();
    QCOMPARE(image.Bytes().mid(t.base, t.size), stored);
}

// Keys and mouse on the slider move the rows; a prolonged tone beyond the telegram gives
// way to "No" for good; "No" locks the prolonged length, a tone radio opens it again.
void TestToneDialogs::sliderAndProlongedTone() {
    CE2prom image;
    Fill(image, {{123, 5}, {124, 20}, {131, 255}}); // tone 5 prolonged; tones 1 to 6
    const auto dialog = Open(ID_ENCODER_DISCONNECT, image);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    CTelegramSlider* slider = dialog->Slider();
    QLineEdit* length = Edit(*dialog, PROLONGED_EDIT_ID);
    QVERIFY(Radio(*dialog, 5)->isChecked() && !length->isReadOnly());

    slider->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(slider, Qt::Key_Up); // towards tone 1, at the top
    QCOMPARE(dialog->DisplayedLength(), 3);
    QVERIFY(RowState(*dialog, 3) == 1 && RowState(*dialog, 4) == 0);
    QVERIFY(Radio(*dialog, 0)->isChecked() && !Radio(*dialog, 5)->isChecked());
    QVERIFY(!length->isReadOnly()); // the length keeps its state
    QTest::keyClick(slider, Qt::Key_Down);
    QTest::keyClick(slider, Qt::Key_Down);
    QCOMPARE(dialog->DisplayedLength(), 5);
    QVERIFY(RowState(*dialog, 5) == 1 && !Radio(*dialog, 5)->isChecked());

    // A drag moves the rows only when the handle is let go.
    const QPoint from = HandleCentre(slider);
    SendMouse(slider, QEvent::MouseButtonPress, from, Qt::LeftButton);
    const QPoint to = from + QPoint(0, slider->height() / 4);
    SendMouse(slider, QEvent::MouseMove, to, Qt::LeftButton);
    QVERIFY(slider->value() > 5);
    QCOMPARE(dialog->DisplayedLength(), 5);
    SendMouse(slider, QEvent::MouseButtonRelease, to, Qt::NoButton);
    QCOMPARE(dialog->DisplayedLength(), slider->value());
    QCOMPARE(RowState(*dialog, slider->value()), 1);
    // The wheel has no release to wait for: the rows follow at once.
    const int before = slider->value();
    QWheelEvent wheel(to, slider->mapToGlobal(to), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &wheel);
    QVERIFY(slider->value() != before);
    QCOMPARE(dialog->DisplayedLength(), slider->value());

    QTest::mouseClick(Radio(*dialog, 0), Qt::LeftButton);
    QVERIFY(length->isReadOnly());
    QVERIFY(!dialog->Control(PROLONGED_LABEL_ID)->isEnabled());
    QVERIFY(!dialog->Control(ENCODER_PROLONGED_ID)->isEnabled());
    QTest::keyClick(length, Qt::Key_Up);
    QCOMPARE(length->text(), QStringLiteral("20"));
    QTest::mouseClick(Radio(*dialog, 2), Qt::LeftButton);
    QVERIFY(!length->isReadOnly() && dialog->Control(ENCODER_PROLONGED_ID)->isEnabled());
    QTest::keyClick(length, Qt::Key_Up);
    QCOMPARE(length->text(), QStringLiteral("21"));

    // OK ends the telegram at the slider; the combo boxes keep what they show.
    slider->setFocus();
    while (slider->value() > 4)
        QTest::keyClick(slider, Qt::Key_Up);
    Press(*dialog, IDOK);
    dialog->Commit();
    QCOMPARE(TextOf(*dialog, TONE_COMBO_IDS[4]), QStringLiteral("Tone 0"));
    QCOMPARE(image.Bytes().mid(122, 14), Block({0, 2, 21, 0, 0, 0, 0}, 14));
}

// OK stops at the first refusal: the decoder function first, then the spinners, then
// the tones in the order 1, 9 down to 2, 11, 10; the refused control gets the focus.
void TestToneDialogs::okChecksInOrder() {
    CRecordingMessages messages;
    CE2prom image;
    const auto decoder = Open(ID_DECODER_2, image);
    decoder->show();
    QVERIFY(QTest::qWaitForWindowActive(decoder.get()));
    Type(*decoder, PROLONGED_EDIT_ID, QStringLiteral("abc"));
    qobject_cast<QComboBox*>(decoder->Control(1101))->setEditText(QStringLiteral("Nothing"));
    Press(*decoder, IDOK);
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, QStringLiteral("A invalid value is set!"));
    QVERIFY(decoder->Control(1101)->hasFocus());
    decoder->close();

    const auto encoder = Open(ID_ENCODER_ALARM, image);
    encoder->show();
    QVERIFY(QTest::qWaitForWindowActive(encoder.get()));
    for (const int tone : {2, 9, 10})
        qobject_cast<QComboBox*>(encoder->Control(TONE_COMBO_IDS[tone - 1]))->setEditText("x");
    Type(*encoder, 2038, QStringLiteral("2000"));
    Press(*encoder, IDOK);
    QCOMPARE(messages.boxes.last().text,
             QStringLiteral("A spinner does not contain a valid value!"));
    QVERIFY(Edit(*encoder, 2038)->hasFocus());
    Type(*encoder, 2038, QStringLiteral("20"));
    Press(*encoder, IDOK);
    QVERIFY(encoder->Control(TONE_COMBO_IDS[8])->hasFocus());
    QVERIFY(encoder->isVisible());
    QCOMPARE(messages.boxes.size(), 3);
}

// Every instance reads and writes its own bytes only; a decoder's sixteenth byte and
// everything else stay as they were.
void TestToneDialogs::ownBytesOnly() {
    for (const TELEGRAM& t : TELEGRAMS) {
        CE2prom image;
        QByteArray before(int(CE2prom::IMAGE_SIZE), '\0');
        for (int i = 0; i < before.size(); ++i)
            before[i] = char((i * 7 + 3) % 16); // tones, mostly
        image.ReplaceBytes(before);
        const auto dialog = Open(t.command, image);
        QCOMPARE(TextOf(*dialog, TONE_COMBO_IDS[0]), ToneText(before[t.base + ToneOffset(t, 1)]));
        dialog->show();
        dialog->Slider()->setValue(1);
        dialog->OnTelegramLengthChanged();
        Press(*dialog, IDOK);
        dialog->Commit();
        const QByteArray after = image.Bytes();
        for (int a = 0; a < after.size(); ++a)
            if (a < t.base || a >= t.base + t.size)
                QVERIFY2(after[a] == before[a], qPrintable(QString::number(a)));
        for (int tone = 2; tone <= MAX_TONES; ++tone)
            QCOMPARE(int(quint8(after[t.base + ToneOffset(t, tone)])), TONE_END);
    }
}

QTEST_MAIN(TestToneDialogs)
#include "tst_tonedialogs.moc"
