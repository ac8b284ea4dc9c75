#include "CRecordingMessages.h"

CRecordingMessages::CRecordingMessages() {
    SetMessageService(this);
}

CRecordingMessages::~CRecordingMessages() {
    SetMessageService(nullptr);
}

MsgAnswer CRecordingMessages::Show(const QString& text, const QString& caption, MsgIcon icon,
                                   MsgButtons buttons) {
    boxes.append({text, caption, icon, buttons});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return (buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel) ? MsgAnswer::Ok
                                                                          : MsgAnswer::Yes;
}
