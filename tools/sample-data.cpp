// Writes the sample school of the demonstration: the SQL that fills a new school database
// (teachers, sessions, the configuration row pointing at a terminal address) and the device
// image of a fortnight of sign-ins and sign-outs on that terminal. The data are the same on
// every run, so a second load finds every record already in the log.

#include "terminal/device_image.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QRandomGenerator>
#include <iostream>

namespace {

constexpr int kTeachers = 30;
constexpr int kMorningTeachers = 20;
constexpr quint32 kSeed = 20240311;
constexpr int kUnknownEnrolment = 9999;

struct Teacher {
    QString code;
    QString name;
    QString session;
    int enrolment;
    bool left;
};

QList<Teacher> teachers() {
    static const char* const names[] = {
        "Aminah binti Hassan", "Bala a/l Muthu",    "Chong Wei Ling",    "Daud bin Osman",
        "Esther Lim",          "Farid bin Kassim",  "Goh Siew Mei",      "Hamidah binti Ali",
        "Indra a/l Rajan",     "Jamilah Yusof",     "Kamal bin Idris",   "Lee Chee Keong",
        "Mariam Abdullah",     "Nirmala Devi",      "Omar bin Salleh",   "Priya Nair",
        "Rosli bin Ahmad",     "Salmah binti Said", "Tan Boon Huat",     "Umi Kalsom",
        "Vijay Kumar",         "Wong Mei Fong",     "Yusri bin Zainal",  "Zainab binti Musa",
        "Azlan bin Rahim",     "Bee Lian Ong",      "Chandran a/l Siva", "Dayang Nurul",
        "Eng Soon Heng",       "Fatimah Zahra",
    };
    QList<Teacher> list;
    for (int i = 0; i < kTeachers; ++i) {
        list.append({QStringLiteral("T%1").arg(i + 1, 2, 10, QLatin1Char('0')),
                     QLatin1String(names[i]),
                     i < kMorningTeachers ? QStringLiteral("PAGI") : QStringLiteral("PETANG"),
                     1001 + i, i == kTeachers - 1});
    }
    return list;
}

QString schoolSql(const QString& terminalAddress) {
    // For a new database made from the school schema.
    QString sql;
    sql += QStringLiteral(
        "INSERT INTO TCHSESS (CODE, DESCRIPTION, TIMEI_MON, TIMEO_MON, TIMEI_TUE, TIMEO_TUE, "
        "TIMEI_WED, TIMEO_WED, TIMEI_THU, TIMEO_THU, TIMEI_FRI, TIMEO_FRI) VALUES ('PAGI', "
        "'Morning session', '1899-12-30 07:30', '1899-12-30 13:30', '1899-12-30 07:30', "
        "'1899-12-30 13:30', '1899-12-30 07:30', '1899-12-30 13:30', '1899-12-30 07:30', "
        "'1899-12-30 13:30', '1899-12-30 07:30', '1899-12-30 12:30');\n");
    sql += QStringLiteral(
        "INSERT INTO TCHSESS (CODE, DESCRIPTION, TIMEI_MON, TIMEO_MON, TIMEI_TUE, TIMEO_TUE, "
        "TIMEI_WED, TIMEO_WED, TIMEI_THU, TIMEO_THU, TIMEI_FRI, TIMEO_FRI) VALUES ('PETANG', "
        "'Afternoon session', '1899-12-30 13:00', '1899-12-30 18:30', '1899-12-30 13:00', "
        "'1899-12-30 18:30', '1899-12-30 13:00', '1899-12-30 18:30', '1899-12-30 13:00', "
        "'1899-12-30 18:30', '1899-12-30 14:30', '1899-12-30 18:30');\n");
    for (const Teacher& t : teachers()) {
        sql += QStringLiteral("INSERT INTO TEACHER (CODE, NAME, SESSION, AXENRLNO, QDATE) VALUES "
                              "('%1', '%2', '%3', %4, %5);\n")
                   .arg(t.code, t.name, t.session)
                   .arg(t.enrolment)
                   .arg(t.left ? QStringLiteral("'2024-02-29'") : QStringLiteral("NULL"));
    }
    sql += QStringLiteral("INSERT INTO SYSCONFIG (AXIPADDR, AXIPADDRT, AXFACEID) VALUES ('', "
                          "'%1', 0);\nCOMMIT;\n")
               .arg(terminalAddress);
    return sql;
}

terminal::DeviceRecord record(int enrolment, int mode, QDate date, int minutesOfDay, int second) {
    return {
        QString::number(enrolment), mode,  date.year(), date.month(), date.day(), minutesOfDay / 60,
        minutesOfDay % 60,          second};
}

QList<terminal::DeviceRecord> fortnight() {
    QRandomGenerator random(kSeed);
    QList<terminal::DeviceRecord> records;
    const QDate first(2024, 3, 11);
    for (QDate date = first; date < first.addDays(14); date = date.addDays(1)) {
        if (date.dayOfWeek() > 5) {
            continue;
        }
        for (const Teacher& t : teachers()) {
            const bool morning = t.session == QLatin1String("PAGI");
            const int start =
                morning ? 7 * 60 + 30 : (date.dayOfWeek() == 5 ? 14 * 60 + 30 : 13 * 60);
            // Most arrive up to 25 minutes early; about one in eight is up to 20 minutes late.
            const bool late = random.bounded(8) == 0;
            const int arrival = late ? start + 1 + random.bounded(20) : start - random.bounded(26);
            const int leaving = start + 6 * 60 + random.bounded(45);
            const auto in = record(t.enrolment, 0, date, arrival, random.bounded(60));
            records.append(in);
            // Now and then a finger is pressed twice.
            if (random.bounded(15) == 0) {
                records.append(in);
            }
            records.append(record(t.enrolment, 1, date, leaving, random.bounded(60)));
        }
    }
    // A visitor's card that belongs to no teacher.
    records.append(record(kUnknownEnrolment, 0, first.addDays(2), 10 * 60 + 15, 0));
    return records;
}

bool writeFile(const QString& name, const QString& text) {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        std::cerr << "sample-data: cannot write " << name.toStdString() << ": "
                  << file.errorString().toStdString() << std::endl;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the sample school's SQL and its terminal's device image."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("sql"), QStringLiteral("Where to write the SQL."), QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("image"), QStringLiteral("Where to write the device image."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("terminal"),
                      QStringLiteral("The terminal's address in the configuration row."),
                      QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1")});
    parser.process(application);
    if (!parser.isSet(QStringLiteral("sql")) || !parser.isSet(QStringLiteral("image"))) {
        std::cerr << "sample-data: --sql FILE and --image FILE are required" << std::endl;
        return 2;
    }
    const bool written = writeFile(parser.value(QStringLiteral("sql")),
                                   schoolSql(parser.value(QStringLiteral("terminal")))) &&
                         writeFile(parser.value(QStringLiteral("image")),
                                   QStringLiteral("# A fortnight at the sample school\n") +
                                       terminal::FormatDeviceImage(fortnight()));
    return written ? 0 : 1;
}
