#include "database_steps.h"
#include "db/connection_settings.h"
#include "platform/executable.h"
#include "startup.h"
#include "terminal/network/network_terminal.h"

int main(int argc, char** argv) {
    // The terminal on the network, tuned by the settings file's optional Terminal section.
    DatabaseSteps steps{QString(), [] {
                            const QString settings =
                                db::SettingsFileName(platform::ExecutablePath());
                            return std::make_unique<terminal::NetworkTerminal>(
                                terminal::ReadTerminalOptions(settings));
                        }};
    return RunAttendanceLoader(argc, argv, steps);
}
