#pragma once

namespace platform {

// Asks the active window to move the focus to its next control in tab order. The request is
// posted: the focus moves once the event being handled now has finished.
void PostFocusNextControl();

} // namespace platform
