#include "gui/app/CFileDialogs.h"

#include "core/lang/CurrentLanguage.h"

#include <QFileDialog>

namespace {

CFileDialogs* g_dialogs = nullptr;

const QString ALL_FILES = QStringLiteral("All Files (*)");

// The patterns of the open dialog's other filters: the names setups are given (karvo.def,
// backups as .s19) and the usual S-record extensions; text setups in YAML or JSON.
const char* const OPEN_FILTERS[] = {
    "S-record files (*.s19 *.def *.srec *.mot *.s28 *.s37)",
    "Text setups (*.yaml *.yml *.json)",
};

QString RunDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

QString CQtFileDialogs::OpenFileName(QWidget* parent, const QString& title) {
    QFileDialog dialog(parent, title);
    // All files first: the dialog lists every file unless another filter is chosen.
    QStringList filters{Tr(ALL_FILES)};
    for (const char* filter : OPEN_FILTERS)
        filters << Tr(QString::fromLatin1(filter));
    dialog.setNameFilters(filters);
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
