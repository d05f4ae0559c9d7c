#include "user_settings.h"

#include "errors.h"

#include <QSettings>

namespace platform {

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

QString UserSettings::Problem() const {
    switch (settings_->status()) {
    case QSettings::NoError:
        return {};
    case QSettings::FormatError:
        return QStringLiteral("the settings file %1 is damaged").arg(FileName());
    case QSettings::AccessError:
        break;
    }
    return QStringLiteral("the settings file %1 cannot be read").arg(FileName());
}

qint32 UserSettings::ReadInteger(const QString& section, const QString& name,
                                 qint32 defaultValue) const {
    const QVariant value = settings_->value(section + QLatin1Char('/') + name);
    // A list or anything else that is not plain text reads as empty text.
    bool isNumber = false;
    const qint32 number = value.toString().trimmed().toInt(&isNumber, 10);
    return isNumber ? number : defaultValue;
}

void UserSettings::WriteInteger(const QString& section, const QString& name, qint32 value) {
    settings_->setValue(section + QLatin1Char('/') + name, QString::number(value));
    settings_->sync();
    // A damaged file found while writing is replaced by the sound one; only a file that
    // cannot be written is a failure.
    if (settings_->status() == QSettings::AccessError) {
        throw InputError(QStringLiteral("the settings file %1 cannot be written").arg(FileName()));
    }
}

} // namespace platform
