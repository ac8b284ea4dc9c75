#include "tools/CliArguments.h"

#include "image/CE2prom.h"
#include "link/ComPortNames.h"
#include "tools/CliCommon.h"

#include <array>
#include <cstdio>

const char* const CLI_USAGE_TEXT =
    "usage: karvo-cli dump FILE\n"
    "       karvo-cli copy IN OUT\n"
    "       karvo-cli poke IN OUT ADDR=VALUE...\n"
    "       karvo-cli info [--port DEVICE | --com 1..4]\n"
    "       karvo-cli read OUT [--single-read] [--port DEVICE | --com 1..4]\n"
    "       karvo-cli write FILE [--no-verify] [--port DEVICE | --com 1..4]\n"
    "       karvo-cli show FILE [--language en|fr|de|es|it]\n"
    "       karvo-cli report FILE [--language en|fr|de|es|it] [--pdf OUT]\n"
    "       karvo-cli diff A B [--language en|fr|de|es|it]\n"
    "       karvo-cli export FILE [--json] [--output OUT]\n"
    "       karvo-cli import TEXT OUT [--base SETUP]\n"
    "       karvo-cli set IN OUT SECTION/LABEL=VALUE...\n"
    "       karvo-cli get FILE SECTION/LABEL\n"
    "       karvo-cli apply SETUP [--json] [--single-read] [--port DEVICE | --com 1..4]\n"
    "       karvo-cli ports [--probe]\n"
    "       (info, read, write, apply: [--trace FILE])\n";

namespace {

// What each command takes: its number of files (poke, set: at least, with changes after
// them), whether it talks to a port, takes --language or --pdf, and its usage line when a
// word is wrong; the text commands name their own options.
struct COMMAND_RULE {
    const char* name;
    int files;
    bool port;
    bool language;
    bool pdf;
    const char* usage;             // nullptr: the general usage text
    const char* options = nullptr; // further options, each followed by a blank
};

const COMMAND_RULE COMMAND_RULES[] = {
    {"dump", 1, false, false, false, nullptr},
    {"copy", 2, false, false, false, nullptr},
    {"poke", 2, false, false, false, nullptr},
    {"show", 1, false, true, false, "show FILE [--language en|fr|de|es|it]"},
    {"report", 1, false, true, true, "report FILE [--language en|fr|de|es|it] [--pdf OUT]"},
    {"diff", 2, false, true, false, "diff A B [--language en|fr|de|es|it]"},
    {"info", 0, true, false, false, "info [--port NAME | --com 1..4]"},
    {"read", 1, true, false, false, "read OUT [--single-read] [--port NAME | --com 1..4]",
     "--single-read "},
    {"write", 1, true, false, false, "write FILE [--no-verify] [--port NAME | --com 1..4]"},
    {"export", 1, false, false, false, "export FILE [--json] [--output OUT]", "--json --output "},
    {"import", 2, false, false, false, "import TEXT OUT [--base SETUP]", "--base "},
    {"set", 2, false, false, false, "set IN OUT SECTION/LABEL=VALUE..."},
    {"get", 1, false, false, false, "get FILE SECTION/LABEL"},
    {"apply", 1, true, false, false,
     "apply SETUP [--json] [--single-read] [--trace FILE] [--port NAME | --com 1..4]",
     "--json --single-read "},
    {"ports", 0, false, false, false, "ports [--probe]", "--probe "},
};

// Whether rule names option among its further options.
bool TakesOption(const COMMAND_RULE& rule, const QString& option) {
    return rule.options && QString::fromLatin1(rule.options).contains(option + u' ');
}

// One "Section/Label=Value" of set, or the "Section/Label" of get; CLI_USAGE (with the
// reason) when its shape is wrong.
int ParseSettingName(const QString& name, const QString& arg, QStringList& settings) {
    const bool set = name == QLatin1String("set");
    const int slash = arg.indexOf(u'/');
    const int eq = arg.indexOf(u'=');
    if (slash <= 0 || (set && eq < slash) || (!set && !settings.isEmpty())) {
        CliError(QStringLiteral("'%1' is not %2")
                     .arg(arg, set ? "SECTION/LABEL=VALUE" : "one SECTION/LABEL"));
        return CLI_USAGE;
    }
    settings << arg;
    return CLI_OK;
}

int Usage(const COMMAND_RULE* rule) {
    if (rule && rule->usage)
        std::fprintf(stderr, "usage: karvo-cli %s\n", rule->usage);
    else
        std::fputs(CLI_USAGE_TEXT, stderr);
    return CLI_USAGE;
}

// A number in decimal or with a 0x prefix in hexadecimal; false when it is neither.
bool ParseNumber(const QString& text, int& value) {
    bool ok = false;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok;
}

// One ADDR=VALUE change of poke; CLI_USAGE (with the reason) when it is wrong.
int ParsePoke(const QString& arg, std::map<int, int>& pokes) {
    const QStringList parts = arg.split('=');
    int address = 0;
    int value = 0;
    if (parts.size() != 2 || !ParseNumber(parts[0], address) || !ParseNumber(parts[1], value)) {
        CliError(QStringLiteral("'%1' is not ADDR=VALUE").arg(arg));
        return CLI_USAGE;
    }
    if (address < 1 || address >= int(CE2prom::IMAGE_SIZE)) {
        CliError(QStringLiteral("address %1 is outside 1 to %2 (address 0 is never saved)")
                     .arg(parts[0])
                     .arg(CE2prom::IMAGE_SIZE - 1));
        return CLI_USAGE;
    }
    if (value < 0 || value > 255) {
        CliError(QStringLiteral("value %1 is outside 0 to 255").arg(parts[1]));
        return CLI_USAGE;
    }
    pokes[address] = value;
    return CLI_OK;
}

// One option with its value at args[i] (advancing i past a separate value); CLI_USAGE
// with the reason when the rule does not take it or the value is wrong.
int ParseOption(const COMMAND_RULE& rule, const QStringList& args, int& i, CCliCommand& command) {
    QString option = args[i];
    QString value;
    const bool flag = option == QLatin1String("--verify") ||
                      option == QLatin1String("--no-verify") || option == QLatin1String("--json") ||
                      option == QLatin1String("--probe") || option == QLatin1String("--single-read");
    if (const int eq = option.indexOf('='); eq > 0 && option.startsWith(QLatin1String("--"))) {
        value = option.mid(eq + 1);
        option.truncate(eq);
    } else if (!flag) {
        if (i + 1 >= args.size()) {
            CliError(option + " needs a value");
            return CLI_USAGE;
        }
        value = args[++i];
    }
    const QString name(rule.name);
    if (option == QLatin1String("--verify") && name == QLatin1String("write")) {
        command.verify = true; // the default; kept for scripts that ask for it
    } else if (option == QLatin1String("--no-verify") && name == QLatin1String("write")) {
        command.verify = false;
    } else if (option == QLatin1String("--json") && TakesOption(rule, option)) {
        command.json = true;
    } else if (option == QLatin1String("--single-read") && TakesOption(rule, option)) {
        command.confirmRead = false;
    } else if (option == QLatin1String("--probe") && TakesOption(rule, option)) {
        command.probe = true;
    } else if (option == QLatin1String("--trace") && rule.port && !value.isEmpty()) {
        command.tracePath = value;
    } else if (option == QLatin1String("--output") && TakesOption(rule, option) &&
               !value.isEmpty()) {
        command.outputPath = value;
    } else if (option == QLatin1String("--base") && TakesOption(rule, option) && !value.isEmpty()) {
        command.basePath = value;
    } else if (option == QLatin1String("--pdf") && rule.pdf && !value.isEmpty()) {
        command.pdfPath = value;
    } else if (option == QLatin1String("--language") && rule.language) {
        command.language = ShowLanguage(value);
        if (command.language < 0) {
            CliError(QStringLiteral("unknown language '%1' (en, fr, de, es or it)").arg(value));
            return CLI_USAGE;
        }
    } else if (option == QLatin1String("--port") && rule.port) {
        command.deviceName = value;
    } else if (option == QLatin1String("--com") && rule.port) {
        bool ok = false;
        const int com = value.toInt(&ok);
        if (!ok || com < 1 || com > COM_PORT_COUNT) {
            CliError("--com takes 1 to 4");
            return CLI_USAGE;
        }
        command.comPort = com - 1;
    } else {
        return Usage(&rule);
    }
    return CLI_OK;
}

} // namespace

int ShowLanguage(const QString& word) {
    static const std::array<const char*, 5> codes = {"en", "fr", "de", "es", "it"};
    for (int i = 0; i < int(codes.size()); ++i)
        if (word == QLatin1String(codes[i]))
            return i;
    return -1;
}

int ParseCliCommand(const QStringList& args, CCliCommand& command) {
    command = CCliCommand();
    const COMMAND_RULE* rule = nullptr;
    for (const COMMAND_RULE& candidate : COMMAND_RULES)
        if (!args.isEmpty() && args[0] == QLatin1String(candidate.name))
            rule = &candidate;
    if (!rule)
        return Usage(nullptr);
    command.name = args[0];
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        int status = CLI_OK;
        if (arg.startsWith(QLatin1String("--")))
            status = ParseOption(*rule, args, i, command);
        else if (command.files.size() < rule->files)
            command.files << arg;
        else if (command.name == QLatin1String("poke"))
            status = ParsePoke(arg, command.pokes);
        else if (command.name == QLatin1String("set") || command.name == QLatin1String("get"))
            status = ParseSettingName(command.name, arg, command.settings);
        else
            status = Usage(rule);
        if (status != CLI_OK)
            return status;
    }
    const bool pokeWithoutChanges = command.name == QLatin1String("poke") && command.pokes.empty();
    const bool namesMissing =
        (command.name == QLatin1String("set") || command.name == QLatin1String("get")) &&
        command.settings.isEmpty();
    if (command.files.size() != rule->files || pokeWithoutChanges || namesMissing)
        return Usage(rule);
    return CLI_OK;
}
