#include "gui/app/CComparisonWindow.h"

#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString Hex(int byte) {
    return QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

// Where each of the four columns starts on a printed page, in parts of its width.
constexpr double PRINT_COLUMNS[] = {0.0, 0.25, 0.55, 0.78};

} // namespace

QList<QStringList> CComparisonWindow::TableRows(const SETUP_DIFFERENCES& differences,
                                                const CE2prom& here, const CE2prom& there) {
    QList<QStringList> rows;
    for (const SETTING_DIFFERENCE& setting : differences.settings)
        rows << QStringList{setting.section, setting.label, setting.valueA, setting.valueB};
    for (const int address : differences.unshownAddresses)
        rows << QStringList{QString(), Tr("address %1").arg(address), Hex(here.GetByte(address)),
                            Hex(there.GetByte(address))};
    return rows;
}

CComparisonWindow::CComparisonWindow(const SETUP_DIFFERENCES& differences, const CE2prom& here,
                                     const CE2prom& there, const QString& otherName,
                                     const QString& title, QPrinter& printer, QWidget* parent)
    : QDialog(parent), m_titles{Tr("Section"), Tr("Setting"), Tr("This setup"), otherName},
      m_rows(TableRows(differences, here, there)), m_printer(printer) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(Summary(), this);
    layout->addWidget(m_summary);
    m_table = new QTreeWidget(this);
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels(m_titles);
    m_table->setAccessibleName(windowTitle());
    for (const QStringList& row : m_rows)
        m_table->addTopLevelItem(new QTreeWidgetItem(row));
    m_table->header()->resizeSections(QHeaderView::ResizeToContents);
    m_table->setHidden(m_rows.isEmpty());
    layout->addWidget(m_table);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(Tr("Copy"), QDialogButtonBox::ActionRole);
    QPushButton* print = buttons->addButton(Tr("Print..."), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(Tr("Close"), QDialogButtonBox::RejectRole);
    connect(copy, &QPushButton::clicked, this, &CComparisonWindow::CopyTable);
    connect(print, &QPushButton::clicked, this, &CComparisonWindow::PrintTable);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Enter closes the window wherever the focus is, also on Copy (the first button, which
    // has the focus when the setups are equal); Space presses the focused button.
    copy->setAutoDefault(false);
    print->setAutoDefault(false);
    close->setDefault(true);
    layout->addWidget(buttons);
    resize(720, 400);
}

QString CComparisonWindow::Summary() const {
    return m_rows.isEmpty() ? Tr("The setups are equal.")
                            : Tr("Differences: %1").arg(m_rows.size());
}

QString CComparisonWindow::TableText() const {
    QStringList lines{Summary()};
    if (!m_rows.isEmpty())
        lines << m_titles.join(u'\t');
    for (const QStringList& row : m_rows)
        lines << row.join(u'\t');
    return lines.join(u'\n') + u'\n';
}

void CComparisonWindow::CopyTable() {
    QGuiApplication::clipboard()->setText(TableText());
}

void CComparisonWindow::PrintTable() {
    QPrintDialog dialog(&m_printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintOn(m_printer);
}

bool CComparisonWindow::PrintOn(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    const int lineHeight = painter.fontMetrics().lineSpacing();
    int y = lineHeight;
    auto drawLine = [&](const QStringList& texts, bool bold) {
        if (y + lineHeight > page.height()) {
            printer.newPage();
            y = lineHeight;
        }
        QFont font = painter.font();
        font.setBold(bold);
        painter.setFont(font);
        for (int c = 0; c < texts.size() && c < int(std::size(PRINT_COLUMNS)); ++c)
            painter.drawText(int(page.width() * PRINT_COLUMNS[c]), y, texts[c]);
        y += lineHeight;
    };
    drawLine({windowTitle()}, true);
    drawLine({Summary()}, false);
    if (!m_rows.isEmpty())
        drawLine(m_titles, true);
    for (const QStringList& row : m_rows)
        drawLine(row, false);
    return painter.end();
}
