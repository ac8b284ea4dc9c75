#include "gui/dialogs/CTelegramSlider.h"

#include <QMouseEvent>

// Length 1 at the top, as the tone rows run: Down and Page Down lengthen the telegram.
CTelegramSlider::CTelegramSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setInvertedAppearance(true);
    setInvertedControls(true);
    setTickPosition(QSlider::TicksBothSides);
    setTickInterval(1);
}

void CTelegramSlider::mousePressEvent(QMouseEvent* event) {
    QSlider::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit Handled();
}

void CTelegramSlider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit Handled();
}

void CTelegramSlider::keyPressEvent(QKeyEvent* event) {
    QSlider::keyPressEvent(event);
    emit Handled();
}

void CTelegramSlider::wheelEvent(QWheelEvent* event) {
    QSlider::wheelEvent(event);
    emit Handled();
}
