// CRecentFileList: the list of the last four files opened or saved, most recent first,
// kept in the profile (section "Recent File List", entries "File1" to "File4"). The
// menus have no place for it, so it is only remembered, never shown.
#pragma once

#include <QStringList>

class CRecentFileList {
public:
    static constexpr int SIZE = 4;

    // The stored list, most recent first, without empty entries.
    static QStringList Files();

    // Puts path at the top (moving it there if already listed), keeps at most four
    // entries and writes the list back to the profile.
    static void Add(const QString& path);
};
