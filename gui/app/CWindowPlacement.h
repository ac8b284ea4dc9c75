// CWindowPlacement: the main window's size and place. The window first opens at a size
// that shows the overview's columns and as many of its rows as the screen allows (within
// the primary screen's free area, so on a 1366 x 768 laptop it fills the height), centred;
// afterwards it opens where it was closed: the profile keeps its normal geometry and
// whether it was maximized (section "Window", entry "Placement": "left,top,width,height,
// maximized"). A stored place that no screen shows any more (a monitor unplugged) is
// not used.
#pragma once

#include <QList>
#include <QRect>

class QWidget;

class CWindowPlacement {
public:
    // The window's first size, before the screen bounds it.
    static constexpr QSize PREFERRED_SIZE{1000, 720};
    // What a window needs beside its client area for its title bar and borders.
    static constexpr QSize FRAME_ALLOWANCE{16, 40};
    // How much of a stored window a screen must show for it to be put back there.
    static constexpr QSize MIN_VISIBLE{160, 80};

    // Where the window goes: stored when a screen shows at least MIN_VISIBLE of it, else
    // PREFERRED_SIZE within and centred on the first screen. screens are the available
    // areas, the primary first; an empty stored rectangle means none was stored.
    static QRect Place(const QRect& stored, const QList<QRect>& screens);

    // Puts window where the profile says (or at its first size).
    static void Restore(QWidget& window);
    // Writes window's normal geometry and maximized state to the profile.
    static void Store(const QWidget& window);
};
