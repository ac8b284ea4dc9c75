// CFileLocations: where Karvo finds the files it ships and where it keeps the files it
// writes, so that it runs alike from the build folder, from an installed prefix and from
// the application menu (whose working folder is the home folder).
//
// Shipped files (karvo.def, the language folders with their help files) are looked up in
// the working folder first, then in the program's own folder (where the build puts them),
// then in the data folder installed beside the program (bin/../share/karvo). Files Karvo
// writes and reads back later (the active help files copied at a language change, the
// trace test.dat) go to the working folder when files can be created there, otherwise to
// the user's data folder (~/.local/share/karvo); they are read from the same place. The
// class holds four folder paths and owns nothing else.
#pragma once

#include <QString>

class CFileLocations {
public:
    CFileLocations(QString workingFolder, QString programFolder, QString dataFolder,
                   QString userFolder);

    // The folders of this run: the current directory, the program's own folder, the data
    // folder relative to it, and the user's data folder. Taken afresh at each call, as
    // the working folder is.
    static CFileLocations OfThisRun();

    // The path of a shipped file ("karvo.def", "fra/Karvo.hlp"): the first of the working
    // folder, the program's folder and the data folder that holds it, else the working
    // folder's path (so that opening it fails as it did before there was a data folder).
    QString ShippedFile(const QString& name) const;

    // The path of a file Karvo writes and reads back ("test.dat", "Karvo.hlp"): in the
    // working folder when a file can be created there, else in the user's data folder,
    // which is created when missing.
    QString WrittenFile(const QString& name) const;

private:
    QString m_workingFolder;
    QString m_programFolder;
    QString m_dataFolder;
    QString m_userFolder;
};
