#include "print/ReportPainter.h"

#include "core/forms/ReportText.h"
#include "core/forms/SectionText.h"
#include "print/ReportFont.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Draws the title at pos, its line breaks honoured, and returns its drawn height.
int DrawTitle(QPainter& painter, QPoint pos, const REPORT_LAYOUT& layout) {
    const QPaintDevice* device = painter.device();
    painter.save();
    painter.setFont(ReportFont(layout.lineHeight));
    QRect drawn;
    painter.drawText(QRect(pos, QPoint(device->width(), device->height())),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(REPORT_TITLE), &drawn);
    painter.restore();
    return drawn.height();
}

} // namespace

REPORT_LAYOUT ReportLayout(int width, int height) {
    return {int(width * 0.1), int(height * 0.05), ReportLineHeight(height)};
}

ReportSectionSource SettingReportSections(CE2prom& image, int language) {
    return [&image, language](const REPORT_SECTION& section) {
        return ReportSectionText(section, image, language);
    };
}

QPoint DrawReportSection(QPainter& painter, QPoint pos, const QStringList& lines) {
    const QPaintDevice* device = painter.device();
    if (device == nullptr)
        return pos;
    const int lineHeight = ReportLineHeight(device->height());
    // A fixed-pitch font sized to the line height, so that the label columns line up and
    // the lines do not run into each other on any page size.
    painter.save();
    painter.setFont(ReportFont(lineHeight));
    const int ascent = painter.fontMetrics().ascent();
    int y = pos.y();
    for (const QString& line : lines) {
        y += lineHeight;
        painter.drawText(QPoint(pos.x(), y + ascent), line);
    }
    painter.restore();
    return {pos.x(), y + REPORT_SECTION_END * lineHeight};
}

void PrintReportPage(QPainter& painter, int page, const ReportSectionSource& sections) {
    if (page < 1 || page > REPORT_PAGE_COUNT || painter.device() == nullptr)
        return;
    const REPORT_LAYOUT layout =
        ReportLayout(painter.device()->width(), painter.device()->height());
    QPoint pos(layout.left, layout.top);
    if (page == 1)
        pos.ry() += DrawTitle(painter, pos, layout);
    for (const REPORT_SECTION& section : ReportSections())
        if (section.page == page)
            pos = DrawReportSection(painter, pos, sections(section));
}

void PrintReport(QPainter& painter, QPagedPaintDevice& device, const ReportSectionSource& sections,
                 int first, int last) {
    for (int page = first; page <= last; ++page) {
        if (page > first)
            device.newPage();
        PrintReportPage(painter, page, sections);
    }
}

bool WriteReportPdf(const QString& path, CE2prom& image, int language) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(QString::fromLatin1(REPORT_TITLE).trimmed());
    writer.setCreator(QStringLiteral("Karvo"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    PrintReport(painter, writer, SettingReportSections(image, language));
    return painter.end();
}
