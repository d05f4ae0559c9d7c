#include "post_tch_log.h"

#include "common/general_text.h"
#include "db/connection.h"
#include "db/memory_set.h"
#include "db/sql_helpers.h"
#include "db/statement.h"
#include "db/table.h"
#include "posting_text.h"

#include <array>

namespace posting {

namespace {

QString logTypeLetter(int logTypeNumber) {
    switch (logTypeNumber) {
    case 1:
        return QStringLiteral("I");
    case 2:
        return QStringLiteral("O");
    case 3:
        return QStringLiteral("A");
    default:
        return {};
    }
}

// The start-time column of each weekday, numbered 1 (Sunday) to 7 (Saturday).
QString startTimeColumn(QDate date) {
    static const std::array<const char*, 7> columns{
        "TIMEI_SUN", "TIMEI_MON", "TIMEI_TUE", "TIMEI_WED", "TIMEI_THU", "TIMEI_FRI", "TIMEI_SAT"};
    // The toolkit counts Monday 1 to Sunday 7.
    const int weekday = date.dayOfWeek() % 7 + 1;
    return QLatin1String(columns.at(static_cast<std::size_t>(weekday - 1)));
}

// NULL stands for no text in the log, so empty and missing values read the same.
QVariant textOrNull(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

PostResult PostTchLog(PostingTargets& targets, const QString& dateTimeText,
                      const QString& teacherId, const QString& sessionCode, const QString& remark,
                      int logTypeNumber) {
    const db::DateTime recordDate = ReadPostingDate(dateTimeText);
    const db::DateTime recordTime = ReadPostingTime(dateTimeText);
    const QString letter = logTypeLetter(logTypeNumber);
    db::DateTime startTime;
    bool late = false;
    QString remarkToStore = remark;

    if (letter == QLatin1String("I")) {
        const QVariantList signKey{teacherId, recordDate.Date()};
        if (targets.tblTchSess.FindKey({sessionCode})) {
            startTime =
                targets.tblTchSess.FieldByName(startTimeColumn(recordDate.Date())).AsDateTime();
        }
        // Both are whole values: the column as stored, the record's time on day zero.
        if (!startTime.IsZero() && recordTime > startTime) {
            if (!targets.tblSign.FindKey(signKey)) {
                late = true;
                if (remark.isEmpty()) {
                    remarkToStore = QStringLiteral("Lewat");
                }
            }
        }
        if (!targets.tblSign.FindKey(signKey)) {
            targets.tblSign.AppendRecord(signKey);
        }
    }

    const db::DateTime moment = ReadPostingMoment(dateTimeText);
    const QString condition = QStringLiteral("LogDate=") + db::SqlDateLiteral(moment) +
                              QStringLiteral(" AND ") + QStringLiteral("TchID=") +
                              db::QuotedText(teacherId);
    if (db::RecordExists(targets.db, QStringLiteral("TchLog"), condition)) {
        return {false, late};
    }

    db::Statement& insert = targets.sqlInsLog;
    insert.Prepare();
    insert.SetParam(QStringLiteral("TchID"), teacherId);
    insert.SetParam(QStringLiteral("LogDate"), QVariant::fromValue(moment));
    insert.SetParam(QStringLiteral("LogType"),
                    textOrNull(General::ChooseText(late, QStringLiteral("L"), letter)));
    insert.SetParam(QStringLiteral("Remark"), textOrNull(remarkToStore));
    insert.Execute();
    insert.Unprepare();
    return {true, late};
}

} // namespace posting
