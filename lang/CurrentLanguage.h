// The language index of this run (0 English, 1 French, 2 German, 3 Spanish, 4 Italian).
// Set once at start-up from the profile; every translation reads it at the moment it
// translates, so nothing keeps a copy of it.
#pragma once

#include <QString>

int GetCurrentLanguage();
void SetCurrentLanguage(int language);

// The profile's name of a language index: "U.S English", "French", "German", "Spanish",
// "Italian"; any index outside 1 to 4 gives "U.S English".
QString LanguageProfileName(int language);

// The index for a profile name, compared exactly (case-sensitive); -1 for no match.
int LanguageFromProfileName(const QString& name);

// Translates text into the current language with a shared translator.
QString Tr(const QString& english);
