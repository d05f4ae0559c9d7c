#pragma once

#include <QtGlobal>
#include <memory>

// Looks at and handles windows of other processes on the test's X display the way a window
// manager or a person would.
class X11Probe {
public:
    X11Probe();
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;
    ~X11Probe();

    bool connected() const;
    bool isViewable(quint32 window);
    // What a window manager does when the user minimises a window: unmap it and record the
    // iconic state on it.
    void minimise(quint32 window);
    void focusRoot();
    quint32 focusedWindow();

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};
