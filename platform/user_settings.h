#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

class QSettings;

namespace platform {

// One program's per-user settings: named values in sections, kept as text where the desktop
// keeps each user's configuration (on Linux $XDG_CONFIG_HOME/<organisation>/<application>.conf,
// by default under ~/.config). Values of other users and of the whole system are never read.
class UserSettings {
public:
    UserSettings(const QString& organisation, const QString& application);
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;
    ~UserSettings();

    // Empty when the settings were read as they were written; otherwise what went wrong:
    // the file cannot be read (nothing of it is used), or it is damaged (what is left of it is
    // used). Either way the next write puts a sound file in its place.
    QString Problem() const;

    // The number stored under the name in the section; defaultValue when it is missing, empty
    // or no decimal integer.
    qint32 ReadInteger(const QString& section, const QString& name, qint32 defaultValue) const;

    // Stores the number as decimal text, creating the section and the file when missing.
    // Throws InputError when it cannot be stored.
    void WriteInteger(const QString& section, const QString& name, qint32 value);

    QString FileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace platform
