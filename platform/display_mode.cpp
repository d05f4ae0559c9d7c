#include "display_mode.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

bool DisplayPresent() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void SelectToolkitPlatform() {
    if (!DisplayPresent()) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
}

} // namespace platform
