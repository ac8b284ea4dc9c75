// The GUI's message service: shows each box as a modal QMessageBox owned by the dialog
// that is running modally, else by the main window when it exists, so that the box
// appears over it.
#pragma once

#include "core/link/CMessages.h"

class QWidget;

class CMessageBoxService : public CMessageService {
public:
    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;

    // The window a box is shown over now; null when there is none.
    static QWidget* Owner();
};
