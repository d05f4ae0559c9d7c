#pragma once

#include <QString>

namespace db {

class Connection;

// Sets the connection up from the settings file (server, path and scrambled password) and
// connects as SYSDBA. A connection that cannot be made is reported to the user with the
// fixed message, its cause written to standard error, and the connection stays closed; no
// error leaves this operation.
void ConnectDatabase(Connection& connection, const QString& settingsFile);

} // namespace db
