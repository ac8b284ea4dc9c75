#include "core/lang/PlatformFolders.h"

#include <QDir>
#include <QStandardPaths>

QString ProfileFolder() {
    // The roaming application data folder, so that the profile follows the user.
    const QString appData = qEnvironmentVariable("APPDATA");
    const QString base = appData.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                             : QDir::fromNativeSeparators(appData);
    return QDir(base).filePath(QStringLiteral("Karvo"));
}
