#pragma once

#include <QObject>
#include <QVariant>

namespace platform {

// A component's tag: a number its window gives it to steer shared code (the translator
// leaves the texts of a label or dataset with a negative tag alone). 0 when never set.
inline int Tag(const QObject* component) {
    return component->property("Tag").toInt();
}
inline void SetTag(QObject* component, int tag) {
    component->setProperty("Tag", tag);
}

} // namespace platform
