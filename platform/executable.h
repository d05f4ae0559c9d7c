#pragma once

#include <QString>

namespace platform {

// Full path of the running executable, as the kernel reports it.
QString ExecutablePath();

// The application title the toolkit would give a program that sets none: the executable's
// file name cut at its first ".", first character unchanged, the rest in lower case.
QString ApplicationTitle();
QString ApplicationTitleFor(const QString& executablePath);

} // namespace platform
