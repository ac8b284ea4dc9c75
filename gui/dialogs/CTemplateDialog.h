// CTemplateDialog: a setup dialog built from data. The dialog template (res/dialogs/)
// gives the controls with their IDs, kinds, texts and rectangles in dialog units; the
// FORM_TABLE gives the binding on each bound control and the orders of attaching,
// translating, validating and storing, and the report lines. A concrete setup dialog is
// then a template, a form and a constructor; dialogs with extra behaviour override the
// hooks (OnOK, ReportValue, Commit) and reach their controls by ID.
//
// The constructor creates every control, attaches the bindings in the form's order (so
// binding errors leave the constructor as CCtrlErr), then the windowless bindings, whose
// radio groups it sets, translates the caption and the listed texts into the current
// language, and names every input control after its label (for screen readers and
// mnemonics). OK runs the form's validations in order and
// stays open at the first refusal; Cancel stores nothing. Commit, called by the opener
// only after OK, stores the bindings in the form's order.
#pragma once

#include "core/forms/FormTable.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/dialogs/CDialogUnits.h"
#include "gui/dialogs/CSetupDialog.h"
#include "gui/templates/DialogTemplate.h"

#include <QStringList>
#include <map>
#include <memory>
#include <vector>

class CCtrlBinding;
class CDigitLogic;
class CE2prom;
class QButtonGroup;

class CTemplateDialog : public CSetupDialog, public CSettingSource {
    Q_OBJECT
public:
    CTemplateDialog(const DIALOG_TEMPLATE& dialogTemplate, const FORM_TABLE& form, CE2prom* image,
                    QWidget* parent = nullptr);
    ~CTemplateDialog() override;

    // The control with this ID, or nullptr (GetDlgItem).
    QWidget* Control(int id) const;
    // The binding on this control, or nullptr.
    CCtrlBinding* Binding(int id) const;
    // The logic of the binding on this control, or nullptr.
    const CSettingLogic* Logic(int controlId) const override;
    // The report value of a control: ReportValue.
    QString ValueText(int controlId) const override { return ReportValue(controlId); }
    // A dialog shows its settings in the interface language.
    int Language() const override { return GetCurrentLanguage(); }
    const CDialogUnits& Units() const { return m_units; }
    const FORM_TABLE& Form() const { return m_form; }

    void Commit() override;
    // Draws the report section: the title one line below pos, then a line per setting;
    // the line height is the device height x 8 / 600. Returns the position two lines
    // below the last line.
    QPoint PrintSection(QPainter& painter, QPoint pos) override;
    // The lines PrintSection draws, as the controls show them now.
    QStringList SectionLines() const;
    // Copies what the controls hold into their bindings (done by OK before closing).
    void SaveData();

protected:
    // For a dialog that creates some of its controls itself: sets up the window only.
    // The derived constructor then calls Build, so that CreateOwnControl reaches it.
    struct DeferredBuild {};
    CTemplateDialog(const DIALOG_TEMPLATE& dialogTemplate, const FORM_TABLE& form, CE2prom* image,
                    QWidget* parent, DeferredBuild);
    // Creates the controls, attaches the bindings and translates the texts.
    void Build(const DIALOG_TEMPLATE& dialogTemplate);
    // A control of this dialog's own class for a plain (unbound) template control, or
    // nullptr for the usual widget of its kind.
    virtual QWidget* CreateOwnControl(const CONTROL_TEMPLATE&) { return nullptr; }

    void accept() override;
    // The OK checks; false keeps the dialog open. By default the form's validations.
    virtual bool OnOK();
    // The value of one report line; by default the binding's shown text.
    virtual QString ReportValue(int controlId) const;

    CE2prom* Image() const { return m_image; }
    // The read-only step after attaching: locks the form's read-only controls, in order
    // (an edit box becomes read-only, any other control disabled).
    void MakeReadOnly();

private:
    void CreateControls(const DIALOG_TEMPLATE& dialogTemplate);
    QWidget* CreateControl(const CONTROL_TEMPLATE& control);
    QWidget* CreateBinding(const BINDING_ENTRY& binding);
    void AddToRadioGroup(QWidget* widget, const CONTROL_TEMPLATE& control);
    void AttachBindings(const DIALOG_TEMPLATE& dialogTemplate);
    void AttachWindowless();
    CDigitLogic* Windowless(int controlId) const;
    void TranslateTexts();
    void NameControls(const DIALOG_TEMPLATE& dialogTemplate);
    void DescribeRadioGroups(const DIALOG_TEMPLATE& dialogTemplate);
    static void SetRadioTabStop(QButtonGroup& group);

    const FORM_TABLE& m_form;
    CE2prom* m_image;
    CDialogUnits m_units;
    std::map<int, QWidget*> m_controls;
    std::vector<QWidget*> m_created; // in template order (the fixed labels share one ID)
    std::map<int, CCtrlBinding*> m_bindings;
    // The windowless bindings' logic, by the ID their orders and lines use.
    std::vector<std::pair<int, std::unique_ptr<CDigitLogic>>> m_windowless;
    QButtonGroup* m_radioGroup = nullptr; // the group the next radio button joins
};
