#include "app/SetupReport.h"

#include "app/CReportTextDevice.h"
#include "dialogs/CSetupDialog.h"
#include "dialogs/ReportFont.h"
#include "dialogs/SectionText.h"
#include "dialogs/SetupDialogFactory.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <array>
#include <vector>

namespace {

const char* const REPORT_TITLE = "Karvo Version 2.6 Setup\n\n";

// The sections of each page, in printing order, by the command of their dialog. The
// repeater section is never read-only.
const std::array<std::vector<int>, REPORT_PAGE_COUNT> PAGE_PLAN = {{
    {ID_SYSTEM_SETUP, ID_RADIO_INTERFACE, ID_REPEATER_OPERATION, ID_LINE_INTERFACE,
     ID_LINE_OPERATION, ID_SINGLE_TONES},
    {ID_TRC_SETUP, ID_ENCODER_DISCONNECT, ID_ENCODER_ACKNOWLEDGE},
    {ID_ENCODER_ALARM, ID_DECODER_1, ID_DECODER_2},
    {ID_DECODER_3, ID_DECODER_4},
}};

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

void PrintReportPage(QPainter& painter, int page, CE2prom* image, const ReportDialogMaker& make) {
    if (page < 1 || page > REPORT_PAGE_COUNT || painter.device() == nullptr)
        return;
    const REPORT_LAYOUT layout =
        ReportLayout(painter.device()->width(), painter.device()->height());
    QPoint pos(layout.left, layout.top);
    if (page == 1)
        pos.ry() += DrawTitle(painter, pos, layout);
    for (const int commandId : PAGE_PLAN[page - 1]) {
        // Hidden and without a parent: built only to print its section.
        const std::unique_ptr<CSetupDialog> dialog = make(commandId, image, false, nullptr);
        if (dialog)
            pos = dialog->PrintSection(painter, pos);
    }
}

void PrintReport(QPainter& painter, QPagedPaintDevice& device, CE2prom* image,
                 const ReportDialogMaker& make, int first, int last) {
    for (int page = first; page <= last; ++page) {
        if (page > first)
            device.newPage();
        PrintReportPage(painter, page, image, make);
    }
}

QStringList ReportPagesText(CE2prom* image, const ReportDialogMaker& make) {
    QStringList pages;
    for (int page = 1; page <= REPORT_PAGE_COUNT; ++page) {
        CReportTextDevice device;
        {
            QPainter painter(&device);
            PrintReportPage(painter, page, image, make);
        }
        const REPORT_LAYOUT layout = ReportLayout(device.width(), device.height());
        pages.append(device.Lines(layout.top, layout.lineHeight, SECTION_LINE_MAX).join('\n'));
    }
    return pages;
}

QString ReportText(CE2prom* image, const ReportDialogMaker& make) {
    QString text;
    const QStringList pages = ReportPagesText(image, make);
    for (int page = 0; page < pages.size(); ++page)
        text += (page > 0 ? QStringLiteral("\f") : QString()) + pages[page] + u'\n';
    return text;
}

bool WriteReportPdf(const QString& path, CE2prom* image, const ReportDialogMaker& make) {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setTitle(QStringLiteral("Karvo Version 2.6 Setup"));
    writer.setCreator(QStringLiteral("Karvo"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    PrintReport(painter, writer, image, make);
    return painter.end();
}

ReportDialogMaker FactoryReportDialogs() {
    return [](int commandId, CE2prom* image, bool readOnly, QWidget* parent) {
        return CreateSetupDialog(commandId, image, readOnly, parent);
    };
}
