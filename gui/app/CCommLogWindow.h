// CCommLogWindow: View > "Communication log": the log of the last device command (every
// line sent and received, milliseconds since its start, direction, unprintable bytes as
// escapes), to read, copy to the clipboard or save as a text file. A window of the main
// frame's own (a Qt child, deleted when closed); showing it again refreshes the one open,
// and while it is open it follows the log as commands run.
#pragma once

#include <QDialog>

class CCommLog;
class QPlainTextEdit;

class CCommLogWindow : public QDialog {
    Q_OBJECT
public:
    CCommLogWindow(const CCommLog& log, QWidget* parent);

    // Shows parent's window on the command log, refreshed, creating it when none is open.
    static CCommLogWindow* ShowFor(QWidget* parent);

    // Shows the log's lines as they are now.
    void Refresh();
    QString Text() const;
    void CopyText();
    // Asks for a file and saves the text there; false when it could not be written.
    bool SaveText();
    bool SaveTo(const QString& path) const;

private:
    const CCommLog& m_log;
    int m_shownRevision = -1;
    QPlainTextEdit* m_text = nullptr;
};
