// CHelpWindow: shows the help file of the current language ("Karvo.hlp", an HTML page
// copied into place at the last language change) with its table of
// contents ("Karvo.cnt": ":Title" line, then "level text" or "level text=topic" lines,
// a topic being an anchor in the page).
#pragma once

#include <QDialog>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class CHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent);

    // Reads the page and its contents; false when the page cannot be read. A missing
    // or unreadable contents file only leaves the contents empty.
    bool Load(const QString& helpPath, const QString& contentsPath);

    // Scrolls to the topic's anchor; an empty topic shows the top of the page.
    void ShowTopic(const QString& topic);

    QTextBrowser* Browser() const { return m_browser; }
    QTreeWidget* Contents() const { return m_contents; }

private:
    void LoadContents(const QString& contentsPath);
    void OnContentsItem(QTreeWidgetItem* item);

    QTreeWidget* m_contents = nullptr;
    QTextBrowser* m_browser = nullptr;
};
