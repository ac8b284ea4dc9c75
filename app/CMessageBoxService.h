// The GUI's message service: shows each box as a modal QMessageBox owned by no window.
#pragma once

#include "link/CMessages.h"

class CMessageBoxService : public CMessageService {
public:
    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;
};
