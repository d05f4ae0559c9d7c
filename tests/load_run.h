#pragma once

#include "app/database_steps.h"
#include "app/frm_autoload.h"
#include "firebird_fixture.h"
#include "terminal/device_image.h"
#include "terminal/simulated_terminal.h"

#include <QList>
#include <QString>
#include <QStringList>

// One teacher log row as committed, in a form a test can write down by hand:
// "dd/mm/yyyy hh:mm:ss TCHID LOGTYPE REMARK" with "-" for NULL.
QStringList CommittedTeacherLog(const TestDatabase& database);

// A settings file beside nothing, naming the test database with the scrambled password.
QString WriteSettingsFile(const QString& folder, const TestDatabase& database);

// One whole start of the load window: its creation with the database steps over a simulated
// terminal holding the records. The window stays alive for inspection until the run ends.
class LoadRun {
public:
    LoadRun(const QString& settingsFile, const QList<terminal::DeviceRecord>& records,
            terminal::SimulatedTerminal::Faults faults = {});
    LoadRun(const LoadRun&) = delete;
    LoadRun& operator=(const LoadRun&) = delete;
    ~LoadRun();

    TfrmAutoload& Window() { return *window_; }
    terminal::SimulatedTerminal& Terminal() { return *terminal_; }
    DatabaseSteps& Steps() { return steps_; }
    // The texts of the boxes the run showed.
    QStringList Messages() const;

private:
    terminal::SimulatedTerminal* terminal_ = nullptr;
    DatabaseSteps steps_;
    TfrmAutoload* window_ = nullptr;
};

// A record as the terminal gives it.
terminal::DeviceRecord Record(const QString& enrolment, int mode, int year, int month, int day,
                              int hour, int minute, int second);
