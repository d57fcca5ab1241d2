// Test helper: asks a top-level X11 window to close, the way a window manager
// does when the user clicks the close button, by sending it WM_DELETE_WINDOW.
// The program then closes the window itself, so its exit status shows whether
// it ends cleanly when its last window closes.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct DisplayCloser {
    void operator()(Display *display) const { XCloseDisplay(display); }
};

struct XFreer {
    void operator()(Atom *atoms) const { XFree(atoms); }
};

bool takesDeleteWindow(Display *display, Window window, Atom deleteWindow) {
    Atom *protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(display, window, &protocols, &count) == 0)
        return false;
    const std::unique_ptr<Atom, XFreer> owned(protocols);
    return std::find(protocols, protocols + count, deleteWindow) != protocols + count;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: closewindow WINDOW-ID\n");
        return 2;
    }
    char *end = nullptr;
    const Window window = std::strtoul(argv[1], &end, 0);
    if (*end != '\0' || window == 0) {
        std::fprintf(stderr, "closewindow: not a window id: %s\n", argv[1]);
        return 2;
    }
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        std::fprintf(stderr, "closewindow: cannot open the display\n");
        return 1;
    }
    const Atom protocols = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display.get(), "WM_DELETE_WINDOW", False);
    // A window that does not take part in the protocol would ignore the
    // message, and the test would wait for an exit that never comes.
    if (!takesDeleteWindow(display.get(), window, deleteWindow)) {
        std::fprintf(stderr, "closewindow: window %s does not accept WM_DELETE_WINDOW\n", argv[1]);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display.get(), window, False, NoEventMask, &event);
    XSync(display.get(), False);
    return 0;
}
