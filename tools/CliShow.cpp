#include "tools/CliShow.h"

#include "dialogs/CSettingForm.h"
#include "image/CE2prom.h"
#include "lang/CurrentLanguage.h"
#include "link/CError.h"
#include "tools/CliCommon.h"

#include <array>
#include <cstdio>

int ShowLanguage(const QString& word) {
    static const std::array<const char*, 5> codes = {"en", "fr", "de", "es", "it"};
    for (int i = 0; i < int(codes.size()); ++i)
        if (word == QLatin1String(codes[i]))
            return i;
    return -1;
}

QStringList ShowSettings(CE2prom& image) {
    QStringList lines;
    for (const FORM_TABLE* entry : ListedForms()) {
        CSettingForm form(*entry);
        form.Attach(&image);
        lines += form.ListedText();
        lines += QString();
    }
    return lines;
}

namespace {

int ShowUsage() {
    CliError(QStringLiteral("usage: karvo-cli show FILE [--language en|fr|de|es|it]"));
    return CLI_USAGE;
}

} // namespace

int CliShow(const QStringList& args) {
    QString path;
    int language = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString code;
        if (arg == QLatin1String("--language")) {
            if (++i >= args.size())
                return ShowUsage();
            code = args[i];
        } else if (arg.startsWith(QLatin1String("--language="))) {
            code = arg.mid(int(sizeof("--language=")) - 1);
        } else if (path.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            path = arg;
            continue;
        } else {
            return ShowUsage();
        }
        language = ShowLanguage(code);
        if (language < 0) {
            CliError(QStringLiteral("unknown language '%1' (en, fr, de, es or it)").arg(code));
            return CLI_USAGE;
        }
    }
    if (path.isEmpty())
        return ShowUsage();

    CE2prom image;
    if (const int status = CliLoad(image, path); status != CLI_OK)
        return status;
    SetCurrentLanguage(language);
    try {
        const QStringList lines = ShowSettings(image);
        for (const QString& line : lines)
            std::printf("%s\n", line.toUtf8().constData());
    } catch (const CError& e) {
        CliError(e.ComposeText());
        return CLI_BAD_INPUT;
    }
    return CLI_OK;
}
