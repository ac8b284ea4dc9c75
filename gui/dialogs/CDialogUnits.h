// CDialogUnits: converts dialog units into pixels for one dialog font, the way dialog
// templates have always been laid out: 4 horizontal units are the font's average
// character width (taken over the 52 letters), 8 vertical units its character height.
#pragma once

#include <QRect>
#include <QSize>

class QFont;

class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    CDialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    int BaseX() const { return m_baseX; }
    int BaseY() const { return m_baseY; }

    // Rounded to the nearest pixel.
    int X(int units) const { return (units * m_baseX + 2) / 4; }
    int Y(int units) const { return (units * m_baseY + 4) / 8; }
    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const { return {X(width), Y(height)}; }

private:
    int m_baseX;
    int m_baseY;
};
