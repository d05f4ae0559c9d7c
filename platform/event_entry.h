#pragma once

#include <functional>

namespace platform {

// Runs the work of one user event (a click, a key) to its end. An error that leaves it is
// shown in the error box; a SilentAbort is taken as the cancellation it is and shows nothing.
// Nothing passes on into the toolkit's event delivery.
void RunEventHandler(const std::function<void()>& work);

} // namespace platform
