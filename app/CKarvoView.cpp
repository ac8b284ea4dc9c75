#include "app/CKarvoView.h"

#include "app/CKarvoDoc.h"
#include "res/shell/ShellResources.h"

#include <QPalette>

CKarvoView::CKarvoView(CKarvoDoc& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

bool CKarvoView::OnCmdMsg(int id) {
    switch (id) {
    case ID_FILE_OPEN:
        m_document.SaveModified();
        return false;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
        // No report yet: the commands are disabled and do nothing if they arrive anyway.
        return true;
    default:
        return false;
    }
}
