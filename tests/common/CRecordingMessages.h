// A message service for tests: records every box and answers from a queue.
#pragma once

#include "core/link/CMessages.h"

#include <QList>
#include <QString>

struct RecordedBox {
    QString text;
    QString caption;
    MsgIcon icon;
    MsgButtons buttons;
};

class CRecordingMessages : public CMessageService {
public:
    // Installs itself as the message service; restores the default when destroyed.
    CRecordingMessages();
    ~CRecordingMessages() override;

    MsgAnswer Show(const QString& text, const QString& caption, MsgIcon icon,
                   MsgButtons buttons) override;

    // Answers given in order; when the queue is empty, Ok or Yes.
    QList<MsgAnswer> answers;
    QList<RecordedBox> boxes;
};
