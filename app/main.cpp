#include "database_steps.h"
#include "startup.h"

int main(int argc, char** argv) {
    DatabaseSteps steps{QString(), terminal::TerminalFactory()};
    return RunAttendanceLoader(argc, argv, steps);
}
