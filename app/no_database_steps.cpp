#include "no_database_steps.h"

#include "platform/errors.h"
#include "platform/message_boxes.h"

namespace {
[[noreturn]] void notConnected() {
    throw platform::DatabaseError(QStringLiteral("The database is not connected"));
}
} // namespace

void NoDatabaseSteps::ConnectDatabase() {
    platform::MessageBoxes::ShowMessage(QStringLiteral("Server I/P or Path Error!"));
}

void NoDatabaseSteps::OpenSystemConfig() {
    notConnected();
}
QString NoDatabaseSteps::TerminalAddress() {
    notConnected();
}
void NoDatabaseSteps::PrepareInsertStatement() {
    notConnected();
}
void NoDatabaseSteps::OpenTeachers() {
    notConnected();
}
void NoDatabaseSteps::OpenSessions() {
    notConnected();
}
void NoDatabaseSteps::CreateSignSet() {}
void NoDatabaseSteps::Download(const QString& /*terminalAddress*/) {
    notConnected();
}
void NoDatabaseSteps::CloseRunDataSets() {}
