#include "gui/tones/CTonePictureView.h"

#include "core/lang/CurrentLanguage.h"
#include "print/TonePicture.h"

#include <QPainter>

CTonePictureView::CTonePictureView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus); // so a screen reader's user can reach the description
    setMinimumSize(360, 180);
    setAccessibleName(Tr(QStringLiteral("Tone picture")));
}

void CTonePictureView::SetPlan(const TONE_PLAN& plan, const QString& title) {
    m_plan = plan;
    m_title = title;
    setAccessibleDescription(title + QLatin1Char('\n') + TonePlanText(plan, GetCurrentLanguage()));
    update();
}

void CTonePictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawTonePlan(painter, QRectF(rect()), m_plan, m_title, GetCurrentLanguage());
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight(), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}
