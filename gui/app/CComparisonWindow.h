// CComparisonWindow: the outcome of Compare with file or Compare with device: every
// setting whose shown value differs (section, label, value here, value there), then every
// differing byte that no setting shows, or a line saying the setups are equal. The table
// can be copied as text and printed on the printer set-up of the report. A window of the
// main frame's own (a Qt child, deleted when closed); it keeps its texts, not the images.
#pragma once

#include "core/forms/SetupComparison.h"

#include <QDialog>
#include <QStringList>

class CE2prom;
class QLabel;
class QPrinter;
class QTreeWidget;

class CComparisonWindow : public QDialog {
    Q_OBJECT
public:
    // The rows of the table: four texts each; a byte no setting shows reads
    // "", "address N", "0xAA", "0xBB" (this setup first).
    static QList<QStringList> TableRows(const SETUP_DIFFERENCES& differences, const CE2prom& here,
                                        const CE2prom& there);

    // otherName titles the last column, title the window. Close is the default button,
    // so Enter closes the window.
    CComparisonWindow(const SETUP_DIFFERENCES& differences, const CE2prom& here,
                      const CE2prom& there, const QString& otherName, const QString& title,
                      QPrinter& printer, QWidget* parent);

    // The summary line and the table (titles first), columns apart by tabs.
    QString TableText() const;
    QList<QStringList> Rows() const { return m_rows; }
    QString Summary() const;

    // Copies TableText to the clipboard.
    void CopyTable();
    // Asks for the printer (the report's set-up) and prints the table.
    void PrintTable();
    // Draws the table on printer, page after page. False when printing could not start.
    bool PrintOn(QPrinter& printer) const;

private:
    QStringList m_titles;
    QList<QStringList> m_rows;
    QPrinter& m_printer;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_table = nullptr;
};
