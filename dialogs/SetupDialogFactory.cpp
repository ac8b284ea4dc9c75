#include "dialogs/SetupDialogFactory.h"

#include "dialogs/CLineInterfaceDlg.h"
#include "dialogs/CLineOperationDlg.h"
#include "dialogs/CRadioInterfaceDlg.h"
#include "dialogs/CRepeaterDlg.h"
#include "dialogs/CSingleTonesDlg.h"
#include "dialogs/CSystemSetupDlg.h"
#include "dialogs/CTrcSetupDlg.h"

namespace {

using DialogMaker = std::unique_ptr<CSetupDialog> (*)(CE2prom* image, bool readOnly,
                                                      QWidget* parent);

template <class Dialog> std::unique_ptr<CSetupDialog> Make(CE2prom* image, bool, QWidget* parent) {
    return std::make_unique<Dialog>(image, parent);
}

std::unique_ptr<CSetupDialog> MakeRepeater(CE2prom* image, bool readOnly, QWidget* parent) {
    return std::make_unique<CRepeaterDlg>(image, readOnly, parent);
}

struct SETUP_DIALOG {
    int commandId;
    DialogMaker make;
};

constexpr SETUP_DIALOG SETUP_DIALOGS[] = {
    {ID_SYSTEM_SETUP, Make<CSystemSetupDlg>},     {ID_RADIO_INTERFACE, Make<CRadioInterfaceDlg>},
    {ID_REPEATER_OPERATION, MakeRepeater},        {ID_LINE_INTERFACE, Make<CLineInterfaceDlg>},
    {ID_LINE_OPERATION, Make<CLineOperationDlg>}, {ID_SINGLE_TONES, Make<CSingleTonesDlg>},
    {ID_TRC_SETUP, Make<CTrcSetupDlg>},
};

const SETUP_DIALOG* FindSetupDialog(int commandId) {
    for (const SETUP_DIALOG& dialog : SETUP_DIALOGS)
        if (dialog.commandId == commandId)
            return &dialog;
    return nullptr;
}

} // namespace

bool HasSetupDialog(int commandId) {
    return FindSetupDialog(commandId) != nullptr;
}

std::unique_ptr<CSetupDialog> CreateSetupDialog(int commandId, CE2prom* image, bool readOnly,
                                                QWidget* parent) {
    const SETUP_DIALOG* dialog = FindSetupDialog(commandId);
    return dialog ? dialog->make(image, readOnly, parent) : nullptr;
}
