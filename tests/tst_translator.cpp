// The translator: its text rules, a window of every kind of component translated into Chinese
// and back, and the user's language setting.

#include "captured_errors.h"
#include "common/translat.h"
#include "db/memory_set.h"
#include "platform/component_tag.h"
#include "platform/dataset.h"
#include "platform/db_grid.h"
#include "platform/navigator_bar.h"
#include "platform/open_windows.h"
#include "platform/page_control.h"
#include "platform/panel.h"
#include "platform/radio_group.h"
#include "platform/speed_button.h"
#include "platform/user_settings.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

// A translator with no files of its own: its dictionary is what the test puts in.
std::unique_ptr<Translat::TTranslator>
translatorWith(const QList<Translat::DictionaryRecord>& records) {
    auto translator = std::make_unique<Translat::TTranslator>(nullptr, Translat::TranslatorFiles{});
    for (const Translat::DictionaryRecord& record : records) {
        translator->Dictionary().Append(record);
    }
    return translator;
}

const QList<Translat::DictionaryRecord>& textRecords() {
    static const QList<Translat::DictionaryRecord> records{
        {QStringLiteral("File"), QStringLiteral("文件"), QStringLiteral("Fail")},
        {QStringLiteral("Exit"), QStringLiteral("退出"), QStringLiteral("Keluar")},
        {QStringLiteral("Save && Exit"), QStringLiteral("保存并退出"),
         QStringLiteral("Simpan && Keluar")},
        {QStringLiteral("Blank"), QString(), QString()},
        // Two records that match "open" in any letter case: "OPEN" comes first in English order.
        {QStringLiteral("Open"), QStringLiteral("打开二"), QStringLiteral("Buka")},
        {QStringLiteral("OPEN"), QStringLiteral("打开一"), QStringLiteral("BUKA")},
    };
    return records;
}

// Dataset fields of every kind, for the rule that only data fields get labels.
class FieldKindsSet : public platform::DataSet {
public:
    explicit FieldKindsSet(QObject* owner) : platform::DataSet(owner) {
        AddField(QStringLiteral("TCH_NAME"));
        AddField(QStringLiteral("AGE_NOW"), platform::FieldKind::Calculated);
        AddField(QStringLiteral("SESSION_NAME"), platform::FieldKind::Lookup);
    }
    bool Active() const override { return false; }
    void Close() override {}
};

template <typename T> T* named(T* component, const char* name) {
    component->setObjectName(QLatin1String(name));
    return component;
}

// A window holding one of each kind of component the translator knows, with English texts.
class EveryKindWindow : public QWidget {
public:
    explicit EveryKindWindow(const char* name) {
        setObjectName(QLatin1String(name));
        setWindowTitle(QStringLiteral("Teacher File"));
        label = named(new QLabel(QStringLiteral("Name"), this), "lblName");
        label->setToolTip(QStringLiteral("Teacher name"));
        fixedLabel = named(new QLabel(QStringLiteral("Name"), this), "lblFixed");
        platform::SetTag(fixedLabel, -1);
        fixedLabel->setToolTip(QStringLiteral("Teacher name"));
        button = named(new QPushButton(QStringLiteral("&Save"), this), "btnSave");
        checkBox = named(new QCheckBox(QStringLiteral("Active"), this), "chkActive");
        radioButton = named(new QRadioButton(QStringLiteral("E&xit"), this), "rbExit");
        speedButton = named(new platform::SpeedButton(this), "sbOpen");
        speedButton->setText(QStringLiteral("Open..."));
        groupBox = named(new QGroupBox(QStringLiteral("Teacher"), this), "grpTeacher");
        radioGroup =
            named(new platform::RadioGroup(QStringLiteral("Session"), groupBox), "rgSession");
        radioGroup->SetItems({QStringLiteral("Morning"), QString(), QStringLiteral("Evening")});
        panel = named(new platform::Panel(this), "pnlTop");
        panel->SetCaption(QStringLiteral("Teacher"));
        navigator = named(new platform::DBNavigator(panel), "navTeacher");
        navigator->SetCaption(QStringLiteral("Records"));
        navigator->SetHints({QStringLiteral("First record"), QString(), QStringLiteral("Delete")});
        pages = named(new platform::PageControl(this), "pcMain");
        page = named(new platform::TabSheet(QStringLiteral("&General")), "tsGeneral");
        pages->AddPage(page);
        menuBar = named(new QMenuBar(this), "mnuMain");
        fileMenu = menuBar->addMenu(QStringLiteral("&File"));
        openItem = fileMenu->addAction(QStringLiteral("&Open..."));
        separator = fileMenu->addAction(QStringLiteral("-"));
        grid = named(new platform::DBGrid(page), "grdTeacher");
        grid->SetSelected({QStringLiteral("TCHID\t10\tTeacher\tT"),
                           QStringLiteral("NAME\t30\tName"), QStringLiteral("SESSION\t8\t")});
        emptyGrid = named(new platform::DBGrid(page), "grdEmpty");
        emptyGrid->setColumnCount(2);
        teachers = new db::MemorySet({{QStringLiteral("TCH_NAME"), db::ColumnKind::Text, 40},
                                      {QStringLiteral("SESSION"), db::ColumnKind::Text, 8}},
                                     {QStringLiteral("TCH_NAME")}, this);
        lockedSet = new db::MemorySet({{QStringLiteral("TCH_NAME"), db::ColumnKind::Text, 40}},
                                      {QStringLiteral("TCH_NAME")}, this);
        platform::SetTag(lockedSet, -2);
        kinds = new FieldKindsSet(this);
    }

    // Every text the window shows, one line each, as "where: text".
    QStringList Texts() const {
        QStringList texts{QStringLiteral("caption: ") + windowTitle(),
                          QStringLiteral("label: ") + label->text(),
                          QStringLiteral("label hint: ") + label->toolTip(),
                          QStringLiteral("fixed label: ") + fixedLabel->text(),
                          QStringLiteral("fixed label hint: ") + fixedLabel->toolTip(),
                          QStringLiteral("button: ") + button->text(),
                          QStringLiteral("check box: ") + checkBox->text(),
                          QStringLiteral("radio button: ") + radioButton->text(),
                          QStringLiteral("speed button: ") + speedButton->text(),
                          QStringLiteral("group box: ") + groupBox->title(),
                          QStringLiteral("radio group: ") + radioGroup->title(),
                          QStringLiteral("radio items: ") +
                              radioGroup->Items().join(QLatin1Char('|')),
                          QStringLiteral("panel: ") + panel->Caption(),
                          QStringLiteral("navigator: ") + navigator->Caption(),
                          QStringLiteral("navigator hints: ") +
                              navigator->Hints().mid(0, 3).join(QLatin1Char('|')),
                          QStringLiteral("navigator button hint: ") +
                              navigator->Button(platform::NavigateButton::First)->toolTip(),
                          QStringLiteral("page: ") + page->Caption(),
                          QStringLiteral("menu: ") + fileMenu->title(),
                          QStringLiteral("menu item: ") + openItem->text(),
                          QStringLiteral("separator: ") + separator->text(),
                          QStringLiteral("grid lines: ") + grid->Selected().join(QLatin1Char('|'))};
        for (const QRadioButton* item : radioGroup->Buttons()) {
            texts.append(QStringLiteral("radio item button: ") + item->text());
        }
        texts.append(QStringLiteral("tab: ") + pages->tabText(0));
        for (int column = 0; column < grid->columnCount(); ++column) {
            texts.append(QStringLiteral("grid heading: ") +
                         grid->horizontalHeaderItem(column)->text());
        }
        texts.append(QStringLiteral("empty grid columns: %1").arg(emptyGrid->columnCount()));
        for (const platform::DataSet* set :
             {static_cast<platform::DataSet*>(teachers), static_cast<platform::DataSet*>(lockedSet),
              static_cast<platform::DataSet*>(kinds)}) {
            for (const platform::DataSetField& field : set->Fields()) {
                texts.append(
                    QStringLiteral("field %1: %2").arg(field.FieldName(), field.DisplayLabel()));
            }
        }
        return texts;
    }

    QLabel* label;
    QLabel* fixedLabel;
    QPushButton* button;
    QCheckBox* checkBox;
    QRadioButton* radioButton;
    platform::SpeedButton* speedButton;
    QGroupBox* groupBox;
    platform::RadioGroup* radioGroup;
    platform::Panel* panel;
    platform::DBNavigator* navigator;
    platform::PageControl* pages;
    platform::TabSheet* page;
    QMenuBar* menuBar;
    QMenu* fileMenu;
    QAction* openItem;
    QAction* separator;
    platform::DBGrid* grid;
    platform::DBGrid* emptyGrid;
    db::MemorySet* teachers;
    db::MemorySet* lockedSet;
    FieldKindsSet* kinds;
};

const QList<Translat::DictionaryRecord>& windowRecords() {
    static const QList<Translat::DictionaryRecord> records{
        {QStringLiteral("Teacher File"), QStringLiteral("教师档案"), QStringLiteral("Fail Guru")},
        {QStringLiteral("Name"), QStringLiteral("姓名"), QStringLiteral("Nama")},
        {QStringLiteral("Teacher name"), QStringLiteral("教师姓名"), QStringLiteral("Nama guru")},
        {QStringLiteral("Save"), QStringLiteral("保存"), QStringLiteral("Simpan")},
        {QStringLiteral("Active"), QStringLiteral("有效"), QStringLiteral("Aktif")},
        {QStringLiteral("Exit"), QStringLiteral("退出"), QStringLiteral("Keluar")},
        {QStringLiteral("Open"), QStringLiteral("打开"), QStringLiteral("Buka")},
        {QStringLiteral("Teacher"), QStringLiteral("教师"), QStringLiteral("Guru")},
        {QStringLiteral("Session"), QStringLiteral("时段"), QStringLiteral("Sesi")},
        {QStringLiteral("Morning"), QStringLiteral("上午"), QStringLiteral("Pagi")},
        {QStringLiteral("Evening"), QStringLiteral("晚上"), QStringLiteral("Petang")},
        {QStringLiteral("Records"), QStringLiteral("记录"), QStringLiteral("Rekod")},
        {QStringLiteral("First record"), QStringLiteral("第一条"), QStringLiteral("Rekod pertama")},
        {QStringLiteral("Delete"), QStringLiteral("删除"), QStringLiteral("Padam")},
        {QStringLiteral("General"), QStringLiteral("常规"), QStringLiteral("Umum")},
        {QStringLiteral("File"), QStringLiteral("文件"), QStringLiteral("Fail")},
        {QStringLiteral("Tch Name"), QStringLiteral("教师名"), QStringLiteral("Nama Guru")},
        {QStringLiteral("Session Name"), QStringLiteral("时段名"), QStringLiteral("Nama Sesi")},
        {QStringLiteral("Age Now"), QStringLiteral("年龄"), QStringLiteral("Umur")},
    };
    return records;
}

QStringList chineseTexts(const QString& caption) {
    return {QStringLiteral("caption: ") + caption,
            QStringLiteral("label: 姓名"),
            QStringLiteral("label hint: 教师姓名"),
            QStringLiteral("fixed label: Name"),
            QStringLiteral("fixed label hint: 教师姓名"),
            QStringLiteral("button: (&S) 保存"),
            QStringLiteral("check box: 有效"),
            QStringLiteral("radio button: (&X) 退出"),
            QStringLiteral("speed button: 打开..."),
            QStringLiteral("group box: 教师"),
            QStringLiteral("radio group: 时段"),
            QStringLiteral("radio items: 上午||晚上"),
            QStringLiteral("panel: 教师"),
            QStringLiteral("navigator: 记录"),
            QStringLiteral("navigator hints: 第一条||删除"),
            QStringLiteral("navigator button hint: 第一条"),
            QStringLiteral("page: (&G) 常规"),
            QStringLiteral("menu: (&F) 文件"),
            QStringLiteral("menu item: (&O) 打开..."),
            QStringLiteral("separator: -"),
            QStringLiteral("grid lines: TCHID\t10\t教师\tT|NAME\t30\t姓名\tF|SESSION\t8\t\tF"),
            QStringLiteral("radio item button: 上午"),
            QStringLiteral("radio item button: "),
            QStringLiteral("radio item button: 晚上"),
            QStringLiteral("tab: (&G) 常规"),
            QStringLiteral("grid heading: 教师"),
            QStringLiteral("grid heading: 姓名"),
            QStringLiteral("grid heading: SESSION"),
            QStringLiteral("empty grid columns: 0"),
            QStringLiteral("field TCH_NAME: 教师名"),
            QStringLiteral("field SESSION: 时段"),
            QStringLiteral("field TCH_NAME: TCH_NAME"),
            QStringLiteral("field TCH_NAME: 教师名"),
            QStringLiteral("field AGE_NOW: AGE_NOW"),
            QStringLiteral("field SESSION_NAME: SESSION_NAME")};
}

// Back in English every text is as designed, with three differences: the grid lines are
// complete, and the labels of data fields are tidied.
QStringList englishTexts() {
    return {QStringLiteral("caption: Teacher File"),
            QStringLiteral("label: Name"),
            QStringLiteral("label hint: Teacher name"),
            QStringLiteral("fixed label: Name"),
            QStringLiteral("fixed label hint: Teacher name"),
            QStringLiteral("button: &Save"),
            QStringLiteral("check box: Active"),
            QStringLiteral("radio button: E&xit"),
            QStringLiteral("speed button: Open..."),
            QStringLiteral("group box: Teacher"),
            QStringLiteral("radio group: Session"),
            QStringLiteral("radio items: Morning||Evening"),
            QStringLiteral("panel: Teacher"),
            QStringLiteral("navigator: Records"),
            QStringLiteral("navigator hints: First record||Delete"),
            QStringLiteral("navigator button hint: First record"),
            QStringLiteral("page: &General"),
            QStringLiteral("menu: &File"),
            QStringLiteral("menu item: &Open..."),
            QStringLiteral("separator: -"),
            QStringLiteral("grid lines: TCHID\t10\tTeacher\tT|NAME\t30\tName\tF|SESSION\t8\t\tF"),
            QStringLiteral("radio item button: Morning"),
            QStringLiteral("radio item button: "),
            QStringLiteral("radio item button: Evening"),
            QStringLiteral("tab: &General"),
            QStringLiteral("grid heading: Teacher"),
            QStringLiteral("grid heading: Name"),
            QStringLiteral("grid heading: SESSION"),
            QStringLiteral("empty grid columns: 0"),
            QStringLiteral("field TCH_NAME: Tch Name"),
            QStringLiteral("field SESSION: Session"),
            QStringLiteral("field TCH_NAME: TCH_NAME"),
            QStringLiteral("field TCH_NAME: Tch Name"),
            QStringLiteral("field AGE_NOW: AGE_NOW"),
            QStringLiteral("field SESSION_NAME: SESSION_NAME")};
}

} // namespace

class TranslatorTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

private slots:
    // The user's own settings are never touched: every setting of this test lives in a folder
    // of its own, chosen before the settings are first used.
    void initTestCase() {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
        qputenv("HOME", QFile::encodeName(config_.path()));
        const platform::UserSettings probe(QStringLiteral("VELMORA"), QStringLiteral("probe"));
        QVERIFY2(probe.FileName().startsWith(config_.path()), qPrintable(probe.FileName()));
    }

    void translateText_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("accelerator into Chinese") << 1 << "English"
                                                  << "Chinese"
                                                  << "&File"
                                                  << "(&F) 文件";
        QTest::newRow("dots kept") << 1 << "English"
                                   << "Chinese"
                                   << "File..."
                                   << "文件...";
        QTest::newRow("accelerator and dots") << 1 << "English"
                                              << "Chinese"
                                              << "&File..."
                                              << "(&F) 文件...";
        QTest::newRow("lower-case letter raised") << 1 << "English"
                                                  << "Chinese"
                                                  << "e&xit"
                                                  << "(&X) 退出";
        QTest::newRow("into Malay") << 2 << "English"
                                    << "Malay"
                                    << "&File"
                                    << "(&F) Fail";
        QTest::newRow("Chinese back to English") << 0 << "Chinese"
                                                 << "English"
                                                 << "(&F) 文件"
                                                 << "&File";
        QTest::newRow("letter inside the word") << 0 << "Chinese"
                                                << "English"
                                                << "(&X) 退出"
                                                << "E&xit";
        QTest::newRow("letter missing from the word") << 0 << "Chinese"
                                                      << "English"
                                                      << "(&Q) 文件"
                                                      << "&File";
        QTest::newRow("doubled ampersand is no accelerator") << 1 << "English"
                                                             << "Chinese"
                                                             << "Save && Exit"
                                                             << "保存并退出";
        QTest::newRow("ampersand before a blank is no accelerator") << 1 << "English"
                                                                    << "Chinese"
                                                                    << "& File"
                                                                    << "& File";
        QTest::newRow("ampersand at the end is no accelerator") << 1 << "English"
                                                                << "Chinese"
                                                                << "File&"
                                                                << "File&";
        QTest::newRow("trimmed although not found") << 1 << "English"
                                                    << "Chinese"
                                                    << "  Name  "
                                                    << "Name";
        QTest::newRow("control characters trimmed") << 1 << "English"
                                                    << "Chinese"
                                                    << "\t\r\nFile\n"
                                                    << "文件";
        QTest::newRow("separator") << 1 << "English"
                                   << "Chinese"
                                   << " - "
                                   << "-";
        QTest::newRow("empty translation") << 1 << "English"
                                           << "Chinese"
                                           << "Blank"
                                           << "";
        QTest::newRow("empty translation keeps dots") << 1 << "English"
                                                      << "Chinese"
                                                      << "Blank..."
                                                      << "...";
        QTest::newRow("any letter case") << 1 << "English"
                                         << "Chinese"
                                         << "fILE"
                                         << "文件";
        QTest::newRow("first match in English order") << 1 << "English"
                                                      << "Chinese"
                                                      << "open"
                                                      << "打开一";
        QTest::newRow("other numbers read English, write the prefix form") << 3 << "English"
                                                                           << "English"
                                                                           << "&File"
                                                                           << "(&F) File";
        QTest::newRow("column names in any case") << 1 << "english"
                                                  << "CHINESE"
                                                  << "File"
                                                  << "文件";
    }

    void translateText() {
        QFETCH(int, language);
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto translator = translatorWith(textRecords());
        translator->SetLanguageID(language);
        QCOMPARE(translator->TranslateText(text, source, target), expected);
        QCOMPARE(translator->Dictionary().RecordCount(), static_cast<int>(textRecords().size()));
    }

    // Only an English-to-English pass in English collects the texts the dictionary lacks,
    // trimmed, without "..." and without the accelerator, once, cut to the column width.
    void collectText_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("collected");

        QTest::newRow("plain") << 0 << "English"
                               << "English"
                               << "  Print  "
                               << "Print";
        QTest::newRow("dots and accelerator") << 0 << "English"
                                              << "English"
                                              << "&Print..."
                                              << "Print";
        QTest::newRow("long text cut")
            << 0 << "English"
            << "English" << QString(300, QLatin1Char('7')) << QString(255, QLatin1Char('7'));
        QTest::newRow("same other column") << 0 << "Malay"
                                           << "Malay"
                                           << "Cetak"
                                           << "Cetak";
        QTest::newRow("not in Chinese") << 1 << "English"
                                        << "English"
                                        << "Print"
                                        << "";
        QTest::newRow("not between columns") << 0 << "English"
                                             << "Chinese"
                                             << "Print"
                                             << "";
    }

    void collectText() {
        QFETCH(int, language);
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, text);
        QFETCH(QString, collected);
        const auto translator = translatorWith(textRecords());
        translator->SetLanguageID(language);
        const qint64 sizeBefore = translator->Dictionary().DataSize();
        QCOMPARE(translator->TranslateText(text, source, target), text.trimmed());
        const int added = collected.isEmpty() ? 0 : 1;
        QCOMPARE(translator->Dictionary().RecordCount(),
                 static_cast<int>(textRecords().size()) + added);
        QCOMPARE(translator->Dictionary().DataSize() != sizeBefore, added == 1);
        if (added == 1) {
            const Translat::DictionaryRecord& record =
                translator->Dictionary().Records().at(collected);
            QCOMPARE(record, (Translat::DictionaryRecord{collected, collected, collected}));
        }
        // A second pass, in other letters, finds what the first collected; a text too long
        // for the column is not found again, and not stored twice.
        translator->TranslateText(text.toUpper(), source, target);
        QCOMPARE(translator->Dictionary().RecordCount(),
                 static_cast<int>(textRecords().size()) + added);
    }

    // Every kind of component into Chinese and back; a window named frmMain keeps its caption.
    void windowIntoChineseAndBack_data() {
        QTest::addColumn<QString>("windowName");
        QTest::addColumn<QString>("chineseCaption");
        QTest::newRow("any window") << "frmTeacher"
                                    << "教师档案";
        QTest::newRow("main window") << "FRMmain"
                                     << "Teacher File";
    }

    void windowIntoChineseAndBack() {
        QFETCH(QString, windowName);
        QFETCH(QString, chineseCaption);
        EveryKindWindow window(qPrintable(windowName));
        const auto translator = translatorWith(windowRecords());
        QVERIFY(platform::OpenWindows().contains(&window));

        translator->SetLanguageID(1);
        QCOMPARE(window.Texts(), chineseTexts(chineseCaption));

        // The same language again translates nothing.
        window.label->setText(QStringLiteral("Name"));
        translator->SetLanguageID(1);
        QCOMPARE(window.label->text(), QStringLiteral("Name"));
        window.label->setText(QStringLiteral("姓名"));

        translator->SetLanguageID(0);
        QCOMPARE(window.Texts(), englishTexts());
        QCOMPARE(translator->Dictionary().RecordCount(), static_cast<int>(windowRecords().size()));
    }

    // The open windows come in the same order every time; menus and other popups are none.
    void openWindowsKeepTheirOrder() {
        QWidget first;
        QDialog second;
        QMenu popup;
        const QList<QWidget*> windows = platform::OpenWindows();
        QVERIFY(windows.contains(&first));
        QVERIFY(windows.contains(&second));
        QVERIFY(!windows.contains(&popup));
        QCOMPARE(platform::OpenWindows(), windows);
    }

    // The language as stored is read when the translator is made and stored as decimal text
    // when it goes; a value that is no number reads as English. A damaged file is reported,
    // what can be read of it is used, and a sound file takes its place.
    void languageSetting_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("reported");
        QTest::newRow("none stored") << QByteArray() << 0 << 0;
        QTest::newRow("Chinese") << QByteArray("[Default]\nLanguageID=1\n") << 1 << 0;
        QTest::newRow("Malay") << QByteArray("[Default]\nLanguageID=2\n") << 2 << 0;
        QTest::newRow("another number") << QByteArray("[Default]\nLanguageID=7\n") << 7 << 0;
        QTest::newRow("empty") << QByteArray("[Default]\nLanguageID=\n") << 0 << 0;
        QTest::newRow("no number") << QByteArray("[Default]\nLanguageID=Chinese\n") << 0 << 0;
        QTest::newRow("too big") << QByteArray("[Default]\nLanguageID=99999999999\n") << 0 << 0;
        QTest::newRow("a list") << QByteArray("[Default]\nLanguageID=1, 2\n") << 0 << 0;
        QTest::newRow("damaged") << QByteArray("[Default\nLanguageID=1\n") << 1 << 1;
    }

    void languageSetting() {
        QFETCH(QByteArray, stored);
        QFETCH(int, language);
        QFETCH(int, reported);
        // A program of its own per case, so no case reads what the one before it left.
        const QString application = QStringLiteral("loader-") +
                                    QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
        const QString path = config_.filePath(QStringLiteral("VELMORA/%1.conf").arg(application));
        if (!stored.isEmpty()) {
            QDir().mkpath(config_.filePath(QStringLiteral("VELMORA")));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(stored);
        }
        CapturedErrors errors;
        {
            const Translat::TTranslator translator(nullptr, {QString(), application});
            QCOMPARE(translator.LanguageID(), language);
        }
        QCOMPARE(errors.Lines(), reported);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("[Default]\nLanguageID=%1\n").arg(language));
    }

    // Settings that can be neither read nor written are told about, twice, and the run goes
    // on in English.
    void unusableSettingsAreReported() {
        const QString application = QStringLiteral("loader-folder");
        QVERIFY(
            QDir().mkpath(config_.filePath(QStringLiteral("VELMORA/%1.conf").arg(application))));
        CapturedErrors errors;
        {
            const Translat::TTranslator translator(nullptr, {QString(), application});
            QCOMPARE(translator.LanguageID(), 0);
        }
        QCOMPARE(errors.Lines(), 2);
        QVERIFY2(errors.Text().contains(QStringLiteral("cannot be read; the language is English")),
                 qPrintable(errors.Text()));
        QVERIFY2(errors.Text().contains(QStringLiteral("cannot be written")),
                 qPrintable(errors.Text()));
    }
};

QTEST_MAIN(TranslatorTest)
#include "tst_translator.moc"
