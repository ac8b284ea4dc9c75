// The language index of this run (0 English, 1 French, 2 German, 3 Spanish, 4 Italian).
// Set once at start-up (from the profile, or karvo-cli's --language) and never switched
// afterwards: code that formats a setup in another language (the report, the listing, the
// text setups) is given that language and translates with Tr(text, language).
#pragma once

#include <QString>

inline constexpr int LANGUAGE_ENGLISH = 0;

int GetCurrentLanguage();
void SetCurrentLanguage(int language);

// The profile's name of a language index: "U.S English", "French", "German", "Spanish",
// "Italian"; any index outside 1 to 4 gives "U.S English".
QString LanguageProfileName(int language);

// The index for a profile name, compared exactly (case-sensitive); -1 for no match.
int LanguageFromProfileName(const QString& name);

// Translates text into the current language with a shared translator.
QString Tr(const QString& english);
// Translates text into the given language index.
QString Tr(const QString& english, int language);
