#include "window_activation.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace platform {

namespace {

// The window may vanish at any moment (its program may be ending); a failed request must
// not end this program, so X errors are ignored while we talk to the server.
int ignoreXError(Display* /*display*/, XErrorEvent* /*event*/) {
    return 0;
}

constexpr long kIconicState = 3;

// The items of a 32-bit window property, or none when it is missing or of another type.
std::vector<unsigned long> readProperty(Display* display, Window window, Atom property, Atom type,
                                        long maxItems) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, maxItems, False, type,
                                          &actualType, &format, &count, &remaining, &data);
    std::vector<unsigned long> items;
    if (status == Success && data != nullptr && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return items;
}

bool hasIconicState(Display* display, Window window) {
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const auto state = readProperty(display, window, wmState, wmState, 2);
    return !state.empty() && static_cast<long>(state.front()) == kIconicState;
}

bool windowManagerActivates(Display* display) {
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    const Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    const auto atoms = readProperty(display, DefaultRootWindow(display), supported, XA_ATOM, 4096);
    return std::find(atoms.begin(), atoms.end(), activeWindow) != atoms.end();
}

void askWindowManagerToActivate(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // the request comes from a tool acting for the user
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

} // namespace

void RestoreAndActivateWindow(quint32 windowHandle) {
    if (windowHandle == 0 || qEnvironmentVariableIsEmpty("DISPLAY")) {
        return;
    }
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display) {
        return;
    }
    const auto previousHandler = XSetErrorHandler(ignoreXError);
    const Window window = windowHandle;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display.get(), window, &attributes) != 0) {
        if (hasIconicState(display.get(), window)) {
            // Mapping an iconic window is how a client asks for it to be shown normally again.
            XMapRaised(display.get(), window);
        }
        if (windowManagerActivates(display.get())) {
            askWindowManagerToActivate(display.get(), window);
        } else {
            XRaiseWindow(display.get(), window);
            XSync(display.get(), False);
            if (XGetWindowAttributes(display.get(), window, &attributes) != 0 &&
                attributes.map_state == IsViewable) {
                XSetInputFocus(display.get(), window, RevertToParent, CurrentTime);
            }
        }
    }
    XSync(display.get(), False);
    XSetErrorHandler(previousHandler);
}

} // namespace platform
