#pragma once

#include <QList>
#include <QPointer>

class QObject;
class QWidget;

namespace platform {

// Everything a window owns, in the window's component order: its descendants, each before
// its own children and children in the order they were added. Windows of their own inside it
// (dialogs) and the inner parts of composite controls are passed by with everything in them;
// menus, though windows, belong to the window that holds them. Kept as guarded pointers, so a
// component that goes away while the list is walked reads as empty.
QList<QPointer<QObject>> WindowComponents(QWidget* window);

} // namespace platform
