#include "gui/dialogs/CProgressDlg.h"

#include "core/lang/CurrentLanguage.h"
#include "gui/dialogs/ProgressDlgTemplate.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

namespace {

// Dialog units to pixels with the dialog font's average character width and height.
struct DialogUnits {
    explicit DialogUnits(const QFontMetrics& metrics)
        : baseX((metrics.horizontalAdvance(
                     QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                     26 +
                 1) /
                2),
          baseY(metrics.height()) {}
    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }
    int baseX;
    int baseY;
};

} // namespace

CProgressDlg::CProgressDlg() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setObjectName(QString::number(IDD_PROGRESS));
    BuildControls();
    setWindowTitle(Tr(PROGRESS_CAPTION));
    ShowRange(Lower(), Upper());
}

CProgressDlg::~CProgressDlg() {
    if (m_ownerDisabled && m_owner) {
        m_owner->setEnabled(true);
        m_owner->activateWindow();
    }
}

void CProgressDlg::BuildControls() {
    const DialogUnits units{QFontMetrics(font())};
    setFixedSize(units.X(PROGRESS_WIDTH), units.Y(PROGRESS_HEIGHT));
    for (const PROGRESS_CONTROL& control : PROGRESS_CONTROLS) {
        QWidget* widget = nullptr;
        switch (control.kind) {
        case ProgressControlKind::ProgressBar:
            m_bar = new QProgressBar(this);
            m_bar->setTextVisible(false);
            widget = m_bar;
            break;
        case ProgressControlKind::Static:
            widget = new QLabel(QString::fromLatin1(control.text), this);
            break;
        case ProgressControlKind::DefaultButton:
            m_cancel = new QPushButton(Tr(QString::fromLatin1(control.text)), this);
            m_cancel->setDefault(true);
            widget = m_cancel;
            break;
        }
        widget->setObjectName(QString::number(control.id));
        widget->setGeometry(units.X(control.x), units.Y(control.y), units.X(control.width),
                            units.Y(control.height));
    }
    m_percent = qobject_cast<QLabel*>(Control(IDC_PERCENT));
    m_message = qobject_cast<QLabel*>(Control(IDC_PROGRESS_MESSAGE));
    connect(m_cancel, &QPushButton::clicked, this, [this] { RequestCancel(); });
}

int CProgressDlg::Create(QWidget* owner) {
    m_owner = owner ? owner->window() : nullptr;
    if (m_owner) {
        winId(); // gives the dialog its window, so that it can stay above the owner's
        if (QWindow* ownerWindow = m_owner->windowHandle())
            windowHandle()->setTransientParent(ownerWindow);
        if (m_owner->isEnabled()) {
            m_owner->setEnabled(false);
            m_ownerDisabled = true;
        }
        m_owner->installEventFilter(this);
    }
    show();
    return 1;
}

QWidget* CProgressDlg::Control(int id) const {
    return findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void CProgressDlg::SetCaption(const QString& caption) {
    setWindowTitle(caption);
}

void CProgressDlg::SetMessage(const QString& message) {
    m_message->setText(message);
}

void CProgressDlg::DisableCancel() {
    m_cancel->setEnabled(false);
}

void CProgressDlg::PumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool CProgressDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_owner && event->type() == QEvent::Close) {
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CProgressDlg::reject() {
    RequestCancel();
}

void CProgressDlg::closeEvent(QCloseEvent* event) {
    RequestCancel();
    event->ignore();
}

void CProgressDlg::ShowRange(int lower, int upper) {
    m_bar->setRange(lower, upper);
    m_bar->setValue(Position());
}

void CProgressDlg::ShowPosition(int position, const QString& percentText) {
    m_bar->setValue(position);
    if (m_percent->text() != percentText)
        m_percent->setText(percentText);
}

std::unique_ptr<CProgress> CProgressDlg::Factory::CreateProgress() {
    auto dialog = std::make_unique<CProgressDlg>();
    dialog->Create(m_owner);
    return dialog;
}
