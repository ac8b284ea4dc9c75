#include "core/forms/SectionText.h"

#include "core/lang/CurrentLanguage.h"

// A label of 30 characters or more keeps one blank before its value, so that the two
// stay apart.
QString FormatSettingLine(const QString& label, const QString& value) {
    const QString padded = label.size() < 30 ? label.leftJustified(30) : label + u' ';
    return (padded + value).left(SECTION_LINE_MAX);
}

QStringList SectionText(const char* title, std::span<const SETTING_LINE> lines,
                        const CSettingSource& source) {
    QStringList text;
    const int language = source.Language();
    text.append(Tr(QString::fromLatin1(title), language).left(SECTION_LINE_MAX));
    for (const SETTING_LINE& line : lines) {
        const QString value =
            line.compute ? line.compute(source) : source.ValueText(line.controlId);
        text.append(FormatSettingLine(Tr(QString::fromLatin1(line.label), language), value));
    }
    return text;
}
