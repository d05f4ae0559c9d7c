#pragma once

namespace platform {

// On the original platform the terminal's driver needed its thread set up for component
// objects before use and torn down at the end. Our terminal link needs no such set-up; the
// start-up sequence still marks the place where it happens, so the order stays visible.
class ComApartment {
public:
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() = default;
};

} // namespace platform
