// CStandardSpinner: an up-down control bound to one image byte, stepping its buddy edit
// box through the variable's value list. The two arrows, the mouse wheel over them, and
// the Up and Down keys in the buddy step; the buddy's text is what the user sees and may
// type; the logic (CSpinnerLogic) keeps the current entry and the exchange string. A
// disabled control, or one whose buddy is disabled or read-only, does not step at all.
//
// CSpinner10 and CWordSpinner are the same control over a long-time byte and a 16-bit
// word.
#pragma once

#include "core/settings/CSpinnerLogic.h"
#include "gui/controls/CCtrlBinding.h"

#include <QElapsedTimer>
#include <QWidget>

class QLineEdit;
class QToolButton;

class CStandardSpinner : public QWidget, public CCtrlBinding {
    Q_OBJECT
public:
    CStandardSpinner(int controlId, const char* objectName = "CStandardSpinner",
                     QWidget* parent = nullptr);

    // The edit box the control steps; the Up and Down keys in it step too when
    // arrowKeys is set. Call before Attach.
    void SetBuddy(QLineEdit* edit, bool arrowKeys = true);
    QLineEdit* Buddy() const { return m_buddy; }

    void Attach(CE2prom* image, const VARIABLE_STRUCT* table) override;
    void Store() override { m_logic.Store(); }
    void Load() override;
    // Checks the buddy's text; on success puts it back in its plain form.
    bool Validate() override;
    void SaveData() override;
    QString ShownText() const override;
    CSettingLogic& Logic() override { return m_logic; }
    QWidget* Widget() override { return this; }
    CSpinnerLogic& SpinnerLogic() { return m_logic; }

    // One step of the control, as a click on an arrow (delta > 0 is up); nothing when the
    // control cannot step.
    void Step(int delta);
    // False while the control or its buddy is disabled or the buddy is read-only.
    bool CanStep() const;
    // Names the control and its arrows after the label of its row, for screen readers.
    void SetLabel(const QString& label);
    QToolButton* UpArrow() const { return m_up; }
    QToolButton* DownArrow() const { return m_down; }

    // Repeat timing of a held arrow: after ACCELERATE_AFTER_MS of holding, the steps come
    // FAST_REPEAT_MS apart instead of REPEAT_MS.
    static constexpr int REPEAT_DELAY_MS = 400;
    static constexpr int REPEAT_MS = 100;
    static constexpr int ACCELERATE_AFTER_MS = 1000;
    static constexpr int FAST_REPEAT_MS = 20;

protected:
    CStandardSpinner(int controlId, const char* objectName, SpinnerForm form, QWidget* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QString BuddyText() const;
    void SetBuddyText(const QString& text);

    CSpinnerLogic m_logic;
    QLineEdit* m_buddy = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QElapsedTimer m_held; // how long the arrow being held has been down
};
