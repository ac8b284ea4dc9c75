#include "gui/dialogs/CTemplateDialog.h"

#include "core/forms/CSettingForm.h"
#include "core/forms/SectionText.h"
#include "core/lang/CurrentLanguage.h"
#include "core/link/CError.h"
#include "core/settings/CDigitLogic.h"
#include "core/settings/Mnemonic.h"
#include "gui/controls/CCheckBox.h"
#include "gui/controls/CGenCombo.h"
#include "gui/controls/CGenDigit.h"
#include "gui/controls/CRadioButton.h"
#include "gui/controls/CSpinner10.h"
#include "gui/controls/CWordSpinner.h"
#include "gui/dialogs/CGroupFrame.h"
#include "gui/dialogs/ControlLabels.h"
#include "print/ReportPainter.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace {

QFont DialogFont(const DIALOG_TEMPLATE& dialogTemplate) {
    QFont font(QString::fromLatin1(dialogTemplate.fontFamily));
    font.setPointSize(dialogTemplate.pointSize);
    return font;
}

const CONTROL_TEMPLATE* FindControl(const DIALOG_TEMPLATE& dialogTemplate, int id) {
    for (const CONTROL_TEMPLATE& control : dialogTemplate.controls)
        if (control.id == id)
            return &control;
    return nullptr;
}

QWidget* CreatePlainControl(const CONTROL_TEMPLATE& control, QWidget* parent) {
    const QString text = QString::fromLatin1(control.text);
    switch (control.kind) {
    case ControlKind::Static: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::Edit:
        return new QLineEdit(text, parent);
    case ControlKind::UpDown:
        return new CStandardSpinner(control.id, "CStandardSpinner", parent);
    case ControlKind::ComboBox:
        return new QComboBox(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::RadioButton:
        return new QRadioButton(text, parent);
    case ControlKind::GroupBox:
        return new CGroupFrame(text, parent);
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
        return new QPushButton(text, parent);
    case ControlKind::Trackbar:
        return new QSlider(control.style & STYLE_VERTICAL ? Qt::Vertical : Qt::Horizontal, parent);
    }
    return new QWidget(parent);
}

// The caption-like text of a control, whatever its kind.
QString ControlText(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return QString();
}

void SetControlText(QWidget* widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
}

} // namespace

CTemplateDialog::CTemplateDialog(const DIALOG_TEMPLATE& dialogTemplate, const FORM_TABLE& form,
                                 CE2prom* image, QWidget* parent)
    : CTemplateDialog(dialogTemplate, form, image, parent, DeferredBuild{}) {
    Build(dialogTemplate);
}

CTemplateDialog::CTemplateDialog(const DIALOG_TEMPLATE& dialogTemplate, const FORM_TABLE& form,
                                 CE2prom* image, QWidget* parent, DeferredBuild)
    : CSetupDialog(parent), m_form(form), m_image(image), m_units(DialogFont(dialogTemplate)) {
    setFont(DialogFont(dialogTemplate));
    setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, dialogTemplate.contextHelp);
    setFixedSize(m_units.ToPixels(dialogTemplate.width, dialogTemplate.height));
}

void CTemplateDialog::Build(const DIALOG_TEMPLATE& dialogTemplate) {
    CreateControls(dialogTemplate);
    AttachBindings(dialogTemplate);
    AttachWindowless();
    TranslateTexts();
    NameControls(dialogTemplate);
}

CTemplateDialog::~CTemplateDialog() = default;

void CTemplateDialog::CreateControls(const DIALOG_TEMPLATE& dialogTemplate) {
    for (const CONTROL_TEMPLATE& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(control);
        QRect rect = m_units.ToPixels(control.x, control.y, control.width, control.height);
        // A combo box's template height includes its drop-down list.
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            const int listHeight = rect.height() - combo->sizeHint().height();
            combo->setMaxVisibleItems(std::max(1, listHeight / m_units.Y(8)));
            rect.setHeight(combo->sizeHint().height());
        }
        widget->setGeometry(rect);
        widget->setEnabled(!(control.style & STYLE_DISABLED));
        m_controls[control.id] = widget;
        m_created.push_back(widget);
    }
}

QWidget* CTemplateDialog::CreateControl(const CONTROL_TEMPLATE& control) {
    QWidget* widget = nullptr;
    if (const BINDING_ENTRY* binding = FindBinding(m_form, control.id))
        widget = CreateBinding(*binding);
    else if (QWidget* own = CreateOwnControl(control))
        widget = own;
    else
        widget = CreatePlainControl(control, this);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(QString::fromLatin1(control.text));

    if (control.kind == ControlKind::RadioButton || control.style & STYLE_GROUP)
        AddToRadioGroup(widget, control);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setDefault(control.kind == ControlKind::DefPushButton);
        if (control.id == IDOK)
            connect(button, &QPushButton::clicked, this, &CTemplateDialog::accept);
        else if (control.id == IDCANCEL)
            connect(button, &QPushButton::clicked, this, &CTemplateDialog::reject);
    }
    return widget;
}

QWidget* CTemplateDialog::CreateBinding(const BINDING_ENTRY& binding) {
    const int id = binding.controlId;
    QWidget* widget = nullptr;
    switch (binding.kind) {
    case SettingKind::Spinner:
        widget = new CStandardSpinner(id, SettingObjectName(binding.kind), this);
        break;
    case SettingKind::Spinner10:
        widget = new CSpinner10(id, this);
        break;
    case SettingKind::WordSpinner:
        widget = new CWordSpinner(id, this);
        break;
    case SettingKind::Combo:
        widget = new CGenCombo(id, this);
        break;
    case SettingKind::CheckBox:
        widget = new CCheckBox(id, this);
        break;
    case SettingKind::RadioButton:
        widget = new CRadioButton(id, this);
        break;
    case SettingKind::Digit:
        widget = new CGenDigit(id, this);
        break;
    }
    m_bindings[id] = dynamic_cast<CCtrlBinding*>(widget);
    return widget;
}

// A control with the group style starts a new group; radio buttons without it join the
// group that the last group-style control started, so the buttons of one group exclude
// each other and those of different groups do not. A button keeps its own auto-exclusive
// flag, which a group overrides, because screen readers take a button without it for a
// check box.
void CTemplateDialog::AddToRadioGroup(QWidget* widget, const CONTROL_TEMPLATE& control) {
    if (control.style & STYLE_GROUP)
        m_radioGroup = nullptr;
    auto* radio = qobject_cast<QRadioButton*>(widget);
    if (radio == nullptr)
        return;
    if (m_radioGroup == nullptr) {
        m_radioGroup = new QButtonGroup(this);
        QButtonGroup* group = m_radioGroup;
        connect(group, &QButtonGroup::buttonToggled, this, [group] { SetRadioTabStop(*group); });
    }
    m_radioGroup->addButton(radio);
    SetRadioTabStop(*m_radioGroup);
}

// Tab reaches a group of radio buttons at its checked button (the first enabled one while
// none is checked), so a screen reader says the value at once and the arrow keys choose
// from there; the group's other buttons are no Tab stop of their own.
void CTemplateDialog::SetRadioTabStop(QButtonGroup& group) {
    const QList<QAbstractButton*> buttons = group.buttons();
    QAbstractButton* stop = group.checkedButton();
    if (stop == nullptr || !stop->isEnabled()) {
        const auto enabled = std::find_if(buttons.begin(), buttons.end(),
                                          [](const QAbstractButton* b) { return b->isEnabled(); });
        stop = enabled == buttons.end() ? nullptr : *enabled;
    }
    for (QAbstractButton* button : buttons)
        button->setFocusPolicy(button == stop || stop == nullptr ? Qt::StrongFocus
                                                                 : Qt::ClickFocus);
}

void CTemplateDialog::AttachBindings(const DIALOG_TEMPLATE& dialogTemplate) {
    for (const BINDING_ENTRY& entry : m_form.bindings) {
        CCtrlBinding* binding = Binding(entry.controlId);
        if (binding == nullptr)
            throw CCtrlErr(SettingObjectName(entry.kind), 1);
        if (auto* spinner = dynamic_cast<CStandardSpinner*>(binding)) {
            auto* buddy = qobject_cast<QLineEdit*>(Control(entry.buddyId));
            if (buddy == nullptr)
                throw CCtrlErr(spinner->Logic().ObjectName(), 1);
            const CONTROL_TEMPLATE* control = FindControl(dialogTemplate, entry.controlId);
            spinner->SetBuddy(buddy, control && (control->style & UDS_ARROWKEYS));
        }
        binding->Attach(m_image, m_form.table);
    }
}

// Each windowless binding loads its entry (a value outside its list becomes the list's
// first) and checks exactly the radio button of its value.
void CTemplateDialog::AttachWindowless() {
    for (const WINDOWLESS_BINDING& entry : m_form.windowless) {
        auto logic = std::make_unique<CDigitLogic>();
        logic->AttachEntry(m_image, WindowlessEntry(m_form, entry));
        for (int v = 0; v < int(entry.radios.size()); ++v)
            if (auto* radio = qobject_cast<QAbstractButton*>(Control(entry.radios[v].controlId)))
                radio->setChecked(v == logic->Value());
        m_windowless.emplace_back(WindowlessId(m_form, entry), std::move(logic));
    }
}

void CTemplateDialog::MakeReadOnly() {
    for (const int id : m_form.readOnlyControls) {
        QWidget* widget = Control(id);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            edit->setReadOnly(true);
        else if (widget)
            widget->setEnabled(false);
    }
}

// Every input control is known by the label of its row, in the interface language: a
// screen reader says it, and a mnemonic in the label moves the focus to the control.
void CTemplateDialog::NameControls(const DIALOG_TEMPLATE& dialogTemplate) {
    const auto controls = dialogTemplate.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const CONTROL_TEMPLATE* label = ControlLabel(dialogTemplate, controls[i]);
        if (label == nullptr)
            continue;
        auto* labelWidget = qobject_cast<QLabel*>(m_created[std::size_t(label - controls.data())]);
        QWidget* widget = m_created[i];
        const QString name = WithoutMnemonic(ControlText(labelWidget));
        if (auto* spinner = qobject_cast<CStandardSpinner*>(widget)) {
            spinner->SetLabel(name);
            continue;
        }
        widget->setAccessibleName(name);
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(name);
        // A row's label stays the buddy of its first control (a tone's combo box, not the
        // radio button of the same row).
        if (labelWidget->buddy() == nullptr)
            labelWidget->setBuddy(widget);
    }
    DescribeRadioGroups(dialogTemplate);
}

// A radio button says which choice it belongs to: the title of the group box around it,
// or the heading above its column (the prolonged tone's).
void CTemplateDialog::DescribeRadioGroups(const DIALOG_TEMPLATE& dialogTemplate) {
    const auto controls = dialogTemplate.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind != ControlKind::RadioButton)
            continue;
        if (const CONTROL_TEMPLATE* caption = RadioGroupCaption(dialogTemplate, controls[i]))
            m_created[i]->setAccessibleDescription(
                WithoutMnemonic(ControlText(m_created[std::size_t(caption - controls.data())])));
    }
}

// The caption is the form's: a template that serves several forms (the encoders) shows
// each form's own name.
void CTemplateDialog::TranslateTexts() {
    setWindowTitle(Tr(QString::fromLatin1(m_form.caption)));
    for (const int id : m_form.translated)
        if (QWidget* widget = Control(id))
            SetControlText(widget, Tr(ControlText(widget)));
}

QWidget* CTemplateDialog::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

CCtrlBinding* CTemplateDialog::Binding(int id) const {
    const auto found = m_bindings.find(id);
    return found == m_bindings.end() ? nullptr : found->second;
}

const CSettingLogic* CTemplateDialog::Logic(int controlId) const {
    if (CCtrlBinding* binding = Binding(controlId))
        return &binding->Logic();
    return Windowless(controlId);
}

CDigitLogic* CTemplateDialog::Windowless(int controlId) const {
    for (const auto& [id, logic] : m_windowless)
        if (id == controlId)
            return logic.get();
    return nullptr;
}

bool CTemplateDialog::OnOK() {
    for (const int id : m_form.validateOrder)
        if (CCtrlBinding* binding = Binding(id); binding && !binding->Validate())
            return false;
    return true;
}

void CTemplateDialog::accept() {
    if (!OnOK())
        return;
    SaveData();
    CSetupDialog::accept();
}

// A windowless binding takes the position of its checked radio button; with none
// checked it keeps its value.
void CTemplateDialog::SaveData() {
    for (const auto& [id, binding] : m_bindings)
        binding->SaveData();
    for (std::size_t i = 0; i < m_windowless.size(); ++i) {
        const auto radios = m_form.windowless[i].radios;
        for (int v = 0; v < int(radios.size()); ++v)
            if (auto* radio = qobject_cast<QAbstractButton*>(Control(radios[v].controlId));
                radio && radio->isChecked())
                m_windowless[i].second->SetValue(v);
    }
}

void CTemplateDialog::Commit() {
    for (const int id : m_form.commitOrder) {
        if (CCtrlBinding* binding = Binding(id))
            binding->Store();
        else if (CDigitLogic* logic = Windowless(id))
            logic->Store();
    }
}

QString CTemplateDialog::ReportValue(int controlId) const {
    const CCtrlBinding* binding = Binding(controlId);
    return binding ? binding->ShownText() : QString();
}

QStringList CTemplateDialog::SectionLines() const {
    return SectionText(m_form.reportTitle, m_form.reportLines, *this);
}

QPoint CTemplateDialog::PrintSection(QPainter& painter, QPoint pos) {
    return DrawReportSection(painter, pos, SectionLines());
}
