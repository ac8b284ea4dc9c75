#include "print/ReportFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QList>

#include <algorithm>

namespace {

// True when the font gives a narrow and a wide letter the same advance. Font databases
// do not always flag a monospaced family as fixed pitch, so the letters decide.
bool IsMonospaced(const QFont& font) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QLatin1Char('i')) ==
               metrics.horizontalAdvance(QLatin1Char('M')) &&
           metrics.horizontalAdvance(QLatin1Char(' ')) ==
               metrics.horizontalAdvance(QLatin1Char('M'));
}

} // namespace

QFont ReportFont(int lineHeight) {
    const int pixels = std::max(1, lineHeight * 9 / 10);
    QList<QFont> candidates = {QFontDatabase::systemFont(QFontDatabase::FixedFont)};
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Courier New",
                               "Nimbus Mono PS", "monospace"})
        candidates.append(QFont(QString::fromLatin1(family)));
    for (QFont font : candidates) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        font.setPixelSize(std::max(pixels, 8)); // measured at a readable size
        if (IsMonospaced(font)) {
            font.setPixelSize(pixels);
            return font;
        }
    }
    QFont fallback = candidates.first();
    fallback.setPixelSize(pixels);
    return fallback;
}
