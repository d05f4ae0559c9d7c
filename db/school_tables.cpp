#include "school_tables.h"

namespace db::school {

namespace {
Column text(const char* name, int length) {
    return {QLatin1String(name), ColumnKind::Text, length};
}
Column moment(const char* name) {
    return {QLatin1String(name), ColumnKind::DateTime};
}
Column small(const char* name) {
    return {QLatin1String(name), ColumnKind::SmallInt};
}
} // namespace

ColumnList SysConfigColumns() {
    return {moment("STDATE1"),      moment("ENDATE1"),      moment("STDATE2"),
            moment("ENDATE2"),      small("SECUCHK"),       small("INCLHOL"),
            moment("STDATENY"),     text("COMPORT", 4),     text("AXIPADDR", 20),
            small("TOUCHNGO"),      text("AXIPADDRS", 20),  text("TIMEI_MOR", 8),
            text("TIMEI_AFN", 8),   text("AXIPADDRS2", 20), text("AXIPADDRS3", 20),
            text("AXIPADDRS4", 20), text("AXIPADDRS5", 20), small("ABSINIT"),
            text("AXIPADDRT", 20),  small("ALLSCHS"),       small("ALLSSTU"),
            small("ALLSTCH"),       small("AXFACEID")};
}

ColumnList TeacherColumns() {
    return {text("CODE", 10),
            text("NAME", 70),
            text("CNAME", 12),
            text("ICNO", 25),
            text("SEX", 1),
            text("RACE", 1),
            text("RELIGION", 1),
            text("NATION", 15),
            moment("BDATE"),
            text("ADDR1", 35),
            text("ADDR2", 35),
            text("ADDR3", 35),
            text("POSCOD", 6),
            text("DISTRICT", 35),
            text("STATE", 2),
            text("TEL", 16),
            moment("REGDATE"),
            moment("QDATE"),
            text("QREM", 70),
            text("POSTITLE", 8),
            text("JOB", 50),
            text("EDUCATION", 50),
            {QStringLiteral("REMARK"), ColumnKind::Memo},
            text("TCHTYPE", 1),
            text("GID", 15),
            text("SESSION", 8),
            text("SECONDID", 15),
            {QStringLiteral("AXENRLNO"), ColumnKind::Integer}};
}

ColumnList TchSessColumns() {
    return {text("CODE", 8),     text("DESCRIPTION", 35), small("PASSWD"),     moment("TIMEI_MON"),
            moment("TIMEO_MON"), moment("TIMEI_TUE"),     moment("TIMEO_TUE"), moment("TIMEI_WED"),
            moment("TIMEO_WED"), moment("TIMEI_THU"),     moment("TIMEO_THU"), moment("TIMEI_FRI"),
            moment("TIMEO_FRI"), moment("TIMEI_SAT"),     moment("TIMEO_SAT"), moment("TIMEI_SUN"),
            moment("TIMEO_SUN")};
}

ColumnList TchLogColumns() {
    return {moment("LOGDATE"), text("TCHID", 10), text("LOGTYPE", 1), text("REMARK", 40)};
}

ColumnList TchAbsColumns() {
    return {moment("ABDATE"),
            text("TCHID", 10),
            moment("TODATE"),
            text("ATYPE", 1),
            {QStringLiteral("REMARK"), ColumnKind::Memo},
            text("REASON", 2)};
}

ColumnList SignFields() {
    return {text("TchID", 10), {QStringLiteral("LogDate"), ColumnKind::Date}};
}

QStringList ActiveTeachersSql() {
    return {QStringLiteral("SELECT * FROM Teacher"), QStringLiteral("WHERE QDate is Null"),
            QStringLiteral("ORDER BY Code")};
}

QStringList TeacherLogSql() {
    return {QStringLiteral("SELECT * FROM TchLog"), QStringLiteral("WHERE TchID =:sTchID"),
            QStringLiteral("ORDER BY LogDate")};
}

} // namespace db::school
