// karvo-cli: the command-line companion of Karvo, for scripts and quick checks.
//
//   karvo-cli dump FILE                      the 211 image bytes, 16 to a row
//   karvo-cli copy IN OUT                    load a setup and save it in canonical form
//   karvo-cli poke IN OUT ADDR=VALUE...      change raw bytes and save
//   karvo-cli show FILE [--language L]       every setting as the dialogs show it
//   karvo-cli info [PORT]                    the unit's software name, version and date
//   karvo-cli read OUT [PORT]                read the unit's setup into OUT
//   karvo-cli write FILE [--verify] [PORT]   write FILE to the unit (and read it back)
// PORT is --port DEVICE or --com 1..4 (the profile's device for that COM port); without
// it the profile's COM port choice of the main window.
//
// Nothing is written when a command fails; the exit status tells why (see CliCommon.h).
#include "image/CE2prom.h"
#include "lang/ProgramOptions.h"
#include "tools/CliCommon.h"
#include "tools/CliDevice.h"
#include "tools/CliShow.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

const char* const USAGE = "usage: karvo-cli dump FILE\n"
                          "       karvo-cli copy IN OUT\n"
                          "       karvo-cli poke IN OUT ADDR=VALUE...\n"
                          "       karvo-cli info [--port DEVICE | --com 1..4]\n"
                          "       karvo-cli read OUT [--port DEVICE | --com 1..4]\n"
                          "       karvo-cli write FILE [--verify] [--port DEVICE | --com 1..4]\n"
                          "       karvo-cli show FILE [--language en|fr|de|es|it]\n";

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
    "  info                  the unit's software name, version and date\n"
    "  read OUT              read the unit's setup into OUT (an existing OUT is backed up)\n"
    "  write FILE            write FILE to the unit\n"
    "    --verify            then read it back and name the addresses that differ\n"
    "\n"
    "  --port DEVICE         talk to the unit through this serial device\n"
    "  --com 1..4            through the profile's device for that COM port\n"
    "                        (default: the COM port chosen in the main window)\n"
    "      --help            display this help and exit\n"
    "      --version         output version information and exit\n"
    "\n"
    "Exit status: 0 done, 1 wrong command line, 2 input file cannot be opened, 3 input\n"
    "file not a usable setup, 4 output file cannot be written, 10 to 24 the unit's\n"
    "outcomes (see karvo-cli(1)). Nothing is written when a command fails.\n";

int Usage() {
    std::fputs(USAGE, stderr);
    return CLI_USAGE;
}

// "0000: 00 01 ..." for each run of 16 bytes.
int Dump(const QStringList& args) {
    if (args.size() != 1)
        return Usage();
    CE2prom image;
    if (const int status = CliLoad(image, args[0]); status != CLI_OK)
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

int Copy(const QStringList& args) {
    if (args.size() != 2)
        return Usage();
    CE2prom image;
    if (const int status = CliLoad(image, args[0]); status != CLI_OK)
        return status;
    return CliSave(image, args[1]);
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

int Poke(const QStringList& args) {
    if (args.size() < 3)
        return Usage();
    CE2prom image;
    if (const int status = CliLoad(image, args[0]); status != CLI_OK)
        return status;
    // Check every change before making any, so a bad one leaves nothing half done.
    std::map<int, int> changes;
    for (const QString& arg : args.mid(2)) {
        const QStringList parts = arg.split('=');
        int address = 0;
        int value = 0;
        if (parts.size() != 2 || !ParseNumber(parts[0], address) || !ParseNumber(parts[1], value)) {
            CliError(QStringLiteral("'%1' is not ADDR=VALUE").arg(arg));
            return CLI_USAGE;
        }
        if (address < 1 || address >= int(image.GetSize())) {
            CliError(QStringLiteral("address %1 is outside 1 to %2 (address 0 is never saved)")
                         .arg(parts[0])
                         .arg(image.GetSize() - 1));
            return CLI_USAGE;
        }
        if (value < 0 || value > 255) {
            CliError(QStringLiteral("value %1 is outside 0 to 255").arg(parts[1]));
            return CLI_USAGE;
        }
        changes[address] = value;
    }
    for (const auto& [address, value] : changes)
        image.SetByte(address, std::uint8_t(value));
    return CliSave(image, args[1]);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string help = std::string(USAGE) + HELP_DETAILS;
    if (const int status = AnswerStandardOptions(argc, argv, "karvo-cli", help.c_str());
        status >= 0)
        return status;
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return Usage();
    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("dump"), Dump},    {QStringLiteral("copy"), Copy},
        {QStringLiteral("poke"), Poke},    {QStringLiteral("info"), CliInfo},
        {QStringLiteral("read"), CliRead}, {QStringLiteral("write"), CliWrite},
        {QStringLiteral("show"), CliShow},
    };
    const auto command = commands.find(args.takeFirst());
    if (command == commands.end())
        return Usage();
    return command->second(args);
}
