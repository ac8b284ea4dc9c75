#include "app/CFailureBoxesOnly.h"

#include "link/DeviceCommandFrames.h"

CFailureBoxesOnly::CFailureBoxesOnly() : m_shown(Messages()) {
    SetMessageService(this);
}

CFailureBoxesOnly::~CFailureBoxesOnly() {
    SetMessageService(&m_shown);
}

MsgAnswer CFailureBoxesOnly::Show(const QString& text, const QString& caption, MsgIcon icon,
                                  MsgButtons buttons) {
    if (icon != MsgIcon::None || buttons != MsgButtons::Ok)
        return m_shown.Show(text, caption, icon, buttons);
    m_held.append({text, caption});
    return MsgAnswer::Ok;
}

bool CFailureBoxesOnly::Release(const CDeviceOutcome& outcome) {
    SetMessageService(&m_shown);
    if (!outcome.ok)
        for (const auto& [text, caption] : std::exchange(m_held, {}))
            m_shown.Show(text, caption, MsgIcon::None, MsgButtons::Ok);
    return outcome.ok;
}
