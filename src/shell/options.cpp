// The command line of the live program.
#include "shell/options.h"

#include "gfx/whole_number.h"
#include "scenes/show.h"

#include <cstdio>
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
    "            can (sdl12-compat); classic SDL 1.2 cannot\n"
    "-avoffset ms :the picture ms later than the sound (-500 ... 500): what Bluetooth or\n"
    "            HDMI output adds to the sound; a negative offset shows it sooner";

const char* const kStartSyntax =
    "syntax: -start seconds\nWhere seconds is a number over 0 and less then 600";
const char* const kFpsSyntax =
    "syntax: -fps n\nWhere n is the frame rate limit, from 0 (no limit) to 1000";
const char* const kScaleSyntax = "syntax: -scale n\nWhere n is the window scale, from 1 to 4";
const char* const kSceneSyntax = "syntax: -scene n\nWhere n is the first scene, from 0 to 7";
const char* const kAvOffsetSyntax =
    "syntax: -avoffset ms\nWhere ms is the picture's delay against the sound, from -500 to 500";
constexpr int64_t kLargestAvOffsetMs = 500;
static_assert(kLastScene == 7 && kLatestStartSeconds == 600, "the texts above name the limits");

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
    int64_t low;
    int64_t high;
    const char* syntax; // printed when the value is missing or not allowed
    int LiveOptions::*setting;
};

const NumberOption kNumberOptions[] = {
    {"-fps", 0, 1000, kFpsSyntax, &LiveOptions::fpsLimit},
    {"-scale", 1, 4, kScaleSyntax, &LiveOptions::windowScale},
    {"-scene", 0, kLastScene, kSceneSyntax, &LiveOptions::firstScene},
};

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
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        const FlagOption* flag = optionNamed(kFlagOptions, arg);
        const NumberOption* number = optionNamed(kNumberOptions, arg);
        int64_t read = 0;
        if (flag != nullptr) {
            options.*flag->setting = 1;
        } else if (strcmp(arg, "-start") == 0) {
            if (!readWholeNumber(value, 0, kLatestStartSeconds, read)) {
                puts(kStartSyntax);
                return kBadOption;
            }
            options.hopptid = (Uint32)(read * 1000);
            ++i;
        } else if (strcmp(arg, "-avoffset") == 0) {
            if (!readSignedWholeNumber(value, kLargestAvOffsetMs, read)) {
                puts(kAvOffsetSyntax);
                return kBadOption;
            }
            options.avOffsetMs = (int)read;
            ++i;
        } else if (number != nullptr) {
            if (!readWholeNumber(value, number->low, number->high, read)) {
                puts(number->syntax);
                return kBadOption;
            }
            options.*number->setting = (int)read;
            ++i;
        } else if (strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0) {
            puts(kOptionsText);
            return kHelpShown;
        } else {
            puts(kOptionsText);
            return kBadOption;
        }
    }
    return kGoOn;
}
