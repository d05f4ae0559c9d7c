#include "translat.h"

#include "current_user.h"
#include "dictionary_file.h"
#include "general_text.h"
#include "platform/errors.h"
#include "platform/executable.h"
#include "platform/open_windows.h"
#include "platform/user_settings.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <iostream>
#include <stdexcept>

namespace Translat {

TTranslator* Translator = nullptr;

namespace {

constexpr QLatin1String kOrganisation("VELMORA");
constexpr QLatin1String kSection("Default");
constexpr QLatin1String kLanguageName("LanguageID");
constexpr QLatin1String kEllipsis("...");
constexpr QLatin1String kSeparator("-");

// The translator works before the program's windows exist and after they are gone, so what
// goes wrong is told on standard error, in one line, and the run goes on.
void report(const QString& text) {
    QString program;
    try {
        program = platform::ApplicationTitle();
    } catch (const platform::SystemError&) {
        program = QStringLiteral("attendance-loader");
    }
    std::cerr << program.toStdString() << ": " << text.toStdString() << std::endl;
}

// Blanks and control characters (every character up to 32) off both ends.
QString trimControls(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= ' ') {
        ++first;
    }
    while (last > first && text.at(last - 1).unicode() <= ' ') {
        --last;
    }
    return text.sliced(first, last - first);
}

int requireColumn(const QString& name) {
    const int column = DictionaryTable::ColumnIndex(name);
    if (column < 0) {
        throw std::invalid_argument("no dictionary column " + name.toStdString());
    }
    return column;
}

TranslatorFiles filesOfRunningProgram() {
    try {
        return TranslatorFiles::ForExecutable(platform::ExecutablePath());
    } catch (const platform::SystemError& error) {
        report(QStringLiteral("no dictionary and no language setting: %1").arg(error.text()));
        return {};
    }
}

} // namespace

QString DictionaryFileNameFor(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    const QString name = executable.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return executablePath.left(executablePath.size() - name.size()) + base + QStringLiteral(".dic");
}

TranslatorFiles TranslatorFiles::ForExecutable(const QString& executablePath) {
    return {DictionaryFileNameFor(executablePath), QFileInfo(executablePath).fileName()};
}

QString TTranslator::ColumnOf(qint32 languageID) {
    switch (languageID) {
    case 1:
        return QStringLiteral("Chinese");
    case 2:
        return QStringLiteral("Malay");
    default:
        return QStringLiteral("English");
    }
}

TTranslator::TTranslator(QObject* owner) : TTranslator(owner, filesOfRunningProgram()) {}

TTranslator::TTranslator(QObject* owner, TranslatorFiles files)
    : QObject(owner), files_(std::move(files)) {
    setObjectName(QStringLiteral("Translator"));
    loadDictionary();
    loadedDataSize_ = dictionary_.DataSize();
    readLanguage();
}

void TTranslator::loadDictionary() {
    if (files_.dictionaryFileName.isEmpty() || !QFile::exists(files_.dictionaryFileName)) {
        return;
    }
    try {
        dictionary_ = LoadDictionaryFile(files_.dictionaryFileName);
    } catch (const platform::InputError& error) {
        // A damaged dictionary is no reason to stop the program: its texts simply stay as
        // they were designed.
        dictionary_.Clear();
        fileUnreadable_ = true;
        report(error.text() + QStringLiteral("; the dictionary starts empty"));
    }
}

void TTranslator::readLanguage() {
    if (files_.settingsApplication.isEmpty()) {
        return;
    }
    const platform::UserSettings settings(kOrganisation, files_.settingsApplication);
    const qint32 stored = settings.ReadInteger(kSection, kLanguageName, 0);
    if (!settings.Problem().isEmpty()) {
        report(settings.Problem() + QStringLiteral("; the language is ") + ColumnOf(stored));
    }
    SetLanguageID(stored);
}

TTranslator::~TTranslator() {
    saveDictionaryIfGrown();
    dictionary_.Clear();
    storeLanguage();
}

void TTranslator::saveDictionaryIfGrown() {
    if (files_.dictionaryFileName.isEmpty() || fileUnreadable_ ||
        dictionary_.DataSize() == loadedDataSize_) {
        return;
    }
    // Only a user trusted with every right may change the file all users share. Where nobody
    // has signed in (always so in this loader) nobody holds such rights.
    const std::optional<General::UserRecord>& user = General::CurrentUser();
    if (!user.has_value() || !(user->FullRights || user->SkipRightsCheck)) {
        return;
    }
    try {
        SaveDictionaryFile(dictionary_, files_.dictionaryFileName);
    } catch (const platform::InputError& error) {
        report(error.text());
    }
}

void TTranslator::storeLanguage() {
    if (files_.settingsApplication.isEmpty()) {
        return;
    }
    try {
        platform::UserSettings(kOrganisation, files_.settingsApplication)
            .WriteInteger(kSection, kLanguageName, languageID_);
    } catch (const platform::InputError& error) {
        report(error.text() + QStringLiteral("; the language is not stored"));
    }
}

void TTranslator::SetLanguageID(qint32 languageID) {
    if (languageID == languageID_) {
        return;
    }
    const qint32 previous = languageID_;
    languageID_ = languageID;
    for (QWidget* window : platform::OpenWindows()) {
        TranslateForm(window, previous);
    }
}

QString TTranslator::TranslateText(const QString& text, const QString& sourceColumn,
                                   const QString& targetColumn) {
    const int source = requireColumn(sourceColumn);
    const int target = requireColumn(targetColumn);
    QString trimmed = trimControls(text);
    if (trimmed == kSeparator) {
        return trimmed;
    }
    QString key = trimmed;
    QString suffix;
    if (key.endsWith(kEllipsis)) {
        suffix = kEllipsis;
        key.chop(kEllipsis.size());
    }

    // An accelerator is an "&" followed by anything but a blank or a second "&" ("&&" stands
    // for the "&" itself).
    QString letter;
    const int p = General::FirstPos(QStringLiteral("&"), key);
    if (p > 0 && p < key.size() && key.at(p) != QLatin1Char(' ') && key.at(p) != QLatin1Char('&')) {
        letter = General::UpperCaseAscii(key.at(p));
        if (sourceColumn == QLatin1String("English")) {
            key = General::TakeLeft(key, p - 1) + General::TakeFrom(key, p + 1);
        } else {
            // The other languages carry it in front: "(&F) " and then the text.
            key = General::TakeFrom(key, p + 4);
        }
    }

    const DictionaryRecord* record = dictionary_.Find(source, key);
    if (record == nullptr) {
        if (languageID_ == 0 && sourceColumn == targetColumn) {
            dictionary_.Append({key, key, key});
        }
        return trimmed;
    }
    QString result = record->at(target) + suffix;
    if (letter.isEmpty()) {
        return result;
    }
    if (languageID_ != 0) {
        return QStringLiteral("(&") + letter + QStringLiteral(") ") + result;
    }
    const int q = General::FirstPos(letter, General::UpperCaseAscii(result));
    return General::TakeLeft(result, q - 1) + QLatin1Char('&') + General::TakeFrom(result, q);
}

TranslatorLifetime::TranslatorLifetime() {
    Translator = new TTranslator(nullptr);
}

TranslatorLifetime::~TranslatorLifetime() {
    delete Translator;
    Translator = nullptr;
}

} // namespace Translat
