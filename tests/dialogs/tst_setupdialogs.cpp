// The System setup and Single tones dialogs as the user meets them: what they show for
// stored values, what OK refuses, what Commit stores, what Cancel leaves alone, their
// translated texts and their report sections.
#include "DialogFixture.h"

#include "core/lang/CTranslator.h"
#include "gui/controls/CStandardSpinner.h"
#include "gui/dialogs/CSingleTonesDlg.h"
#include "gui/dialogs/CSystemSetupDlg.h"
#include "print/ReportFont.h"
#include "tests/common/CRecordingMessages.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr int COUNTRY = 1006;
constexpr int OPTIONS_EDIT = 1144;
constexpr int OPTIONS = 1145;
constexpr int ALARMS = 1164;
constexpr int TONE_A_EDIT = 2015, TONE_B_EDIT = 2020, TONE_C_EDIT = 2018, TONE_D_EDIT = 2016;
constexpr int TONE_A = 2014;

QCheckBox* Check(const CTemplateDialog& dialog, int id) {
    return qobject_cast<QCheckBox*>(dialog.Control(id));
}

QString Fr(const char* english) {
    return CTranslator().Translated(1, QString::fromLatin1(english));
}

const QString SPINNER_MESSAGE = QStringLiteral("A spinner does not contain a valid value!");
const QString COMBO_MESSAGE = QStringLiteral("A invalid value is set!");

} // namespace

class TestSetupDialogs : public QObject {
    Q_OBJECT
private slots:
    void systemFreshImage();
    void systemUnknownCountryStoredAsFirst();
    void systemOptionsOutOfRangeKeepsDialogOpen();
    void systemValidatesSpinnerBeforeCombo();
    void systemRefusesMisspeltCountry();
    void systemCancelStoresNothing();
    void systemChangesStored();
    void systemFrenchTexts();
    void systemReport_data();
    void systemReport();
    void printSectionPositions();
    void printSectionColumnsLineUp();
    void tonesOutOfListShowDefault();
    void tonesStepAndStore();
    void tonesStepAroundDefault();
    void tonesValidationOrder();
    void tonesZeroIsDefault();
    void tonesReport();
};

void TestSetupDialogs::systemFreshImage() {
    CE2prom image;
    CSystemSetupDlg dialog(&image);
    QVERIFY(!image.IsModified());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("System Setup"));
    QCOMPARE(TextOf(dialog, COUNTRY), QStringLiteral("SWEDEN"));
    QCOMPARE(TextOf(dialog, OPTIONS_EDIT), QStringLiteral("DISABLED"));
    QVERIFY(!Check(dialog, ALARMS)->isChecked());

    dialog.show();
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!image.IsModified()); // OK itself writes nothing
    dialog.Commit();
    QVERIFY(image.IsModified());
    QCOMPARE(int(image.GetByte(18)), 0);
    QCOMPARE(int(image.GetByte(19)), 0);
    QCOMPARE(int(image.GetByte(20)), 0);
}

void TestSetupDialogs::systemUnknownCountryStoredAsFirst() {
    CE2prom image;
    Fill(image, {{18, 12}, {19, 7}, {20, 100}});
    CSystemSetupDlg dialog(&image);
    QCOMPARE(TextOf(dialog, COUNTRY), QStringLiteral("SWEDEN"));
    QCOMPARE(TextOf(dialog, OPTIONS_EDIT), QStringLiteral("DISABLED"));
    QVERIFY(!Check(dialog, ALARMS)->isChecked());
    dialog.show();
    Press(dialog, IDOK);
    dialog.Commit();
    QCOMPARE(int(image.GetByte(18)), 0);
    QCOMPARE(int(image.GetByte(19)), 0);
    QCOMPARE(int(image.GetByte(20)), 0);
}

void TestSetupDialogs::systemOptionsOutOfRangeKeepsDialogOpen() {
    CRecordingMessages messages;
    CE2prom image;
    CSystemSetupDlg dialog(&image);
    dialog.show();
    Type(dialog, OPTIONS_EDIT, QStringLiteral("100"));
    Press(dialog, IDOK);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, SPINNER_MESSAGE);

    Type(dialog, OPTIONS_EDIT, QStringLiteral("99"));
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(messages.boxes.size(), 1);
    dialog.Commit();
    QCOMPARE(int(image.GetByte(20)), 99);
}

void TestSetupDialogs::systemValidatesSpinnerBeforeCombo() {
    CRecordingMessages messages;
    CE2prom image;
    CSystemSetupDlg dialog(&image);
    dialog.show();
    auto* combo = qobject_cast<QComboBox*>(dialog.Control(COUNTRY));
    combo->setEditText(QStringLiteral("ATLANTIS"));
    Type(dialog, OPTIONS_EDIT, QStringLiteral("abc"));
    Press(dialog, IDOK);
    QVERIFY(dialog.isVisible());
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, SPINNER_MESSAGE);
}

void TestSetupDialogs::systemRefusesMisspeltCountry() {
    CRecordingMessages messages;
    CE2prom image;
    Fill(image, {{18, 4}});
    CSystemSetupDlg dialog(&image);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    auto* combo = qobject_cast<QComboBox*>(dialog.Control(COUNTRY));
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("FRANSE"));
    Press(dialog, IDOK); // the click takes the focus first: no row matches
    QVERIFY(dialog.isVisible());
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, COMBO_MESSAGE);

    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("france"));
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.Commit();
    QCOMPARE(int(image.GetByte(18)), 1);
}

void TestSetupDialogs::systemCancelStoresNothing() {
    CE2prom image;
    Fill(image, {{18, 3}, {19, 1}, {20, 42}});
    const QByteArray before = image.Bytes();
    CSystemSetupDlg dialog(&image);
    dialog.show();
    qobject_cast<QComboBox*>(dialog.Control(COUNTRY))->setCurrentIndex(8);
    Check(dialog, ALARMS)->click();
    Type(dialog, OPTIONS_EDIT, QStringLiteral("7"));
    Press(dialog, IDCANCEL);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(image.Bytes(), before);
    QVERIFY(!image.IsModified());
}

void TestSetupDialogs::systemChangesStored() {
    CE2prom image;
    CSystemSetupDlg dialog(&image);
    dialog.show();
    qobject_cast<QComboBox*>(dialog.Control(COUNTRY))->setCurrentIndex(9);
    Check(dialog, ALARMS)->click();
    auto* spinner = dynamic_cast<CStandardSpinner*>(dialog.Binding(OPTIONS));
    QVERIFY(spinner);
    QTest::mouseClick(spinner->UpArrow(), Qt::LeftButton);
    QTest::mouseClick(spinner->UpArrow(), Qt::LeftButton);
    QCOMPARE(TextOf(dialog, OPTIONS_EDIT), QStringLiteral("2"));
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.Commit();
    QCOMPARE(int(image.GetByte(18)), 9);
    QCOMPARE(int(image.GetByte(19)), 1);
    QCOMPARE(int(image.GetByte(20)), 2);
}

void TestSetupDialogs::systemFrenchTexts() {
    LanguageScope french(1);
    CE2prom image;
    Fill(image, {{18, 4}});
    CSystemSetupDlg dialog(&image);
    QCOMPARE(dialog.windowTitle(), Fr("System Setup"));
    QCOMPARE(TextOf(dialog, 1215), Fr("Country"));
    QCOMPARE(TextOf(dialog, 1216), Fr("Options"));
    QCOMPARE(TextOf(dialog, ALARMS), Fr("Monitor power supply alarms"));
    QCOMPARE(TextOf(dialog, IDOK), Fr("OK"));
    QCOMPARE(TextOf(dialog, IDCANCEL), QStringLiteral("Annul."));
    QCOMPARE(TextOf(dialog, COUNTRY), Fr("SPAIN"));
    QCOMPARE(TextOf(dialog, OPTIONS_EDIT), Fr("DISABLED"));
    QVERIFY(dialog.windowTitle() != QStringLiteral("System Setup"));
}

void TestSetupDialogs::systemReport_data() {
    QTest::addColumn<int>("country");
    QTest::addColumn<int>("alarms");
    QTest::addColumn<int>("options");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("spain") << 4 << 1 << 42
                           << QStringList{"System Setup", Padded("Country", "SPAIN"),
                                          Padded("Options", "42"),
                                          Padded("Supervise alarms", "YES")};
    QTest::newRow("defaults") << 0 << 0 << 0
                              << QStringList{"System Setup", Padded("Country", "SWEDEN"),
                                             Padded("Options", "DISABLED"),
                                             Padded("Supervise alarms", "NO")};
}

void TestSetupDialogs::systemReport() {
    QFETCH(int, country);
    QFETCH(int, alarms);
    QFETCH(int, options);
    QFETCH(QStringList, lines);
    CE2prom image;
    Fill(image, {{18, country}, {19, alarms}, {20, options}});
    CSystemSetupDlg dialog(&image);
    QCOMPARE(dialog.SectionLines(), lines);
}

// On a page 600 units high the line height is 8: System setup ends 6 lines below its
// start, Single tones 7; something is drawn in between and nothing above.
void TestSetupDialogs::printSectionPositions() {
    CE2prom image;
    CSystemSetupDlg system(&image);
    CSingleTonesDlg tones(&image);
    QImage page(800, 600, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    QPoint next = system.PrintSection(painter, QPoint(80, 30));
    QCOMPARE(next, QPoint(80, 78));
    next = tones.PrintSection(painter, next);
    QCOMPARE(next, QPoint(80, 134));
    painter.end();

    const auto inkInRows = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    QVERIFY(!inkInRows(0, 38)); // the title starts one line below the start
    QVERIFY(inkInRows(38, 78));
    QVERIFY(inkInRows(86, 134));
}

// The values start in the 31st column on every line: the report font is fixed pitch and
// the painter uses it.
void TestSetupDialogs::printSectionColumnsLineUp() {
    const QFontMetrics metrics(ReportFont(40));
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
             metrics.horizontalAdvance(QLatin1Char('M')));
    CE2prom image;
    CSystemSetupDlg system(&image);
    QImage page(3000, 3000, QImage::Format_RGB32); // line height 40
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setFont(QFont("serif", 30)); // whatever the caller left in the painter
    const int x0 = 100;
    const QPoint next = system.PrintSection(painter, QPoint(x0, 0));
    QCOMPARE(painter.font(), QFont("serif", 30)); // handed back as it was
    painter.end();
    const int advance = QFontMetrics(ReportFont(40)).horizontalAdvance(QLatin1Char('M'));
    const int column = x0 + 30 * advance;
    int valueLines = 0;
    for (int top = 40; top <= next.y() - 80; top += 40) { // one band per line
        // The first ink at or after the middle of the 30th character cell.
        int first = -1;
        for (int x = column - advance / 2; x < page.width() && first < 0; ++x)
            for (int y = top; y < top + 40 && first < 0; ++y)
                if (page.pixel(x, y) != qRgb(255, 255, 255))
                    first = x;
        if (first < 0)
            continue; // the title line
        QVERIFY2(first >= column - advance / 2 && first < column + advance / 2,
                 qPrintable(QString("line at %1 starts its value at %2, column at %3")
                                .arg(top)
                                .arg(first)
                                .arg(column)));
        ++valueLines;
    }
    QCOMPARE(valueLines, 3);
}

void TestSetupDialogs::tonesOutOfListShowDefault() {
    CE2prom image;
    Fill(image, {{50, 0x0B}, {51, 0xB8}, {52, 0xFF}, {53, 0xFF}, {54, 0x04}, {55, 0xB0}});
    CSingleTonesDlg dialog(&image);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Single tones"));
    QCOMPARE(TextOf(dialog, TONE_A_EDIT), QStringLiteral("DEFAULT"));
    QCOMPARE(TextOf(dialog, TONE_B_EDIT), QStringLiteral("DEFAULT"));
    QCOMPARE(TextOf(dialog, TONE_C_EDIT), QStringLiteral("1200"));
    QCOMPARE(TextOf(dialog, TONE_D_EDIT), QStringLiteral("DEFAULT"));
    dialog.show();
    Press(dialog, IDOK);
    dialog.Commit();
    QCOMPARE(image.GetWord(50), std::int16_t(0));
    QCOMPARE(image.GetWord(52), std::int16_t(0));
    QCOMPARE(image.GetWord(54), std::int16_t(1200));
    QCOMPARE(image.GetWord(56), std::int16_t(0));
}

void TestSetupDialogs::tonesStepAndStore() {
    CE2prom image;
    Fill(image, {{50, 0x04}, {51, 0xB0}});
    CSingleTonesDlg dialog(&image);
    dialog.show();
    auto* spinner = dynamic_cast<CStandardSpinner*>(dialog.Binding(TONE_A));
    QVERIFY(spinner);
    QTest::mouseClick(spinner->UpArrow(), Qt::LeftButton);
    QCOMPARE(TextOf(dialog, TONE_A_EDIT), QStringLiteral("1201"));
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    dialog.Commit();
    QCOMPARE(int(image.GetByte(50)), 0x04);
    QCOMPARE(int(image.GetByte(51)), 0xB1);
}

void TestSetupDialogs::tonesStepAroundDefault() {
    CE2prom image;
    Fill(image, {{52, 0x0A}, {53, 0xF0}});
    CSingleTonesDlg dialog(&image);
    dialog.show();
    QLineEdit* toneA = Edit(dialog, TONE_A_EDIT);
    QLineEdit* toneB = Edit(dialog, TONE_B_EDIT);
    QTest::keyClick(toneA, Qt::Key_Up);
    QCOMPARE(toneA->text(), QStringLiteral("300"));
    QTest::keyClick(toneA, Qt::Key_Down);
    QCOMPARE(toneA->text(), QStringLiteral("DEFAULT"));
    QCOMPARE(toneB->text(), QStringLiteral("2800"));
    QTest::keyClick(toneB, Qt::Key_Up);
    QCOMPARE(toneB->text(), QStringLiteral("2800"));
}

// OK checks D, C, B, A in that order and stops at the first refusal: a valid tone A that
// is checked puts its text back in plain form, so A still shows what was typed when D
// was refused first.
void TestSetupDialogs::tonesValidationOrder() {
    CRecordingMessages messages;
    CE2prom image;
    CSingleTonesDlg dialog(&image);
    dialog.show();
    Type(dialog, TONE_A_EDIT, QStringLiteral("0300"));
    Type(dialog, TONE_D_EDIT, QStringLiteral("299"));
    Press(dialog, IDOK);
    QVERIFY(dialog.isVisible());
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, SPINNER_MESSAGE);
    QCOMPARE(TextOf(dialog, TONE_A_EDIT), QStringLiteral("0300"));

    Type(dialog, TONE_D_EDIT, QStringLiteral("2801"));
    Press(dialog, IDOK);
    QCOMPARE(messages.boxes.size(), 2);
    Type(dialog, TONE_D_EDIT, QStringLiteral("2800"));
    Press(dialog, IDOK);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(TextOf(dialog, TONE_A_EDIT), QStringLiteral("300"));
    dialog.Commit();
    QCOMPARE(image.GetWord(50), std::int16_t(300));
    QCOMPARE(image.GetWord(56), std::int16_t(2800));
}

void TestSetupDialogs::tonesZeroIsDefault() {
    CE2prom image;
    Fill(image, {{56, 0x04}, {57, 0xB0}});
    {
        CSingleTonesDlg dialog(&image);
        dialog.show();
        Type(dialog, TONE_D_EDIT, QStringLiteral("0"));
        Press(dialog, IDOK);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.Commit();
    }
    QCOMPARE(int(image.GetByte(56)), 0);
    QCOMPARE(int(image.GetByte(57)), 0);
    CSingleTonesDlg again(&image);
    QCOMPARE(TextOf(again, TONE_D_EDIT), QStringLiteral("DEFAULT"));
}

void TestSetupDialogs::tonesReport() {
    CE2prom image;
    Fill(image, {{50, 0x06}, {51, 0xD6}, {56, 0x01}, {57, 0x2C}});
    CSingleTonesDlg dialog(&image);
    QCOMPARE(dialog.SectionLines(),
             (QStringList{"Single tones", Padded("Single tone A (Hz)", "1750"),
                          Padded("Single tone B (Hz)", "DEFAULT"),
                          Padded("Single tone C (Hz)", "DEFAULT"),
                          Padded("Single tone D (Hz)", "300")}));
    LanguageScope german(2);
    CSingleTonesDlg translated(&image);
    const CTranslator translator;
    QCOMPARE(translated.SectionLines().at(0), translator.Translated(2, "Single tones"));
    QCOMPARE(translated.SectionLines().at(2),
             translator.Translated(2, "Single tone B (Hz)").leftJustified(30) +
                 translator.Translated(2, "DEFAULT"));
}

QTEST_MAIN(TestSetupDialogs)
#include "tst_setupdialogs.moc"
