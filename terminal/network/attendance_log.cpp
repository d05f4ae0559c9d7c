#include "attendance_log.h"

#include "byte_order.h"
#include "platform/errors.h"

#include <limits>

namespace terminal::network {

namespace {

constexpr qsizetype CountSize = 4;
constexpr qsizetype IdTextSize = 24;
constexpr quint32 NumericUserSize = 28;
constexpr quint32 TextUserSize = 72;

QString idText(const QByteArray& data, qsizetype at) {
    const char* start = data.constData() + at;
    qsizetype length = 0;
    while (length < IdTextSize && start[length] != '\0') {
        ++length;
    }
    return QString::fromUtf8(start, length);
}

} // namespace

AttendanceLog::AttendanceLog(QByteArray dataSet, quint32 recordCount, QString source)
    : data_(std::move(dataSet)), source_(std::move(source)) {
    const quint32 bytes = data_.size() >= CountSize ? ReadU32(data_, 0) : 0;
    if (recordCount == 0 || qint64(bytes) + CountSize != data_.size() || bytes % recordCount != 0) {
        fail(QStringLiteral("its attendance log of %1 bytes does not hold its %2 records")
                 .arg(bytes)
                 .arg(recordCount));
    }
    const quint32 size = bytes / recordCount;
    if (size != TextRecordSize && size != NumericRecordSize && size != SerialRecordSize) {
        fail(QStringLiteral("its attendance records are %1 bytes long, a size not known here")
                 .arg(size));
    }
    recordSize_ = static_cast<int>(size);
    count_ = recordCount;
}

void AttendanceLog::fail(const QString& what) const {
    throw platform::TerminalError(QStringLiteral("%1: %2").arg(source_, what));
}

void AttendanceLog::setUserList(const QByteArray& dataSet, quint32 userCount) {
    const quint32 bytes = dataSet.size() >= CountSize ? ReadU32(dataSet, 0) : 0;
    if (qint64(bytes) + CountSize != dataSet.size() || (userCount == 0 && bytes != 0) ||
        (userCount != 0 && bytes % userCount != 0)) {
        fail(QStringLiteral("its user list of %1 bytes does not hold its %2 users")
                 .arg(bytes)
                 .arg(userCount));
    }
    const quint32 size = userCount == 0 ? NumericUserSize : bytes / userCount;
    if (size != NumericUserSize && size != TextUserSize) {
        fail(QStringLiteral("its user records are %1 bytes long, a size not known here").arg(size));
    }
    users_.clear();
    for (quint32 index = 0; index < userCount; ++index) {
        const qsizetype at = CountSize + qsizetype(index) * size;
        const quint16 serial = ReadU16(dataSet, at);
        users_.insert(serial, size == NumericUserSize ? QString::number(ReadU32(dataSet, at + 24))
                                                      : idText(dataSet, at + 48));
    }
}

LogRecord AttendanceLog::record(qsizetype index) const {
    const qsizetype at = CountSize + index * recordSize_;
    LogRecord record;
    switch (recordSize_) {
    case TextRecordSize:
        record.enrolment = idText(data_, at + 2);
        record.verification = static_cast<quint8>(data_.at(at + 26));
        record.time = DecodeTerminalTime(ReadU32(data_, at + 27));
        record.state = static_cast<quint8>(data_.at(at + 31));
        record.workCode = ReadU32(data_, at + 32);
        break;
    case NumericRecordSize:
        record.enrolment = QString::number(ReadU32(data_, at));
        record.time = DecodeTerminalTime(ReadU32(data_, at + 4));
        record.state = static_cast<quint8>(data_.at(at + 8));
        record.verification = static_cast<quint8>(data_.at(at + 9));
        record.workCode = ReadU32(data_, at + 12);
        break;
    default: {
        const quint16 serial = ReadU16(data_, at);
        const auto user = users_.constFind(serial);
        if (user == users_.cend()) {
            fail(QStringLiteral("attendance record %1 belongs to user serial %2, which its user "
                                "list does not hold")
                     .arg(index + 1)
                     .arg(serial));
        }
        record.enrolment = *user;
        record.verification = static_cast<quint8>(data_.at(at + 2));
        record.time = DecodeTerminalTime(ReadU32(data_, at + 3));
        record.state = static_cast<quint8>(data_.at(at + 7));
        break;
    }
    }
    return record;
}

qint32 NumericEnrolment(const QString& enrolment) {
    bool plain = !enrolment.isEmpty() && enrolment.size() <= 10;
    for (const QChar c : enrolment) {
        plain = plain && c >= u'0' && c <= u'9';
    }
    const qint64 value = plain ? enrolment.toLongLong() : -1;
    if (!plain || value > std::numeric_limits<qint32>::max()) {
        throw platform::TerminalError(
            QStringLiteral("The terminal's enrolment number '%1' is not a number from 0 to %2, so "
                           "the numeric fetch cannot deliver it")
                .arg(enrolment)
                .arg(std::numeric_limits<qint32>::max()));
    }
    return static_cast<qint32>(value);
}

} // namespace terminal::network
