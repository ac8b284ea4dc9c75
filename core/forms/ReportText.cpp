#include "core/forms/ReportText.h"

#include "core/forms/CSettingForm.h"

QStringList ReportSectionText(const REPORT_SECTION& section, CE2prom& image, int language) {
    CSettingForm form(*section.form, language);
    form.Attach(&image);
    return form.ReportText();
}

QStringList ReportPagesText(CE2prom& image, int language) {
    QStringList pages;
    for (int page = 1; page <= REPORT_PAGE_COUNT; ++page) {
        QStringList lines;
        int at = 0; // the line where the drawing stands
        if (page == 1) {
            lines << QString::fromLatin1(REPORT_TITLE).section(u'\n', 0, 0);
            at = REPORT_TITLE_LINES;
        }
        for (const REPORT_SECTION& section : ReportSections()) {
            if (section.page != page)
                continue;
            while (lines.size() < at + REPORT_SECTION_INDENT)
                lines << QString();
            const QStringList text = ReportSectionText(section, image, language);
            lines += text;
            at += REPORT_SECTION_INDENT + int(text.size()) - 1 + REPORT_SECTION_END;
        }
        pages.append(lines.join(u'\n'));
    }
    return pages;
}

QString ReportText(CE2prom& image, int language) {
    QString text;
    const QStringList pages = ReportPagesText(image, language);
    for (int page = 0; page < pages.size(); ++page)
        text += (page > 0 ? QStringLiteral("\f") : QString()) + pages[page] + u'\n';
    return text;
}
