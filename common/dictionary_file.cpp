#include "dictionary_file.h"

#include "platform/errors.h"

#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>

namespace Translat {

namespace {

constexpr QLatin1String kPacket("DATAPACKET");
constexpr QLatin1String kMetadata("METADATA");
constexpr QLatin1String kFields("FIELDS");
constexpr QLatin1String kField("FIELD");
constexpr QLatin1String kParams("PARAMS");
constexpr QLatin1String kRowData("ROWDATA");
constexpr QLatin1String kRow("ROW");
constexpr QLatin1String kFieldType("string");
constexpr QLatin1String kWidth("255");
static_assert(DictionaryTable::kColumnWidth == 255);

// Reads one data packet; every fault is raised with the line it was found on.
class PacketReader {
public:
    PacketReader(QIODevice* device, QString path) : xml_(device), path_(std::move(path)) {}

    DictionaryTable Read() {
        if (!xml_.readNextStartElement() || xml_.name() != kPacket) {
            fail(QStringLiteral("it is no %1").arg(kPacket));
        }
        bool fieldsRead = false;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == kMetadata && !fieldsRead) {
                readMetadata();
                fieldsRead = true;
            } else if (xml_.name() == kRowData && fieldsRead) {
                readRows();
            } else {
                fail(QStringLiteral("unexpected element %1").arg(xml_.name()));
            }
        }
        // Whatever follows the packet must be no more than comments and blank space.
        while (!xml_.atEnd()) {
            xml_.readNext();
        }
        checkXml();
        if (!fieldsRead) {
            fail(QStringLiteral("it declares no fields"));
        }
        return std::move(dictionary_);
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw platform::InputError(QStringLiteral("the dictionary %1, line %2: %3")
                                       .arg(path_)
                                       .arg(xml_.lineNumber())
                                       .arg(what));
    }

    void checkXml() const {
        if (xml_.hasError()) {
            fail(xml_.errorString());
        }
    }

    void readMetadata() {
        QStringList names;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == kFields) {
                while (xml_.readNextStartElement()) {
                    names.append(readField());
                }
            } else if (xml_.name() == kParams) {
                xml_.skipCurrentElement();
            } else {
                fail(QStringLiteral("unexpected element %1").arg(xml_.name()));
            }
        }
        checkXml();
        if (names != DictionaryTable::ColumnNames()) {
            fail(QStringLiteral("its fields are %1 instead of %2")
                     .arg(names.join(QLatin1Char(',')),
                          DictionaryTable::ColumnNames().join(QLatin1Char(','))));
        }
    }

    QString readField() {
        const QXmlStreamAttributes attributes = xml_.attributes();
        QString name = attributes.value(QLatin1String("attrname")).toString();
        if (xml_.name() != kField || attributes.value(QLatin1String("fieldtype")) != kFieldType ||
            attributes.value(QLatin1String("WIDTH")) != kWidth) {
            fail(QStringLiteral("field %1 is no text of width %2").arg(name, kWidth));
        }
        xml_.skipCurrentElement();
        return name;
    }

    void readRows() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != kRow) {
                fail(QStringLiteral("unexpected element %1").arg(xml_.name()));
            }
            DictionaryRecord record;
            for (const QXmlStreamAttribute& attribute : xml_.attributes()) {
                const int column =
                    static_cast<int>(DictionaryTable::ColumnNames().indexOf(attribute.name()));
                if (column < 0) {
                    fail(QStringLiteral("unknown field %1").arg(attribute.name()));
                }
                if (attribute.value().size() > DictionaryTable::kColumnWidth) {
                    fail(QStringLiteral("a %1 text is longer than %2 characters")
                             .arg(attribute.name(), kWidth));
                }
                record.at(column) = attribute.value().toString();
            }
            const QString english = record.at(0);
            if (!dictionary_.Append(std::move(record))) {
                fail(QStringLiteral("the English text \"%1\" is there twice").arg(english));
            }
            xml_.skipCurrentElement();
        }
        checkXml();
    }

    QXmlStreamReader xml_;
    QString path_;
    DictionaryTable dictionary_;
};

// XML 1.0 cannot carry most control characters, not even as references; a dictionary holding
// one would be written but never read back.
bool fitsXml(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.unicode() >= 0x20 || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
               c == QLatin1Char('\r');
    });
}

void checkStorable(const DictionaryTable& dictionary, const QString& path) {
    for (const auto& [english, record] : dictionary.Records()) {
        for (const QString& text : record) {
            if (!fitsXml(text)) {
                throw platform::InputError(
                    QStringLiteral("the dictionary %1 is left as it was: the text \"%2\" holds a "
                                   "control character")
                        .arg(path, text));
            }
        }
    }
}

} // namespace

DictionaryTable LoadDictionaryFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw platform::InputError(
            QStringLiteral("the dictionary %1 cannot be opened: %2").arg(path, file.errorString()));
    }
    return PacketReader(&file, path).Read();
}

void SaveDictionaryFile(const DictionaryTable& dictionary, const QString& path) {
    checkStorable(dictionary, path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw platform::InputError(QStringLiteral("the dictionary %1 cannot be written: %2")
                                       .arg(path, file.errorString()));
    }
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(kPacket);
    xml.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));
    xml.writeStartElement(kMetadata);
    xml.writeStartElement(kFields);
    for (const QString& name : DictionaryTable::ColumnNames()) {
        xml.writeEmptyElement(kField);
        xml.writeAttribute(QStringLiteral("attrname"), name);
        xml.writeAttribute(QStringLiteral("fieldtype"), kFieldType);
        xml.writeAttribute(QStringLiteral("WIDTH"), kWidth);
    }
    xml.writeEndElement();
    // The records are kept in the order of the first field, which is their unique key.
    xml.writeEmptyElement(kParams);
    xml.writeAttribute(QStringLiteral("DEFAULT_ORDER"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("PRIMARY_KEY"), QStringLiteral("1"));
    xml.writeEndElement();
    xml.writeStartElement(kRowData);
    for (const auto& [english, record] : dictionary.Records()) {
        xml.writeEmptyElement(kRow);
        for (int column = 0; column < DictionaryTable::kColumnCount; ++column) {
            if (!record.at(column).isEmpty()) {
                xml.writeAttribute(DictionaryTable::ColumnNames().at(column), record.at(column));
            }
        }
    }
    xml.writeEndDocument();
    if (xml.hasError() || !file.commit()) {
        throw platform::InputError(QStringLiteral("the dictionary %1 cannot be written: %2")
                                       .arg(path, file.errorString()));
    }
}

} // namespace Translat
