// karvo-cli: the command-line companion of Karvo, for scripts and quick checks.
//
// The commands, their files and options are the usage table of CliArguments.cpp; --help
// prints it, and a test keeps karvo-cli(1) and the README's table of commands in step with
// it. PORT is --port DEVICE or --com 1..4 (the profile's device for that COM port); without
// it the profile's COM port choice of the main window. Every FILE, IN, A, B and SETUP may
// be a text setup as export writes it, complete or partial (on the shipped karvo.def).
//
// Nothing is written when a command fails; the exit status tells why (see CliCommon.h).
#include "core/image/CE2prom.h"
#include "core/lang/CurrentLanguage.h"
#include "core/lang/ProgramOptions.h"
#include "core/link/CCommLog.h"
#include "tools/CliApply.h"
#include "tools/CliArguments.h"
#include "tools/CliCommon.h"
#include "tools/CliDevice.h"
#include "tools/CliPorts.h"
#include "tools/CliReport.h"
#include "tools/CliShow.h"
#include "tools/CliText.h"
#include "tools/CliTones.h"

#include <QGuiApplication>

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace {

// --help: the usage lines, then what the commands, PORT and the exit statuses mean.
const char* const HELP_DETAILS =
    "\n"
    "Load, change, list, read and write setups of the TRC interface unit.\n"
    "\n"
    "  dump FILE             print the 211 image bytes in hexadecimal, 16 to a row\n"
    "  copy IN OUT           load a setup and save it again in canonical form\n"
    "  poke IN OUT ADDR=VALUE...\n"
    "                        change bytes (addresses 1 to 210, values 0 to 255, decimal\n"
    "                        or 0x hexadecimal) and save\n"
    "  show FILE             every setting of the setup dialogs, section by section\n"
    "    --language L        in English (en), French (fr), German (de), Spanish (es) or\n"
    "                        Italian (it); default: English\n"
    "  report FILE           the four-page setup report as text (pages separated by a\n"
    "                        form feed, lines cut at 79 characters)\n"
    "    --language L        as for show\n"
    "    --pdf OUT           as a four-page PDF file instead\n"
    "  diff A B              every setting that differs (section | label | A | B), then\n"
    "                        every differing byte no setting shows; --language as for show\n"
    "  info                  the unit's software name, version and date\n"
    "  read OUT              read the unit's setup into OUT (an existing OUT is backed up)\n"
    "  write FILE            write FILE to the unit, then read it back: done only when the\n"
    "                        unit holds what was sent, else the differing settings\n"
    "    --no-verify         trust the unit's SAVED_OK without reading it back\n"
    "  export FILE           the whole setup as text: each setting by section and dialog\n"
    "                        label with its shown value, then the bytes the settings do\n"
    "                        not give back\n"
    "    --json              as JSON instead of YAML\n"
    "    --output OUT        into OUT instead of standard output\n"
    "  import TEXT OUT       apply the text setup TEXT (all or some settings) and save\n"
    "                        the result as S-records in OUT\n"
    "    --base SETUP        start from SETUP (default: the shipped karvo.def)\n"
    "  set IN OUT SECTION/LABEL=VALUE...\n"
    "                        change settings by name, checked as their dialogs check\n"
    "                        them, and save\n"
    "  get FILE SECTION/LABEL\n"
    "                        print one setting's value as its dialog shows it\n"
    "  apply SETUP           bring the unit to SETUP: read it, write SETUP only if the\n"
    "                        unit holds something else (status 0 unchanged, 6 changed)\n"
    "    --json              print one line: port, identity, result, settings, seconds\n"
    "  ports                 the serial ports and COM settings, one line each\n"
    "    --probe             with the identity of the unit on each, or \"no answer\"\n"
    "  tones SETUP           the tones of TRC command F1 to F15 (--trc N) or of a telegram\n"
    "                        of the setup (--telegram NAME: Decoder 1 to 4, Disconnect,\n"
    "                        Acknowledge, Alarm), one segment a line:\n"
    "                        START_MS LENGTH_MS HZ LEVEL_DB SYMBOL (HZ 0 for silence)\n"
    "    --hold MS           TRC: how long the low guard tone holds (default 2000,\n"
    "                        0 for a pulse command)\n"
    "    --any DIGIT         the tone a decoder's \"Any tone\" stands for (default 0)\n"
    "    --wav OUT           write the sound as a 16-bit mono WAV file instead\n"
    "    --rate HZ           its sample rate (default 48000; 8000 for a telephone line)\n"
    "  listen SETUP FILE.wav the tones heard in FILE.wav (START_MS LENGTH_MS HZ SYMBOL),\n"
    "                        then what they mean in the setup (status 0 something\n"
    "                        recognised, 7 nothing)\n"
    "    --json              both as one JSON object\n"
    "\n"
    "Any setup FILE may be a text setup as export writes it; a partial one applies to\n"
    "the shipped karvo.def.\n"
    "\n"
    "  --port DEVICE         talk to the unit through this serial device, or over the\n"
    "                        network: socket://HOST:PORT (raw TCP) or\n"
    "                        rfc2217://HOST:PORT (Telnet, RFC 2217)\n"
    "  --com 1..4            through the profile's device for that COM port\n"
    "                        (default: the COM port chosen in the main window)\n"
    "  --trace FILE          info, read, write, apply: write every line sent and\n"
    "                        received, with milliseconds and direction, to FILE\n"
    "      --help            display this help and exit\n"
    "      --version         output version information and exit\n"
    "\n"
    "Exit status: 0 done, 1 wrong command line, 2 input file cannot be opened, 3 input\n"
    "file not a usable setup or a setting refused, 4 output file cannot be written,\n"
    "5 diff: the setups differ, 6 apply: the unit was changed and holds SETUP now,\n"
    "7 listen: nothing of the setup recognised,\n"
    "10 to 24 the unit's outcomes (see karvo-cli(1)).\n"
    "Nothing is written when a command fails.\n";

// "0000: 00 01 ..." for each run of 16 bytes.
int Dump(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    const QByteArray bytes = image.Bytes();
    for (int row = 0; row < bytes.size(); row += 16) {
        QByteArray line = QByteArray::number(row, 16).rightJustified(4, '0').toUpper() + ':';
        for (int i = row; i < row + 16 && i < bytes.size(); ++i)
            line += ' ' + QByteArray::number(quint8(bytes[i]), 16).rightJustified(2, '0').toUpper();
        std::printf("%s\n", line.constData());
    }
    return CLI_OK;
}

int Copy(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    return CliSave(image, command.files[1]);
}

// Every change was checked while parsing, so none is made half way.
int Poke(const CCliCommand& command) {
    CE2prom image;
    if (const int status = CliLoad(image, command.files[0]); status != CLI_OK)
        return status;
    for (const auto& [address, value] : command.pokes)
        image.SetByte(address, std::uint8_t(value));
    return CliSave(image, command.files[1]);
}

// --trace FILE: the command's communication log, written whatever the command ended with.
// A trace that cannot be written turns a success into CLI_CANNOT_WRITE.
int CliWriteTrace(const QString& path, int status) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) &&
        file.write(CommandLog().Text().toUtf8()) >= 0 && file.flush())
        return status;
    CliError(QStringLiteral("cannot write the trace %1: %2").arg(path, file.errorString()));
    return status == CLI_OK ? CLI_CANNOT_WRITE : status;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string help = CliUsageText().toStdString() + HELP_DETAILS;
    if (const int status = AnswerStandardOptions(argc, argv, "karvo-cli", help.c_str());
        status >= 0)
        return status;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    CCliCommand command;
    if (const int status = ParseCliCommand(args, command); status != CLI_OK)
        return status;
    // Only the PDF report needs Qt Gui (its fonts); without a display it draws off screen.
    // Every other command runs on a plain core application, with no platform plugin.
    const bool gui = command.name == QLatin1String("report") && !command.pdfPath.isEmpty();
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        gui ? std::make_unique<QGuiApplication>(argc, argv)
            : std::make_unique<QCoreApplication>(argc, argv);
    // The run's language, set once: the messages of show, report and diff are in the
    // language asked for, as their texts are.
    SetCurrentLanguage(command.language);
    const std::map<QString, std::function<int(const CCliCommand&)>> commands = {
        {QStringLiteral("dump"), Dump},           {QStringLiteral("copy"), Copy},
        {QStringLiteral("poke"), Poke},           {QStringLiteral("info"), CliInfo},
        {QStringLiteral("read"), CliRead},        {QStringLiteral("write"), CliWrite},
        {QStringLiteral("show"), RunCliShow},     {QStringLiteral("report"), RunCliReport},
        {QStringLiteral("diff"), RunCliDiff},     {QStringLiteral("export"), RunCliExport},
        {QStringLiteral("import"), RunCliImport}, {QStringLiteral("set"), RunCliSet},
        {QStringLiteral("get"), RunCliGet},       {QStringLiteral("apply"), CliApply},
        {QStringLiteral("ports"), CliPorts},      {QStringLiteral("tones"), RunCliTones},
        {QStringLiteral("listen"), RunCliListen},
    };
    // A device command stopped by a signal still closes its port and writes its trace.
    if (QStringList{"info", "read", "write", "apply", "ports"}.contains(command.name))
        InstallCliStopSignals();
    const int status = commands.at(command.name)(command);
    return command.tracePath.isEmpty() ? status : CliWriteTrace(command.tracePath, status);
}
