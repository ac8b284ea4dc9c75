#include "tools/CliCommon.h"

#include "image/CE2prom.h"
#include "link/CError.h"

#include <cstdio>

void CliError(const QString& message) {
    std::fprintf(stderr, "karvo-cli: %s\n", message.toLocal8Bit().constData());
}

int CliLoad(CE2prom& image, const QString& path) {
    try {
        QByteArray type;
        switch (image.LoadSRecords(path, &type)) {
        case 1:
            return CLI_OK;
        case 0:
            CliError(QStringLiteral("cannot open %1").arg(path));
            return CLI_CANNOT_OPEN;
        default:
            CliError(QStringLiteral("%1: record type %2 is not read (only S0, S1, S8 and S9 are)")
                         .arg(path, QString::fromLatin1(type)));
            return CLI_BAD_INPUT;
        }
    } catch (const CError& e) {
        CliError(QStringLiteral("%1: %2").arg(path, e.ComposeText()));
        return CLI_BAD_INPUT;
    }
}

int CliSave(CE2prom& image, const QString& path) {
    try {
        image.SaveSRecords(path);
        return CLI_OK;
    } catch (const CError& e) {
        CliError(QStringLiteral("cannot write %1: %2").arg(path, e.ComposeText()));
        return CLI_CANNOT_WRITE;
    }
}
