// CKarvoView: the only view of the document. It draws nothing on screen (the main
// window's client area stays empty); it exists for the printed setup report, which it
// prints, previews and prints directly on the page set-up chosen with Print Setup.
#pragma once

#include "app/CCommandTarget.h"

#include <QWidget>

class CKarvoDoc;
class CMainFrame;
class QPrinter;

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

private:
    void OnFilePrint();
    void OnFilePrintPreview();

    CKarvoDoc& m_document;
    CMainFrame& m_frame;
};
