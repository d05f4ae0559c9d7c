#include "device_image.h"

#include "platform/errors.h"

#include <QFile>
#include <QStringList>

namespace terminal {

namespace {

const QStringList& headerFields() {
    static const QStringList fields{
        QStringLiteral("enrolment"), QStringLiteral("mode"),   QStringLiteral("year"),
        QStringLiteral("month"),     QStringLiteral("day"),    QStringLiteral("hour"),
        QStringLiteral("minute"),    QStringLiteral("second"),
    };
    return fields;
}

[[noreturn]] void malformed(const QString& fileName, int line, const QString& what) {
    throw platform::InputError(QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(what));
}

qint32 number(const QString& field, const QString& name, const QString& fileName, int line) {
    bool ok = false;
    const qint32 value = field.trimmed().toInt(&ok, 10);
    if (!ok) {
        malformed(fileName, line,
                  QStringLiteral("%1 '%2' is not a decimal integer").arg(name, field));
    }
    return value;
}

} // namespace

QList<DeviceRecord> ParseDeviceImage(const QString& text, const QString& fileName) {
    QList<DeviceRecord> records;
    bool headerSeen = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const int lineNumber = static_cast<int>(index) + 1;
        QString line = lines.at(index);
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList fields = line.split(QLatin1Char(','));
        if (!headerSeen) {
            QStringList names;
            for (const QString& field : fields) {
                names.append(field.trimmed());
            }
            if (names != headerFields()) {
                malformed(fileName, lineNumber,
                          QStringLiteral("the header line '%1' is required first")
                              .arg(headerFields().join(QLatin1Char(','))));
            }
            headerSeen = true;
            continue;
        }
        if (fields.size() != headerFields().size()) {
            malformed(fileName, lineNumber,
                      QStringLiteral("%1 fields where %2 are required")
                          .arg(fields.size())
                          .arg(headerFields().size()));
        }
        DeviceRecord record;
        record.enrolment = fields.at(0).trimmed();
        if (record.enrolment.isEmpty()) {
            malformed(fileName, lineNumber, QStringLiteral("the enrolment is empty"));
        }
        record.mode = number(fields.at(1), headerFields().at(1), fileName, lineNumber);
        record.year = number(fields.at(2), headerFields().at(2), fileName, lineNumber);
        record.month = number(fields.at(3), headerFields().at(3), fileName, lineNumber);
        record.day = number(fields.at(4), headerFields().at(4), fileName, lineNumber);
        record.hour = number(fields.at(5), headerFields().at(5), fileName, lineNumber);
        record.minute = number(fields.at(6), headerFields().at(6), fileName, lineNumber);
        record.second = number(fields.at(7), headerFields().at(7), fileName, lineNumber);
        records.append(record);
    }
    if (!headerSeen) {
        malformed(fileName, static_cast<int>(lines.size()),
                  QStringLiteral("the header line is missing"));
    }
    return records;
}

QList<DeviceRecord> ReadDeviceImage(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw platform::InputError(
            QStringLiteral("%1: cannot be read: %2").arg(fileName, file.errorString()));
    }
    return ParseDeviceImage(QString::fromUtf8(file.readAll()), fileName);
}

QString FormatDeviceImage(const QList<DeviceRecord>& records) {
    QString text = headerFields().join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const DeviceRecord& r : records) {
        text += QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8\n")
                    .arg(r.enrolment)
                    .arg(r.mode)
                    .arg(r.year)
                    .arg(r.month)
                    .arg(r.day)
                    .arg(r.hour)
                    .arg(r.minute)
                    .arg(r.second);
    }
    return text;
}

} // namespace terminal
