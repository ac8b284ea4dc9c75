// CGenDigit: an edit box holding a number bound to one image byte. The kept value follows
// the text each time the box loses focus (and when the dialog accepts); a text outside
// the legal range reads as entry 0's low.
#pragma once

#include "core/settings/CDigitLogic.h"
#include "gui/controls/CCtrlBinding.h"

#include <QLineEdit>

class CGenDigit : public QLineEdit, public CCtrlBinding {
    Q_OBJECT
public:
    explicit CGenDigit(int controlId, QWidget* parent = nullptr);

    void Attach(CE2prom* image, const VARIABLE_STRUCT* table) override;
    void Store() override { m_logic.Store(); }
    void Load() override { m_logic.Load(); }
    void SaveData() override { m_logic.SetValue(ReadShownValue()); }
    QString ShownText() const override { return text(); }
    CSettingLogic& Logic() override { return m_logic; }
    QWidget* Widget() override { return this; }
    CDigitLogic& DigitLogic() { return m_logic; }

    // The text becomes value in decimal.
    void ShowValue(int value) { setText(QString::number(value)); }
    int ReadShownValue() const { return m_logic.ReadShownValue(text()); }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    CDigitLogic m_logic;
};
