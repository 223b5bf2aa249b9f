// snolk-render: renders the show offline on a virtual clock.
#include "shell/render.h"

int main(int argc, char** argv) {
    return renderMain(argc, argv);
}
