// CCtrlBinding: what a dialog sees of each of its setting controls. A binding is at once
// a widget of the dialog (CStandardSpinner, CGenCombo, ...) and the keeper of one image
// variable; the keeping is done by its CSettingLogic, the widget only shows the logic's
// text and hands it the user's clicks and keys.
//
// Calling order: Attach once while the dialog is built (binding errors are CCtrlErr and
// leave the dialog's constructor); Validate on OK, in the dialog's order; SaveData when
// the dialog accepts (the edit texts and button states into the logic); Store from the
// dialog's Commit, after the dialog has closed with OK. Nothing here raises from inside
// an event handler.
#pragma once

#include <QString>

class CE2prom;
class CSettingLogic;
class QWidget;
struct VARIABLE_STRUCT;

class CCtrlBinding {
public:
    virtual ~CCtrlBinding() = default;

    // Binds to the variable of this control's ID in table and shows its stored value.
    virtual void Attach(CE2prom* image, const VARIABLE_STRUCT* table) = 0;
    // Writes the value into the image. Uses the logic only, never the widget.
    virtual void Store() = 0;
    // Reads the image into the binding (its value and current entry).
    virtual void Load() = 0;

    // The OK check; false keeps the dialog open (the binding has told the user why).
    virtual bool Validate() { return true; }
    // Copies what the widget holds into the logic (the dialog's saving data exchange).
    virtual void SaveData() {}
    // The text the control shows now, as the report prints it.
    virtual QString ShownText() const = 0;

    virtual CSettingLogic& Logic() = 0;
    virtual QWidget* Widget() = 0;

    int ControlId() const { return m_controlId; }

protected:
    explicit CCtrlBinding(int controlId) : m_controlId(controlId) {}

private:
    int m_controlId;
};
