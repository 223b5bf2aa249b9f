// Every test runs headless.
#include "shell/process_environment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setEnvironment("SDL_VIDEODRIVER", "dummy", false);
    setEnvironment("SDL_AUDIODRIVER", "dummy", false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
