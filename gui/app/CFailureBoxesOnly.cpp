#include "gui/app/CFailureBoxesOnly.h"

#include "core/link/DeviceCommandFrames.h"

CFailureBoxesOnly::CFailureBoxesOnly() : CHeldBoxes(Messages()) {
    SetMessageService(this);
}

CFailureBoxesOnly::~CFailureBoxesOnly() {
    SetMessageService(&Shown());
}

bool CFailureBoxesOnly::Release(const CDeviceOutcome& outcome) {
    SetMessageService(&Shown());
    const auto held = TakeHeld();
    if (!outcome.ok)
        for (const auto& [text, caption] : held)
            Shown().Show(text, caption, MsgIcon::None, MsgButtons::Ok);
    return outcome.ok;
}
