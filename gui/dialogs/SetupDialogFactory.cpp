#include "gui/dialogs/SetupDialogFactory.h"

#include "gui/dialogs/CDecoderDlg.h"
#include "gui/dialogs/CLineInterfaceDlg.h"
#include "gui/dialogs/CLineOperationDlg.h"
#include "gui/dialogs/CRadioInterfaceDlg.h"
#include "gui/dialogs/CRepeaterDlg.h"
#include "gui/dialogs/CSingleTonesDlg.h"
#include "gui/dialogs/CSystemSetupDlg.h"
#include "gui/dialogs/CTrcSetupDlg.h"

namespace {

using DialogMaker = std::unique_ptr<CSetupDialog> (*)(CE2prom* image, bool readOnly,
                                                      QWidget* parent);

template <class Dialog> std::unique_ptr<CSetupDialog> Make(CE2prom* image, bool, QWidget* parent) {
    return std::make_unique<Dialog>(image, parent);
}

std::unique_ptr<CSetupDialog> MakeRepeater(CE2prom* image, bool readOnly, QWidget* parent) {
    return std::make_unique<CRepeaterDlg>(image, readOnly, parent);
}

// The encoders Disconnect, Acknowledge, Alarm and the decoders 1 to 4: one dialog class per
// kind, its index choosing the telegram.
template <class Dialog, int index>
std::unique_ptr<CSetupDialog> MakeTelegram(CE2prom* image, bool, QWidget* parent) {
    return std::make_unique<Dialog>(image, index, parent);
}

struct SETUP_DIALOG {
    int commandId;
    DialogMaker make;
};

constexpr SETUP_DIALOG SETUP_DIALOGS[] = {
    {ID_SYSTEM_SETUP, Make<CSystemSetupDlg>},
    {ID_RADIO_INTERFACE, Make<CRadioInterfaceDlg>},
    {ID_REPEATER_OPERATION, MakeRepeater},
    {ID_LINE_INTERFACE, Make<CLineInterfaceDlg>},
    {ID_LINE_OPERATION, Make<CLineOperationDlg>},
    {ID_SINGLE_TONES, Make<CSingleTonesDlg>},
    {ID_TRC_SETUP, Make<CTrcSetupDlg>},
    {ID_ENCODER_DISCONNECT, MakeTelegram<CToneSequenceDlg, 0>},
    {ID_ENCODER_ACKNOWLEDGE, MakeTelegram<CToneSequenceDlg, 1>},
    {ID_ENCODER_ALARM, MakeTelegram<CToneSequenceDlg, 2>},
    {ID_DECODER_1, MakeTelegram<CDecoderDlg, 0>},
    {ID_DECODER_2, MakeTelegram<CDecoderDlg, 1>},
    {ID_DECODER_3, MakeTelegram<CDecoderDlg, 2>},
    {ID_DECODER_4, MakeTelegram<CDecoderDlg, 3>},
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
