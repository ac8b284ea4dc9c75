#include "gui/controls/CStandardSpinner.h"

#include "core/lang/CurrentLanguage.h"

#include <cstdlib>

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>

CStandardSpinner::CStandardSpinner(int controlId, const char* objectName, QWidget* parent)
    : CStandardSpinner(controlId, objectName, SpinnerForm::Byte, parent) {}

CStandardSpinner::CStandardSpinner(int controlId, const char* objectName, SpinnerForm form,
                                   QWidget* parent)
    : QWidget(parent), CCtrlBinding(controlId), m_logic(objectName, form) {
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setAutoRepeat(true);
        arrow->setAutoRepeatDelay(REPEAT_DELAY_MS);
        arrow->setAutoRepeatInterval(REPEAT_MS);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setAutoRaise(false);
        // A held arrow speeds up after a second, as the platform's up-down control does.
        // Every repeat also signals released and pressed with the arrow still down, so
        // only a press after a real release starts the clock.
        connect(arrow, &QToolButton::pressed, this, [this] {
            if (!m_held.isValid())
                m_held.start();
        });
        connect(arrow, &QToolButton::released, this, [this, arrow] {
            if (arrow->isDown())
                return;
            m_held.invalidate();
            arrow->setAutoRepeatInterval(REPEAT_MS);
        });
        connect(arrow, &QToolButton::clicked, this, [this, arrow] {
            if (arrow->isDown() && m_held.isValid() && m_held.elapsed() >= ACCELERATE_AFTER_MS)
                arrow->setAutoRepeatInterval(FAST_REPEAT_MS);
            Step(arrow == m_up ? +1 : -1);
        });
    }
}

void CStandardSpinner::SetLabel(const QString& label) {
    setAccessibleName(label);
    m_up->setAccessibleName(Tr(QStringLiteral("%1, up")).arg(label));
    m_down->setAccessibleName(Tr(QStringLiteral("%1, down")).arg(label));
}

void CStandardSpinner::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

void CStandardSpinner::SetBuddy(QLineEdit* edit, bool arrowKeys) {
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = edit;
    if (m_buddy && arrowKeys)
        m_buddy->installEventFilter(this);
}

QString CStandardSpinner::BuddyText() const {
    return m_buddy ? m_buddy->text() : m_logic.ShownText();
}

void CStandardSpinner::SetBuddyText(const QString& text) {
    if (m_buddy)
        m_buddy->setText(text);
}

void CStandardSpinner::Attach(CE2prom* image, const VARIABLE_STRUCT* table) {
    m_logic.Attach(image, table, ControlId());
    SetBuddyText(m_logic.ShownText());
}

void CStandardSpinner::Load() {
    m_logic.Load();
}

bool CStandardSpinner::CanStep() const {
    return isEnabled() && (m_buddy == nullptr || (m_buddy->isEnabled() && !m_buddy->isReadOnly()));
}

void CStandardSpinner::Step(int delta) {
    if (CanStep())
        SetBuddyText(m_logic.Step(BuddyText(), delta));
}

// One step per notch of the wheel over the arrows.
void CStandardSpinner::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    for (int i = 0; i < std::abs(notches); ++i)
        Step(notches);
    event->accept();
}

bool CStandardSpinner::Validate() {
    if (!m_logic.Validate(BuddyText())) {
        if (m_buddy)
            m_buddy->setFocus();
        return false;
    }
    SetBuddyText(m_logic.ShownText());
    return true;
}

void CStandardSpinner::SaveData() {
    if (m_buddy)
        m_logic.SetExchangeString(m_buddy->text());
}

QString CStandardSpinner::ShownText() const {
    return BuddyText();
}

// The Up and Down keys in the buddy step like the arrows.
bool CStandardSpinner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
