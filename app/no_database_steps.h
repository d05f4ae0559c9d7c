#pragma once

#include "load_steps.h"

// The load steps of a program that has no database access: no connection can be made, so
// the connection is reported as failed and the first step that needs the database fails.
class NoDatabaseSteps : public LoadSteps {
public:
    void ConnectDatabase() override;
    void OpenSystemConfig() override;
    QString TerminalAddress() override;
    void PrepareInsertStatement() override;
    void OpenTeachers() override;
    void OpenSessions() override;
    void CreateSignSet() override;
    void Download(const QString& terminalAddress) override;
    void CloseRunDataSets() override;
};
