#pragma once

#include "load_steps.h"
#include "terminal/download_run.h"
#include "terminal/terminal_sdk.h"

#include <QPointer>
#include <exception>
#include <memory>
#include <optional>

namespace db {
class Connection;
class MemorySet;
class Query;
class Statement;
class Table;
} // namespace db

// The load steps on the school database. The window owns the components; these steps work
// on them.
class DatabaseSteps : public LoadSteps {
public:
    // The settings file naming the database (by default the one beside the executable), and
    // what makes the window's terminal object.
    explicit DatabaseSteps(QString settingsFile, terminal::TerminalFactory terminalFactory);
    DatabaseSteps(const DatabaseSteps&) = delete;
    DatabaseSteps& operator=(const DatabaseSteps&) = delete;
    ~DatabaseSteps() override;

    // The settings file this run reads.
    QString SettingsFile() const;
    terminal::TerminalSdk* Terminal() const { return CZKEM1_.get(); }
    // What the last download did; none before it.
    std::optional<terminal::RunSummary> LastSummary() const { return lastSummary_; }

    void CreateComponents(QWidget& window) override;
    void ConnectDatabase() override;
    void OpenSystemConfig() override;
    QString TerminalAddress() override;
    void PrepareInsertStatement() override;
    void OpenTeachers() override;
    void OpenSessions() override;
    void CreateSignSet() override;
    void Download(const QString& terminalAddress, terminal::RunView& view) override;
    void CloseRunDataSets() override;

private:
    QString settingsFile_;
    terminal::TerminalFactory terminalFactory_;
    std::unique_ptr<terminal::TerminalSdk> CZKEM1_;
    std::exception_ptr terminalError_;
    std::optional<terminal::RunSummary> lastSummary_;
    QPointer<db::Connection> db_;
    QPointer<db::Table> tblSysCnf_;
    QPointer<db::Query> sqlTch_;
    QPointer<db::Table> tblTchSess_;
    QPointer<db::MemorySet> tblSign_;
    QPointer<db::Statement> sqlInsLog_;
    QPointer<db::Table> tblTchLog_;
    QPointer<db::Table> tblTchAbs_;
    QPointer<db::Query> sqlTchLog_;
};
