#pragma once

#include <QObject>
#include <QVariant>

namespace platform {

// A widget that a composite control builds for itself (the buttons of a radio group) belongs
// to that control, not to the window: shared code that walks a window's components passes it
// by, and reaches its texts through the control that made it.
inline void MarkAsInnerPart(QObject* part) {
    part->setProperty("InnerPart", true);
}
inline bool IsInnerPart(const QObject* object) {
    return object->property("InnerPart").toBool();
}

} // namespace platform
