// CRepeaterDlg: the Repeater operation dialog: hang, block, time-out and knock-down
// timers, the repeater type and the confidence beeps in the hang time. Opened read-only
// (for a simplex or semi-duplex radio) it locks everything but the confidence beeps, so
// Commit stores the other settings as they were loaded.
#pragma once

#include "gui/dialogs/CTemplateDialog.h"

class CRepeaterDlg : public CTemplateDialog {
    Q_OBJECT
public:
    CRepeaterDlg(CE2prom* image, bool readOnly, QWidget* parent = nullptr);
};
