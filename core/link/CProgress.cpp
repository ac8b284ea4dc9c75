#include "core/link/CProgress.h"

#include <algorithm>

void CProgress::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    // Like a progress bar, the position stays within the new range.
    m_position = std::max(lower, std::min(m_position, std::max(lower, upper)));
    ShowRange(lower, upper);
}

void CProgress::SetStep(int step) {
    m_step = step;
    ShowStep(step);
}

int CProgress::StepIt() {
    PumpMessages();
    const int previous = m_position;
    const int advanced = previous + m_step;
    m_position = advanced;
    if (m_upper > m_lower && m_position > m_upper)
        m_position = m_lower + (m_position - m_upper);
    ShowPosition(m_position, ProgressPercentText(advanced, m_lower, m_upper));
    return previous;
}

bool CProgress::PollCancel() {
    PumpMessages();
    const bool requested = m_cancelRequested;
    m_cancelRequested = false;
    return requested;
}

int ProgressPercent(int position, int lower, int upper) {
    if (upper == lower)
        return position >= upper ? 100 : 0;
    const long long percent =
        (static_cast<long long>(position) - lower) * 100 / (static_cast<long long>(upper) - lower);
    return static_cast<int>(percent == 100 ? percent : percent % 100);
}

QString ProgressPercentText(int position, int lower, int upper) {
    return QString::number(ProgressPercent(position, lower, upper)) + QLatin1Char('%');
}
