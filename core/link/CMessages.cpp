#include "core/link/CMessages.h"

#include <cstdio>

namespace {
CMessageService* g_service = nullptr;
} // namespace

MsgAnswer CStderrMessageService::Show(const QString& text, const QString& caption, MsgIcon,
                                      MsgButtons buttons) {
    std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(),
                 text.toLocal8Bit().constData());
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Yes;
    default:
        return MsgAnswer::Ok;
    }
}

CMessageService& Messages() {
    static CStderrMessageService fallback;
    return g_service ? *g_service : fallback;
}

void SetMessageService(CMessageService* service) {
    g_service = service;
}
