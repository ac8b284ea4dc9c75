#include "dialogs/SetupDialogFactory.h"

#include "dialogs/CSingleTonesDlg.h"
#include "dialogs/CSystemSetupDlg.h"

bool HasSetupDialog(int commandId) {
    return commandId == ID_SYSTEM_SETUP || commandId == ID_SINGLE_TONES;
}

std::unique_ptr<CSetupDialog> CreateSetupDialog(int commandId, CE2prom* image, bool,
                                                QWidget* parent) {
    switch (commandId) {
    case ID_SYSTEM_SETUP:
        return std::make_unique<CSystemSetupDlg>(image, parent);
    case ID_SINGLE_TONES:
        return std::make_unique<CSingleTonesDlg>(image, parent);
    default:
        return nullptr;
    }
}
