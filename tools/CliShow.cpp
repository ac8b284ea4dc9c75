#include "tools/CliShow.h"

#include "core/forms/CSettingForm.h"
#include "core/forms/ReportSections.h"
#include "core/image/CE2prom.h"
#include "core/link/CError.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"

#include <cstdio>

QStringList ShowSettings(CE2prom& image, int language) {
    QStringList lines;
    for (const FORM_TABLE* entry : ListedForms()) {
        CSettingForm form(*entry, language);
        form.Attach(&image);
        lines += form.ListedText();
        lines += QString();
    }
    return lines;
}

int CliShow(const QStringList& args) {
    CCliCommand command;
    if (const int status = ParseCliCommand(QStringList{"show"} + args, command); status != CLI_OK)
        return status;
    return RunCliShow(command);
}

int RunCliShow(const CCliCommand& command) {
    const QString& path = command.files[0];
    CE2prom image;
    if (const int status = CliLoad(image, path); status != CLI_OK)
        return status;
    try {
        const QStringList lines = ShowSettings(image, command.language);
        for (const QString& line : lines)
            std::printf("%s\n", line.toUtf8().constData());
    } catch (const CError& e) {
        CliError(e.ComposeText());
        return CLI_BAD_INPUT;
    }
    return CLI_OK;
}
