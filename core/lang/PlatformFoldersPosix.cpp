#include "core/lang/PlatformFolders.h"

#include <QStandardPaths>

QString ProfileFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}
