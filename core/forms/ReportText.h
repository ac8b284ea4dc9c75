// The setup report as text, drawn from the setting logic without any dialog: each section's
// lines, and the four pages as they are printed, line for line. The printed report and
// karvo-cli's text report both come from here.
#pragma once

#include "core/forms/ReportSections.h"

#include <QString>
#include <QStringList>

class CE2prom;

// The title at the top of page 1, with the two blank lines that follow it.
inline constexpr char REPORT_TITLE[] = "Karvo Version 2.6 Setup\n\n";

// Where things go on a page, in lines from the top: the title takes its three lines, a
// section starts one line below where the drawing stands and leaves it two lines below
// its last line.
inline constexpr int REPORT_TITLE_LINES = 3;
inline constexpr int REPORT_SECTION_INDENT = 1;
inline constexpr int REPORT_SECTION_END = 2;

// The section's title and setting lines, in language (an index, as GetCurrentLanguage
// gives). Raises CError as the section's dialog would.
QStringList ReportSectionText(const REPORT_SECTION& section, CE2prom& image, int language);

// One string per page, one line of text per printed line (blank lines where the page has
// none), every line at most 79 characters. CError leaves here.
QStringList ReportPagesText(CE2prom& image, int language);

// The pages of ReportPagesText as one text, each page's lines ended by a line break and a
// form feed before every page after the first.
QString ReportText(CE2prom& image, int language);
