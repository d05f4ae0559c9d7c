#pragma once

#include "command_channel.h"

namespace terminal::network {

// What the terminal holds, from its free-sizes answer.
struct DeviceCounts {
    quint32 users = 0;
    quint32 records = 0; // attendance records
};

DeviceCounts ReadDeviceCounts(CommandChannel& channel);

enum class DataSetKind { Attendance, Users };

// The largest data set taken; a larger announced size is not believed.
constexpr quint32 DataSetLimit = 256U * 1024U * 1024U;

// Downloads a whole data set (a 32-bit count of record bytes, then the records): with the
// buffered read, chunk by chunk, or, on firmware without it, with the one-shot read. Throws
// TerminalError when the terminal refuses, or the bytes that arrive are not the whole set.
QByteArray DownloadDataSet(CommandChannel& channel, DataSetKind kind, quint32 chunkSize);

// Whether the bytes are a whole data set: the count they start with is the number of bytes
// that follow it.
bool IsWholeDataSet(const QByteArray& dataSet);

} // namespace terminal::network
