#pragma once

class LoadSteps;

// The program's start-up sequence: admits one copy per executable and user, creates the
// load window (which runs the load), shows it and runs until it closes. Returns the exit
// code: 0 for a normal end and a refused start, 1 when the single-instance block cannot be
// created, and, without a display, 2 when any message or error box was reported.
int RunAttendanceLoader(int argc, char** argv, LoadSteps& steps);
