// CProfile: the application's private profile, an INI file of sections and entries
// ("Communication"/"Comport", "language"/"language", ...).
//
// By default the file is karvo.ini in the platform's profile folder (PlatformFolders.h); the
// environment variable KARVO_PROFILE names another file (the tests point it at a temporary one).
// SetProfilePath overrides both for the rest of the run.
#pragma once

#include <QString>

class CProfile {
public:
    // Where the profile lives now.
    static QString Path();
    static void SetPath(const QString& path);

    // A string entry, or defaultValue when the entry does not exist.
    static QString GetString(const QString& section, const QString& entry,
                             const QString& defaultValue = QString());
    static void WriteString(const QString& section, const QString& entry, const QString& value);

    // An integer entry; defaultValue when missing or not a number.
    static int GetInt(const QString& section, const QString& entry, int defaultValue);
    static void WriteInt(const QString& section, const QString& entry, int value);
};
