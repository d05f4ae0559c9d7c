// The translator's dictionary file: read at start, damaged in many ways, and saved at the end
// only when it grew and the signed-in user may change it.

#include "captured_errors.h"
#include "common/current_user.h"
#include "common/dictionary_file.h"
#include "common/translat.h"
#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The field list of a dictionary file, as the translator writes it.
QByteArray fieldList() {
    return "<METADATA><FIELDS>"
           "<FIELD attrname=\"English\" fieldtype=\"string\" WIDTH=\"255\"/>"
           "<FIELD attrname=\"Chinese\" fieldtype=\"string\" WIDTH=\"255\"/>"
           "<FIELD attrname=\"Malay\" fieldtype=\"string\" WIDTH=\"255\"/>"
           "</FIELDS><PARAMS DEFAULT_ORDER=\"1\" PRIMARY_KEY=\"1\" LCID=\"1033\"/></METADATA>";
}

QByteArray packet(const QByteArray& fields, const QByteArray& rows) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DATAPACKET Version=\"2.0\">" + fields +
           "<ROWDATA>" + rows + "</ROWDATA></DATAPACKET>\n";
}

bool writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

} // namespace

class DictionaryFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString path_;

    Translat::TranslatorFiles files() const { return {path_, QString()}; }

private slots:
    void init() {
        path_ = folder_.filePath(QStringLiteral("attendance-loader.dic"));
        QFile::remove(path_);
        General::CurrentUser().reset();
    }

    void dictionaryBesideTheExecutable_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("dictionary");
        QTest::newRow("no extension") << "/opt/school/attendance-loader"
                                      << "/opt/school/attendance-loader.dic";
        QTest::newRow("extension replaced") << "/opt/school/App.exe"
                                            << "/opt/school/App.dic";
        QTest::newRow("last extension only") << "/opt/school/app.tar.gz"
                                             << "/opt/school/app.tar.dic";
        QTest::newRow("dot in a folder") << "/opt/v1.2/loader"
                                         << "/opt/v1.2/loader.dic";
    }

    void dictionaryBesideTheExecutable() {
        QFETCH(QString, executable);
        QFETCH(QString, dictionary);
        QCOMPARE(Translat::DictionaryFileNameFor(executable), dictionary);
        QCOMPARE(Translat::TranslatorFiles::ForExecutable(executable).settingsApplication,
                 executable.section(QLatin1Char('/'), -1));
    }

    // A data packet as another program writes it: attributes in any order, a missing one
    // for an empty text, XML references.
    void readsAWrittenPacket() {
        QVERIFY(writeFile(path_,
                          packet(fieldList(),
                                 "<ROW Malay=\"Fail\" English=\"File\" Chinese=\"文件\"/>\n"
                                 "<ROW English=\"Save &amp;&amp; Exit\" Chinese=\"保存\"/>"
                                 "<ROW English=\"&lt;None&gt;\" Malay=\"&quot;Tiada&quot;\"/>")));
        CapturedErrors errors;
        const Translat::TTranslator translator(nullptr, files());
        QCOMPARE(errors.Text(), QString());
        QCOMPARE(translator.Dictionary().RecordCount(), 3);
        const auto& records = translator.Dictionary().Records();
        QCOMPARE(records.at(QStringLiteral("File")),
                 (Translat::DictionaryRecord{QStringLiteral("File"), QStringLiteral("文件"),
                                             QStringLiteral("Fail")}));
        QCOMPARE(records.at(QStringLiteral("Save && Exit")).at(2), QString());
        QCOMPARE(records.at(QStringLiteral("<None>")).at(2), QStringLiteral("\"Tiada\""));
        QCOMPARE(translator.LoadedDataSize(), translator.Dictionary().DataSize());
    }

    void damagedFileGivesAnEmptyDictionary_data() {
        QTest::addColumn<QByteArray>("contents");
        const QByteArray row = "<ROW English=\"File\" Chinese=\"文件\" Malay=\"Fail\"/>";
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("not XML") << QByteArray("English;Chinese;Malay\nFile;X;Fail\n");
        QTest::newRow("binary") << QByteArray("\x96\x19\xe0\xbd\x01\x00\x00\x00", 8);
        QTest::newRow("cut off") << packet(fieldList(), row).left(150);
        QTest::newRow("another root") << QByteArray("<DATA>") + fieldList() + "</DATA>";
        QTest::newRow("no fields") << QByteArray("<DATAPACKET Version=\"2.0\"/>");
        QTest::newRow("field missing")
            << packet(fieldList().replace(
                          "<FIELD attrname=\"Malay\" fieldtype=\"string\" WIDTH=\"255\"/>", ""),
                      row);
        QTest::newRow("fields in another order") << packet(fieldList()
                                                               .replace("\"Chinese\"", "\"Tmp\"")
                                                               .replace("\"Malay\"", "\"Chinese\"")
                                                               .replace("\"Tmp\"", "\"Malay\""),
                                                           row);
        QTest::newRow("narrower field")
            << packet(fieldList().replace("WIDTH=\"255\"/><FIELD attrname=\"Chinese\"",
                                          "WIDTH=\"100\"/><FIELD attrname=\"Chinese\""),
                      row);
        QTest::newRow("number field") << packet(
            fieldList().replace("\"Malay\" fieldtype=\"string\"", "\"Malay\" fieldtype=\"i4\""),
            row);
        QTest::newRow("unknown row field")
            << packet(fieldList(), "<ROW English=\"File\" Tamil=\"x\"/>");
        QTest::newRow("English twice") << packet(fieldList(), row + row);
        QTest::newRow("text over 255 characters")
            << packet(fieldList(), "<ROW English=\"" + QByteArray(256, 'a') + "\"/>");
        QTest::newRow("foreign element") << packet(fieldList(), row + "<COL/>");
        QTest::newRow("rows before fields") << QByteArray("<DATAPACKET Version=\"2.0\"><ROWDATA>") +
                                                   row + "</ROWDATA>" + fieldList() +
                                                   "</DATAPACKET>";
        QTest::newRow("content after the packet") << packet(fieldList(), row) + "<DATAPACKET/>";
    }

    // Nothing is lost either: the damaged file stays as it was, also after a run that
    // collected a text for a user who may save.
    void damagedFileGivesAnEmptyDictionary() {
        QFETCH(QByteArray, contents);
        QVERIFY(writeFile(path_, contents));
        General::CurrentUser() = General::UserRecord{QStringLiteral("ADMIN"), false, true};
        CapturedErrors errors;
        {
            Translat::TTranslator translator(nullptr, files());
            QCOMPARE(translator.Dictionary().RecordCount(), 0);
            QCOMPARE(translator.TranslateText(QStringLiteral("File"), QStringLiteral("English"),
                                              QStringLiteral("English")),
                     QStringLiteral("File"));
            QCOMPARE(translator.Dictionary().RecordCount(), 1);
        }
        QCOMPARE(errors.Lines(), 1);
        QVERIFY2(errors.Text().contains(path_), qPrintable(errors.Text()));
        QFile file(path_);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    }

    void missingFileGivesAnEmptyDictionaryQuietly() {
        CapturedErrors errors;
        const Translat::TTranslator translator(nullptr, files());
        QCOMPARE(translator.Dictionary().RecordCount(), 0);
        QCOMPARE(translator.LoadedDataSize(), qint64(0));
        QCOMPARE(errors.Text(), QString());
    }

    // A grown dictionary is saved only for a signed-in user with full rights or without
    // rights checks; a dictionary that did not grow is never written.
    void savedOnlyForAUserWithRights_data() {
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<bool>("skipRightsCheck");
        QTest::addColumn<bool>("fullRights");
        QTest::addColumn<bool>("grows");
        QTest::addColumn<bool>("saved");
        QTest::newRow("nobody signed in") << false << false << false << true << false;
        QTest::newRow("user without rights") << true << false << false << true << false;
        QTest::newRow("full rights") << true << false << true << true << true;
        QTest::newRow("no rights checks") << true << true << false << true << true;
        QTest::newRow("full rights, nothing new") << true << true << true << false << false;
    }

    void savedOnlyForAUserWithRights() {
        QFETCH(bool, signedIn);
        QFETCH(bool, skipRightsCheck);
        QFETCH(bool, fullRights);
        QFETCH(bool, grows);
        QFETCH(bool, saved);
        const QByteArray original =
            packet(fieldList(), "<ROW English=\"File\" Chinese=\"文件\" Malay=\"Fail\"/>");
        QVERIFY(writeFile(path_, original));
        if (signedIn) {
            General::CurrentUser() =
                General::UserRecord{QStringLiteral("CLERK"), skipRightsCheck, fullRights};
        }
        {
            Translat::TTranslator translator(nullptr, files());
            const QString text = grows ? QStringLiteral("Print") : QStringLiteral("FILE");
            translator.TranslateText(text, QStringLiteral("English"), QStringLiteral("English"));
        }
        const Translat::DictionaryTable reread = Translat::LoadDictionaryFile(path_);
        QCOMPARE(reread.RecordCount(), saved ? 2 : 1);
        QCOMPARE(static_cast<int>(reread.Records().count(QStringLiteral("Print"))), saved ? 1 : 0);
        if (!saved) {
            QFile file(path_);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), original);
        }
        QCOMPARE(QDir(folder_.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("attendance-loader.dic")});
    }

    // What is saved reads back the same, texts with XML's own signs and full-width texts too.
    void savedDictionaryReadsBack() {
        Translat::DictionaryTable dictionary;
        dictionary.Append({QStringLiteral("A <b> & \"c\" 'd'"), QStringLiteral("中文"),
                           QStringLiteral("Tab\there, line\nthere\r")});
        dictionary.Append({QString(255, QLatin1Char('x')), QString(255, QChar(0x4E2D)), QString()});
        dictionary.Append({QString(), QStringLiteral("空"), QStringLiteral("Kosong")});
        Translat::SaveDictionaryFile(dictionary, path_);
        QCOMPARE(Translat::LoadDictionaryFile(path_).Records(), dictionary.Records());
    }

    // A text XML cannot carry leaves the file as it was, with a message, rather than writing
    // a file that could never be read again.
    void unstorableTextLeavesTheFileAlone() {
        QVERIFY(writeFile(path_, packet(fieldList(), QByteArray())));
        Translat::DictionaryTable dictionary;
        dictionary.Append({QStringLiteral("Bell\x07"), QString(), QString()});
        QVERIFY_THROWS_EXCEPTION(platform::InputError,
                                 Translat::SaveDictionaryFile(dictionary, path_));
        QCOMPARE(Translat::LoadDictionaryFile(path_).RecordCount(), 0);
    }

    void unwritableFolderIsReported() {
        const QString path = QStringLiteral("/proc/no-such-folder/attendance-loader.dic");
        General::CurrentUser() = General::UserRecord{QStringLiteral("ADMIN"), true, true};
        CapturedErrors errors;
        {
            Translat::TTranslator translator(nullptr, {path, QString()});
            translator.TranslateText(QStringLiteral("Print"), QStringLiteral("English"),
                                     QStringLiteral("English"));
        }
        QCOMPARE(errors.Lines(), 1);
        QVERIFY2(errors.Text().contains(path), qPrintable(errors.Text()));
    }
};

QTEST_MAIN(DictionaryFileTest)
#include "tst_dictionary_file.moc"
