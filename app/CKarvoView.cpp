#include "app/CKarvoView.h"

#include "app/CKarvoDoc.h"
#include "app/CMainFrame.h"
#include "app/SetupReport.h"
#include "lang/CProcessControl.h"
#include "link/CError.h"
#include "res/shell/ShellResources.h"

#include <QPainter>
#include <QPalette>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>

#include <algorithm>

CKarvoView::CKarvoView(CKarvoDoc& document, CMainFrame& frame)
    : QWidget(&frame), m_document(document), m_frame(frame) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

bool CKarvoView::CanPrint() const {
    return m_frame.Document() != nullptr;
}

bool CKarvoView::OnCmdMsg(int id) {
    switch (id) {
    case ID_FILE_OPEN:
        m_document.SaveModified();
        return false;
    case ID_FILE_PRINT:
        OnFilePrint();
        return true;
    case ID_FILE_PRINT_DIRECT:
        PrintReport(m_frame.Printer(), 1, REPORT_PAGE_COUNT);
        return true;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreview();
        return true;
    default:
        return false;
    }
}

bool CKarvoView::PrintReport(QPrinter& printer, int first, int last) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const CMainFrame::SetupDialogSource& dialogs = m_frame.Dialogs();
    try {
        // Each page reads the image afresh, so the report shows what it holds now.
        ::PrintReport(painter, printer, m_frame.Image(), dialogs.create, first, last);
    } catch (const CError& error) {
        printer.abort();
        painter.end();
        if (error.ReportError())
            ProcessControl().EndProcess(0);
        return false;
    }
    return painter.end();
}

void CKarvoView::OnFilePrint() {
    QPrinter& printer = m_frame.Printer();
    printer.setFromTo(1, REPORT_PAGE_COUNT);
    QPrintDialog dialog(&printer, &m_frame);
    dialog.setMinMax(1, REPORT_PAGE_COUNT);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    PrintReport(printer, range ? printer.fromPage() : 1,
                range ? std::min(printer.toPage(), REPORT_PAGE_COUNT) : REPORT_PAGE_COUNT);
}

void CKarvoView::OnFilePrintPreview() {
    QPrintPreviewDialog preview(&m_frame.Printer(), &m_frame);
    // The preview always shows the whole report; a failed section, once reported, closes it.
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, &preview](QPrinter* printer) {
                if (!PrintReport(*printer, 1, REPORT_PAGE_COUNT))
                    QTimer::singleShot(0, &preview, &QDialog::reject);
            });
    preview.exec();
}
