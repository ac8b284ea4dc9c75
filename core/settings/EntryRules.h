// The rules every binding uses to walk a VALUE_STRUCT list and to read a number out of a
// shown text. Kept in one place so the dialogs, the report and karvo-cli read values the
// same way.
#pragma once

#include "core/image/VariableTables.h"

#include <QString>
#include <optional>

// True when low <= value <= high, the three compared as unsigned 32-bit numbers: a
// negative value is a huge number and falls in no range.
bool Covers(const VALUE_STRUCT& entry, int value);

// The leading decimal number of text, read the way "%d" reads it: white space skipped,
// an optional sign, then digits. nullopt when no digit follows. Saturates at the int range.
std::optional<int> LeadingNumber(const QString& text);

// The number formed by every decimal digit of text, in order, every other character
// (a minus sign too) ignored. nullopt when text holds no digit. Saturates at INT_MAX.
std::optional<int> AllDigits(const QString& text);

// The entry's text translated into the language (an index, as GetCurrentLanguage gives).
QString TranslatedText(const VALUE_STRUCT& entry, int language);

// "YES" or "NO", translated: how a check box or radio button shows its state.
QString YesNoText(bool yes, int language);

// The entry's own English text.
QString EnglishText(const VALUE_STRUCT& entry);
