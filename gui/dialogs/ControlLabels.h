// Which static text of a dialog template labels a control, found from the template's
// geometry, so that a screen reader can say what each edit, combo box, slider or
// caption-less radio button is for, and a label's mnemonic reaches its control.
#pragma once

#include "gui/templates/DialogTemplate.h"

// True for the controls that take a value from the user (edits, arrows, combo boxes,
// check boxes, radio buttons, sliders).
bool IsInputControl(ControlKind kind);

// The static text that labels control in dialogTemplate, or nullptr: the nearest static
// text to its left on the same row, otherwise the nearest one above it (a combo box
// captioned from above). A slider is always captioned from above: the labels to its left
// belong to the rows it spans. A check box or radio button with a text of its own needs
// none.
const CONTROL_TEMPLATE* ControlLabel(const DIALOG_TEMPLATE& dialogTemplate,
                                     const CONTROL_TEMPLATE& control);

// What a radio button is a choice of: the group box around it, otherwise the static text
// nearest above its column; nullptr when there is neither.
const CONTROL_TEMPLATE* RadioGroupCaption(const DIALOG_TEMPLATE& dialogTemplate,
                                          const CONTROL_TEMPLATE& radio);
