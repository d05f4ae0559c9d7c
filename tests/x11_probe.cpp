#include "x11_probe.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

struct X11Probe::Connection {
    Display* display = XOpenDisplay(nullptr);
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
};

X11Probe::X11Probe() : connection_(std::make_unique<Connection>()) {}

X11Probe::~X11Probe() = default;

bool X11Probe::connected() const {
    return connection_->display != nullptr;
}

bool X11Probe::isViewable(quint32 window) {
    XWindowAttributes attributes{};
    XSync(connection_->display, False);
    return XGetWindowAttributes(connection_->display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

void X11Probe::minimise(quint32 window) {
    const Atom wmState = XInternAtom(connection_->display, "WM_STATE", False);
    const long state[2] = {IconicState, None};
    XChangeProperty(connection_->display, window, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(state), 2);
    XUnmapWindow(connection_->display, window);
    XSync(connection_->display, False);
}

void X11Probe::focusRoot() {
    XSetInputFocus(connection_->display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(connection_->display, False);
}

quint32 X11Probe::focusedWindow() {
    Window focused = None;
    int revert = 0;
    XGetInputFocus(connection_->display, &focused, &revert);
    return static_cast<quint32>(focused);
}
