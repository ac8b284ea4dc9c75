#include "gui/dialogs/CDialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace {
const char* const LETTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
}

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the letters, rounded to the nearest pixel.
    m_baseX = (metrics.horizontalAdvance(QString::fromLatin1(LETTERS)) / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QRect CDialogUnits::ToPixels(int x, int y, int width, int height) const {
    const int left = X(x);
    const int top = Y(y);
    return {left, top, X(x + width) - left, Y(y + height) - top};
}
