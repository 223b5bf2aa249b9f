// The command line of the live program.
#include "shell/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kOptionsText =
    "Options are:\n"
    "-ns        :no sound\n"
    "-fs        :fullscreen\n"
    "-start #n  :start #n-seconds in to the demo (doesn't effect sound only visuals)\n"
    "-fps n     :limit the frame rate to n frames per second, 0 = no limit (default 60)\n"
    "-scale n   :show the demo n times as large, n = 1 ... 4 (default 1)\n"
    "-scene n   :begin with scene n, 0 ... 7, the music from that scene's place (default 0)\n"
    "-stats     :at the end, print the intervals between the frames' presents in ms (median,\n"
    "            99th percentile, largest, smallest, standard deviation; the last 32768) and\n"
    "            how many frames came late\n"
    "-vsync     :each present waits for the display's vertical blank, where the SDL build\n"
    "            can (sdl12-compat); classic SDL 1.2 cannot";

const char* const kStartSyntax =
    "syntax: -start seconds\nWhere seconds is a number over 0 and less then 600";
const char* const kFpsSyntax =
    "syntax: -fps n\nWhere n is the frame rate limit, from 0 (no limit) to 1000";
const char* const kScaleSyntax = "syntax: -scale n\nWhere n is the window scale, from 1 to 4";
const char* const kSceneSyntax = "syntax: -scene n\nWhere n is the first scene, from 0 to 7";

// An option that is a word alone and sets a flag.
struct FlagOption {
    const char* name;
    int LiveOptions::*setting;
};

const FlagOption kFlagOptions[] = {
    {"-fs", &LiveOptions::fullscreen},
    {"-ns", &LiveOptions::nosound},
    {"-stats", &LiveOptions::stats},
    {"-vsync", &LiveOptions::vsync},
};

// An option with a whole number in a range, written as digits only.
struct NumberOption {
    const char* name;
    long low;
    long high;
    const char* syntax; // printed when the value is missing or not allowed
    int LiveOptions::*setting;
};

const NumberOption kNumberOptions[] = {
    {"-fps", 0, 1000, kFpsSyntax, &LiveOptions::fpsLimit},
    {"-scale", 1, 4, kScaleSyntax, &LiveOptions::windowScale},
    {"-scene", 0, 7, kSceneSyntax, &LiveOptions::firstScene},
};

// A whole decimal number within [low, high], or -1.
long strictNumber(const char* text, long low, long high) {
    char* end = nullptr;
    const long value = strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) {
        return -1;
    }
    return value;
}

// The option of the table called arg, or nullptr.
template <typename Option, size_t n>
const Option* optionNamed(const Option (&table)[n], const char* arg) {
    for (const Option& option : table) {
        if (strcmp(arg, option.name) == 0) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

int parser(int argc, char** argv, LiveOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const FlagOption* flag = optionNamed(kFlagOptions, arg);
        const NumberOption* number = optionNamed(kNumberOptions, arg);
        if (strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0) {
            puts(kOptionsText);
            return kHelpShown;
        }
        if (flag != nullptr) {
            options.*flag->setting = 1;
        } else if (strcmp(arg, "-start") == 0) {
            // NOTE: a negative value wraps to a huge unsigned one and is
            // rejected; a word that is no number reads as 0 and is accepted.
            const long value = hasValue ? strtol(argv[i + 1], nullptr, 10) : -1;
            if ((unsigned long)value > 600) {
                puts(kStartSyntax);
                return 1;
            }
            options.hopptid = (Uint32)(value * 1000);
            ++i;
        } else if (number != nullptr) {
            const long value = hasValue ? strictNumber(argv[i + 1], number->low, number->high) : -1;
            if (value < 0) {
                puts(number->syntax);
                return 1;
            }
            options.*number->setting = (int)value;
            ++i;
        } else {
            puts(kOptionsText);
            return 1;
        }
    }
    return 0;
}
