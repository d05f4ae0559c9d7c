#pragma once

#include "posting/post_tch_log.h"
#include "record_source.h"

#include <QString>

namespace db {
class Connection;
class Query;
class Table;
} // namespace db

namespace terminal {

class RunView;
class TerminalSdk;

// What the download works on: the load window's connection, configuration row, active
// teachers and terminal, the posting rules' objects, and the window's view.
struct DownloadTargets {
    db::Connection& db;
    db::Table& tblSysCnf;
    db::Query& sqlTch;
    TerminalSdk& CZKEM1;
    posting::PostingTargets& posting;
    RunView& view;
};

// What one run did, for the line the program writes at its end.
struct RunSummary {
    int read = 0;           // records the terminal delivered
    int passedOver = 0;     // enrolment "0" and repeats of the record just before
    int inserted = 0;       // new rows in the teacher log
    int alreadyPresent = 0; // records whose teacher and moment were in the log already
    int late = 0;           // inserted as a late first sign-in
    bool committed = false;
};

QString SummaryLine(const RunSummary& summary);

// One download: connects to the terminal, reads every record from the source the
// configuration chooses, maps each enrolment number to a teacher, passes over repeats, and
// posts the rest, all in one transaction committed after the last record. Any error rolls
// the transaction back and passes on to the caller.
class DownloadRun {
public:
    explicit DownloadRun(DownloadTargets targets) : targets_(targets) {}

    void btnStartClick(const QString& terminalAddress);
    const RunSummary& Summary() const { return summary_; }

private:
    void readRecords(RecordSource source);
    void processRecord(const QString& enrolment, qint32 mode, qint32 year, qint32 month, qint32 day,
                       qint32 hour, qint32 minute, qint32 second);
    void closingSteps(bool failing);

    DownloadTargets targets_;
    // Holds the port for the connect call and the machine number (1) for every call after it.
    qint32 FMachineNo = 0;
    QString previousKey_;
    RunSummary summary_;
};

} // namespace terminal
