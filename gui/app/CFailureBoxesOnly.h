// CFailureBoxesOnly: keeps the success box of a device command from the user, where what
// follows the command is its outcome (the comparison after Compare with device's read).
// While it exists it is the message service: outcome boxes (no icon, one OK button) are
// held, other boxes (errors, questions) pass at once to the service it replaced, which
// it puts back when released or destroyed.
#pragma once

#include "core/link/CHeldBoxes.h"

struct CDeviceOutcome;

class CFailureBoxesOnly : public CHeldBoxes {
public:
    CFailureBoxesOnly();
    ~CFailureBoxesOnly() override;

    // Puts the replaced service back and shows the held boxes when the command failed;
    // true when it succeeded.
    bool Release(const CDeviceOutcome& outcome);
};
