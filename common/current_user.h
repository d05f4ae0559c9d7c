#pragma once

#include <QString>
#include <optional>

namespace General {

// The signed-in user, as the program's windows check rights for. This loader has no sign-in
// step, so there is normally none.
struct UserRecord {
    QString UserCode;
    bool SkipRightsCheck = false; // no rights checks are made for this user
    bool FullRights = false;      // every right, without reading the rights table
};

// The process-wide record of the signed-in user; empty when nobody has signed in.
std::optional<UserRecord>& CurrentUser();

} // namespace General
