// CKarvoView: the only view of the document. On screen it shows the setup overview: every
// section with its settings and values (CSetupOverviewModel in a tree view), changed
// settings marked, and a line saying how many changed. Activating a section (double-click
// or Enter) runs its setup command through the main frame, as its menu item would; on a
// greyed section it shows why the section is not available instead. The
// view also prints, previews and prints directly the setup report on the page set-up
// chosen with Print Setup; the report is drawn apart from the overview.
#pragma once

#include "gui/app/CCommandTarget.h"

#include <QWidget>

class CKarvoDoc;
class CMainFrame;
class CSetupOverviewModel;
class QLabel;
class QModelIndex;
class QPrinter;
class QTreeView;

class CKarvoView : public QWidget, public CCommandTarget {
    Q_OBJECT
public:
    CKarvoView(CKarvoDoc& document, CMainFrame& frame);

    // The report can be printed and previewed whenever a document is open.
    bool CanPrint() const;

    // Open is offered here first: the document's save question comes before the file
    // dialog (its answer is not consulted), then the command goes on to the application.
    // Print, direct print and Print Preview are handled here.
    bool OnCmdMsg(int id) override;

    // Prints pages first to last of the report on printer, each page on the image as it
    // is now. An error while a section's dialog is built is reported, the job is
    // abandoned and false returned.
    bool PrintReport(QPrinter& printer, int first, int last);

    // Shows the image as it is now; cheap when it has not changed since the last call.
    void Refresh();
    // Counts changes from the image as it is now (opened, saved, read or written).
    void SetBaseline();

    CSetupOverviewModel& Overview() { return *m_model; }
    QTreeView& Tree() { return *m_tree; }
    QString Summary() const;

private:
    void OnActivated(const QModelIndex& index);
    void ShowChangedCount(int count);
    void OnFilePrint();
    void OnFilePrintPreview();

    CKarvoDoc& m_document;
    CMainFrame& m_frame;
    CSetupOverviewModel* m_model = nullptr; // Qt children
    QTreeView* m_tree = nullptr;
    QLabel* m_summary = nullptr;
};
