#include "gui/app/CFindUnitDlg.h"

#include "core/lang/CurrentLanguage.h"
#include "core/link/CProgress.h"
#include "core/link/ComPortNames.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

// The probes' progress: keeps the dialog painted while a port is tried and hands the
// dialog's Cancel to the exchange.
class CFindUnitDlg::CProbeProgress : public CProgressFactory {
public:
    explicit CProbeProgress(const bool& cancelled) : m_cancelled(cancelled) {}
    std::unique_ptr<CProgress> CreateProgress() override {
        return std::make_unique<CDisplay>(m_cancelled);
    }

private:
    class CDisplay : public CProgress {
    public:
        explicit CDisplay(const bool& cancelled) : m_cancelled(cancelled) {}
        bool PollCancel() override {
            PumpMessages();
            return m_cancelled;
        }
        void PumpMessages() override { QCoreApplication::processEvents(); }
        void SetCaption(const QString&) override {}
        void SetMessage(const QString&) override {}

    protected:
        void ShowRange(int, int) override {}
        void ShowPosition(int, const QString&) override {}

    private:
        const bool& m_cancelled;
    };
    const bool& m_cancelled;
};

CFindUnitDlg::CFindUnitDlg(int portIndex, QWidget* parent)
    : CFindUnitDlg(ListSerialPorts(), portIndex, parent) {}

CFindUnitDlg::CFindUnitDlg(const QList<SERIAL_PORT_ENTRY>& listed, int portIndex, QWidget* parent)
    : QDialog(parent), m_ports(UnitPortCandidates(listed)), m_portIndex(portIndex) {
    setWindowTitle(Tr(QStringLiteral("Find unit")));
    auto* layout = new QVBoxLayout(this);
    m_table = new QTreeWidget(this);
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels({Tr(QStringLiteral("Port")), QStringLiteral("COM"),
                              Tr(QStringLiteral("Description")), Tr(QStringLiteral("Unit"))});
    m_table->setAccessibleName(windowTitle());
    for (int row = 0; row < m_ports.size(); ++row) {
        m_table->addTopLevelItem(new QTreeWidgetItem);
        ShowRow(row);
    }
    m_table->header()->resizeSections(QHeaderView::ResizeToContents);
    layout->addWidget(m_table);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, int(m_ports.size()));
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_use = m_buttons->addButton(Tr(QStringLiteral("Use for COM %1")).arg(portIndex + 1),
                                 QDialogButtonBox::AcceptRole);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CFindUnitDlg::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CFindUnitDlg::reject);
    connect(m_table, &QTreeWidget::itemSelectionChanged, this, &CFindUnitDlg::UpdateUseButton);
    // A double click (or Enter) on a found unit uses it at once.
    connect(m_table, &QTreeWidget::itemActivated, this, &CFindUnitDlg::accept);
    layout->addWidget(m_buttons);
    UpdateUseButton();
    resize(640, 320);
}

CFindUnitDlg::~CFindUnitDlg() = default;

QPushButton* CFindUnitDlg::CancelButton() const {
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void CFindUnitDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!std::exchange(m_started, true))
        QTimer::singleShot(0, this, &CFindUnitDlg::Search);
}

void CFindUnitDlg::Search() {
    if (m_searching)
        return;
    m_searching = true;
    m_cancelled = false;
    CProbeProgress progress(m_cancelled);
    for (int row = 0; row < m_ports.size() && !m_cancelled; ++row) {
        if (m_ports[row].probed)
            continue;
        m_table->topLevelItem(row)->setText(3, QStringLiteral("..."));
        m_table->scrollToItem(m_table->topLevelItem(row));
        QCoreApplication::processEvents();
        ProbeUnitPort(m_ports[row], &progress);
        ShowRow(row);
        m_progress->setValue(row + 1);
    }
    m_searching = false;
    m_table->header()->resizeSections(QHeaderView::ResizeToContents);
    UpdateUseButton();
}

void CFindUnitDlg::ShowRow(int row) {
    const UNIT_PORT& port = m_ports[row];
    QTreeWidgetItem* item = m_table->topLevelItem(row);
    item->setText(0, port.device);
    item->setText(1, port.ComPortsText());
    item->setText(2, port.description);
    item->setText(3, !port.probed    ? QString()
                     : port.answered ? port.Identity()
                                     : Tr(QStringLiteral("no answer")));
}

void CFindUnitDlg::UpdateUseButton() {
    const int row = m_table->indexOfTopLevelItem(m_table->currentItem());
    const bool found = !m_table->selectedItems().isEmpty() && row >= 0 && m_ports[row].answered;
    m_use->setEnabled(found && !m_searching);
}

void CFindUnitDlg::accept() {
    const int row = m_table->indexOfTopLevelItem(m_table->currentItem());
    if (m_searching || row < 0 || !m_ports[row].answered)
        return;
    StoreComPortDeviceName(m_portIndex, m_ports[row].device);
    QDialog::accept();
}

void CFindUnitDlg::reject() {
    if (m_searching) {
        m_cancelled = true;
        return;
    }
    QDialog::reject();
}
