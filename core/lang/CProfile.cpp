#include "core/lang/CProfile.h"

#include "core/lang/PlatformFolders.h"

#include <QDir>
#include <QSettings>

namespace {
QString g_overridePath;

QString Key(const QString& section, const QString& entry) {
    return section + '/' + entry;
}
} // namespace

QString CProfile::Path() {
    if (!g_overridePath.isEmpty())
        return g_overridePath;
    const QByteArray env = qgetenv("KARVO_PROFILE");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    return QDir(ProfileFolder()).filePath(QStringLiteral("karvo.ini"));
}

void CProfile::SetPath(const QString& path) {
    g_overridePath = path;
}

QString CProfile::GetString(const QString& section, const QString& entry,
                            const QString& defaultValue) {
    QSettings settings(Path(), QSettings::IniFormat);
    const QVariant v = settings.value(Key(section, entry));
    return v.isValid() ? v.toString() : defaultValue;
}

void CProfile::WriteString(const QString& section, const QString& entry, const QString& value) {
    QSettings settings(Path(), QSettings::IniFormat);
    settings.setValue(Key(section, entry), value);
}

int CProfile::GetInt(const QString& section, const QString& entry, int defaultValue) {
    bool ok = false;
    const int value = GetString(section, entry).trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void CProfile::WriteInt(const QString& section, const QString& entry, int value) {
    WriteString(section, entry, QString::number(value));
}
