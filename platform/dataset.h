#pragma once

#include <QObject>

namespace platform {

// What every dataset component of a window offers, so that a window can close all of its
// datasets without knowing their kinds. Connections and statements are no datasets.
class DataSet : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool Active() const = 0;
    // Closing a dataset that is already closed does nothing.
    virtual void Close() = 0;
};

} // namespace platform
