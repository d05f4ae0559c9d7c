#pragma once

#include <QtGlobal>

namespace platform {

// Brings another program's top-level window to the front: restores it first when it is
// minimised, then activates it. Does nothing without an X display or for a window that no
// longer exists; never fails.
void RestoreAndActivateWindow(quint32 windowHandle);

} // namespace platform
