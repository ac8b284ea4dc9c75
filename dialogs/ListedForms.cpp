#include "dialogs/FormTable.h"

#include <array>

// Report order: System setup opens page 1, Single tones closes it, TRC setup opens page 2.
std::span<const FORM_TABLE* const> ListedForms() {
    static const std::array<const FORM_TABLE*, 7> forms = {
        &SYSTEM_SETUP_FORM,   &RADIO_INTERFACE_FORM, &REPEATER_FORM,  &LINE_INTERFACE_FORM,
        &LINE_OPERATION_FORM, &SINGLE_TONES_FORM,    &TRC_SETUP_FORM,
    };
    return forms;
}
