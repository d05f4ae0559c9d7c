// terminal-simulator: serves a device image file as an attendance terminal does, over the
// terminal's network protocol, for tests, benchmarks and demonstrations of the loader without
// a terminal. `terminal-simulator --help` describes the command line.

#include "platform/errors.h"
#include "terminal/device_image.h"
#include "terminal_simulator/fault_injector.h"
#include "terminal_simulator/served_log.h"
#include "terminal_simulator/simulated_device.h"
#include "terminal_simulator/simulator_options.h"
#include "terminal_simulator/simulator_server.h"
#include "terminal_simulator/stop_signals.h"

#include <QCoreApplication>
#include <iostream>

namespace {

constexpr int RefusedExitCode = 2;

int refuse(const QString& reason, bool pointToHelp) {
    std::cerr << "terminal-simulator: " << reason.toStdString() << '\n';
    if (pointToHelp) {
        std::cerr << "Try terminal-simulator --help.\n";
    }
    return RefusedExitCode;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    simulator::CommandLine line;
    try {
        line = simulator::ParseCommandLine(QCoreApplication::arguments().mid(1));
    } catch (const platform::InputError& error) {
        return refuse(error.text(), true);
    }
    if (line.help) {
        std::cout << simulator::HelpText().toStdString() << std::flush;
        return 0;
    }
    const simulator::SimulatorOptions& options = line.options;
    try {
        simulator::SimulatedDevice device(
            simulator::BuildServedLog(terminal::ReadDeviceImage(options.imageFile),
                                      options.recordSize, options.userRecordSize,
                                      options.imageFile),
            {options.commKey, !options.faults.noBufferedRead, options.faults.shortTransferBytes});
        simulator::FaultInjector faults(options.faults);
        simulator::SimulatorServer server(options, device, faults);
        server.start();
        simulator::StopSignals stop;
        std::cout << "terminal-simulator ready on " << server.endpoint().toStdString() << std::endl;
        QCoreApplication::exec();
        std::cout << "terminal-simulator stopped" << std::endl;
    } catch (const platform::LoaderError& error) {
        return refuse(error.text(), false);
    }
    return 0;
}
