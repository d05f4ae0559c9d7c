#include "terminal_options.h"

#include "db/profile_reader.h"
#include "platform/errors.h"

namespace terminal {

namespace {

QString section() {
    return QStringLiteral("Terminal");
}

[[noreturn]] void malformed(const QString& settingsFile, const QString& key, const QString& value,
                            const QString& expected) {
    throw platform::InputError(
        QStringLiteral("Settings file %1, section [%2]: %3=%4 is not valid; %5 is expected")
            .arg(settingsFile, section(), key, value, expected));
}

QString value(const QString& settingsFile, const QString& key) {
    return db::ReadProfileString(settingsFile, section(), key, QString());
}

} // namespace

TerminalOptions ReadTerminalOptions(const QString& settingsFile) {
    TerminalOptions options;

    const QString key = value(settingsFile, QStringLiteral("CommKey"));
    if (!key.isEmpty()) {
        bool digits = key.size() <= 10;
        for (const QChar c : key) {
            digits = digits && c >= u'0' && c <= u'9';
        }
        const qulonglong number = digits ? key.toULongLong() : 0;
        if (!digits || number > 0xFFFFFFFFULL) {
            malformed(settingsFile, QStringLiteral("CommKey"), key,
                      QStringLiteral("a number from 0 to 4294967295"));
        }
        options.commKey = static_cast<quint32>(number);
    }

    const QString transport = value(settingsFile, QStringLiteral("Transport"));
    if (transport.isEmpty() || transport.compare(u"auto", Qt::CaseInsensitive) == 0) {
        options.transport = TerminalTransport::Auto;
    } else if (transport.compare(u"tcp", Qt::CaseInsensitive) == 0) {
        options.transport = TerminalTransport::Tcp;
    } else if (transport.compare(u"udp", Qt::CaseInsensitive) == 0) {
        options.transport = TerminalTransport::Udp;
    } else {
        malformed(settingsFile, QStringLiteral("Transport"), transport,
                  QStringLiteral("auto, tcp or udp"));
    }

    const QString clear = value(settingsFile, QStringLiteral("ClearAfterLoad"));
    if (clear == u"1") {
        options.clearAfterLoad = true;
    } else if (!clear.isEmpty() && clear != u"0") {
        malformed(settingsFile, QStringLiteral("ClearAfterLoad"), clear, QStringLiteral("0 or 1"));
    }
    return options;
}

} // namespace terminal
