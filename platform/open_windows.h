#pragma once

#include <QList>

class QWidget;

namespace platform {

// True for a window of the program's own (a main window, a dialog, a tool window), hidden or
// shown; false for popups such as menus, for tooltips and for everything inside a window.
bool IsFormWindow(const QWidget* widget);

// The program's open windows, hidden ones included. The order is the order in which this
// function first saw each window, so it stays the same from one call to the next; windows
// seen for the first time come in the order their native windows were made, then the rest.
QList<QWidget*> OpenWindows();

} // namespace platform
