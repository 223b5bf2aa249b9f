// snolk-render: plays the show offline on a virtual clock, as fast as the
// machine allows, and writes hash lines, pictures, a video or a benchmark.
#include "gfx/toolkit.h"
#include "scenes/show.h"
#include "shell/bench_mode.h"
#include "shell/display.h"
#include "shell/frame_files.h"
#include "shell/process_environment.h"
#include "shell/quit_signals.h"
#include "shell/render_options.h"
#include "shell/startup.h"
#include "shell/video_mode.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    RenderOptions options;
    if (!parseRenderOptions(argc, argv, options, stdout, stderr)) {
        return 2;
    }
    if (options.help) {
        return 0;
    }
    installQuitSignals();
    if (!options.window) {
        setEnvironment("SDL_VIDEODRIVER", "dummy", true);
    }
    setEnvironment("SDL_AUDIODRIVER", "dummy", false);
    options.dataFolder = findDataFolder("snolk-render").path;
    SDL_Surface* screen = openScreen(0, options.window ? (int)options.scale : 1);
    const std::unique_ptr<ShowAssets> assets = loadShowAssets(
        options.dataFolder, screen, options.literal ? Kernels::Literal : Kernels::Fast);
    const int status = options.bench               ? benchShow(screen, *assets, options, stdout)
                       : options.videoPath.empty() ? renderFrames(screen, *assets, options)
                                                   : captureVideo(screen, *assets, options);
    fflush(stdout);
    closeScreen(screen);
    return status;
}
