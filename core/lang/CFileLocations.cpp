#include "core/lang/CFileLocations.h"

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

CFileLocations::CFileLocations(QString workingFolder, QString programFolder, QString dataFolder,
                               QString userFolder)
    : m_workingFolder(std::move(workingFolder)), m_programFolder(std::move(programFolder)),
      m_dataFolder(std::move(dataFolder)), m_userFolder(std::move(userFolder)) {}

CFileLocations CFileLocations::OfThisRun() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return CFileLocations(QDir::currentPath(), programFolder,
                          QDir::cleanPath(programFolder + '/' + KARVO_DATA_FROM_BIN),
                          QDir(userData).filePath(QStringLiteral("karvo")));
}

QString CFileLocations::ShippedFile(const QString& name) const {
    for (const QString* folder : {&m_workingFolder, &m_programFolder, &m_dataFolder})
        if (const QString path = QDir(*folder).filePath(name); QFileInfo::exists(path))
            return path;
    return QDir(m_workingFolder).filePath(name);
}

QString CFileLocations::WrittenFile(const QString& name) const {
    if (CanCreateFilesIn(m_workingFolder))
        return QDir(m_workingFolder).filePath(name);
    QDir().mkpath(m_userFolder);
    return QDir(m_userFolder).filePath(name);
}
