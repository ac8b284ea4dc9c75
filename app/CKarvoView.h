// CKarvoView: the only view of the document. It draws nothing on screen (the main
// window's client area stays empty); it exists for the printed setup report. Until the
// report is built, the print commands stay disabled.
#pragma once

#include "app/CCommandTarget.h"

#include <QWidget>

class CKarvoDoc;

class CKarvoView : public QWidget, public CCommandTarget {
    Q_OBJECT
public:
    CKarvoView(CKarvoDoc& document, QWidget* parent);

    // True when the setup report can be printed and previewed.
    static bool CanPrint() { return false; }

    // Open is offered here first: the document's save question comes before the file
    // dialog (its answer is not consulted), then the command goes on to the application.
    bool OnCmdMsg(int id) override;

private:
    CKarvoDoc& m_document;
};
