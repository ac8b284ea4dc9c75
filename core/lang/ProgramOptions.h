// The two options every Karvo program answers alike, in the usual form: --help prints the
// program's help and --version its name and version, both on stdout, and the program then
// ends with exit status 0. They are answered before anything else is set up, so the
// window program answers them without a display.
#pragma once

// The exit status when argv holds --help or --version (before any "--"), after printing
// help or the version line "PROGRAM (Karvo) VERSION"; -1 when it holds neither.
int AnswerStandardOptions(int argc, const char* const argv[], const char* program,
                          const char* help);
