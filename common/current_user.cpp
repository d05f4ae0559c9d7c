#include "current_user.h"

namespace General {

std::optional<UserRecord>& CurrentUser() {
    static std::optional<UserRecord> user;
    return user;
}

} // namespace General
