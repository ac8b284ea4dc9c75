#include "dialogs/FormTable.h"

#include <array>

// Report order: System setup opens page 1, Single tones closes it.
std::span<const FORM_TABLE* const> ListedForms() {
    static const std::array<const FORM_TABLE*, 2> forms = {&SYSTEM_SETUP_FORM, &SINGLE_TONES_FORM};
    return forms;
}
