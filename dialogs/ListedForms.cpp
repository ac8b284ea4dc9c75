#include "dialogs/FormTable.h"
#include "dialogs/ToneSequenceForms.h"

#include <array>

// Report order: System setup opens page 1, Single tones closes it; TRC setup opens page 2,
// then the encoders Disconnect, Acknowledge, Alarm and the decoders 1 to 4 end the report.
std::span<const FORM_TABLE* const> ListedForms() {
    static const std::array<const FORM_TABLE*, 14> forms = {
        &SYSTEM_SETUP_FORM,   &RADIO_INTERFACE_FORM, &REPEATER_FORM,  &LINE_INTERFACE_FORM,
        &LINE_OPERATION_FORM, &SINGLE_TONES_FORM,    &TRC_SETUP_FORM, &EncoderForm(0),
        &EncoderForm(1),      &EncoderForm(2),       &DecoderForm(0), &DecoderForm(1),
        &DecoderForm(2),      &DecoderForm(3),
    };
    return forms;
}
