// The command line of karvo-cli, read and checked before anything runs: the command, its
// files and its options. Parsing touches no file, port or profile, so every wrong word is
// refused before a command starts.
#pragma once

#include <QString>
#include <QStringList>
#include <map>

struct CCliCommand {
    QString name;             // dump, copy, poke, show, report, diff, info, read, write,
                              // export, import, set, get, apply, ports, tones or listen
    QStringList files;        // the command's file arguments, in order
    int comPort = -1;         // --com 1..4 as a port index 0..3; -1 without it
    QString deviceName;       // --port DEVICE; empty without it
    bool verify = true;       // write: read back (off with --no-verify)
    bool confirmRead = true;  // read, apply: a second dump confirms (off with --single-read)
    int language = 0;         // --language of show, report, diff: 0 en, 1 fr, 2 de, 3 es, 4 it
    QString pdfPath;          // report --pdf OUT; empty without it
    std::map<int, int> pokes; // poke: address -> value
    bool json = false;        // export --json
    QString outputPath;       // export --output OUT; empty without it
    QString basePath;         // import --base SETUP; empty without it
    QStringList settings;     // set: "Section/Label=Value" words; get: one "Section/Label"
    QString tracePath;        // --trace FILE of a device command; empty without it
    bool probe = false;       // ports --probe
    int trcFunction = 0;      // tones --trc 1..15; 0 without it
    QString telegram;         // tones --telegram NAME; empty without it
    int holdMs = -1;          // tones --hold MS; -1: the default hold
    int sampleRate = 48000;   // tones --rate HZ
    int anyTone = -1;         // tones --any DIGIT as a symbol 0..14; -1: the default
    QString wavPath;          // tones --wav OUT; empty without it
};

// The usage lines of every command, each ending with a line break: the start of --help
// and what a wrong command line prints.
QString CliUsageText();

// Each command's synopsis as the manual page and the README list it, in their order
// ("karvo-cli read OUT [--single-read] [PORT]"; PORT is --port DEVICE or --com 1..4).
QStringList CliSynopses();

// Reads args (the words after the program name) into command. CLI_OK, or CLI_USAGE after
// printing why to stderr.
int ParseCliCommand(const QStringList& args, CCliCommand& command);

// The language index of a --language word (en 0, fr 1, de 2, es 3, it 4), or -1.
int ShowLanguage(const QString& word);
