// Draws the setup report on paper: a printer, the print preview or a PDF file. The lines
// come from the setting logic (ReportText.h); this only places them on the page in the
// report font. Needs Qt Gui, never Qt Widgets, so karvo-cli can write the PDF.
#pragma once

#include "core/forms/ReportSections.h"

#include <QPoint>
#include <QStringList>
#include <functional>

class CE2prom;
class QPagedPaintDevice;
class QPainter;
class QString;

// The start position and line height of a page of width x height device units.
struct REPORT_LAYOUT {
    int left;
    int top;
    int lineHeight;
};
REPORT_LAYOUT ReportLayout(int width, int height);

// The lines of a section, asked for while its page is drawn, so that each page shows what
// the image holds at that moment. May raise CError.
using ReportSectionSource = std::function<QStringList(const REPORT_SECTION& section)>;

// The sections of image in language, from the setting logic.
ReportSectionSource SettingReportSections(CE2prom& image, int language);

// Draws a section's lines from pos in the report font, one line height apart starting one
// line below pos (REPORT_SECTION_INDENT), and returns where the next section starts, two
// lines below the last (REPORT_SECTION_END).
// The painter's font is handed back as it was.
QPoint DrawReportSection(QPainter& painter, QPoint pos, const QStringList& lines);

// Draws page (1 to 4; any other number draws nothing): on page 1 the title, then the
// page's sections in order. CError raised by sections leaves here.
void PrintReportPage(QPainter& painter, int page, const ReportSectionSource& sections);

// Draws pages first to last on a paged device (a printer or a PDF writer), a new page
// between them. CError leaves here, with the pages drawn so far.
void PrintReport(QPainter& painter, QPagedPaintDevice& device, const ReportSectionSource& sections,
                 int first = 1, int last = REPORT_PAGE_COUNT);

// Writes the report of image in language as a four-page PDF file. False when the file
// cannot be written. CError leaves here.
bool WriteReportPdf(const QString& path, CE2prom& image, int language);
