#include "gui/app/CCommLogWindow.h"

#include "core/lang/CurrentLanguage.h"
#include "core/link/CCommLog.h"
#include "gui/app/CFileDialogs.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// How often an open window looks for new lines.
constexpr int FOLLOW_MS = 500;

} // namespace

CCommLogWindow::CCommLogWindow(const CCommLog& log, QWidget* parent) : QDialog(parent), m_log(log) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Tr(QStringLiteral("Communication log")));
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setAccessibleName(windowTitle());
    layout->addWidget(m_text);
    auto* buttons = new QDialogButtonBox(this);
    connect(buttons->addButton(Tr("Copy"), QDialogButtonBox::ActionRole), &QPushButton::clicked,
            this, &CCommLogWindow::CopyText);
    connect(buttons->addButton(Tr("Save As"), QDialogButtonBox::ActionRole), &QPushButton::clicked,
            this, &CCommLogWindow::SaveText);
    connect(buttons->addButton(Tr("Close"), QDialogButtonBox::RejectRole), &QPushButton::clicked,
            this, &QDialog::close);
    layout->addWidget(buttons);
    Refresh();
    auto* follow = new QTimer(this);
    connect(follow, &QTimer::timeout, this, [this] {
        if (m_log.Revision() != m_shownRevision)
            Refresh();
    });
    follow->start(FOLLOW_MS);
    resize(720, 420);
}

CCommLogWindow* CCommLogWindow::ShowFor(QWidget* parent) {
    auto* window = parent->findChild<CCommLogWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new CCommLogWindow(CommandLog(), parent);
    window->Refresh();
    window->show();
    window->raise();
    return window;
}

void CCommLogWindow::Refresh() {
    m_shownRevision = m_log.Revision();
    m_text->setPlainText(Text());
}

QString CCommLogWindow::Text() const {
    return m_log.Text();
}

void CCommLogWindow::CopyText() {
    QGuiApplication::clipboard()->setText(Text());
}

bool CCommLogWindow::SaveText() {
    const QString path = FileDialogs().SaveFileName(this, QStringLiteral("karvo-log.txt"));
    return !path.isEmpty() && SaveTo(path);
}

bool CCommLogWindow::SaveTo(const QString& path) const {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Text) && file.write(Text().toUtf8()) >= 0 &&
           file.commit();
}
