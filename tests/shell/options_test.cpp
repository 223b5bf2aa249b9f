#include "shell/options.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

LiveOptions options;

// Runs the parser on the words after the program name into fresh options;
// returns its result.
int parse(std::vector<const char*> words, std::string* printed = nullptr) {
    options = LiveOptions();
    std::vector<char*> argv = {const_cast<char*>("snolk")};
    for (const char* w : words) {
        argv.push_back(const_cast<char*>(w));
    }
    StdoutCapture capture;
    const int result = parser((int)argv.size(), argv.data(), options);
    const std::string text = capture.finish();
    if (printed != nullptr) {
        *printed = text;
    }
    return result;
}

const char* const kStartSyntax =
    "syntax: -start seconds\nWhere seconds is a number over 0 and less then 600\n";

} // namespace

TEST(Parser, NoArgumentsKeepsTheDefaults) {
    EXPECT_EQ(parse({}), 0);
    EXPECT_EQ(options.fullscreen, 0);
    EXPECT_EQ(options.nosound, 0);
    EXPECT_EQ(options.hopptid, 0u);
    EXPECT_EQ(options.fpsLimit, 60);
    EXPECT_EQ(options.windowScale, 1);
    EXPECT_EQ(options.stats, 0);
    EXPECT_EQ(options.vsync, 0);
}

TEST(Parser, AllOptionsTogetherInAnyOrder) {
    EXPECT_EQ(parse({"-start", "5", "-ns", "-stats", "-fs", "-fps", "0", "-vsync", "-scale", "3",
                     "-scene", "6"}),
              0);
    EXPECT_EQ(options.fullscreen, 1);
    EXPECT_EQ(options.nosound, 1);
    EXPECT_EQ(options.hopptid, 5000u);
    EXPECT_EQ(options.fpsLimit, 0);
    EXPECT_EQ(options.windowScale, 3);
    EXPECT_EQ(options.firstScene, 6);
    EXPECT_EQ(options.stats, 1);
    EXPECT_EQ(options.vsync, 1);
    // A later -start overwrites an earlier one.
    EXPECT_EQ(parse({"-start", "5", "-start", "7"}), 0);
    EXPECT_EQ(options.hopptid, 7000u);
}

TEST(Parser, StartRange) {
    std::string printed;
    EXPECT_EQ(parse({"-start", "600"}, &printed), 0);
    EXPECT_EQ(options.hopptid, 600000u);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(parse({"-start", "601"}, &printed), 1);
    EXPECT_EQ(printed, kStartSyntax);
    // Only a whole number written as digits alone.
    for (const char* bad : {"-1", "soon", "12s", "600abc", "1e3", "", "+5", " 5", "5.0"}) {
        EXPECT_EQ(parse({"-start", bad}, &printed), 1) << bad;
        EXPECT_EQ(printed, kStartSyntax) << bad;
    }
}

TEST(Parser, StartWithoutValueIsASyntaxError) {
    std::string printed;
    EXPECT_EQ(parse({"-ns", "-start"}, &printed), 1);
    EXPECT_EQ(printed, kStartSyntax);
}

TEST(Parser, UnknownWordsPrintTheOptions) {
    for (const char* word : {"-FS", "--fs", "-fsx", "-startx", "-stat", "-VSYNC", "x", ""}) {
        std::string printed;
        EXPECT_EQ(parse({word}, &printed), 1) << word;
        EXPECT_EQ(printed.rfind("Options are:\n-ns        :no sound\n-fs        :fullscreen\n"
                                "-start #n  :start #n-seconds in to the demo (doesn't effect "
                                "sound only visuals)\n-fps n",
                                0),
                  0u)
            << printed;
    }
}

TEST(Parser, HelpPrintsTheOptionsWhereverItStands) {
    for (const std::vector<const char*>& words :
         {std::vector<const char*>{"-h"}, {"--help"}, {"-ns", "--help", "-bogus"}}) {
        std::string printed;
        EXPECT_EQ(parse(words, &printed), kHelpShown) << words.back();
        EXPECT_EQ(printed.rfind("Options are:\n-ns", 0), 0u) << printed;
    }
}

TEST(Parser, FrameRateScaleAndSceneAreCheckedStrictly) {
    std::string printed;
    EXPECT_EQ(parse({"-fps", "1000"}), 0);
    EXPECT_EQ(options.fpsLimit, 1000);
    for (const char* bad : {"1001", "-1", "sixty", "60x"}) {
        EXPECT_EQ(parse({"-fps", bad}, &printed), 1) << bad;
        EXPECT_EQ(printed.rfind("syntax: -fps n\n", 0), 0u);
    }
    EXPECT_EQ(parse({"-fps"}, &printed), 1);
    for (const char* bad : {"0", "5", "2.5"}) {
        EXPECT_EQ(parse({"-scale", bad}, &printed), 1) << bad;
        EXPECT_EQ(printed.rfind("syntax: -scale n\n", 0), 0u);
    }
    for (const char* bad : {"8", "-1", "warp", ""}) {
        EXPECT_EQ(parse({"-scene", bad}, &printed), 1) << bad;
        EXPECT_EQ(printed.rfind("syntax: -scene n\n", 0), 0u);
    }
    for (const auto& [good, ms] : {std::pair{"-500", -500}, {"0", 0}, {"120", 120}, {"500", 500}}) {
        EXPECT_EQ(parse({"-avoffset", good}), 0) << good;
        EXPECT_EQ(options.avOffsetMs, ms);
    }
    for (const char* bad : {"501", "-501", "+20", "--5", "-", "", "20ms", "1e2"}) {
        EXPECT_EQ(parse({"-avoffset", bad}, &printed), 1) << bad;
        EXPECT_EQ(printed.rfind("syntax: -avoffset ms\n", 0), 0u);
    }
}
