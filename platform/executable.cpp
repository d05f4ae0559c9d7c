#include "executable.h"

#include "errors.h"

#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace platform {

QString ExecutablePath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw SystemError(error.value(), QStringLiteral("reading /proc/self/exe"));
    }
    return QString::fromStdString(path.string());
}

QString ApplicationTitleFor(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        name.truncate(dot);
    }
    if (name.isEmpty()) {
        return name;
    }
    return name.left(1) + name.mid(1).toLower();
}

QString ApplicationTitle() {
    return ApplicationTitleFor(ExecutablePath());
}

} // namespace platform
