// The encoder and decoder dialogs: what they show and store for a telegram in the image,
// the slider and the prolonged tone driven by real keys and mouse, OK's order of checks,
// and that every instance keeps to its own bytes.
#include "DialogFixture.h"

#include "gui/dialogs/CDecoderDlg.h"
#include "gui/dialogs/CTelegramSlider.h"
#include "gui/dialogs/SetupDialogFactory.h"
#include "tests/common/CRecordingMessages.h"

#include <QStyleOptionSlider>
#include <memory>

namespace {

// Each telegram command's bytes: from base, this many; the tones are the last eleven.
struct TELEGRAM {
    int command, base, size;
};
constexpr TELEGRAM TELEGRAMS[] = {
    {ID_ENCODER_DISCONNECT, 122, 14}, {ID_ENCODER_ACKNOWLEDGE, 136, 14},
    {ID_ENCODER_ALARM, 150, 14},      {ID_DECODER_1, 58, 15},
    {ID_DECODER_2, 74, 15},           {ID_DECODER_3, 90, 15},
    {ID_DECODER_4, 106, 15}};

std::unique_ptr<CToneSequenceDlg> Open(int command, CE2prom& image) {
    auto dialog = CreateSetupDialog(command, &image, false);
    return std::unique_ptr<CToneSequenceDlg>(dynamic_cast<CToneSequenceDlg*>(dialog.release()));
}

// The bytes given, then "End" up to size.
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

QAbstractButton* Radio(const CToneSequenceDlg& dialog, int k) {
    return qobject_cast<QAbstractButton*>(dialog.Control(PROLONGED_RADIO_IDS[k]));
}

QPoint HandleCentre(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.maximum = slider->maximum();
    option.minimum = slider->minimum();
    option.sliderPosition = option.sliderValue = slider->value();
    option.upsideDown = !slider->invertedAppearance();
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
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
    QTest::addColumn<int>("telegram");      // in TELEGRAMS
    QTest::addColumn<QByteArray>("block");  // the telegram's bytes
    QTest::addColumn<int>("length");        // rows enabled
    QTest::addColumn<QString>("tones");     // the first combos' texts, "|" between
    QTest::addColumn<QString>("lines");     // report lines among the others, "label=value|..."
    QTest::addColumn<QByteArray>("stored"); // after OK and Commit
    QTest::newRow("disconnect, length 3")
        << 0 << Block({0, 0, 0, 1, 2, 3, 255, 5, 6, 7, 8, 9, 10, 11}, 14) << 3
        << "Tone 1|Tone 2|Tone 3|End|Tone 5"
        << "Prolonged tone=NO|Number of tones=3" << Block({0, 0, 0, 1, 2, 3}, 14);
    QTest::newRow("acknowledge, eleven tones, 0x8D")
        << 1 << Block({0x8D, 11, 0xFF, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 14) << 11
        << "Tone 0|Tone 1|Tone 2|Tone 3|Tone 4|Tone 5|Tone 6|Tone 7|Tone 8|Tone 9|Tone A"
        << "Prolonged tone=11|Number of tones=11|Preamble length (ms)=130|"
           "Prolonged tone length (ms)=1270"
        << Block({0x8D, 11, 0xFF, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 14);
    QTest::newRow("alarm symbols, prolonged index 13") // no radio: the stored number
        << 2 << Block({0, 13, 0, 112, 128, 144, 177, 187, 255, 1}, 14) << 5
        << "Alarm no. and status|Alarm no. + 1|Alarm status|ID 1|ID 11|End|Tone 1"
        << "Prolonged tone=13" << Block({0, 13, 0, 112, 128, 144, 177, 187}, 14);
    QTest::newRow("alarm, ten tones")
        << 2 << Block({0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 14) << 10
        << "Tone 1|Tone 2|Tone 3|Tone 4|Tone 5|Tone 6|Tone 7|Tone 8|Tone 9|Tone A|End"
        << "Number of tones=10" << Block({0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 14);
    QTest::newRow("empty telegram") // slider at 1, yet tone 1 stays "End"
        << 0 << Block({0, 0, 0, 255, 1, 2, 3}, 14) << 0 << "End|Tone 1"
        << "Number of tones=0" << Block({0, 0, 0}, 14);
    QTest::newRow("decoder 1, any tone, function 0")
        << 3 << Block({2, 50, 1, 0, 1, 64, 3, 255, 9, 9, 9, 9, 9, 9, 9}, 15) << 3
        << "Tone 1|Any tone|Tone 3|End|Tone 9"
        << "Prolonged tone=2|Send acknowledge=YES|Decoder function=Repeater Set-Up|"
           "Prolonged tone length (ms)=50"
        << Block({2, 50, 1, 1, 1, 64, 3}, 15);
}

void TestToneDialogs::telegram() {
    QFETCH(int, telegram);
    QFETCH(QByteArray, block);
    QFETCH(int, length);
    QFETCH(QString, tones);
    QFETCH(QString, lines);
    QFETCH(QByteArray, stored);
    const TELEGRAM& t = TELEGRAMS[telegram];
    CE2prom image;
    image.ReplaceBytes(image.Bytes().replace(t.base, t.size, block));
    const auto dialog = Open(t.command, image);
    QCOMPARE(dialog->DisplayedLength(), length);
    QCOMPARE(dialog->Slider()->value(), std::max(length, 1));
    const QStringList shown = tones.split('|');
    const QStringList report = dialog->SectionLines();
    QCOMPARE(report.size(), t.size + 2);
    QCOMPARE(report[0], dialog->windowTitle());
    for (int tone = 1; tone <= MAX_TONES; ++tone) {
        QCOMPARE(RowState(*dialog, tone), tone <= length ? 1 : 0);
        const QString text = TextOf(*dialog, TONE_COMBO_IDS[tone - 1]);
        QCOMPARE(report[2 + tone], QString("Tone %1").arg(tone).leftJustified(30) + text);
        QVERIFY(tone > shown.size() || text == shown[tone - 1]);
    }
    for (const QString& line : lines.split('|'))
        QVERIFY2(report.contains(line.section('=', 0, 0).leftJustified(30) + line.section('=', 1)),
                 qPrintable(line));

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
    QTest::keyClick(slider, Qt::Key_Up);     // towards tone 1, at the top
    QVERIFY(Radio(*dialog, 5)->isChecked()); // still within the telegram
    QTest::keyClick(slider, Qt::Key_Up);
    QTest::keyClick(slider, Qt::Key_Up);
    QVERIFY(RowState(*dialog, 3) == 1 && RowState(*dialog, 4) == 0);
    QVERIFY(Radio(*dialog, 0)->isChecked() && !Radio(*dialog, 5)->isChecked());
    QVERIFY(!length->isReadOnly()); // the length keeps its state
    QTest::keyClick(slider, Qt::Key_Down);
    QTest::keyClick(slider, Qt::Key_Down);
    QVERIFY(RowState(*dialog, 5) == 1 && !Radio(*dialog, 5)->isChecked());

    // A drag moves the rows only when the handle is let go.
    const QPoint from = HandleCentre(slider);
    const QPoint to = from + QPoint(0, slider->height() / 4);
    QTest::mousePress(slider, Qt::LeftButton, {}, from);
    QTest::mouseMove(slider, to);
    QVERIFY(slider->value() > 5);
    QCOMPARE(dialog->DisplayedLength(), 5);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, to);
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

// OK stops at the first refusal, and the refused control gets the focus: the decoder
// function first, then the prolonged length, then the tones 1, 9 down to 2, 11, 10: here
// 9, 8 and 2.
void TestToneDialogs::okChecksInOrder() {
    CRecordingMessages messages;
    CE2prom image;
    Fill(image, {{74, 1}}); // tone 1 prolonged: its length can be typed
    const auto dialog = Open(ID_DECODER_2, image);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    auto combo = [&](int id) { return qobject_cast<QComboBox*>(dialog->Control(id)); };
    for (const int id : {1101, TONE_COMBO_IDS[1], TONE_COMBO_IDS[7], TONE_COMBO_IDS[8]})
        combo(id)->setEditText(QStringLiteral("x"));
    Type(*dialog, PROLONGED_EDIT_ID, QStringLiteral("abc"));
    for (const int refused :
         {1101, PROLONGED_EDIT_ID, TONE_COMBO_IDS[8], TONE_COMBO_IDS[7], TONE_COMBO_IDS[1]}) {
        Press(*dialog, IDOK);
        QVERIFY2(dialog->Control(refused)->hasFocus(), qPrintable(QString::number(refused)));
        if (refused == PROLONGED_EDIT_ID)
            Type(*dialog, PROLONGED_EDIT_ID, QStringLiteral("5"));
        else
            combo(refused)->setEditText(combo(refused)->itemText(0));
    }
    QCOMPARE(messages.boxes.size(), 5);
    QVERIFY(dialog->isVisible());
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
        dialog->show();
        dialog->Slider()->setValue(1);
        Press(*dialog, IDOK);
        dialog->Commit();
        const QByteArray after = image.Bytes();
        QCOMPARE(after.left(t.base), before.left(t.base));
        QCOMPARE(after.mid(t.base + t.size), before.mid(t.base + t.size));
        QCOMPARE(after.mid(t.base + t.size - 10, 10), QByteArray(10, char(TONE_END))); // tones 2-11
    }
}

QTEST_MAIN(TestToneDialogs)
#include "tst_tonedialogs.moc"
