#pragma once

#include <QString>

namespace platform {

// Starts the program named by the first word of commandLine with the other words as its
// arguments, in the caller's environment and current directory, its standard channels shared
// with ours. With wait set, blocks until the program has ended. A start that fails, for any
// reason, is silently dropped: the callers start helpers for the user's convenience and have
// nothing to do when one is missing.
void StartProgram(const QString& commandLine, bool wait);

} // namespace platform
