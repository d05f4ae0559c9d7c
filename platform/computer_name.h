#pragma once

#include <QString>

namespace platform {

// The name of this computer as the operating system reports it (the host name on Linux),
// unchanged.
QString SystemComputerName();

} // namespace platform
