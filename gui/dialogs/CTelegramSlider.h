// CTelegramSlider: the vertical telegram-length slider of the tone sequence dialogs.
// After its own handling of a left-button press, a key press, a left-button release or a
// turn of the mouse wheel it signals Handled, on which the dialog takes the new length.
// Nothing else signals it, so the rows do not follow the handle while it is dragged, only
// when it is let go. (The wheel has no release to catch up with it: without its signal
// the rows would show one length while OK stores another.)
#pragma once

#include <QSlider>

class CTelegramSlider : public QSlider {
    Q_OBJECT
public:
    explicit CTelegramSlider(QWidget* parent = nullptr);

signals:
    void Handled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};
