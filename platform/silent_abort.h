#pragma once

#include <exception>

namespace platform {

// The quiet cancellation of a user's action: it unwinds the current event like an error, but
// the event's entry point shows nothing for it. Raised after the code that refuses the action
// has said why in its own box (or when there is nothing to say, as for a declined question).
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace platform
