// The command line of the live program.
#include "shell/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int fullscreen = 0;
int nosound = 0;
Uint32 hopptid = 0;
int fpsLimit = 60;
int windowScale = 1;

namespace {

const char* const kOptionsText =
    "Options are:\n"
    "-ns        :no sound\n"
    "-fs        :fullscreen\n"
    "-start #n  :start #n-seconds in to the demo (doesn't effect sound only visuals)\n"
    "-fps n     :limit the frame rate to n frames per second, 0 = no limit (default 60)\n"
    "-scale n   :show the demo n times as large, n = 1 ... 4 (default 1)";

const char* const kStartSyntax =
    "syntax: -start seconds\nWhere seconds is a number over 0 and less then 600";
const char* const kFpsSyntax =
    "syntax: -fps n\nWhere n is the frame rate limit, from 0 (no limit) to 1000";
const char* const kScaleSyntax = "syntax: -scale n\nWhere n is the window scale, from 1 to 4";

// A whole decimal number within [low, high], or -1.
long strictNumber(const char* text, long low, long high) {
    char* end = nullptr;
    const long value = strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) {
        return -1;
    }
    return value;
}

} // namespace

void resetOptions() {
    fullscreen = 0;
    nosound = 0;
    hopptid = 0;
    fpsLimit = 60;
    windowScale = 1;
}

int parser(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (strcmp(arg, "-fs") == 0) {
            fullscreen = 1;
        } else if (strcmp(arg, "-ns") == 0) {
            nosound = 1;
        } else if (strcmp(arg, "-start") == 0) {
            // NOTE: a negative value wraps to a huge unsigned one and is
            // rejected; a word that is no number reads as 0 and is accepted.
            const long value = hasValue ? strtol(argv[i + 1], nullptr, 10) : -1;
            if ((unsigned long)value > 600) {
                puts(kStartSyntax);
                return 1;
            }
            hopptid = (Uint32)(value * 1000);
            ++i;
        } else if (strcmp(arg, "-fps") == 0) {
            const long value = hasValue ? strictNumber(argv[i + 1], 0, 1000) : -1;
            if (value < 0) {
                puts(kFpsSyntax);
                return 1;
            }
            fpsLimit = (int)value;
            ++i;
        } else if (strcmp(arg, "-scale") == 0) {
            const long value = hasValue ? strictNumber(argv[i + 1], 1, 4) : -1;
            if (value < 0) {
                puts(kScaleSyntax);
                return 1;
            }
            windowScale = (int)value;
            ++i;
        } else {
            puts(kOptionsText);
            return 1;
        }
    }
    return 0;
}
