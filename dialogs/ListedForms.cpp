#include "dialogs/FormTable.h"
#include "dialogs/ToneSequenceForms.h"

#include <array>

// Report order: System setup opens page 1, Single tones closes it; the encoders
// Disconnect, Acknowledge, Alarm and the decoders 1 to 4 end the report.
std::span<const FORM_TABLE* const> ListedForms() {
    static const std::array<const FORM_TABLE*, 9> forms = {
        &SYSTEM_SETUP_FORM, &SINGLE_TONES_FORM, &EncoderForm(0), &EncoderForm(1), &EncoderForm(2),
        &DecoderForm(0),    &DecoderForm(1),    &DecoderForm(2), &DecoderForm(3)};
    return forms;
}
