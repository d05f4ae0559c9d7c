#include "download_run.h"

#include "date_text.h"
#include "db/connection.h"
#include "db/query.h"
#include "db/sql_helpers.h"
#include "db/table.h"
#include "platform/errors.h"
#include "posting/posting_text.h"
#include "run_view.h"
#include "terminal_sdk.h"

#include <QRegularExpression>
#include <QTime>
#include <iostream>

namespace terminal {

namespace {

// The terminal's port, kept as the hexadecimal literal the configuration has always used.
constexpr QLatin1String kPortText("$1112");
constexpr qint32 kMachineNumber = 1;
constexpr QLatin1String kConnectFailed("! ConnectDevice ErrorNo.=%1");
constexpr QLatin1String kStatusPrefix("Loading Teacher ID: ");

qint32 portFromText(const QString& text) {
    bool ok = false;
    const qint32 port =
        text.startsWith(QLatin1Char('$')) ? text.mid(1).toInt(&ok, 16) : text.toInt(&ok, 10);
    if (!ok) {
        throw platform::InputError(QStringLiteral("'%1' is not a port number").arg(text));
    }
    return port;
}

// An enrolment number is joined into the teacher lookup's SQL, so only a plain decimal
// number that fits the teachers' integer column may get there.
bool isEnrolmentNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+$"));
    bool fits = false;
    text.toInt(&fits, 10);
    return fits && number.match(text).hasMatch();
}

} // namespace

QString SummaryLine(const RunSummary& s) {
    return QStringLiteral("records read %1, passed over %2, inserted %3, already present %4, "
                          "late %5, %6")
        .arg(s.read)
        .arg(s.passedOver)
        .arg(s.inserted)
        .arg(s.alreadyPresent)
        .arg(s.late)
        .arg(s.committed ? QStringLiteral("committed") : QStringLiteral("not committed"));
}

void DownloadRun::btnStartClick(const QString& terminalAddress) {
    summary_ = RunSummary{};
    db::Connection& db = targets_.db;
    TerminalSdk& CZKEM1 = targets_.CZKEM1;

    db.SetAutoCommit(false);
    db.StartTransaction();
    try {
        targets_.view.SetBusyCursor(true);
        FMachineNo = portFromText(kPortText);
        const TerminalBool connected = CZKEM1.OpenTerminalLink(terminalAddress, FMachineNo);
        FMachineNo = kMachineNumber;
        if (!IsTrue(connected)) {
            qint32 code = 0;
            CZKEM1.QueryErrorCode(code);
            targets_.view.ShowMessage(QString(kConnectFailed).arg(code));
        } else {
            previousKey_.clear();
            const db::Table& config = targets_.tblSysCnf;
            const RecordSource source =
                ChooseRecordSource(config.FieldByName(QStringLiteral("AXFACEID")).AsInteger(),
                                   config.FieldByName(QStringLiteral("AXIPADDRT")).AsString(),
                                   config.FieldByName(QStringLiteral("AXIPADDR")).AsString());
            if (source != RecordSource::Nothing && IsTrue(CZKEM1.PrepareLogRead(FMachineNo))) {
                readRecords(source);
                db.Commit();
                summary_.committed = true;
                CZKEM1.AfterReadStep1(FMachineNo);
                CZKEM1.AfterReadStep2(FMachineNo);
            }
            CZKEM1.SetTerminalActive(FMachineNo, TerminalTrue);
            CZKEM1.CloseTerminalLink();
        }
    } catch (...) {
        closingSteps(true);
        throw;
    }
    closingSteps(false);
}

void DownloadRun::readRecords(RecordSource source) {
    TerminalSdk& CZKEM1 = targets_.CZKEM1;
    QString enrolment;
    QString unusedText;
    qint32 numericEnrolment = 0;
    qint32 mode = 0;
    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;
    qint32 second = 0;
    qint32 a = 0;
    qint32 b = 0;
    qint32 c = 0;
    for (;;) {
        if (source == RecordSource::Face) {
            if (!IsTrue(CZKEM1.NextFaceLogRecord(FMachineNo, enrolment, a, mode, year, month, day,
                                                 hour, minute, second, b, c, unusedText))) {
                return;
            }
        } else if (source == RecordSource::Text) {
            if (!IsTrue(CZKEM1.NextTextLogRecord(FMachineNo, enrolment, a, mode, year, month, day,
                                                 hour, minute, second, b))) {
                return;
            }
        } else {
            if (!IsTrue(CZKEM1.NextNumericLogRecord(FMachineNo, a, numericEnrolment, b, c, mode,
                                                    year, month, day, hour, minute))) {
                return;
            }
            enrolment = QString::number(numericEnrolment);
            // This fetch gives no seconds; the clock's take their place.
            second = QTime::currentTime().second();
        }
        ++summary_.read;
        processRecord(enrolment, mode, year, month, day, hour, minute, second);
    }
}

void DownloadRun::processRecord(const QString& enrolment, qint32 mode, qint32 year, qint32 month,
                                qint32 day, qint32 hour, qint32 minute, qint32 second) {
    if (enrolment == QLatin1String("0")) {
        ++summary_.passedOver;
        return;
    }
    if (!isEnrolmentNumber(enrolment)) {
        throw platform::InputError(
            QStringLiteral("Record %1 from the terminal has the enrolment number '%2', which is "
                           "not a whole number of at most 32 bits")
                .arg(summary_.read)
                .arg(enrolment));
    }
    const QVariant code =
        db::SqlLookup(targets_.db, QStringLiteral("Teacher"),
                      QStringLiteral("AXEnrlNo=") + enrolment, QStringLiteral("Code"));
    QString teacherId = code.isNull() ? QString() : code.toString();
    if (teacherId.isEmpty()) {
        teacherId = enrolment;
    }
    targets_.view.SetStatusText(QString(kStatusPrefix) + teacherId);
    // When no active teacher has this code the query stays on the row it stood on.
    targets_.sqlTch.Locate({QStringLiteral("CODE")}, {teacherId});

    const QString dateText = DateText(day, month, year, hour, minute, second);
    const QString key = teacherId + QLatin1Char('-') + dateText + QString::number(mode);
    if (key == previousKey_) {
        ++summary_.passedOver;
        return;
    }
    const QString postingText = posting::PostingText(ReadDateText(dateText));
    const QString session = targets_.sqlTch.FieldByName(QStringLiteral("SESSION")).AsString();
    const posting::PostResult result =
        posting::PostTchLog(targets_.posting, postingText, teacherId, session, QString(), mode + 1);
    if (result.inserted) {
        ++summary_.inserted;
        summary_.late += result.late ? 1 : 0;
    } else {
        ++summary_.alreadyPresent;
    }
    previousKey_ = key;
}

void DownloadRun::closingSteps(bool failing) {
    db::Connection& db = targets_.db;
    try {
        if (db.InTransaction()) {
            db.Rollback();
        }
    } catch (const platform::LoaderError& error) {
        if (!failing) {
            db.SetAutoCommit(true);
            targets_.view.SetBusyCursor(false);
            throw;
        }
        // The error that ended the run is the one to report; the failed rollback leaves
        // nothing committed either, but the user should know of it.
        std::cerr << "rollback after a failed run: " << error.what() << std::endl;
    }
    db.SetAutoCommit(true);
    targets_.view.SetBusyCursor(false);
}

} // namespace terminal
