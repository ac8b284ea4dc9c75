#include "gui/app/CLanguageDlg.h"

#include "core/lang/CurrentLanguage.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace {

struct LANGUAGE_BUTTON {
    int id;
    const char* text;
};

// In tab order; the position in this list is the language index.
const std::array<LANGUAGE_BUTTON, 5> LANGUAGE_BUTTONS = {{
    {CLanguageDlg::IDC_ENGLISH, "English"},
    {CLanguageDlg::IDC_FRENCH, "French"},
    {CLanguageDlg::IDC_GERMAN, "German"},
    {CLanguageDlg::IDC_SPANISH, "Spanish"},
    {CLanguageDlg::IDC_ITALIAN, "Italian"},
}};

} // namespace

CLanguageDlg::CLanguageDlg(int preset, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Languages supported"));

    auto* group = new QGroupBox(QStringLiteral("Languages"), this);
    m_controls[IDC_LANGUAGE_GROUP] = group;
    auto* groupLayout = new QVBoxLayout(group);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int i = 0; i < int(LANGUAGE_BUTTONS.size()); ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(LANGUAGE_BUTTONS[i].text), group);
        m_group->addButton(radio, i);
        groupLayout->addWidget(radio);
        m_controls[LANGUAGE_BUTTONS[i].id] = radio;
    }
    if (preset >= 0 && preset < int(LANGUAGE_BUTTONS.size()))
        m_group->button(preset)->setChecked(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    m_controls[IDC_OK] = ok;
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_controls[IDC_CANCEL_BUTTON] = cancel;
    connect(ok, &QPushButton::clicked, this, &CLanguageDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLanguageDlg::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    for (const auto& [id, widget] : m_controls)
        widget->setObjectName(QString::number(id));
    TranslateTexts();
}

void CLanguageDlg::TranslateTexts() {
    setWindowTitle(Tr(windowTitle()));
    auto* group = static_cast<QGroupBox*>(Control(IDC_LANGUAGE_GROUP));
    group->setTitle(Tr(group->title()));
    for (const LANGUAGE_BUTTON& b : LANGUAGE_BUTTONS) {
        auto* radio = static_cast<QRadioButton*>(Control(b.id));
        radio->setText(Tr(radio->text()));
    }
    for (int id : {int(IDC_OK), int(IDC_CANCEL_BUTTON)}) {
        auto* button = static_cast<QPushButton*>(Control(id));
        button->setText(Tr(button->text()));
    }
}

int CLanguageDlg::SelectedIndex() const {
    return m_accepted ? m_chosen : m_group->checkedId();
}

QWidget* CLanguageDlg::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CLanguageDlg::accept() {
    // OK with no language selected chooses English.
    m_chosen = m_group->checkedId() < 0 ? 0 : m_group->checkedId();
    m_accepted = true;
    QDialog::accept();
}
