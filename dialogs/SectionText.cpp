#include "dialogs/SectionText.h"

#include "lang/CurrentLanguage.h"

QString FormatSettingLine(const QString& label, const QString& value) {
    return (label.leftJustified(30) + value).left(SECTION_LINE_MAX);
}

QStringList SectionText(const char* title, std::span<const SETTING_LINE> lines,
                        const CSettingSource& source) {
    QStringList text;
    text.append(Tr(QString::fromLatin1(title)).left(SECTION_LINE_MAX));
    for (const SETTING_LINE& line : lines) {
        const QString value =
            line.compute ? line.compute(source) : source.ValueText(line.controlId);
        text.append(FormatSettingLine(Tr(QString::fromLatin1(line.label)), value));
    }
    return text;
}
