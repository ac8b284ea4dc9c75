// CGroupFrame: a group box drawn the way the dialog templates place their controls: the
// frame starts at the middle of the title's line and the title interrupts its top edge.
// The platform style draws the frame below the whole title instead, so a label that a
// template puts one line below the group's top would sit on the frame.
#pragma once

#include <QGroupBox>

class CGroupFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit CGroupFrame(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
