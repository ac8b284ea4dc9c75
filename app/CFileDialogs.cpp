#include "app/CFileDialogs.h"

#include "lang/CurrentLanguage.h"

#include <QFileDialog>

namespace {

CFileDialogs* g_dialogs = nullptr;

const QString ALL_FILES = QStringLiteral("All Files (*)");

QString RunDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

QString CQtFileDialogs::OpenFileName(QWidget* parent) {
    QFileDialog dialog(parent, Tr(QStringLiteral("Open")), QString(), Tr(ALL_FILES));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name can be typed; a file that does not exist simply fails to open.
    dialog.setFileMode(QFileDialog::AnyFile);
    return RunDialog(dialog);
}

QString CQtFileDialogs::SaveFileName(QWidget* parent, const QString& proposedName) {
    QFileDialog dialog(parent, Tr(QStringLiteral("Save As")), QString(), Tr(ALL_FILES));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(proposedName);
    return RunDialog(dialog);
}

CFileDialogs& FileDialogs() {
    static CQtFileDialogs qtDialogs;
    return g_dialogs ? *g_dialogs : qtDialogs;
}

void SetFileDialogs(CFileDialogs* dialogs) {
    g_dialogs = dialogs;
}
