// The text of a setup report section: a title line and one line per setting, the label
// padded to 30 characters followed by the value ("%-30s%s"), each line at most 79
// characters. The dialogs draw these lines; karvo-cli prints them.
#pragma once

#include "core/forms/FormTable.h"

#include <QString>
#include <QStringList>
#include <span>

inline constexpr int SECTION_LINE_MAX = 79;

// The report's line height on a page deviceHeight units high: 8/600 of it, in integer
// arithmetic, so that a 600-unit page has lines 8 units apart.
constexpr int ReportLineHeight(int deviceHeight) { return deviceHeight * 8 / 600; }

// label (already translated) padded to 30 characters, then value; cut to 79 characters.
// A label of 30 characters or more is followed by one blank.
QString FormatSettingLine(const QString& label, const QString& value);

// The title and the lines, their labels translated into the source's language; a line's value is its
// computed value when it has one, else the shown text of its control in source.
QStringList SectionText(const char* title, std::span<const SETTING_LINE> lines,
                        const CSettingSource& source);
