#include "shell/viewer_messages.h"

// Every program here has its streams: a terminal, a file, a pipe or
// /dev/null that someone chose.
void holdMessagesForViewer() {}

bool showHeldMessages(bool) {
    return false;
}
