// The page's URL parameters. Each has the meaning of the command-line option
// of the same name; numbers are written as digits only and must lie in range.
#include "web/page_options.h"

#include "gfx/whole_number.h"
#include "scenes/show.h"

#include <vector>

namespace {

const char* const kUsage =
    "Options are URL parameters, as in index.html?ns&start=30:\n"
    "ns         no sound\n"
    "start=n    move the show's clock n seconds on (0 ... 600): every scene still plays\n"
    "           from the letters, whatever follows the clock runs n seconds ahead, and\n"
    "           the music is not moved; to jump to a scene, use scene=n\n"
    "scene=n    jump to scene n, 0 ... 7, with the music from that scene's place\n"
    "fps=n      limit the frame rate to n frames per second, 0 = no limit (default 60)\n"
    "seed=n     seed of the random generator (default: the clock; 1 with hash or bench)\n"
    "play       start at once, without waiting for a click (the browser may keep it silent)\n"
    "hash       print 'frame N time T scene K hash H' per frame on the console, then 'done'\n"
    "bench      run the whole show back to back and show per-scene milliseconds\n"
    "frames=n   with hash or bench: n frames (default: the whole show)\n"
    "hash and bench run on the virtual clock of snolk-render, where fps=n is 1 ... 100000.\n"
    "Other parameters (a shared link's utm_source or fbclid) are ignored.";
static_assert(kLastScene == 7 && kLatestStartSeconds == 600, "the text above names the limits");

bool readNumber(const std::string& text, int64_t low, int64_t high, int64_t& value) {
    return text.find('\0') == std::string::npos && readWholeNumber(text.c_str(), low, high, value);
}

const char* const kKnownNames[] = {"ns",    "play", "hash", "bench", "start",
                                   "scene", "fps",  "seed", "frames"};

bool isKnown(const std::string& name) {
    for (const char* known : kKnownNames) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

bool readFlag(const std::string& name, PageOptions& o) {
    if (name == "ns") {
        o.nosound = true;
    } else if (name == "play") {
        o.autoplay = true;
    } else if (name == "hash") {
        o.mode = PageMode::Hash;
    } else if (name == "bench") {
        o.mode = PageMode::Bench;
    } else {
        return false;
    }
    return true;
}

bool readValue(const std::string& name, const std::string& value, PageOptions& o) {
    int64_t number = 0;
    if (name == "start") {
        return readNumber(value, 0, kLatestStartSeconds, o.startSeconds);
    }
    if (name == "scene" && readNumber(value, 0, kLastScene, number)) {
        o.firstScene = (int)number;
        return true;
    }
    if (name == "fps") {
        return readNumber(value, 0, 100000, o.fps);
    }
    if (name == "seed" && readNumber(value, 0, UINT32_MAX, number)) {
        o.seed = (unsigned)number;
        o.seedGiven = true;
        return true;
    }
    if (name == "frames") {
        return readNumber(value, 1, INT32_MAX, o.frames);
    }
    return false;
}

std::vector<std::string> splitParameters(const std::string& query) {
    std::vector<std::string> parameters;
    size_t begin = query.empty() || query[0] != '?' ? 0 : 1;
    while (begin <= query.size()) {
        size_t end = query.find('&', begin);
        if (end == std::string::npos) {
            end = query.size();
        }
        if (end > begin) {
            parameters.push_back(query.substr(begin, end - begin));
        }
        begin = end + 1;
    }
    return parameters;
}

// The ranges that depend on the mode: a live page may run unlimited, the
// virtual clock needs a rate; frames counts only on the virtual clock.
const char* conflictIn(const PageOptions& o) {
    if (o.mode == PageMode::Live && o.fps > 1000) {
        return "fps=n: the live page's limit is 0 ... 1000";
    }
    if (o.mode != PageMode::Live && o.fps == 0) {
        return "fps=n: hash and bench need a frame rate of 1 ... 100000";
    }
    if (o.mode == PageMode::Live && o.frames != 0) {
        return "frames=n: only with hash or bench";
    }
    return nullptr;
}

} // namespace

std::string parsePageOptions(const std::string& query, PageOptions& options, std::string& ignored) {
    ignored.clear();
    for (const std::string& parameter : splitParameters(query)) {
        const size_t equals = parameter.find('=');
        const std::string name = parameter.substr(0, equals);
        if (!isKnown(name)) {
            ignored += (ignored.empty() ? "" : ", ") + name;
            continue;
        }
        const bool understood = equals == std::string::npos
                                    ? readFlag(parameter, options)
                                    : readValue(name, parameter.substr(equals + 1), options);
        if (!understood) {
            return "bad parameter: " + parameter + "\n" + kUsage;
        }
    }
    if (const char* conflict = conflictIn(options)) {
        return std::string(conflict) + "\n" + kUsage;
    }
    return "";
}
