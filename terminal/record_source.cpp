#include "record_source.h"

namespace terminal {

RecordSource ChooseRecordSource(int faceIdFlag, const QString& addressT, const QString& addressP) {
    if (faceIdFlag == 1 && !addressT.isEmpty()) {
        return RecordSource::Face;
    }
    if (faceIdFlag == 0 && !addressT.isEmpty()) {
        return RecordSource::Text;
    }
    if (faceIdFlag == 0 && !addressP.isEmpty()) {
        return RecordSource::Numeric;
    }
    if (addressP.isEmpty()) {
        return RecordSource::Numeric;
    }
    return RecordSource::Nothing;
}

} // namespace terminal
