#include "gui/dialogs/ControlLabels.h"

#include <algorithm>

namespace {

// A combo box's template height includes its drop-down list; its field is one row.
constexpr int ROW_HEIGHT = 14;

int RowBottom(const CONTROL_TEMPLATE& c) {
    return c.y + (c.kind == ControlKind::ComboBox ? std::min(c.height, ROW_HEIGHT) : c.height);
}

bool OnSameRow(const CONTROL_TEMPLATE& label, const CONTROL_TEMPLATE& control) {
    return label.y < RowBottom(control) && control.y < label.y + label.height &&
           label.x < control.x;
}

bool Above(const CONTROL_TEMPLATE& label, const CONTROL_TEMPLATE& control) {
    return label.y + label.height <= control.y && label.x < control.x + control.width &&
           control.x < label.x + label.width;
}

// The static text matching where that lies nearest to the control: the greatest key.
template <class Where, class Key>
const CONTROL_TEMPLATE* Nearest(const DIALOG_TEMPLATE& t, const CONTROL_TEMPLATE& control,
                                Where where, Key key) {
    const CONTROL_TEMPLATE* found = nullptr;
    for (const CONTROL_TEMPLATE& c : t.controls)
        if (c.kind == ControlKind::Static && where(c, control) && (!found || key(c) > key(*found)))
            found = &c;
    return found;
}

} // namespace

bool IsInputControl(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
    case ControlKind::UpDown:
    case ControlKind::ComboBox:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::Trackbar:
        return true;
    default:
        return false;
    }
}

const CONTROL_TEMPLATE* ControlLabel(const DIALOG_TEMPLATE& dialogTemplate,
                                     const CONTROL_TEMPLATE& control) {
    const bool captioned =
        control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton;
    if (!IsInputControl(control.kind) || (captioned && control.text[0] != '\0'))
        return nullptr;
    const auto x = [](const CONTROL_TEMPLATE& c) { return c.x; };
    const auto y = [](const CONTROL_TEMPLATE& c) { return c.y; };
    const CONTROL_TEMPLATE* left = control.kind == ControlKind::Trackbar
                                       ? nullptr
                                       : Nearest(dialogTemplate, control, OnSameRow, x);
    return left ? left : Nearest(dialogTemplate, control, Above, y);
}

const CONTROL_TEMPLATE* RadioGroupCaption(const DIALOG_TEMPLATE& dialogTemplate,
                                          const CONTROL_TEMPLATE& radio) {
    for (const CONTROL_TEMPLATE& c : dialogTemplate.controls)
        if (c.kind == ControlKind::GroupBox && c.x <= radio.x && radio.x < c.x + c.width &&
            c.y <= radio.y && radio.y < c.y + c.height)
            return &c;
    return Nearest(dialogTemplate, radio, Above, [](const CONTROL_TEMPLATE& c) { return c.y; });
}
