// CHeldBoxes: a message service that holds outcome boxes (no icon, one OK button) instead
// of showing them, and passes every other box (error reports, questions) at once to the
// service it stands in front of. Work whose outcome another report sums up is given one:
// the read-back after a write, whose outcome the write's box tells.
#pragma once

#include "core/link/CMessages.h"

#include <QList>
#include <QString>
#include <utility>

class CHeldBoxes : public CMessageService {
public:
    // shown receives the boxes that pass (and is where held ones may be shown later); it
    // must outlive this service.
    explicit CHeldBoxes(CMessageService& shown) : m_shown(shown) {}

    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;

    // The held boxes (text and caption) in the order they came; none are held afterwards.
    QList<std::pair<QString, QString>> TakeHeld() { return std::exchange(m_held, {}); }
    CMessageService& Shown() const { return m_shown; }

private:
    CMessageService& m_shown;
    QList<std::pair<QString, QString>> m_held;
};
