// CFileDialogs: the file-open and file-save dialogs of the document commands. The program
// uses CQtFileDialogs; tests install one that answers from a script.
#pragma once

#include <QString>

class QWidget;

class CFileDialogs {
public:
    virtual ~CFileDialogs() = default;
    // The chosen path, or an empty string when the user cancelled. Any name may be
    // typed, also of a file that does not exist. title is the dialog's caption ("Open").
    virtual QString OpenFileName(QWidget* parent, const QString& title) = 0;
    // proposedName is shown as the file name at first. Empty when cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& proposedName) = 0;
};

// Save lists all files. An open dialog lists all files at first and offers filters for
// S-record files and text setups.
class CQtFileDialogs : public CFileDialogs {
public:
    QString OpenFileName(QWidget* parent, const QString& title) override;
    QString SaveFileName(QWidget* parent, const QString& proposedName) override;
};

// The dialogs in use; never null.
CFileDialogs& FileDialogs();

// Installs dialogs (not owned). nullptr restores CQtFileDialogs.
void SetFileDialogs(CFileDialogs* dialogs);
