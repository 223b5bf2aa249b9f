// Asks a window to close as a window manager does, with a WM_DELETE_WINDOW
// message that the program answers as it likes. xdotool's windowclose
// destroys the window instead, which no viewer can do.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

// A window manager sends the message only to windows that ask for it.
bool takesDeleteMessage(Display* display, Window window, Atom deleteWindow) {
    Atom* protocols = nullptr;
    int count = 0;
    bool takes = false;
    if (XGetWMProtocols(display, window, &protocols, &count) != 0) {
        for (int i = 0; i < count; ++i) {
            takes = takes || protocols[i] == deleteWindow;
        }
        XFree(protocols);
    }
    return takes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: snolk-close-window WINDOW-ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fprintf(stderr, "snolk-close-window: cannot open the display\n");
        return 2;
    }
    const Window window = strtoul(argv[1], nullptr, 0);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!takesDeleteMessage(display, window, deleteWindow)) {
        fprintf(stderr, "snolk-close-window: window %lu does not take WM_DELETE_WINDOW\n", window);
        XCloseDisplay(display);
        return 1;
    }
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)deleteWindow;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
