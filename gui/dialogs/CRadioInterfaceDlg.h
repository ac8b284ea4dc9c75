// CRadioInterfaceDlg: the Radio interface dialog: the tone system, start-up channel, single-channel
// flag and type of the radio, and the fine-tune levels from and to it. The radio type decides
// whether the repeater and full-duplex commands are open.
#pragma once

#include "gui/dialogs/CTemplateDialog.h"

class CRadioInterfaceDlg : public CTemplateDialog {
    Q_OBJECT
public:
    explicit CRadioInterfaceDlg(CE2prom* image, QWidget* parent = nullptr);
};
