#pragma once

#include "dictionary_table.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace Translat {

// Where a translator keeps its dictionary and its language setting.
struct TranslatorFiles {
    QString dictionaryFileName;  // empty: no dictionary file
    QString settingsApplication; // empty: no language setting

    // Beside the executable: its path with the extension ".dic"; the setting under the
    // executable's file name.
    static TranslatorFiles ForExecutable(const QString& executablePath);
};

// The executable's path with its extension replaced by ".dic", or with ".dic" appended where
// the file name has no extension.
QString DictionaryFileNameFor(const QString& executablePath);

// Translates the visible texts of the program's windows between English, Chinese and Malay by
// looking each text up in a dictionary file beside the executable. The language is a setting
// of the user's, read when the translator is made and stored again when it goes.
class TTranslator : public QObject {
    Q_OBJECT
public:
    // Loads the dictionary of the running executable, reads the user's language and shows
    // every open window in it.
    explicit TTranslator(QObject* owner = nullptr);
    TTranslator(QObject* owner, TranslatorFiles files);
    TTranslator(const TTranslator&) = delete;
    TTranslator& operator=(const TTranslator&) = delete;
    // Saves a dictionary that grew (for a user with full rights), and stores the language.
    ~TTranslator() override;

    QString DictionaryFileName() const { return files_.dictionaryFileName; }
    qint64 LoadedDataSize() const { return loadedDataSize_; }
    DictionaryTable& Dictionary() { return dictionary_; }
    const DictionaryTable& Dictionary() const { return dictionary_; }
    // 1 Chinese, 2 Malay, 0 and every other number English.
    qint32 LanguageID() const { return languageID_; }

    // Changes the language and translates every open window from the old one into it.
    void SetLanguageID(qint32 languageID);

    // Translates the window's caption and the texts of everything it owns from the language
    // `previous` into the current one.
    void TranslateForm(QWidget* window, qint32 previous);

    // The text, trimmed, in the target column's language. Keeps "..." at the end and moves a
    // keyboard accelerator between the English form ("&File") and the form of the other
    // languages ("(&F) " in front). A text the dictionary lacks stays as it is, trimmed; in
    // English-to-English passes it is collected into the dictionary.
    QString TranslateText(const QString& text, const QString& sourceColumn,
                          const QString& targetColumn);

    // The dictionary column of a language number.
    static QString ColumnOf(qint32 languageID);

private:
    void loadDictionary();
    void readLanguage();
    void saveDictionaryIfGrown();
    void storeLanguage();

    TranslatorFiles files_;
    qint64 loadedDataSize_ = 0;
    DictionaryTable dictionary_;
    qint32 languageID_ = 0;
    // A file that exists but could not be read is never written over: it may still be
    // mended, and saving would put only this run's texts in its place.
    bool fileUnreadable_ = false;
};

// The program's one translator: made before anything else of the program starts, gone after
// everything else has ended.
extern TTranslator* Translator;

// Makes Translator when it is constructed and destroys it when it is destroyed; the program's
// start-up holds one for its whole run.
class TranslatorLifetime {
public:
    TranslatorLifetime();
    TranslatorLifetime(const TranslatorLifetime&) = delete;
    TranslatorLifetime& operator=(const TranslatorLifetime&) = delete;
    ~TranslatorLifetime();
};

} // namespace Translat
