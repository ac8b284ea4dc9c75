// CTonePictureView: the Tones window's picture of the chosen plan, drawn by TonePicture at
// the widget's size. Screen readers get the plan as text for its description.
#pragma once

#include "core/tones/TonePlan.h"

#include <QWidget>

class CTonePictureView : public QWidget {
    Q_OBJECT
public:
    explicit CTonePictureView(QWidget* parent);

    void SetPlan(const TONE_PLAN& plan, const QString& title);
    const TONE_PLAN& Plan() const { return m_plan; }
    const QString& Title() const { return m_title; }

    QSize sizeHint() const override { return {640, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TONE_PLAN m_plan;
    QString m_title;
};
