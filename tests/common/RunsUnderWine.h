// Whether this program is a Windows program running under Wine, for the few checks whose
// outcome under Wine says nothing about Windows (always false on Linux).
#pragma once

#include <QLibrary>

inline bool RunsUnderWine() {
    QLibrary ntdll(QStringLiteral("ntdll"));
    return ntdll.load() && ntdll.resolve("wine_get_version") != nullptr;
}
