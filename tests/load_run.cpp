#include "load_run.h"

#include "db/connection.h"
#include "db/connection_settings.h"
#include "platform/message_boxes.h"

#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <stdexcept>

QStringList CommittedTeacherLog(const TestDatabase& database) {
    auto connection = database.Connect();
    QSqlQuery query(connection->Handle());
    if (!query.exec(QStringLiteral(
            "SELECT LOGDATE, TCHID, LOGTYPE, REMARK FROM TCHLOG ORDER BY LOGDATE, TCHID"))) {
        throw std::runtime_error("cannot read TCHLOG");
    }
    const auto text = [](const QVariant& value) {
        return value.isNull() ? QStringLiteral("-") : value.toString();
    };
    QStringList rows;
    while (query.next()) {
        const QDateTime moment = query.value(0).toDateTime();
        rows.append(QStringLiteral("%1 %2 %3 %4 %5")
                        .arg(moment.date().toString(QStringLiteral("dd/MM/yyyy")),
                             moment.time().toString(QStringLiteral("HH:mm:ss")),
                             text(query.value(1)), text(query.value(2)), text(query.value(3))));
    }
    return rows;
}

QString WriteSettingsFile(const QString& folder, const TestDatabase& database) {
    QRandomGenerator random(3);
    QString path = folder + QStringLiteral("/attendance-loader.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw std::runtime_error("cannot write the settings file");
    }
    file.write(
        QStringLiteral("[Company List]\nSchooldb=\\\\localhost\\fb;%1\n[DEFAULT]\nSYSDBA=%2\n")
            .arg(database.Path(),
                 db::QuotedSettingsValue(db::ScramblePassword(firebird::Password(), random)))
            .toUtf8());
    return path;
}

LoadRun::LoadRun(const QString& settingsFile, const QList<terminal::DeviceRecord>& records,
                 terminal::SimulatedTerminal::Faults faults)
    : steps_(settingsFile, [this, records, faults] {
          auto simulated = std::make_unique<terminal::SimulatedTerminal>(records);
          simulated->faults = faults;
          terminal_ = simulated.get();
          return simulated;
      }) {
    platform::MessageBoxes::SetMode(platform::MessageMode::Unattended);
    platform::MessageBoxes::ForgetShown();
    window_ = new TfrmAutoload(steps_);
    window_->FormCreate();
}

LoadRun::~LoadRun() {
    delete window_;
}

QStringList LoadRun::Messages() const {
    QStringList texts;
    for (const platform::ShownMessage& message : platform::MessageBoxes::Shown()) {
        texts.append(message.text);
    }
    return texts;
}

terminal::DeviceRecord Record(const QString& enrolment, int mode, int year, int month, int day,
                              int hour, int minute, int second) {
    return {enrolment, mode, year, month, day, hour, minute, second};
}
