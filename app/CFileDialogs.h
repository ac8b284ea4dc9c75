// CFileDialogs: the file-open and file-save dialogs of the document commands. The program
// uses CQtFileDialogs; tests install one that answers from a script.
#pragma once

#include <QString>

class QWidget;

class CFileDialogs {
public:
    virtual ~CFileDialogs() = default;
    // The chosen path, or an empty string when the user cancelled. Any name may be
    // typed, also of a file that does not exist.
    virtual QString OpenFileName(QWidget* parent) = 0;
    // proposedName is shown as the file name at first. Empty when cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& proposedName) = 0;
};

// Lists all files, with no filter by type.
class CQtFileDialogs : public CFileDialogs {
public:
    QString OpenFileName(QWidget* parent) override;
    QString SaveFileName(QWidget* parent, const QString& proposedName) override;
};

// The dialogs in use; never null.
CFileDialogs& FileDialogs();

// Installs dialogs (not owned). nullptr restores CQtFileDialogs.
void SetFileDialogs(CFileDialogs* dialogs);
