// Which setup dialog each Setup menu command opens.
#pragma once

#include "core/forms/ReportSections.h"

#include <memory>

class CE2prom;
class CSetupDialog;
class QWidget;

// True when this build has the dialog of the command; commands without one stay disabled.
bool HasSetupDialog(int commandId);

// Builds the dialog of the command on the image (readOnly is used by the repeater dialog
// only). May raise CError while binding. nullptr for a command without a dialog.
std::unique_ptr<CSetupDialog> CreateSetupDialog(int commandId, CE2prom* image, bool readOnly,
                                                QWidget* parent = nullptr);
