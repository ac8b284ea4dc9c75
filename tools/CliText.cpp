#include "tools/CliText.h"

#include "core/forms/CTextSetup.h"
#include "core/image/CE2prom.h"
#include "core/link/CError.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"

#include <QSaveFile>
#include <cstdio>

namespace {

int Write(const QByteArray& text, const QString& path) {
    if (path.isEmpty()) {
        std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
        return CLI_OK;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return CLI_OK;
    CliError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    return CLI_CANNOT_WRITE;
}

// "Section/Label=Value" (set) or "Section/Label" (get), split at the first "/" and "=";
// the parser has checked the shape.
TEXT_SETTING NamedSetting(const QString& word) {
    const int slash = word.indexOf(u'/');
    const int eq = word.indexOf(u'=', slash);
    TEXT_SETTING setting;
    setting.section = word.left(slash);
    setting.label = eq < 0 ? word.mid(slash + 1) : word.mid(slash + 1, eq - slash - 1);
    setting.value = eq < 0 ? QString() : word.mid(eq + 1);
    return setting;
}

} // namespace

int RunCliExport(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    try {
        const CTextSetup setup = CTextSetup::FromImage(image);
        return Write(command.json ? setup.Json() : setup.Yaml(), command.outputPath);
    } catch (const CError& e) {
        CliError(e.ComposeText());
        return CLI_BAD_INPUT;
    }
}

int RunCliImport(const CCliCommand& command) {
    CE2prom image;
    const QString base = command.basePath.isEmpty() ? CliDefaultSetup() : command.basePath;
    if (const int status = CliLoad(image, base); status != CLI_OK)
        return status;
    if (const int status = CliApplyText(image, command.files[0]); status != CLI_OK)
        return status;
    return CliSave(image, command.files[1]);
}

int RunCliSet(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    CTextSetup setup;
    for (const QString& word : command.settings)
        setup.AddSetting(NamedSetting(word));
    try {
        setup.ApplyTo(image);
    } catch (const TEXT_SETUP_ERROR& e) {
        CliError(e.Text());
        return CLI_BAD_INPUT;
    } catch (const CError& e) {
        CliError(e.ComposeText());
        return CLI_BAD_INPUT;
    }
    return CliSave(image, command.files[1]);
}

int RunCliGet(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    const TEXT_SETTING named = NamedSetting(command.settings[0]);
    try {
        const QString value = CTextSetup::SettingValue(image, named.section, named.label);
        std::printf("%s\n", value.toUtf8().constData());
        return CLI_OK;
    } catch (const TEXT_SETUP_ERROR& e) {
        CliError(e.Text());
    } catch (const CError& e) {
        CliError(e.ComposeText());
    }
    return CLI_BAD_INPUT;
}
