#pragma once

#include "platform/instance_block.h"

#include <QString>
#include <optional>

// Keeps a second copy of the same executable, run by the same user, from running beside the
// first. One guard per program run: PreviousInstanceRunning once at start, Release at the end.
class InstanceGuard {
public:
    InstanceGuard() = default;
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;
    ~InstanceGuard() { Release(); }

    // True when this copy must not start. WindowHandle stands for this copy's window; a
    // refused copy brings forward the window of the copy that was admitted last.
    // Throws platform::SystemError when the shared block can be neither created nor opened.
    bool PreviousInstanceRunning(quint32 WindowHandle, qint32 MaxInstances);

    // Gives back this copy's place among the running copies.
    void Release();

    bool HoldsSlot() const { return holdsSlot_; }
    QString BlockName() const { return name_; }

private:
    QString name_;
    std::optional<platform::InstanceBlock> block_;
    bool holdsSlot_ = false;
};

// The block's name: the executable's full path with every path separator removed, so copies
// in different folders have different blocks.
QString InstanceBlockName(const QString& executablePath);
