#pragma once

#include <QString>

namespace General {

// Starts another program from a command line; the first word names the program. With wait set,
// returns only after that program has ended. Whether the start succeeded is neither checked nor
// reported: a command line that names no program simply starts nothing.
void RunProgram(const QString& commandLine, bool wait);

} // namespace General
