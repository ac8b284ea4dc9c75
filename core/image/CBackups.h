// Backups of setups that travel to or from a unit, so that no setup that went into a unit,
// and none that a read from a unit replaced, is ever lost.
//
// Each backup is an S-record file (or a file kept as it was) named after the moment it was taken and what it was
// ("20261207-214501-123-000-written.s19"), in the user's data folder (karvo/backups), or in
// the folder named by the environment variable KARVO_BACKUP_DIR. The newest 50 are kept.
#pragma once

#include <QByteArray>
#include <QString>

class CBackups {
public:
    static constexpr int KEEP = 50;

    static QString Folder();

    // Saves the 211 image bytes as a backup; returns its path, or an empty string when it
    // could not be written (a backup never stops the work it protects).
    static QString Save(const QByteArray& image, const QString& kind);
    // Keeps the file at path byte for byte, whatever it holds, under the same kind of name
    // with the file's own suffix ("...-replaced.yaml"; "bak" without a plain one). kept is
    // true when there was nothing to keep or the backup was written; the backup's path, or
    // an empty string.
    static QString SaveFile(const QString& path, const QString& kind, bool& kept);
};
