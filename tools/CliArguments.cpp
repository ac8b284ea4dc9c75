#include "tools/CliArguments.h"

#include "core/image/ByteNumber.h"
#include "core/image/CE2prom.h"
#include "core/link/ComPortNames.h"
#include "tools/CliCommon.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// The one usage table: each command, its number of files (poke, set: at least, with
// changes after them) and its synopsis as the manual page and the README show it, where
// [PORT] stands for the port options. The options a command takes are the ones its
// synopsis names, so --help, the usage of a wrong command line and the parser cannot part.
struct COMMAND_RULE {
    const char* name;
    int files;
    const char* synopsis; // the words after the command's name
};

const COMMAND_RULE COMMAND_RULES[] = {
    {"dump", 1, "FILE"},
    {"copy", 2, "IN OUT"},
    {"poke", 2, "IN OUT ADDR=VALUE..."},
    {"show", 1, "FILE [--language en|fr|de|es|it]"},
    {"report", 1, "FILE [--language en|fr|de|es|it] [--pdf OUT]"},
    {"diff", 2, "A B [--language en|fr|de|es|it]"},
    {"info", 0, "[PORT]"},
    {"read", 1, "OUT [--single-read] [PORT]"},
    {"write", 1, "FILE [--no-verify] [PORT]"},
    {"export", 1, "FILE [--json] [--output OUT]"},
    {"import", 2, "TEXT OUT [--base SETUP]"},
    {"set", 2, "IN OUT SECTION/LABEL=VALUE..."},
    {"get", 1, "FILE SECTION/LABEL"},
    {"apply", 1, "SETUP [--json] [--single-read] [PORT]"},
    {"ports", 0, "[--probe]"},
    {"tones", 1,
     "SETUP (--trc N | --telegram NAME) [--hold MS] [--rate HZ] [--any DIGIT] [--wav OUT]"},
    {"listen", 2, "SETUP FILE.wav [--json]"},
};

// The numeric options of tones, with the values they take.
struct NUMBER_OPTION {
    const char* option;
    int low, high;
    int CCliCommand::*field;
};
const NUMBER_OPTION NUMBER_OPTIONS[] = {
    {"--trc", 1, 15, &CCliCommand::trcFunction},
    {"--hold", 0, 60000, &CCliCommand::holdMs},
    {"--rate", 8000, 192000, &CCliCommand::sampleRate},
};

const char* const PORT_WORD = "[PORT]";
const char* const PORT_OPTIONS = "[--port DEVICE | --com 1..4]";
const char* const TRACE_OPTION = "[--trace FILE]";

// The commands that, used wrongly, print the whole usage text rather than their own line.
const char* const WHOLE_USAGE_COMMANDS[] = {"dump", "copy", "poke"};

bool TalksToPort(const COMMAND_RULE& rule) {
    return QString::fromLatin1(rule.synopsis).contains(QLatin1String(PORT_WORD));
}

// Whether rule's synopsis names option ("[--json]", "[--output OUT]", "(--trc N | ...").
bool TakesOption(const COMMAND_RULE& rule, const QString& option) {
    const QRegularExpression named(
        QStringLiteral("[\\[(|] ?%1[ \\])]").arg(QRegularExpression::escape(option)));
    return named.match(QString::fromLatin1(rule.synopsis)).hasMatch();
}

// One option of tones with its value; CLI_USAGE with the reason when the value is wrong,
// -1 when option is none of them.
int ParseToneOption(const QString& option, const QString& value, CCliCommand& command) {
    for (const NUMBER_OPTION& number : NUMBER_OPTIONS) {
        if (option != QLatin1String(number.option))
            continue;
        bool ok = false;
        const int parsed = value.toInt(&ok);
        if (!ok || parsed < number.low || parsed > number.high) {
            CliError(
                QStringLiteral("%1 takes %2 to %3").arg(option).arg(number.low).arg(number.high));
            return CLI_USAGE;
        }
        command.*number.field = parsed;
        return CLI_OK;
    }
    if (option == QLatin1String("--any")) {
        const int digit = QStringLiteral("0123456789ABCDE").indexOf(value.toUpper());
        if (value.size() != 1 || digit < 0) {
            CliError("--any takes one of 0 to 9 and A to E");
            return CLI_USAGE;
        }
        command.anyTone = digit;
    } else if (option == QLatin1String("--telegram")) {
        command.telegram = value;
    } else if (option == QLatin1String("--wav")) {
        command.wavPath = value;
    } else {
        return -1;
    }
    return CLI_OK;
}

// "karvo-cli NAME SYNOPSIS" with [PORT] spelt out as portOptions.
QString UsageLine(const COMMAND_RULE& rule, const QString& portOptions) {
    QString line = QStringLiteral("karvo-cli %1 %2").arg(rule.name, rule.synopsis);
    return line.replace(QLatin1String(PORT_WORD), portOptions);
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

// The usage of a wrong command line: the command's own line (a device command's with
// --trace), or the whole usage text.
int Usage(const COMMAND_RULE* rule) {
    const auto named = [rule](const char* name) { return rule->name == QLatin1String(name); };
    const bool whole = !rule || std::any_of(std::begin(WHOLE_USAGE_COMMANDS),
                                            std::end(WHOLE_USAGE_COMMANDS), named);
    const QString portOptions = QStringLiteral("%1 %2").arg(TRACE_OPTION, PORT_OPTIONS);
    const QString text =
        whole ? CliUsageText() : QStringLiteral("usage: %1\n").arg(UsageLine(*rule, portOptions));
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return CLI_USAGE;
}

// One ADDR=VALUE change of poke; CLI_USAGE (with the reason) when it is wrong.
int ParsePoke(const QString& arg, std::map<int, int>& pokes) {
    const QStringList parts = arg.split('=');
    const std::optional<int> parsedAddress =
        parts.size() == 2 ? ParseByteNumber(parts[0]) : std::nullopt;
    const std::optional<int> parsedValue =
        parts.size() == 2 ? ParseByteNumber(parts[1]) : std::nullopt;
    if (!parsedAddress || !parsedValue) {
        CliError(QStringLiteral("'%1' is not ADDR=VALUE").arg(arg));
        return CLI_USAGE;
    }
    const int address = *parsedAddress;
    const int value = *parsedValue;
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
                      option == QLatin1String("--probe") ||
                      option == QLatin1String("--single-read");
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
    if (TakesOption(rule, option) && !value.isEmpty())
        if (const int status = ParseToneOption(option, value, command); status >= 0)
            return status;
    if (option == QLatin1String("--verify") && TakesOption(rule, QStringLiteral("--no-verify"))) {
        command.verify = true; // the default; kept for scripts that ask for it
    } else if (option == QLatin1String("--no-verify") && TakesOption(rule, option)) {
        command.verify = false;
    } else if (option == QLatin1String("--json") && TakesOption(rule, option)) {
        command.json = true;
    } else if (option == QLatin1String("--single-read") && TakesOption(rule, option)) {
        command.confirmRead = false;
    } else if (option == QLatin1String("--probe") && TakesOption(rule, option)) {
        command.probe = true;
    } else if (option == QLatin1String("--trace") && TalksToPort(rule) && !value.isEmpty()) {
        command.tracePath = value;
    } else if (option == QLatin1String("--output") && TakesOption(rule, option) &&
               !value.isEmpty()) {
        command.outputPath = value;
    } else if (option == QLatin1String("--base") && TakesOption(rule, option) && !value.isEmpty()) {
        command.basePath = value;
    } else if (option == QLatin1String("--pdf") && TakesOption(rule, option) && !value.isEmpty()) {
        command.pdfPath = value;
    } else if (option == QLatin1String("--language") && TakesOption(rule, option)) {
        command.language = ShowLanguage(value);
        if (command.language < 0) {
            CliError(QStringLiteral("unknown language '%1' (en, fr, de, es or it)").arg(value));
            return CLI_USAGE;
        }
    } else if (option == QLatin1String("--port") && TalksToPort(rule)) {
        command.deviceName = value;
    } else if (option == QLatin1String("--com") && TalksToPort(rule)) {
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

QString CliUsageText() {
    QString text;
    QStringList traced;
    for (const COMMAND_RULE& rule : COMMAND_RULES) {
        text += (text.isEmpty() ? QLatin1String("usage: ") : QLatin1String("       ")) +
                UsageLine(rule, QString::fromLatin1(PORT_OPTIONS)) + u'\n';
        if (TalksToPort(rule))
            traced << QString::fromLatin1(rule.name);
    }
    return text +
           QStringLiteral("       (%1: %2)\n").arg(traced.join(QLatin1String(", ")), TRACE_OPTION);
}

QStringList CliSynopses() {
    QStringList lines;
    for (const COMMAND_RULE& rule : COMMAND_RULES)
        lines << UsageLine(rule, QString::fromLatin1(PORT_WORD));
    return lines;
}

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
    // tones plays one thing: a TRC command or a telegram.
    const bool tonesUnclear = command.name == QLatin1String("tones") &&
                              (command.trcFunction > 0) == !command.telegram.isEmpty();
    if (command.files.size() != rule->files || pokeWithoutChanges || namesMissing || tonesUnclear)
        return Usage(rule);
    return CLI_OK;
}
