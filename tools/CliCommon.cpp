#include "tools/CliCommon.h"

#include "core/forms/CTextSetup.h"
#include "core/image/CE2prom.h"
#include "core/lang/CFileLocations.h"
#include "core/link/CError.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

// The file's text when it can be read, else nothing.
std::optional<QByteArray> ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

QString CliDefaultSetup() {
    return CFileLocations::OfThisRun().ShippedFile(QStringLiteral("karvo.def"));
}

QString CliTextError(const QString& path, const TEXT_SETUP_ERROR& error) {
    return error.line > 0
               ? QStringLiteral("%1:%2: %3")
                     .arg(QDir::toNativeSeparators(path))
                     .arg(error.line)
                     .arg(error.Text())
               : QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error.Text());
}

int CliApplyText(CE2prom& image, const QString& path) {
    const std::optional<QByteArray> text = ReadText(path);
    if (!text) {
        CliError(QStringLiteral("cannot open %1").arg(QDir::toNativeSeparators(path)));
        return CLI_CANNOT_OPEN;
    }
    if (!CTextSetup::IsTextSetup(*text)) {
        CliError(
            QStringLiteral("%1:1: not a text setup (it does not begin with \"karvo-setup: %2\")")
                .arg(QDir::toNativeSeparators(path))
                .arg(CTextSetup::FORMAT_VERSION));
        return CLI_BAD_INPUT;
    }
    try {
        CTextSetup::Parse(*text).ApplyTo(image);
        return CLI_OK;
    } catch (const TEXT_SETUP_ERROR& e) {
        CliError(CliTextError(path, e));
    } catch (const CError& e) {
        CliError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), e.ComposeText()));
    }
    return CLI_BAD_INPUT;
}

void CliError(const QString& message) {
    std::fprintf(stderr, "karvo-cli: %s\n", message.toLocal8Bit().constData());
}

int CliLoad(CE2prom& image, const QString& path) {
    if (const std::optional<QByteArray> text = ReadText(path);
        text && CTextSetup::IsTextSetup(*text)) {
        // The base is S-records: a default setup that were a text setup too would never end.
        CE2prom base;
        const QString defaultSetup = CliDefaultSetup();
        if (const std::optional<QByteArray> defaultText = ReadText(defaultSetup);
            defaultText && CTextSetup::IsTextSetup(*defaultText)) {
            CliError(QStringLiteral("%1: the default setup is not S-records")
                         .arg(QDir::toNativeSeparators(defaultSetup)));
            return CLI_BAD_INPUT;
        }
        if (const int status = CliLoad(base, defaultSetup); status != CLI_OK)
            return status;
        if (const int status = CliApplyText(base, path); status != CLI_OK)
            return status;
        image.ReplaceBytes(base.Bytes());
        return CLI_OK;
    }
    try {
        QByteArray type;
        switch (image.LoadSRecords(path, &type)) {
        case 1:
            return CLI_OK;
        case 0:
            CliError(QStringLiteral("cannot open %1").arg(QDir::toNativeSeparators(path)));
            return CLI_CANNOT_OPEN;
        default:
            CliError(QStringLiteral("%1: record type %2 is not read (only S0, S1, S8 and S9 are)")
                         .arg(QDir::toNativeSeparators(path), QString::fromLatin1(type)));
            return CLI_BAD_INPUT;
        }
    } catch (const CError& e) {
        CliError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), e.ComposeText()));
        return CLI_BAD_INPUT;
    }
}

int CliSave(CE2prom& image, const QString& path) {
    try {
        image.SaveSRecords(path);
        return CLI_OK;
    } catch (const CError& e) {
        CliError(QStringLiteral("cannot write %1: %2")
                     .arg(QDir::toNativeSeparators(path), e.ComposeText()));
        return CLI_CANNOT_WRITE;
    }
}
