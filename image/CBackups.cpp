#include "image/CBackups.h"

#include "image/SRecords.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The names Save gives: stamp, counter and kind ("20261207-214501-123-000-written.s19").
// Only such files are ever pruned, so a folder that also holds setups loses none of them.
bool IsBackupName(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{8}-\\d{6}-\\d{3}-\\d{3}-[a-z]+\\.s19$"));
    return pattern.match(name).hasMatch();
}

} // namespace

QString CBackups::Folder() {
    const QByteArray env = qgetenv("KARVO_BACKUP_DIR");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("karvo/backups"));
}

QString CBackups::Save(const QByteArray& image, const QString& kind) {
    QDir dir(Folder());
    if (!dir.mkpath(QStringLiteral(".")))
        return {};
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    // A counter after the stamp keeps backups of the same millisecond in age order.
    QString path;
    for (int n = 0; path.isEmpty() || QFile::exists(path); ++n)
        path = dir.filePath(
            QStringLiteral("%1-%2-%3.s19").arg(stamp).arg(n, 3, 10, QLatin1Char('0')).arg(kind));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(SRecordLines(image));
    if (!file.commit())
        return {};
    // Names start with the time stamp, so name order is age order.
    QStringList all = dir.entryList({QStringLiteral("*.s19")}, QDir::Files, QDir::Name);
    all.removeIf([](const QString& name) { return !IsBackupName(name); });
    for (int i = 0; i + KEEP < all.size(); ++i)
        dir.remove(all[i]);
    return path;
}
