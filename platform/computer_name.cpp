#include "computer_name.h"

#include <QSysInfo>

namespace platform {

QString SystemComputerName() {
    return QSysInfo::machineHostName();
}

} // namespace platform
