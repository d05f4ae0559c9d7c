#pragma once

#include "column.h"

#include <QStringList>

// The tables of the school database as the load window declares them: their columns with
// kinds, and the texts of its queries.
namespace db::school {

ColumnList SysConfigColumns();
ColumnList TeacherColumns();
ColumnList TchSessColumns();
ColumnList TchLogColumns();
ColumnList TchAbsColumns();
// The in-memory set of first sign-ins: TchID and LogDate.
ColumnList SignFields();

// The active teachers: those that have not left, in code order.
QStringList ActiveTeachersSql();
// One teacher's log, never opened by the load.
QStringList TeacherLogSql();

} // namespace db::school
