#include "user_settings.h"

#include "errors.h"

#include <QSettings>

namespace platform {

namespace {

QString statusText(QSettings::Status status) {
    return status == QSettings::FormatError ? QStringLiteral("its contents are damaged")
                                            : QStringLiteral("it cannot be read or written");
}

} // namespace

UserSettings::UserSettings(const QString& organisation, const QString& application)
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            organisation, application)) {
    // Only this user's own settings of this program count.
    settings_->setFallbacksEnabled(false);
}

UserSettings::~UserSettings() = default;

QString UserSettings::FileName() const {
    return settings_->fileName();
}

qint32 UserSettings::ReadInteger(const QString& section, const QString& name,
                                 qint32 defaultValue) const {
    if (settings_->status() != QSettings::NoError) {
        throw InputError(QStringLiteral("the settings file %1: %2")
                             .arg(FileName(), statusText(settings_->status())));
    }
    const QVariant value = settings_->value(section + QLatin1Char('/') + name);
    // A list or anything else that is not plain text reads as empty text.
    bool isNumber = false;
    const qint32 number = value.toString().trimmed().toInt(&isNumber, 10);
    return isNumber ? number : defaultValue;
}

void UserSettings::WriteInteger(const QString& section, const QString& name, qint32 value) {
    settings_->setValue(section + QLatin1Char('/') + name, QString::number(value));
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        throw InputError(QStringLiteral("the settings file %1: %2")
                             .arg(FileName(), statusText(settings_->status())));
    }
}

} // namespace platform
