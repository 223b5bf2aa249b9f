#include "shell/startup.h"

#include "gfx/toolkit.h"
#include "shell/process_environment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Whether the program runs from the build folder it was built in.
bool inItsBuildFolder(const fs::path& folder) {
#ifdef SNOLK_BUILD_FOLDER
    std::error_code error;
    return fs::equivalent(folder, SNOLK_BUILD_FOLDER, error);
#else
    (void)folder;
    return false;
#endif
}

// Where to look when SNOLK_DATA does not say, in order.
std::vector<fs::path> candidateFolders() {
    std::vector<fs::path> candidates = {"data"};
    const fs::path executable = executablePath();
    const fs::path beside = executable.parent_path();
    if (!executable.empty()) {
        candidates.push_back(beside / "data");
        candidates.push_back(beside.parent_path() / "data");
    }
#ifdef SNOLK_INSTALLED_DATA
    // An installed program finds its data relative to itself too, so a tree
    // installed under any prefix and moved still plays. (Windows installs
    // nothing: its programs play in the folder they were unpacked in.)
    if (!executable.empty()) {
        candidates.push_back(beside.parent_path() / "share" / "snolk" / "data");
    }
    candidates.push_back(SNOLK_INSTALLED_DATA);
#endif
#ifdef SNOLK_SOURCE_DATA
    // A build folder made anywhere (cmake -B elsewhere) plays its source
    // tree's data; a copy or an installed program does not.
    if (!executable.empty() && inItsBuildFolder(beside)) {
        candidates.push_back(SNOLK_SOURCE_DATA);
    }
#endif
    return candidates;
}

std::string describe(const fs::path& folder) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder, error);
    return (error ? folder : absolute.lexically_normal()).string();
}

} // namespace

DataFolder findDataFolder(const char* program) {
    const char* chosen = getenv("SNOLK_DATA");
    if (chosen != nullptr && *chosen != '\0') {
        const bool found = isFolder(chosen);
        if (!found) {
            fprintf(stderr, "%s: no data folder at %s (SNOLK_DATA); the show has no pictures\n",
                    program, chosen);
        }
        return {chosen, found};
    }
    std::string tried;
    for (const fs::path& folder : candidateFolders()) {
        if (isFolder(folder)) {
            return {folder.string(), true};
        }
        const std::string place = describe(folder);
        if (tried.find(place) == std::string::npos) {
            tried += (tried.empty() ? "" : ", ") + place;
        }
    }
    fprintf(stderr, "%s: no data folder found (looked in %s); the show has no pictures\n", program,
            tried.c_str());
    return {"data", false};
}
