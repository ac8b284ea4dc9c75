// The progress dialog: percentages, Cancel by button, close box and Escape, the owner
// disabled while it exists, and the message pump.
#include "core/lang/CTranslator.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/dialogs/CProgressDlg.h"
#include "gui/dialogs/ProgressDlgTemplate.h"

#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
QString Text(const CProgressDlg& dialog, int id) {
    auto* label = qobject_cast<QLabel*>(dialog.Control(id));
    return label ? label->text() : QStringLiteral("<no label>");
}
QPushButton* CancelButton(const CProgressDlg& dialog) {
    return qobject_cast<QPushButton*>(dialog.Control(IDC_PROGRESS_CANCEL));
}
} // namespace

class TestProgressDlg : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SetCurrentLanguage(0); }
    void percentage_data();
    void percentage();
    void initialTexts_data();
    void initialTexts();
    void stepsAndBar();
    void cancelTwiceIsOneCancel();
    void closeBoxAndEscapeOnlyRequest();
    void ownerDisabledWhileShown();
    void ownerAlreadyDisabledStaysDisabled();
    void ownerIsTheTopLevelWindow();
    void pumpRunsWaitingEvents();
    void templateLayout();
};

void TestProgressDlg::percentage_data() {
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("1 of 10") << 0 << 10 << 1 << "10%";
    QTest::newRow("5 of 10") << 0 << 10 << 5 << "50%";
    QTest::newRow("10 of 10") << 0 << 10 << 10 << "100%";
    QTest::newRow("210 of 211") << 0 << 211 << 210 << "99%";
    QTest::newRow("210 of 210") << 0 << 210 << 210 << "100%";
    QTest::newRow("105 of 100") << 0 << 100 << 105 << "5%";
    QTest::newRow("200 of 100") << 0 << 100 << 200 << "0%";
    QTest::newRow("truncated") << 0 << 3 << 2 << "66%";
    QTest::newRow("offset range") << 10 << 20 << 15 << "50%";
    QTest::newRow("empty range reached") << 5 << 5 << 5 << "100%";
    QTest::newRow("empty range not reached") << 5 << 5 << 4 << "0%";
}

void TestProgressDlg::percentage() {
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(ProgressPercentText(position, lower, upper), text);

    // Setting the range puts the bar at its lower bound; one step reaches the position.
    CProgressDlg dialog;
    dialog.Create(nullptr);
    dialog.SetRange(lower, upper);
    dialog.SetStep(position - lower);
    dialog.StepIt();
    QCOMPARE(Text(dialog, IDC_PERCENT), text);
}

void TestProgressDlg::initialTexts_data() {
    QTest::addColumn<int>("language");
    for (int language = 0; language < 5; ++language)
        QTest::newRow(qPrintable(QString::number(language))) << language;
}

void TestProgressDlg::initialTexts() {
    QFETCH(int, language);
    SetCurrentLanguage(language);
    const CTranslator translator;
    CProgressDlg dialog;
    dialog.Create(nullptr);
    QCOMPARE(dialog.windowTitle(), translator.Translated(language, "Progress"));
    QCOMPARE(CancelButton(dialog)->text(), translator.Translated(language, "Cancel"));
    QVERIFY(CancelButton(dialog)->isDefault());
    QCOMPARE(Text(dialog, IDC_PERCENT), QStringLiteral("0 %"));
    QCOMPARE(Text(dialog, IDC_PROGRESS_MESSAGE), QString());
    QVERIFY(dialog.isVisible());
    dialog.SetCaption(QStringLiteral("Reading device ..."));
    dialog.SetMessage(QStringLiteral("Device saving data ..."));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Reading device ..."));
    QCOMPARE(Text(dialog, IDC_PROGRESS_MESSAGE), QStringLiteral("Device saving data ..."));
    QCOMPARE(Text(dialog, IDC_PERCENT), QStringLiteral("0 %")); // until the first StepIt
}

void TestProgressDlg::stepsAndBar() {
    CProgressDlg dialog;
    dialog.Create(nullptr);
    dialog.SetRange(0, 10);
    dialog.SetStep(1);
    QCOMPARE(dialog.StepIt(), 0);
    QCOMPARE(dialog.StepIt(), 1);
    dialog.SetStep(3);
    QCOMPARE(dialog.StepIt(), 2);
    auto* bar = qobject_cast<QProgressBar*>(dialog.Control(IDC_PROGRESS_BAR));
    QVERIFY(bar);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 10);
    QCOMPARE(bar->value(), 5);
    QCOMPARE(Text(dialog, IDC_PERCENT), QStringLiteral("50%"));
    dialog.SetStep(7); // past the end the bar starts again
    QCOMPARE(dialog.StepIt(), 5);
    QCOMPARE(bar->value(), 2);
    QCOMPARE(Text(dialog, IDC_PERCENT), QStringLiteral("20%"));
}

void TestProgressDlg::cancelTwiceIsOneCancel() {
    CProgressDlg dialog;
    dialog.Create(nullptr);
    QVERIFY(!dialog.PollCancel());
    QTest::mouseClick(CancelButton(dialog), Qt::LeftButton);
    QTest::mouseClick(CancelButton(dialog), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.PollCancel());
    QVERIFY(!dialog.PollCancel());
    dialog.DisableCancel();
    QVERIFY(!CancelButton(dialog)->isEnabled());
}

void TestProgressDlg::closeBoxAndEscapeOnlyRequest() {
    CProgressDlg dialog;
    dialog.Create(nullptr);
    dialog.close();
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.PollCancel());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QVERIFY(dialog.PollCancel());
    QVERIFY(!dialog.PollCancel());
}

void TestProgressDlg::ownerDisabledWhileShown() {
    QMainWindow owner;
    owner.show();
    {
        CProgressDlg dialog;
        QVERIFY(owner.isEnabled()); // constructing alone does nothing
        QCOMPARE(dialog.Create(&owner), 1);
        QVERIFY(!owner.isEnabled());
        QVERIFY(dialog.isEnabled());
        QVERIFY(CancelButton(dialog)->isEnabled());
        QTest::mouseClick(CancelButton(dialog), Qt::LeftButton);
        QVERIFY(dialog.PollCancel()); // the dialog still works with its owner disabled
        QVERIFY(!owner.close());      // nor can the owner be closed under it
        QVERIFY(owner.isVisible());
        QVERIFY(!dialog.PollCancel());
    }
    QVERIFY(owner.isEnabled());
    QVERIFY(owner.close());
}

void TestProgressDlg::ownerAlreadyDisabledStaysDisabled() {
    QMainWindow owner;
    owner.show();
    owner.setEnabled(false);
    {
        CProgressDlg dialog;
        dialog.Create(&owner);
    }
    QVERIFY(!owner.isEnabled());
}

void TestProgressDlg::ownerIsTheTopLevelWindow() {
    QMainWindow owner;
    auto* child = new QLabel(&owner);
    owner.setCentralWidget(child);
    owner.show();
    {
        CProgressDlg dialog;
        dialog.Create(child);
        QVERIFY(!owner.isEnabled());
    }
    QVERIFY(owner.isEnabled());
    QVERIFY(child->isEnabled());
}

void TestProgressDlg::pumpRunsWaitingEvents() {
    CProgressDlg dialog;
    dialog.Create(nullptr);
    int ran = 0;
    QTimer::singleShot(0, &dialog, [&] { ++ran; });
    dialog.StepIt();
    QCOMPARE(ran, 1);
    QTimer::singleShot(0, &dialog, [&] { ++ran; });
    dialog.PollCancel();
    QCOMPARE(ran, 2);
    // A click waiting in the queue is taken by the next poll.
    QMouseEvent* press = new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent* release = new QMouseEvent(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5),
                                           Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::postEvent(CancelButton(dialog), press);
    QCoreApplication::postEvent(CancelButton(dialog), release);
    QVERIFY(dialog.PollCancel());
}

void TestProgressDlg::templateLayout() {
    CProgressDlg dialog;
    dialog.Create(nullptr);
    const QRect area = dialog.rect();
    QWidget* message = dialog.Control(IDC_PROGRESS_MESSAGE);
    QWidget* percent = dialog.Control(IDC_PERCENT);
    QWidget* bar = dialog.Control(IDC_PROGRESS_BAR);
    QWidget* cancel = dialog.Control(IDC_PROGRESS_CANCEL);
    for (QWidget* control : {message, percent, bar, cancel}) {
        QVERIFY(control);
        QVERIFY2(area.contains(control->geometry()), qPrintable(control->objectName()));
    }
    // Top to bottom as the template has them; the bar wider than the button.
    QVERIFY(message->geometry().bottom() <= percent->geometry().top());
    QVERIFY(percent->geometry().bottom() <= bar->geometry().top());
    QVERIFY(bar->geometry().bottom() <= cancel->geometry().top());
    QVERIFY(bar->width() > cancel->width());
    QVERIFY(area.width() > area.height());
}

QTEST_MAIN(TestProgressDlg)
#include "tst_progress_dlg.moc"
