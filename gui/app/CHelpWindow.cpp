#include "gui/app/CHelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>

namespace {
constexpr int TOPIC_ROLE = Qt::UserRole;
}

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Karvo"));
    m_contents = new QTreeWidget(this);
    m_contents->setHeaderHidden(true);
    m_browser = new QTextBrowser(this);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(720, 480);
    connect(m_contents, &QTreeWidget::itemActivated, this, &CHelpWindow::OnContentsItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, &CHelpWindow::OnContentsItem);
}

bool CHelpWindow::Load(const QString& helpPath, const QString& contentsPath) {
    QFile page(helpPath);
    if (!page.open(QIODevice::ReadOnly))
        return false;
    m_browser->setHtml(QString::fromUtf8(page.readAll()));
    LoadContents(contentsPath);
    return true;
}

void CHelpWindow::LoadContents(const QString& contentsPath) {
    m_contents->clear();
    QFile file(contentsPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    static const QRegularExpression entry(QStringLiteral("^(\\d+)\\s+([^=]*)(?:=(.*))?$"));
    // parents[k] is the last item of level k + 1, the parent of the next level k + 2.
    QList<QTreeWidgetItem*> parents;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QStringLiteral(":Title "))) {
            setWindowTitle(line.mid(7).trimmed());
            continue;
        }
        const QRegularExpressionMatch m = entry.match(line);
        if (!m.hasMatch())
            continue;
        const int level = std::max(1, m.captured(1).toInt());
        while (parents.size() >= level)
            parents.removeLast();
        QTreeWidgetItem* item = parents.isEmpty() ? new QTreeWidgetItem(m_contents)
                                                  : new QTreeWidgetItem(parents.last());
        item->setText(0, m.captured(2).trimmed());
        item->setData(0, TOPIC_ROLE, m.captured(3).trimmed());
        parents.append(item);
    }
    m_contents->expandAll();
}

void CHelpWindow::OnContentsItem(QTreeWidgetItem* item) {
    if (item)
        ShowTopic(item->data(0, TOPIC_ROLE).toString());
}

void CHelpWindow::ShowTopic(const QString& topic) {
    if (topic.isEmpty())
        m_browser->verticalScrollBar()->setValue(0);
    else
        m_browser->scrollToAnchor(topic);
}
