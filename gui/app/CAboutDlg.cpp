#include "gui/app/CAboutDlg.h"

#include "core/lang/CurrentLanguage.h"
#include "gui/shell/ShellResources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Tr(QStringLiteral("About Karvo")));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(ProgramIcon()));
    auto* version = new QLabel(Tr("Karvo Version 2.6"), this);
    auto* purpose = new QLabel(Tr("Setup tool for the TRC interface unit"), this);
    auto* ok = new QPushButton(Tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_controls = {{IDC_ICON, icon}, {IDC_VERSION, version}, {IDC_PURPOSE, purpose}, {IDC_OK, ok}};
    for (const auto& [id, widget] : m_controls)
        widget->setObjectName(QString::number(id));

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(purpose);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    top->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* CAboutDlg::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}
