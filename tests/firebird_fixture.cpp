#include "firebird_fixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>
#include <stdexcept>

namespace firebird {

namespace {
constexpr auto kPasswordFile = "/etc/firebird/3.0/SYSDBA.password";
// A folder the server's own user can write to.
constexpr auto kDataFolder = "/var/lib/firebird/3.0/data";
constexpr auto kSchemaFile = LOADER_SOURCE_DIR "/sql/school-schema.sql";
} // namespace

QString Password() {
    QFile file{QLatin1String(kPasswordFile)};
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the SYSDBA password file " +
                                 std::string(kPasswordFile));
    }
    const QString text = QString::fromUtf8(file.readAll());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("ISC_PASSWORD=\"?([^\"\\n]*)\"?")).match(text);
    if (!match.hasMatch()) {
        throw std::runtime_error("no ISC_PASSWORD in " + std::string(kPasswordFile));
    }
    return match.captured(1);
}

void RunScript(const QString& connectString, const QString& script) {
    QStringList arguments{QStringLiteral("-q"),        QStringLiteral("-bail"),
                          QStringLiteral("-user"),     QStringLiteral("SYSDBA"),
                          QStringLiteral("-password"), Password()};
    if (!connectString.isEmpty()) {
        arguments.append(connectString);
    }
    QProcess isql;
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStringLiteral("isql-fb"), arguments);
    isql.write(script.toUtf8());
    isql.closeWriteChannel();
    if (!isql.waitForFinished(60000) || isql.exitStatus() != QProcess::NormalExit ||
        isql.exitCode() != 0) {
        throw std::runtime_error("isql-fb failed: " + isql.readAll().toStdString() +
                                 isql.errorString().toStdString());
    }
}

} // namespace firebird

TestDatabase::TestDatabase(const QString& extraSql, bool withSchema)
    : path_(QStringLiteral("%1/test-%2.fdb")
                .arg(QLatin1String(firebird::kDataFolder),
                     QUuid::createUuid().toString(QUuid::Id128))) {
    firebird::RunScript(QString(), QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' PASSWORD "
                                                  "'%2' DEFAULT CHARACTER SET UTF8;\n")
                                       .arg(ConnectString(), firebird::Password()));
    QString script;
    if (withSchema) {
        QFile schema{QLatin1String(firebird::kSchemaFile)};
        if (!schema.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("cannot read the school schema");
        }
        script = QString::fromUtf8(schema.readAll());
    }
    script += extraSql;
    if (!script.trimmed().isEmpty()) {
        Execute(script);
    }
}

TestDatabase::~TestDatabase() {
    try {
        firebird::RunScript(ConnectString(), QStringLiteral("DROP DATABASE;\n"));
    } catch (const std::exception&) {
        // The test has reported what went wrong; a database that cannot be dropped only
        // takes some room in the server's folder.
    }
}

void TestDatabase::Execute(const QString& sql) const {
    firebird::RunScript(ConnectString(), sql + QStringLiteral("\nCOMMIT;\n"));
}

std::unique_ptr<db::Connection> TestDatabase::Connect() const {
    auto connection = std::make_unique<db::Connection>();
    connection->SetDatabaseName(ConnectString());
    connection->SetUserName(QStringLiteral("SYSDBA"));
    connection->SetPassword(firebird::Password());
    connection->Connect();
    return connection;
}
