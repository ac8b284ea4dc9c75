// A progress factory for tests: every display it creates writes what the exchange asked
// of it to one shared log, and a test can raise Cancel on the display that is alive.
#pragma once

#include "core/link/CProgress.h"

#include <QStringList>

class CRecordingProgress : public CProgressFactory {
public:
    std::unique_ptr<CProgress> CreateProgress() override;

    // "create", "range 0 10", "caption ...", "step 16", "percent 10%", "poll 0",
    // "message ...", "cancel off", "pump" (only counted, see pumps), "destroy", in order.
    QStringList log;
    // The percentages shown, in order, over all displays.
    QStringList percents;
    int pumps = 0;
    int created = 0;
    int alive = 0;
    // The display that exists now, or nullptr.
    CProgress* current = nullptr;
    // Cancel is raised just before the nth poll (counting from 1 over all displays).
    int cancelAtPoll = 0;
    int polls = 0;
    // What every display answers to Ending() (the program being ended).
    bool ending = false;
};
