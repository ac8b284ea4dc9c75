#include "core/link/CHeldBoxes.h"

MsgAnswer CHeldBoxes::Show(const QString& text, const QString& caption, MsgIcon icon,
                           MsgButtons buttons) {
    if (icon != MsgIcon::None || buttons != MsgButtons::Ok)
        return m_shown.Show(text, caption, icon, buttons);
    m_held.append({text, caption});
    return MsgAnswer::Ok;
}
