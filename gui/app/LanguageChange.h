// The language of the run: read from the profile at start-up, written back at shut-down,
// and changed through the language dialog, which copies the new language's help files
// into place, stores the choice and restarts the program.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The resource number of a language's menu and frame resources: 128 English, 164 French,
// 172 German, 173 Spanish, 174 Italian; any other index gives 128.
int LanguageResourceId(int language);

// The help folder of a language ("eng", "fra", "ger", "spa", "ita") and the name of its
// uninstaller file there ("Unwise.eng", ...); English for any other index.
QString LanguageFolder(int language);
QString LanguageUninstallFile(int language);

// Sets the current language from the profile entry "language"/"language", compared
// exactly with the five names; a value that names none gives English. Returns false when
// the profile holds no value (the first start), leaving the language as it was.
bool LoadStoredLanguage();

// Writes the current language's name to the profile (the shut-down step).
void StoreCurrentLanguage();

// Copies the language's "Karvo.hlp", "Karvo.cnt" and uninstaller file from its folder
// (in the working folder or the data folder) to "Karvo.hlp", "Karvo.cnt" and "Unwise.ini"
// where Karvo keeps the files it writes (CFileLocations), replacing what is there. A copy
// that fails is skipped.
void CopyLanguageFiles(int language);

// The active help file "Karvo.hlp" or its contents "Karvo.cnt": the copy made at the
// last language change, or, when there is none there (the profile's language was chosen
// from another working folder), the current language's own file in its folder.
QString ActiveHelpFile(const QString& name);

// Lets the application offer saving its document before a restart: false abandons the
// language change (the save failed or was cancelled); otherwise it sets the arguments
// of the new copy (the document to open).
using BeforeRestart = std::function<bool(QStringList& arguments)>;

// The language change: shows the language dialog (the current language preselected).
// Cancel changes nothing and returns false. OK sets the language and calls beforeRestart
// (when given); if that abandons, the language goes back and nothing else changes
// (false). Otherwise it copies the language's files, stores it in the profile, starts a
// new copy of the program (with this copy's own arguments unless beforeRestart set
// others) and ends this one. Returns true when the restart was requested; the real
// program never gets there.
bool RunLanguageChange(QWidget* parent, const BeforeRestart& beforeRestart);
