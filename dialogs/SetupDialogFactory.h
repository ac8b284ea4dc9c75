// Which setup dialog each Setup menu command opens.
#pragma once

#include <memory>

class CE2prom;
class CSetupDialog;
class QWidget;

// Menu command identifiers of the setup commands.
enum SetupCommandId {
    ID_SYSTEM_SETUP = 32810,
    ID_RADIO_INTERFACE = 32800,
    ID_REPEATER_OPERATION = 32801,
    ID_LINE_INTERFACE = 32802,
    ID_LINE_OPERATION = 32803,
    ID_SINGLE_TONES = 32804,
    ID_TRC_SETUP = 32771,
    ID_ENCODER_DISCONNECT = 32813,
    ID_ENCODER_ACKNOWLEDGE = 32817,
    ID_ENCODER_ALARM = 32818,
    ID_DECODER_1 = 32819,
    ID_DECODER_2 = 32820,
    ID_DECODER_3 = 32821,
    ID_DECODER_4 = 32826,
};

// True when this build has the dialog of the command; commands without one stay disabled.
bool HasSetupDialog(int commandId);

// Builds the dialog of the command on the image (readOnly is used by the repeater dialog
// only). May raise CError while binding. nullptr for a command without a dialog.
std::unique_ptr<CSetupDialog> CreateSetupDialog(int commandId, CE2prom* image, bool readOnly,
                                                QWidget* parent = nullptr);
