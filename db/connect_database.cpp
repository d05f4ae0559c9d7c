#include "connect_database.h"

#include "connection.h"
#include "connection_settings.h"
#include "platform/errors.h"
#include "platform/message_boxes.h"

#include <iostream>

namespace db {

namespace {
constexpr QLatin1String kDatabaseUser("SYSDBA");
constexpr QLatin1String kConnectionFailed("Server I/P or Path Error!");
} // namespace

void ConnectDatabase(Connection& connection, const QString& settingsFile) {
    const ConnectionSettings settings = ReadConnectionSettings(settingsFile, ComputerName());
    connection.SetDatabaseName(settings.connectString);
    connection.SetUserName(QString(kDatabaseUser));
    connection.SetPassword(settings.password);
    try {
        connection.Connect();
    } catch (const platform::DatabaseError& error) {
        // The box says only that the connection failed; the database's own words tell the
        // user what to mend, so they go to standard error.
        std::cerr << platform::MessageBoxes::Caption().toStdString() << ": cannot connect to "
                  << settings.connectString.toStdString() << ": " << error.what() << std::endl;
        platform::MessageBoxes::ShowMessage(QString(kConnectionFailed));
    }
}

} // namespace db
