#pragma once

#include <QString>

namespace terminal {

// Which fetch operation reads the terminal's records.
enum class RecordSource { Face, Text, Numeric, Nothing };

// Chosen from the configuration row: the record-source flag AXFACEID and whether the
// addresses AXIPADDRT (T) and AXIPADDR (P) hold any text. The tests run in this order:
// flag 1 and T set; flag 0 and T set; flag 0 and P set; P empty; otherwise nothing.
RecordSource ChooseRecordSource(int faceIdFlag, const QString& addressT, const QString& addressP);

} // namespace terminal
