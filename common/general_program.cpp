#include "general_program.h"

#include "platform/process_start.h"

namespace General {

void RunProgram(const QString& commandLine, bool wait) {
    platform::StartProgram(commandLine, wait);
}

} // namespace General
