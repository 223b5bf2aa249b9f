// Replays files through every loader and draw, as the fuzzer does, one after
// the other, each within a time limit. Prints one line per file:
//   NAME: picture=WxH sprite=- bitmap=- palette=- font=-
// A file that takes longer than the limit ends the program with status 3
// after printing "NAME: hung"; a crash or a sanitizer's report ends it too,
// the file's name printed first.
//   snolk-replay [--seconds N] FILE-OR-FOLDER...
#include "load_and_draw.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

void reportHang(int) {
    const char text[] = "hung\n";
    ssize_t ignored = write(STDOUT_FILENO, text, sizeof text - 1);
    (void)ignored;
    _exit(3);
}

// Folders stand for the files in them, in name order.
std::vector<std::string> filesNamed(const std::vector<std::string>& names) {
    std::vector<std::string> files;
    for (const std::string& name : names) {
        if (!fs::is_directory(name)) {
            files.push_back(name);
            continue;
        }
        std::vector<std::string> inside;
        for (const fs::directory_entry& entry : fs::directory_iterator(name)) {
            inside.push_back(entry.path().string());
        }
        std::sort(inside.begin(), inside.end());
        files.insert(files.end(), inside.begin(), inside.end());
    }
    return files;
}

} // namespace

int main(int argc, char** argv) {
    unsigned seconds = 10;
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = (unsigned)atoi(argv[++i]);
        } else {
            names.push_back(argv[i]);
        }
    }
    if (names.empty()) {
        fprintf(stderr, "usage: snolk-replay [--seconds N] FILE-OR-FOLDER...\n");
        return 2;
    }
    signal(SIGALRM, reportHang);
    SDL_Surface* screen = makeFuzzScreen();
    for (const std::string& file : filesNamed(names)) {
        printf("%s: ", file.c_str());
        fflush(stdout);
        alarm(seconds);
        const std::string outcome = loadAndDrawEverywhere(file.c_str(), screen);
        alarm(0);
        printf("%s\n", outcome.c_str());
    }
    SDL_FreeSurface(screen);
    return 0;
}
