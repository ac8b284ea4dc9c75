// Pieces the karvo-cli commands share: loading a setup file with a clear message,
// saving one, and the exit statuses every command uses.
#pragma once

#include <QString>

struct TEXT_SETUP_ERROR;

class CE2prom;

enum CliStatus {
    CLI_OK = 0,
    CLI_USAGE = 1,          // wrong words on the command line
    CLI_CANNOT_OPEN = 2,    // the input file cannot be opened
    CLI_BAD_INPUT = 3,      // the input file is not a setup (format, checksum, record type)
    CLI_CANNOT_WRITE = 4,   // the output file cannot be written
    CLI_DIFFERENT = 5,      // diff: the two setups differ
    CLI_CHANGED = 6,        // apply: the unit was written and now holds the setup
    CLI_NOT_RECOGNISED = 7, // listen: nothing heard is a command or telegram of the setup
};

// Loads path into image: S-records, or a text setup applied to the shipped default setup.
// On failure prints the reason to stderr and returns the status.
int CliLoad(CE2prom& image, const QString& path);

// Applies the text setup in path to image. On failure (not a text setup, a refused
// setting) prints the reason as "path:line: ..." to stderr, leaves image as it was and
// returns the status.
int CliApplyText(CE2prom& image, const QString& path);

// The shipped default setup, found as Karvo finds it.
QString CliDefaultSetup();

// Saves image to path. On failure prints the reason to stderr and returns the status.
int CliSave(CE2prom& image, const QString& path);

// Prints a message to stderr, prefixed with "karvo-cli: ".
void CliError(const QString& message);

// "path:line: text" (or "path: text" without a line) for a refused text setup.
QString CliTextError(const QString& path, const TEXT_SETUP_ERROR& error);
