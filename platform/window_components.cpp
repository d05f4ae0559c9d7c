#include "window_components.h"

#include "inner_part.h"
#include "open_windows.h"

#include <QWidget>

namespace platform {

namespace {

void collect(QObject* parent, QList<QPointer<QObject>>& components) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (IsInnerPart(child) || (widget != nullptr && IsFormWindow(widget))) {
            continue;
        }
        components.append(child);
        collect(child, components);
    }
}

} // namespace

QList<QPointer<QObject>> WindowComponents(QWidget* window) {
    QList<QPointer<QObject>> components;
    collect(window, components);
    return components;
}

} // namespace platform
