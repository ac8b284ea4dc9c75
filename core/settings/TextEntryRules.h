// How a value written as text (a text setup, YAML import, karvo-cli apply) is read, and
// how a refusal names the legal values. The setting logic reads its own kind of value
// with these; the text entry of a whole section reads its worked-out values with them.
#pragma once

#include "core/image/VariableTables.h"

#include <QString>
#include <optional>

// YES or NO (a text setup is English), in any case; nullopt for anything else.
std::optional<bool> ReadYesNo(const QString& value);

// A plain decimal whole number (digits with an optional leading minus, nothing else) in
// from to to; nullopt for anything else. "0x6", "6.0" or "+6" is not read by its leading
// digits, as a dialog's edit would read it.
std::optional<int> ReadNumber(const QString& value, int from, int to);

// Whether value is written as a text setup writes a value of list: one of its texts, or a
// plain decimal number, with a minus only where the list goes below zero.
bool IsWrittenValue(const QString& value, const VALUE_STRUCT* list);

// "from to to", or the one number when they are equal.
QString RangeText(int from, int to);

// What a value list allows, in English: its texts and its ranges ("DISABLED, 1 to 99",
// "1 to 240 step 2"), a run of numeric texts as one range.
QString LegalValues(const VALUE_STRUCT* list);

// What a check box or a radio button takes.
inline const QString YES_NO_TEXT = QStringLiteral("YES, NO");
