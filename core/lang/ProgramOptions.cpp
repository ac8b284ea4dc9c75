#include "core/lang/ProgramOptions.h"

#include <cstdio>
#include <cstring>

int AnswerStandardOptions(int argc, const char* const argv[], const char* program,
                          const char* help) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(help, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s (Karvo) %s\n", program, KARVO_VERSION);
            return 0;
        }
    }
    return -1;
}
