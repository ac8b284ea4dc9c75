// karvo-cli show FILE [--language en|fr|de|es|it]: prints every setting of the setup
// dialogs, section by section, each with its dialog label and its value exactly as the
// dialog shows it (the same setting logic turns the stored bytes into texts).
#pragma once

#include <QStringList>

class CE2prom;

struct CCliCommand;

// args are the words after "show". 0 on success; on failure a message on stderr and the
// status of CliCommon.h (1 wrong words, 2 file not opened, 3 not a setup file).
int CliShow(const QStringList& args);
// The same for a command line already parsed.
int RunCliShow(const CCliCommand& command);

// The listing of image in language (0 English ... 4 Italian): per dialog its caption, one
// "%-30s%s" line per setting, then an empty line. Raises CError as the dialogs would.
QStringList ShowSettings(CE2prom& image, int language);
