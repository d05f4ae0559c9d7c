#pragma once

namespace platform {

// A program started by a scheduler has no display. Then it must never wait for a person:
// message boxes go to standard error and are answered at once, and the program ends as soon
// as its work is done.
bool DisplayPresent();

// Chooses Qt's platform before the application object exists: with no display, the
// offscreen platform, so that windows can still be built and their code run.
void SelectToolkitPlatform();

} // namespace platform
