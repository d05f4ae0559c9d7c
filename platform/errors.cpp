#include "errors.h"

#include <cstring>

namespace platform {

namespace {
QString systemErrorText(int code, const QString& call) {
    return QStringLiteral("System Error. Code: %1. %2 (%3)")
        .arg(code)
        .arg(QString::fromLocal8Bit(std::strerror(code)), call);
}
} // namespace

SystemError::SystemError(int code, const QString& call)
    : LoaderError(systemErrorText(code, call)), code_(code) {}

} // namespace platform
