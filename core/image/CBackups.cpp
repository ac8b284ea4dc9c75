#include "core/image/CBackups.h"

#include "core/image/SRecords.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The names Save gives: stamp, counter and kind ("20261207-214501-123-000-written.s19").
// Only such files are ever pruned, so a folder that also holds setups loses none of them.
bool IsBackupName(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{8}-\\d{6}-\\d{3}-\\d{3}-[a-z]+\\.[A-Za-z0-9]{1,10}$"));
    return pattern.match(name).hasMatch();
}

// Writes bytes as a new backup of kind with the file suffix given; its path, or empty.
QString SaveBackup(const QByteArray& bytes, const QString& kind, const QString& suffix) {
    QDir dir(CBackups::Folder());
    if (!dir.mkpath(QStringLiteral(".")))
        return {};
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    // A counter after the stamp keeps backups of the same millisecond in age order.
    QString path;
    for (int n = 0; path.isEmpty() || QFile::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1-%2-%3.%4")
                                .arg(stamp)
                                .arg(n, 3, 10, QLatin1Char('0'))
                                .arg(kind, suffix));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return {};
    // Names start with the time stamp, so name order is age order.
    QStringList all = dir.entryList(QDir::Files, QDir::Name);
    all.removeIf([](const QString& name) { return !IsBackupName(name); });
    for (int i = 0; i + CBackups::KEEP < all.size(); ++i)
        dir.remove(all[i]);
    return path;
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
    return SaveBackup(SRecordLines(image), kind, QStringLiteral("s19"));
}

QString CBackups::SaveFile(const QString& path, const QString& kind, bool& kept) {
    kept = true;
    QFile source(path);
    if (!source.exists())
        return {};
    kept = false;
    if (!source.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return {};
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]{1,10}$"));
    QString suffix = QFileInfo(path).suffix();
    if (!plain.match(suffix).hasMatch())
        suffix = QStringLiteral("bak");
    const QString backup = SaveBackup(bytes, kind, suffix);
    kept = !backup.isEmpty();
    return backup;
}
