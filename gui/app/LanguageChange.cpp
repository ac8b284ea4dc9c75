#include "gui/app/LanguageChange.h"

#include "core/lang/CFileLocations.h"
#include "core/lang/CProfile.h"
#include "core/lang/CurrentLanguage.h"
#include "gui/app/CLanguageDlg.h"
#include "gui/app/CProcessControl.h"

#include <QCoreApplication>
#include <QFile>
#include <array>

namespace {

struct LANGUAGE_RESOURCE {
    int resourceId;
    const char* folder;
    const char* uninstallFile;
};

// By language index.
const std::array<LANGUAGE_RESOURCE, 5> LANGUAGE_RESOURCES = {{
    {128, "eng", "Unwise.eng"},
    {164, "fra", "Unwise.fre"},
    {172, "ger", "Unwise.ger"},
    {173, "spa", "Unwise.spa"},
    {174, "ita", "Unwise.ita"},
}};

const QString SECTION = QStringLiteral("language");
const QString ENTRY = QStringLiteral("language");

const LANGUAGE_RESOURCE& ResourceOf(int language) {
    if (language < 0 || language >= int(LANGUAGE_RESOURCES.size()))
        language = 0;
    return LANGUAGE_RESOURCES[language];
}

void CopyReplacing(const QString& source, const QString& target) {
    // QFile::copy never overwrites, so the old file goes first. If the source is
    // missing the old target is kept rather than left deleted.
    if (!QFile::exists(source))
        return;
    QFile::remove(target);
    QFile::copy(source, target);
}

} // namespace

int LanguageResourceId(int language) {
    return ResourceOf(language).resourceId;
}

QString LanguageFolder(int language) {
    return QString::fromLatin1(ResourceOf(language).folder);
}

QString LanguageUninstallFile(int language) {
    return QString::fromLatin1(ResourceOf(language).uninstallFile);
}

bool LoadStoredLanguage() {
    const QString stored = CProfile::GetString(SECTION, ENTRY);
    if (stored.isEmpty())
        return false;
    const int language = LanguageFromProfileName(stored);
    SetCurrentLanguage(language < 0 ? 0 : language);
    return true;
}

void StoreCurrentLanguage() {
    CProfile::WriteString(SECTION, ENTRY, LanguageProfileName(GetCurrentLanguage()));
}

void CopyLanguageFiles(int language) {
    const CFileLocations files = CFileLocations::OfThisRun();
    const QString folder = LanguageFolder(language) + '/';
    const auto copy = [&](const QString& source, const QString& target) {
        CopyReplacing(files.ShippedFile(folder + source), files.WrittenFile(target));
    };
    copy(QStringLiteral("Karvo.hlp"), QStringLiteral("Karvo.hlp"));
    copy(QStringLiteral("Karvo.cnt"), QStringLiteral("Karvo.cnt"));
    copy(LanguageUninstallFile(language), QStringLiteral("Unwise.ini"));
}

QString ActiveHelpFile(const QString& name) {
    const CFileLocations files = CFileLocations::OfThisRun();
    const QString copied = files.WrittenFile(name);
    if (QFile::exists(copied))
        return copied;
    return files.ShippedFile(LanguageFolder(GetCurrentLanguage()) + '/' + name);
}

bool RunLanguageChange(QWidget* parent, const BeforeRestart& beforeRestart) {
    const int current = GetCurrentLanguage();
    CLanguageDlg dialog(current >= 0 && current <= 4 ? current : -1, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;

    const int chosen = dialog.SelectedIndex();
    SetCurrentLanguage(chosen);
    // The document is offered for saving before anything is copied or stored, so that a
    // save that fails leaves the language change undone rather than the work lost.
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (beforeRestart && !beforeRestart(arguments)) {
        SetCurrentLanguage(current);
        return false;
    }
    CopyLanguageFiles(chosen);
    StoreCurrentLanguage();
    ProcessControl().StartNewInstance(arguments);
    ProcessControl().EndProcess(0);
    return true;
}
