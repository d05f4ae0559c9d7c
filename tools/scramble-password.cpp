// scramble-password: turns a database password into the text that goes into the loader's
// settings file as SYSDBA=<text>.
//
// Reads one line, the password, from standard input (its line end, LF or CR LF, is not part of
// it) and prints its scrambled form in double quotes, followed by a line end. Exit code 0; 2
// when there is no input at all or the password cannot be stored (the reason goes to standard
// error); 1 when the output cannot be written.

#include "db/connection_settings.h"
#include "platform/errors.h"

#include <QRandomGenerator>
#include <iostream>
#include <string>

namespace {

constexpr int RefusedExitCode = 2;

} // namespace

int main() {
    std::string line;
    if (!std::getline(std::cin, line)) {
        std::cerr << "scramble-password: no password on standard input.\n";
        return RefusedExitCode;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    try {
        QRandomGenerator random = QRandomGenerator::securelySeeded();
        const QString scrambled =
            db::ScramblePassword(QString::fromUtf8(line.data(), qsizetype(line.size())), random);
        std::cout << db::QuotedSettingsValue(scrambled).toStdString() << '\n' << std::flush;
    } catch (const platform::InputError& error) {
        std::cerr << "scramble-password: " << error.what() << '\n';
        return RefusedExitCode;
    }
    return std::cout ? 0 : 1;
}
