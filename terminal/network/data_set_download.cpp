#include "data_set_download.h"

#include "byte_order.h"
#include "protocol_codes.h"

namespace terminal::network {

namespace {

constexpr qsizetype FreeSizesLength = 80;
constexpr qsizetype UsersOffset = 16;
constexpr qsizetype RecordsOffset = 32;
constexpr qsizetype BufferedReadAnswerLength = 9; // compression flag, size (and more)

const char* kindName(DataSetKind kind) {
    return kind == DataSetKind::Attendance ? "attendance log" : "user list";
}

[[noreturn]] void refuse(CommandChannel& channel, const QString& what) {
    throw platform::TerminalError(QStringLiteral("%1: %2").arg(channel.link().label(), what));
}

QByteArray bufferedReadRequest(DataSetKind kind) {
    QByteArray data(11, '\0');
    data[0] = 1;
    if (kind == DataSetKind::Attendance) {
        WriteU16(data, 1, code::ReadAttendanceLog);
    } else {
        WriteU16(data, 1, code::ReadAllUsers);
        data[3] = static_cast<char>(code::UserData);
    }
    return data;
}

QByteArray oneShotRead(CommandChannel& channel, DataSetKind kind) {
    const Reply reply = kind == DataSetKind::Attendance
                            ? channel.transfer(code::ReadAttendanceLog, {}, IsWholeDataSet)
                            : channel.transfer(code::ReadAllUsers,
                                               QByteArray(1, char(code::UserData)), IsWholeDataSet);
    if (reply.code != code::Data) {
        refuse(channel, QStringLiteral("the terminal refused to send its %1 (%2)")
                            .arg(QLatin1String(kindName(kind)), ReplyCodeText(reply.code)));
    }
    return reply.data;
}

QByteArray bufferedRead(CommandChannel& channel, DataSetKind kind, const QByteArray& answer,
                        quint32 chunkSize) {
    if (answer.size() < BufferedReadAnswerLength) {
        refuse(channel, QStringLiteral("the terminal prepared its %1 without giving its size")
                            .arg(QLatin1String(kindName(kind))));
    }
    if (answer.at(0) != 0) {
        refuse(channel, QStringLiteral("the terminal prepared its %1 compressed, which is not "
                                       "read here")
                            .arg(QLatin1String(kindName(kind))));
    }
    const quint32 size = ReadU32(answer, 1);
    if (size > DataSetLimit) {
        refuse(channel, QStringLiteral("the terminal announced a %1 of %2 bytes, more than the "
                                       "%3 taken")
                            .arg(QLatin1String(kindName(kind)))
                            .arg(size)
                            .arg(DataSetLimit));
    }
    QByteArray dataSet;
    dataSet.reserve(size);
    const quint32 step = std::max<quint32>(1, chunkSize);
    for (quint32 offset = 0; offset < size; offset += std::min(step, size - offset)) {
        channel.readBufferChunk(offset, std::min(step, size - offset), dataSet);
    }
    return dataSet;
}

} // namespace

bool IsWholeDataSet(const QByteArray& dataSet) {
    return dataSet.size() >= 4 && qint64(ReadU32(dataSet, 0)) + 4 == dataSet.size();
}

DeviceCounts ReadDeviceCounts(CommandChannel& channel) {
    const Reply reply = channel.command(code::GetFreeSizes);
    if (reply.code != code::Ok || reply.data.size() < FreeSizesLength) {
        refuse(channel, QStringLiteral("the terminal did not tell how many records it holds (%1, "
                                       "%2 bytes)")
                            .arg(ReplyCodeText(reply.code))
                            .arg(reply.data.size()));
    }
    return {ReadU32(reply.data, UsersOffset), ReadU32(reply.data, RecordsOffset)};
}

QByteArray DownloadDataSet(CommandChannel& channel, DataSetKind kind, quint32 chunkSize) {
    const Reply prepared =
        channel.transfer(code::PrepareBufferedRead, bufferedReadRequest(kind), IsWholeDataSet);
    QByteArray dataSet;
    switch (prepared.code) {
    case code::Data:
        dataSet = prepared.data;
        break;
    case code::Ok:
        dataSet = bufferedRead(channel, kind, prepared.data, chunkSize);
        break;
    case code::Error:
    case code::UnknownCommand:
        // Firmware without the buffered read.
        dataSet = oneShotRead(channel, kind);
        break;
    default:
        refuse(channel, QStringLiteral("the terminal refused to prepare its %1 (%2)")
                            .arg(QLatin1String(kindName(kind)), ReplyCodeText(prepared.code)));
    }
    if (!IsWholeDataSet(dataSet)) {
        refuse(channel,
               QStringLiteral("the %1 arrived incomplete: %2 bytes, where its start announces %3")
                   .arg(QLatin1String(kindName(kind)))
                   .arg(dataSet.size())
                   .arg(dataSet.size() >= 4 ? qint64(ReadU32(dataSet, 0)) + 4 : qint64(4)));
    }
    return dataSet;
}

} // namespace terminal::network
