#pragma once

#include <QString>

namespace db {
class Connection;
class MemorySet;
class Statement;
class Table;
} // namespace db

namespace posting {

// The load window's objects the posting rules work on, all on its one connection.
struct PostingTargets {
    db::Connection& db;
    db::Table& tblTchSess;    // sessions with their weekday start times, ordered by Code
    db::MemorySet& tblSign;   // (TchID, LogDate) of the run's first sign-ins
    db::Statement& sqlInsLog; // INSERT INTO TchLog (...) VALUES (...)
};

struct PostResult {
    bool inserted = false; // false: a row of this teacher and moment was there already
    bool late = false;
};

// Turns one accepted terminal record into at most one TCHLOG row, in the caller's
// transaction: the log-type letter from the number (1 I, 2 O, 3 A, else none), the late rule
// for a teacher's first "I" of the day, and no insert when the teacher already has a row at
// that moment. An empty log type or remark is stored as NULL. Errors are not caught.
PostResult PostTchLog(PostingTargets& targets, const QString& dateTimeText,
                      const QString& teacherId, const QString& sessionCode, const QString& remark,
                      int logTypeNumber);

} // namespace posting
