#include "no_database_steps.h"
#include "startup.h"

int main(int argc, char** argv) {
    NoDatabaseSteps steps;
    return RunAttendanceLoader(argc, argv, steps);
}
