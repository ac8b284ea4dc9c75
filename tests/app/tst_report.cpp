// The setup report: its page arithmetic, its text against a golden copy, the PDF, the
// values it shows after Cancel and OK, and a section that cannot be built.
#include "AppTestSupport.h"
#include "CRecordingMessages.h"

#include "core/forms/ReportText.h"
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "gui/app/CKarvoView.h"
#include "gui/dialogs/CTemplateDialog.h"
#include "gui/dialogs/SetupDialogFactory.h"
#include "gui/shell/ShellResources.h"
#include "print/ReportPainter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QStandardPaths>
#include <QtTest>

namespace {

constexpr int COUNTRY = 1006; // the System setup dialog's country list

QString DefaultReport(int language) {
    CE2prom image;
    image.LoadSRecords(KARVO_DEFAULT_SETUP);
    return ReportText(image, language);
}

// The non-empty lines, blanks runs folded: how a PDF's extracted text can be compared.
QStringList FoldedLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QRegularExpression("[\n\f]")))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    return lines;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void goldenText();
    void pdfHasTheSameLines();
    void cancelAndOk();
    void previewShowsFourPages();
    void printJob_data();
    void printJob();
    void failingSectionEndsTheJob();
};

void TestReport::layout_data() {
    QTest::addColumn<QSize>("page");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("line");
    QTest::newRow("800 x 600") << QSize(800, 600) << 80 << 30 << 8;
    QTest::newRow("truncated") << QSize(4959, 7015) << 495 << 350 << 93;
}

void TestReport::layout() {
    QFETCH(QSize, page);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, line);
    const REPORT_LAYOUT layout = ReportLayout(page.width(), page.height());
    QCOMPARE(layout.left, left);
    QCOMPARE(layout.top, top);
    QCOMPARE(layout.lineHeight, line);
}

void TestReport::goldenText() {
    QFile golden(QStringLiteral(KARVO_TEST_DATA "/report-en.txt"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const QStringList expected = QString::fromUtf8(golden.readAll()).split('\n');
    const QStringList actual = DefaultReport(0).split('\n');
    for (int i = 0; i < std::min(expected.size(), actual.size()); ++i)
        QVERIFY2(actual[i] == expected[i],
                 qPrintable(QStringLiteral("line %1: %2").arg(i + 1).arg(actual[i])));
    QCOMPARE(actual.size(), expected.size());

    // French: the sections' texts are translated, the title is not.
    const QStringList french = DefaultReport(1).split('\n');
    QCOMPARE(french.size(), expected.size());
    QCOMPARE(french[0], QStringLiteral("Karvo Version 2.6 Setup"));
    QVERIFY(french.contains(QStringLiteral("Pays                          SUEDE")));
    QVERIFY(french.contains(QStringLiteral("Interface radio")));
}

void TestReport::pdfHasTheSameLines() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    CE2prom image;
    image.LoadSRecords(KARVO_DEFAULT_SETUP);
    QVERIFY(WriteReportPdf(pdf, image, LANGUAGE_ENGLISH));
    QProcess extract;
    extract.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(20000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QCOMPARE(text.count(u'\f'), REPORT_PAGE_COUNT); // each page ends with a form feed
    QCOMPARE(FoldedLines(text), FoldedLines(ReportText(image, LANGUAGE_ENGLISH)));
}

void TestReport::cancelAndOk() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CMainFrame frame;
    const auto report = [&] { return ReportText(*frame.Image(), LANGUAGE_ENGLISH); };
    const QString before = report();
    QVERIFY(before.contains(QStringLiteral("Country                       SWEDEN")));
    QString chosen;
    for (const bool ok : {false, true}) {
        const CModalWatcher watcher([&](QWidget* modal) {
            auto* combo =
                qobject_cast<QComboBox*>(static_cast<CTemplateDialog*>(modal)->Control(COUNTRY));
            combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
            chosen = combo->currentText();
            ok ? static_cast<QDialog*>(modal)->accept() : static_cast<QDialog*>(modal)->reject();
        });
        frame.ExecuteCommand(ID_SYSTEM_SETUP);
        QVERIFY(watcher.Fired());
        if (!ok)
            QCOMPARE(report(), before);
    }
    QVERIFY(report().contains(QStringLiteral("Country                       ") + chosen));
    QVERIFY(messages.boxes.isEmpty());
}

void TestReport::previewShowsFourPages() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CMainFrame frame;
    QVERIFY(frame.IsCommandEnabled(ID_FILE_PRINT_PREVIEW));
    int pages = 0;
    const CModalWatcher watcher([&](QWidget* modal) {
        auto* preview = modal->findChild<QPrintPreviewWidget*>();
        QVERIFY(preview);
        preview->updatePreview();
        pages = preview->pageCount();
        static_cast<QDialog*>(modal)->reject();
    });
    frame.ExecuteCommand(ID_FILE_PRINT_PREVIEW);
    QVERIFY(watcher.Fired());
    QCOMPARE(pages, REPORT_PAGE_COUNT);
    QVERIFY(messages.boxes.isEmpty());
}

// A print job on the frame's own printer (here writing a PDF file): the direct print
// command prints the four pages, a page range only its pages, also when it is chosen in
// the print dialog (first -1).
void TestReport::printJob_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("pages");
    QTest::newRow("direct print command") << 0 << 0 << REPORT_PAGE_COUNT;
    QTest::newRow("pages 2 to 3") << 2 << 3 << 2;
    QTest::newRow("print dialog, pages 1 to 2") << -1 << 2 << 2;
}

void TestReport::printJob() {
    QFETCH(int, first);
    QFETCH(int, last);
    if (first < 0 && NativePrintDialogs())
        QSKIP("the system's own print dialog cannot be answered by a test");
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CMainFrame frame;
    const QString pdf = folder.Path(QStringLiteral("job.pdf"));
    frame.Printer().setOutputFormat(QPrinter::PdfFormat);
    frame.Printer().setOutputFileName(pdf);
    const CModalWatcher watcher([&](QWidget* modal) {
        modal->findChild<QAbstractButton*>(QStringLiteral("printRange"))->click();
        modal->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(1);
        modal->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(last);
        static_cast<QDialog*>(modal)->accept();
    });
    if (first == 0)
        frame.ExecuteCommand(ID_FILE_PRINT_DIRECT);
    else if (first < 0)
        frame.ExecuteCommand(ID_FILE_PRINT);
    else
        QVERIFY(frame.View()->PrintReport(frame.Printer(), first, last));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QTEST(int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r")), "pages");
    QCOMPARE(watcher.Fired(), first < 0);
    QVERIFY(messages.boxes.isEmpty());
}

void TestReport::failingSectionEndsTheJob() {
    CTestFolder folder;
    folder.AddDefaultSetup();
    CRecordingMessages messages;
    CFakeDialogs dialogs;
    dialogs.plans[ID_LINE_INTERFACE].throwInConstructor = [] {
        throw CCtrlErr("CStandardSpinner", 5);
    };
    CMainFrame frame(128, nullptr, dialogs.Source());
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.Path(QStringLiteral("report.pdf")));
    QVERIFY(!frame.View()->PrintReport(printer, 1, REPORT_PAGE_COUNT));
    QCOMPARE(messages.boxes.size(), 1);
    QCOMPARE(messages.boxes[0].text, QStringLiteral("CStandardSpinner : Value_struct incorrect."));
    // No section is drawn after the failing one: the job ended on page 1.
    QCOMPARE(dialogs.reported, (QList<int>{ID_SYSTEM_SETUP, ID_RADIO_INTERFACE,
                                           ID_REPEATER_OPERATION, ID_LINE_INTERFACE}));
    QVERIFY(dialogs.built.isEmpty()); // the report builds no dialog
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
