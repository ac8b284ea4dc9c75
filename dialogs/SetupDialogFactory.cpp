#include "dialogs/SetupDialogFactory.h"

#include "dialogs/CDecoderDlg.h"
#include "dialogs/CSingleTonesDlg.h"
#include "dialogs/CSystemSetupDlg.h"

namespace {

// The encoder and decoder index of each telegram command.
struct TELEGRAM_COMMAND {
    int commandId;
    bool decoder;
    int index;
};

constexpr TELEGRAM_COMMAND TELEGRAM_COMMANDS[] = {
    {ID_ENCODER_DISCONNECT, false, 0}, {ID_ENCODER_ACKNOWLEDGE, false, 1},
    {ID_ENCODER_ALARM, false, 2},      {ID_DECODER_1, true, 0},
    {ID_DECODER_2, true, 1},           {ID_DECODER_3, true, 2},
    {ID_DECODER_4, true, 3},
};

const TELEGRAM_COMMAND* FindTelegramCommand(int commandId) {
    for (const TELEGRAM_COMMAND& command : TELEGRAM_COMMANDS)
        if (command.commandId == commandId)
            return &command;
    return nullptr;
}

std::unique_ptr<CSetupDialog> CreateTelegramDialog(const TELEGRAM_COMMAND& command, CE2prom* image,
                                                   QWidget* parent) {
    if (command.decoder)
        return std::make_unique<CDecoderDlg>(image, command.index, parent);
    return std::make_unique<CToneSequenceDlg>(image, command.index, parent);
}

} // namespace

bool HasSetupDialog(int commandId) {
    return commandId == ID_SYSTEM_SETUP || commandId == ID_SINGLE_TONES ||
           FindTelegramCommand(commandId) != nullptr;
}

std::unique_ptr<CSetupDialog> CreateSetupDialog(int commandId, CE2prom* image, bool,
                                                QWidget* parent) {
    if (const TELEGRAM_COMMAND* command = FindTelegramCommand(commandId))
        return CreateTelegramDialog(*command, image, parent);
    switch (commandId) {
    case ID_SYSTEM_SETUP:
        return std::make_unique<CSystemSetupDlg>(image, parent);
    case ID_SINGLE_TONES:
        return std::make_unique<CSingleTonesDlg>(image, parent);
    default:
        return nullptr;
    }
}
