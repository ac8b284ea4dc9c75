#include "gui/app/CKarvoView.h"

#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/link/CMessages.h"
#include "gui/app/CKarvoDoc.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CProcessControl.h"
#include "gui/app/CSetupOverviewModel.h"
#include "gui/shell/ShellResources.h"
#include "print/ReportPainter.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

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
    m_model = new CSetupOverviewModel(
        *frame.Image(), CMainFrame::SetupCommands(),
        [&frame](int id) {
            const bool enabled = frame.IsCommandEnabled(id);
            return CSetupOverviewModel::COMMAND_STATE{
                enabled, enabled ? QString() : CMainFrame::UnavailableReason(id)};
        },
        this);
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    layout->addWidget(m_summary);
    m_tree = new QTreeView(this);
    m_tree->setModel(m_model);
    m_tree->setAccessibleName(Tr("Setup overview"));
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->expandAll();
    m_tree->resizeColumnToContents(CSetupOverviewModel::LABEL_COLUMN);
    m_tree->setColumnWidth(CSetupOverviewModel::VALUE_COLUMN,
                           m_tree->columnWidth(CSetupOverviewModel::LABEL_COLUMN) * 3 / 4);
    m_tree->setCurrentIndex(m_model->index(0, 0));
    layout->addWidget(m_tree);
    m_summary->setBuddy(m_tree);
    setFocusProxy(m_tree);
    connect(m_tree, &QTreeView::activated, this, &CKarvoView::OnActivated);
    connect(m_model, &CSetupOverviewModel::ChangedCountChanged, this,
            &CKarvoView::ShowChangedCount);
    ShowChangedCount(m_model->ChangedCount());
}

void CKarvoView::Refresh() {
    m_model->Refresh();
}

void CKarvoView::SetBaseline() {
    m_model->SetBaseline();
}

QString CKarvoView::Summary() const {
    return m_summary->text();
}

void CKarvoView::ShowChangedCount(int count) {
    m_summary->setText(
        Tr("Settings changed since the setup was opened, saved, read or written: %1").arg(count));
}

// A greyed section's row says why it does not open, in a box titled with the section.
void CKarvoView::OnActivated(const QModelIndex& index) {
    if (!index.data(CSetupOverviewModel::EnabledRole).toBool()) {
        const QModelIndex section = index.parent().isValid() ? index.parent() : index;
        Messages().Show(index.data(Qt::ToolTipRole).toString(),
                        section.data(CSetupOverviewModel::LabelRole).toString(),
                        MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    const int command = index.data(CSetupOverviewModel::CommandRole).toInt();
    if (command != 0)
        m_frame.ExecuteCommand(command);
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
        ::PrintReport(
            painter, printer,
            [&](const REPORT_SECTION& section) { return dialogs.report(section, m_frame.Image()); },
            first, last);
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
