#include "gui/dialogs/CGroupFrame.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

CGroupFrame::CGroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void CGroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // An etched frame; the style's own group box frame would leave room for the title.
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true);
    if (title().isEmpty())
        return;
    const int gap = metrics.averageCharWidth() / 2;
    const QRect titleRect(metrics.averageCharWidth(), 0,
                          metrics.horizontalAdvance(title()) + 2 * gap, metrics.height());
    painter.fillRect(titleRect, palette().window());
    style()->drawItemText(&painter, titleRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}
