// The four-page setup report. Every section is drawn by its setup dialog, created hidden
// on the image so that its bindings format the values exactly as on screen, and destroyed
// after its section. One page routine serves the printer, the print preview, the PDF file
// and the plain-text report of karvo-cli.
#pragma once

#include <QStringList>
#include <functional>
#include <memory>

class CE2prom;
class CSetupDialog;
class QPagedPaintDevice;
class QPainter;
class QString;
class QWidget;

inline constexpr int REPORT_PAGE_COUNT = 4;

// How a section's dialog is built: (command ID, image, read-only, parent).
using ReportDialogMaker =
    std::function<std::unique_ptr<CSetupDialog>(int, CE2prom*, bool, QWidget*)>;

// The start position and line height of a page of width x height device units.
struct REPORT_LAYOUT {
    int left;
    int top;
    int lineHeight;
};
REPORT_LAYOUT ReportLayout(int width, int height);

// Draws page (1 to 4; any other number draws nothing) of the report of image on painter:
// on page 1 the title, then the page's sections in order. CError raised while a
// section's dialog is built leaves here.
void PrintReportPage(QPainter& painter, int page, CE2prom* image, const ReportDialogMaker& make);

// Draws pages first to last on a paged device (a printer or a PDF writer), a new page
// between them. CError leaves here, with the pages drawn so far.
void PrintReport(QPainter& painter, QPagedPaintDevice& device, CE2prom* image,
                 const ReportDialogMaker& make, int first = 1, int last = REPORT_PAGE_COUNT);

// The report as text: one string per page, each drawn line on the line of its position
// ((top of the line - top margin) / line height), every line cut at 79 characters.
QStringList ReportPagesText(CE2prom* image, const ReportDialogMaker& make);

// The pages of ReportPagesText as one text, each page's lines ended by a line break and a
// form feed before every page after the first.
QString ReportText(CE2prom* image, const ReportDialogMaker& make);

// Writes the report as a four-page PDF file. False when the file cannot be written.
// CError leaves here.
bool WriteReportPdf(const QString& path, CE2prom* image, const ReportDialogMaker& make);

// The dialogs of the program (SetupDialogFactory.h).
ReportDialogMaker FactoryReportDialogs();
