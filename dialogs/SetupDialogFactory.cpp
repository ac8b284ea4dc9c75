#include "dialogs/SetupDialogFactory.h"

#include "dialogs/CSetupDialog.h"

// No setup dialog has been built into this program yet.
bool HasSetupDialog(int) { return false; }

std::unique_ptr<CSetupDialog> CreateSetupDialog(int, CE2prom*, bool, QWidget*) { return nullptr; }
