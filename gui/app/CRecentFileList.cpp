#include "gui/app/CRecentFileList.h"

#include "core/lang/CProfile.h"

#include <QFileInfo>

namespace {
const QString SECTION = QStringLiteral("Recent File List");

QString Entry(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}
} // namespace

QStringList CRecentFileList::Files() {
    QStringList files;
    for (int i = 0; i < SIZE; ++i) {
        const QString file = CProfile::GetString(SECTION, Entry(i));
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void CRecentFileList::Add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(full);
    files.prepend(full);
    for (int i = 0; i < SIZE; ++i)
        CProfile::WriteString(SECTION, Entry(i), i < files.size() ? files[i] : QString());
}
