#include "database_steps.h"

#include "db/connect_database.h"
#include "db/connection.h"
#include "db/connection_settings.h"
#include "db/memory_set.h"
#include "db/query.h"
#include "db/school_tables.h"
#include "db/sql_helpers.h"
#include "db/statement.h"
#include "db/table.h"
#include "platform/component_tag.h"
#include "platform/errors.h"
#include "platform/executable.h"

#include <QWidget>
#include <iostream>

namespace {

template <typename Component> Component* named(Component* component, const char* name) {
    component->setObjectName(QLatin1String(name));
    return component;
}

// The translator leaves the column labels of datasets with a negative tag alone.
template <typename Component> Component* tagged(Component* component, int tag) {
    platform::SetTag(component, tag);
    return component;
}

} // namespace

DatabaseSteps::DatabaseSteps(QString settingsFile, terminal::TerminalFactory terminalFactory)
    : settingsFile_(std::move(settingsFile)), terminalFactory_(std::move(terminalFactory)) {}

DatabaseSteps::~DatabaseSteps() = default;

QString DatabaseSteps::SettingsFile() const {
    return settingsFile_.isEmpty() ? db::SettingsFileName(platform::ExecutablePath())
                                   : settingsFile_;
}

void DatabaseSteps::CreateComponents(QWidget& window) {
    using namespace db::school;
    db_ = named(new db::Connection(&window), "db");
    tblSysCnf_ = tagged(
        named(new db::Table(*db_, QStringLiteral("SYSCONFIG"), SysConfigColumns(), {}, &window),
              "tblSysCnf"),
        0);
    sqlTch_ = tagged(named(new db::Query(*db_, ActiveTeachersSql(), QStringLiteral("Teacher"),
                                         TeacherColumns(), &window),
                           "sqlTch"),
                     0);
    tblTchSess_ = tagged(named(new db::Table(*db_, QStringLiteral("TCHSESS"), TchSessColumns(),
                                             {QStringLiteral("Code")}, &window),
                               "tblTchSess"),
                         -1);
    tblSign_ = tagged(
        named(new db::MemorySet(SignFields(), {QStringLiteral("TchID"), QStringLiteral("LogDate")},
                                &window),
              "tblSign"),
        -2);
    sqlInsLog_ = named(new db::Statement(*db_, &window), "sqlInsLog");
    tblTchLog_ =
        tagged(named(new db::Table(*db_, QStringLiteral("TCHLOG"), TchLogColumns(),
                                   {QStringLiteral("LogDate"), QStringLiteral("TchID")}, &window),
                     "tblTchLog"),
               -2);
    tblTchAbs_ =
        tagged(named(new db::Table(*db_, QStringLiteral("TCHABS"), TchAbsColumns(),
                                   {QStringLiteral("AbDate"), QStringLiteral("TchID")}, &window),
                     "tblTchAbs"),
               -2);
    // A terminal that cannot be made (its settings are wrong, say) is an error of the
    // download: it is kept until the download runs and reported there.
    try {
        CZKEM1_ = terminalFactory_ ? terminalFactory_() : nullptr;
    } catch (const platform::LoaderError&) {
        terminalError_ = std::current_exception();
    }
    sqlTchLog_ = tagged(named(new db::Query(*db_, TeacherLogSql(), QStringLiteral("TchLog"),
                                            TchLogColumns(), &window),
                              "sqlTchLog"),
                        -2);
}

void DatabaseSteps::ConnectDatabase() {
    db::ConnectDatabase(*db_, SettingsFile());
}

void DatabaseSteps::OpenSystemConfig() {
    tblSysCnf_->Open();
}

QString DatabaseSteps::TerminalAddress() {
    // The texts as the columns hold them, blanks included.
    QString address = tblSysCnf_->FieldByName(QStringLiteral("AXIPADDR")).AsString();
    if (!address.isEmpty()) {
        return address;
    }
    return tblSysCnf_->FieldByName(QStringLiteral("AXIPADDRT")).AsString();
}

void DatabaseSteps::PrepareInsertStatement() {
    sqlInsLog_->SetSQL(db::BuildInsertSql(*db_, QStringLiteral("TchLog")));
}

void DatabaseSteps::OpenTeachers() {
    sqlTch_->Open();
}

void DatabaseSteps::OpenSessions() {
    tblTchSess_->Open();
}

void DatabaseSteps::CreateSignSet() {
    tblSign_->CreateDataSet();
}

void DatabaseSteps::Download(const QString& terminalAddress, terminal::RunView& view) {
    if (terminalError_) {
        std::rethrow_exception(terminalError_);
    }
    if (!CZKEM1_) {
        throw platform::TerminalError(QStringLiteral("No terminal object could be made"));
    }
    posting::PostingTargets posting{*db_, *tblTchSess_, *tblSign_, *sqlInsLog_};
    terminal::DownloadRun run(
        terminal::DownloadTargets{*db_, *tblSysCnf_, *sqlTch_, *CZKEM1_, posting, view});
    // Whatever its end, the run leaves one line saying what it did.
    const auto report = [this, &run] {
        lastSummary_ = run.Summary();
        std::cout << terminal::SummaryLine(*lastSummary_).toStdString() << std::endl;
    };
    try {
        run.btnStartClick(terminalAddress);
    } catch (...) {
        report();
        throw;
    }
    report();
}

void DatabaseSteps::CloseRunDataSets() {
    sqlTch_->Close();
    tblTchSess_->Close();
    tblSign_->Close();
}
