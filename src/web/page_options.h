// The page's options, read from its URL query: the live program's command
// line as parameters (?ns&start=5&fps=30), and the renderer's hash and bench
// modes on the virtual clock.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

enum class PageMode { Live, Hash, Bench };

struct PageOptions {
    PageMode mode = PageMode::Live;
    bool nosound = false;     // ns
    bool autoplay = false;    // play: start without waiting for a click
    int64_t startSeconds = 0; // start=n, 0 ... 600
    int firstScene = 0;       // scene=n, 0 ... 7
    int64_t fps = 60;         // live: limit, 0 = none; hash and bench: the virtual clock's
    bool seedGiven = false;   // seed=n; otherwise the clock seeds, as on the desktop
    unsigned seed = 1;
    int64_t frames = 0; // frames=n with hash or bench; 0 = the whole show
};

// Reads a query ("ns&start=5", with or without its '?'). Returns an empty
// string when every known parameter was understood, else what was wrong with
// the first one that was not, followed by the usage text. Parameters the page
// does not know (the tracking tags that social sites add to a shared link)
// are left out and named in `ignored`, comma-separated, so the page can say
// so without refusing the show.
std::string parsePageOptions(const std::string& query, PageOptions& options, std::string& ignored);
