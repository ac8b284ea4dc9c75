#include "lang/CFileLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// Whether a file can be created in folder. Trying is the only sure test: permission bits
// say nothing to root, and a folder may sit on a read-only file system or be gone.
bool CanCreateFilesIn(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".karvo-probe-XXXXXX")));
    return probe.open();
}

} // namespace

CFileLocations::CFileLocations(QString workingFolder, QString dataFolder, QString userFolder)
    : m_workingFolder(std::move(workingFolder)), m_dataFolder(std::move(dataFolder)),
      m_userFolder(std::move(userFolder)) {}

CFileLocations CFileLocations::OfThisRun() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return CFileLocations(QDir::currentPath(),
                          QDir::cleanPath(programFolder + '/' + KARVO_DATA_FROM_BIN),
                          QDir(userData).filePath(QStringLiteral("karvo")));
}

QString CFileLocations::ShippedFile(const QString& name) const {
    const QString local = QDir(m_workingFolder).filePath(name);
    if (QFileInfo::exists(local))
        return local;
    const QString installed = QDir(m_dataFolder).filePath(name);
    return QFileInfo::exists(installed) ? installed : local;
}

QString CFileLocations::WrittenFile(const QString& name) const {
    if (CanCreateFilesIn(m_workingFolder))
        return QDir(m_workingFolder).filePath(name);
    QDir().mkpath(m_userFolder);
    return QDir(m_userFolder).filePath(name);
}
