#include "served_log.h"

#include "platform/errors.h"
#include "terminal/network/byte_order.h"
#include "terminal/network/terminal_time.h"

#include <QHash>

namespace simulator {

namespace {

using namespace terminal::network;

constexpr qsizetype IdTextSize = 24;
constexpr quint8 Fingerprint = 1;

class LogBuilder {
public:
    LogBuilder(int recordSize, int userRecordSize, QString imageFile)
        : recordSize_(recordSize), userRecordSize_(userRecordSize),
          imageFile_(std::move(imageFile)) {
        log_.attendance.resize(4);
        log_.users.resize(4);
    }

    void add(const terminal::DeviceRecord& record, qsizetype index) {
        index_ = index;
        enrolment_ = record.enrolment;
        const TerminalTime time{record.year, record.month,  record.day,
                                record.hour, record.minute, record.second};
        if (!IsEncodableTerminalTime(time)) {
            refuse(QStringLiteral("its moment %1-%2-%3 %4:%5:%6 is outside what a terminal "
                                  "counts (2000 to 2099, fields in range)")
                       .arg(record.year)
                       .arg(record.month)
                       .arg(record.day)
                       .arg(record.hour)
                       .arg(record.minute)
                       .arg(record.second));
        }
        if (record.mode < 0 || record.mode > 255) {
            refuse(QStringLiteral("its mode %1 does not fit one byte").arg(record.mode));
        }
        const quint32 moment = EncodeTerminalTime(time);
        const auto mode = static_cast<char>(record.mode);
        QByteArray& out = log_.attendance;
        const qsizetype at = out.size();
        out.resize(at + recordSize_, '\0');
        switch (recordSize_) {
        case 40:
            WriteU16(out, at, serialOf(record.enrolment));
            putText(out, at + 2, record.enrolment);
            out[at + 26] = char(Fingerprint);
            WriteU32(out, at + 27, moment);
            out[at + 31] = mode;
            break;
        case 16:
            WriteU32(out, at, numberOf(record.enrolment, 16));
            WriteU32(out, at + 4, moment);
            out[at + 8] = mode;
            out[at + 9] = char(Fingerprint);
            break;
        default:
            WriteU16(out, at, serialOf(record.enrolment));
            out[at + 2] = char(Fingerprint);
            WriteU32(out, at + 3, moment);
            out[at + 7] = mode;
            break;
        }
        ++log_.recordCount;
    }

    ServedLog finish() {
        WriteU32(log_.attendance, 0, static_cast<quint32>(log_.attendance.size() - 4));
        if (recordSize_ != 8) {
            log_.users.resize(4);
            log_.userCount = 0;
        }
        WriteU32(log_.users, 0, static_cast<quint32>(log_.users.size() - 4));
        return log_;
    }

private:
    [[noreturn]] void refuse(const QString& why) const {
        throw platform::InputError(
            QStringLiteral("%1: record %2 (enrolment '%3') cannot be served in %4-byte records: "
                           "%5")
                .arg(imageFile_)
                .arg(index_ + 1)
                .arg(enrolment_)
                .arg(recordSize_)
                .arg(why));
    }

    void putText(QByteArray& out, qsizetype at, const QString& text) const {
        const QByteArray bytes = text.toUtf8();
        if (bytes.size() > IdTextSize) {
            refuse(QStringLiteral("the enrolment is longer than %1 bytes").arg(IdTextSize));
        }
        out.replace(at, bytes.size(), bytes);
    }

    quint32 numberOf(const QString& enrolment, int size) const {
        bool digits = !enrolment.isEmpty() && enrolment.size() <= 10;
        for (const QChar c : enrolment) {
            digits = digits && c >= u'0' && c <= u'9';
        }
        const qulonglong value = digits ? enrolment.toULongLong() : 0;
        if (!digits || value > 0xFFFFFFFFULL) {
            refuse(size == 28
                       ? QStringLiteral("a 28-byte user record holds only an enrolment that is "
                                        "a number from 0 to 4294967295; serve such an "
                                        "image with --user-record-size 72 or --record-size "
                                        "40")
                       : QStringLiteral("a 16-byte record holds only an enrolment that is a "
                                        "number from 0 to 4294967295; serve such an image "
                                        "with --record-size 40"));
        }
        return static_cast<quint32>(value);
    }

    // The serial of the enrolment's user, who joins the user list at first sight.
    quint16 serialOf(const QString& enrolment) {
        const auto known = serials_.constFind(enrolment);
        if (known != serials_.cend()) {
            return *known;
        }
        if (serials_.size() >= 65535) {
            refuse(QStringLiteral("more than 65535 users"));
        }
        const auto serial = static_cast<quint16>(serials_.size() + 1);
        serials_.insert(enrolment, serial);
        if (recordSize_ == 8) {
            QByteArray& users = log_.users;
            const qsizetype at = users.size();
            users.resize(at + userRecordSize_, '\0');
            WriteU16(users, at, serial);
            if (userRecordSize_ == 28) {
                WriteU32(users, at + 24, numberOf(enrolment, 28));
            } else {
                putText(users, at + 48, enrolment);
            }
            ++log_.userCount;
        }
        return serial;
    }

    int recordSize_;
    int userRecordSize_;
    QString imageFile_;
    ServedLog log_;
    QHash<QString, quint16> serials_;
    qsizetype index_ = 0;
    QString enrolment_;
};

} // namespace

ServedLog BuildServedLog(const QList<terminal::DeviceRecord>& records, int recordSize,
                         int userRecordSize, const QString& imageFile) {
    LogBuilder builder(recordSize, userRecordSize, imageFile);
    for (qsizetype index = 0; index < records.size(); ++index) {
        builder.add(records.at(index), index);
    }
    return builder.finish();
}

ServedLog ClearedLog(const ServedLog& log) {
    ServedLog cleared = log;
    cleared.attendance = QByteArray(4, '\0');
    cleared.recordCount = 0;
    return cleared;
}

} // namespace simulator
