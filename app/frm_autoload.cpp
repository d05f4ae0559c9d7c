#include "frm_autoload.h"

#include "common/general_window.h"
#include "common/hot_key.h"
#include "load_steps.h"
#include "platform/auto_size_label.h"
#include "platform/message_boxes.h"
#include "platform/silent_abort.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kClientWidth = 355;
constexpr int kClientHeight = 160;
constexpr int kStoredTimerInterval = 10000;
constexpr int kCloseAfterMilliseconds = 20000;

const QStringList& memoLines() {
    static const QStringList lines{
        QString(),
        QStringLiteral(
            "      This process auto load Attendex transactions to the Teacher Log File."),
        QString(),
        QStringLiteral("      Please verify the IP address. "),
    };
    return lines;
}

template <typename Widget> Widget* place(Widget* widget, const char* name, QRect geometry) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

// Fonts measure a little differently from one system to another; a label keeps its stored
// size unless that would cut off part of its text.
void keepTextVisible(QLabel* label) {
    const QSize needed = label->sizeHint();
    label->resize(std::max(label->width(), needed.width()),
                  std::max(label->height(), needed.height()));
}

QString errorText(const std::exception& error) {
    return QString::fromUtf8(error.what());
}

} // namespace

TfrmAutoload::TfrmAutoload(LoadSteps& steps, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), steps_(steps) {
    setObjectName(QStringLiteral("frmAutoload"));
    setWindowTitle(QStringLiteral("Load Attendex Data (Teacher)"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    setPalette(windowPalette);
    setAutoFillBackground(true);

    Memo1 = place(new QPlainTextEdit(this), "Memo1", {0, 0, kClientWidth, 57});
    Memo1->setPlainText(memoLines().join(QLatin1Char('\n')));
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFocusPolicy(Qt::ClickFocus);
    // A narrow margin, as a borderless memo has, so the longest line fits the window's width.
    Memo1->document()->setDocumentMargin(1);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    Memo1->setPalette(memoPalette);

    lblAXIPAddr =
        place(new QLabel(QStringLiteral("Attendex IP"), this), "lblAXIPAddr", {24, 86, 55, 13});
    edtAXIPAddr = place(new QLineEdit(this), "edtAXIPAddr", {88, 80, 137, 21});
    lblAXIPAddr->setBuddy(edtAXIPAddr);

    lblTchID = place(new platform::AutoSizeLabel(QStringLiteral("Loading Teacher ID :"), this),
                     "lblTchID", {88, 104, 101, 13});

    // Holds the terminal link; it shows nothing of its own.
    CZKEM1 = place(new QWidget(this), "CZKEM1", {16, 102, 41, 41});

    // The window has a fixed size, so the buttons' anchoring to the right and bottom edges
    // never moves them.
    btnStart =
        place(new QPushButton(QStringLiteral("&Start"), this), "btnStart", {194, 120, 71, 25});
    btnStart->setVisible(false);
    btnClose =
        place(new QPushButton(QStringLiteral("&Close"), this), "btnClose", {274, 120, 71, 25});

    // Only its Enter handling, F12 and Shift+F10 serve here: the window has no navigator bar.
    NavHotKey = new HotKey::TNavHotKey(this);
    NavHotKey->setObjectName(QStringLiteral("NavHotKey"));
    NavHotKey->SetMoveRecord(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kStoredTimerInterval);

    steps_.CreateComponents(*this);

    connect(Timer1, &QTimer::timeout, this, &TfrmAutoload::Timer1Timer);
    connect(btnStart, &QPushButton::clicked, this, &TfrmAutoload::btnStartClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmAutoload::btnCloseClick);

    // The controls exist: the hot-key component takes the window's key events over.
    NavHotKey->Loaded();
}

void TfrmAutoload::FormCreate() {
    try {
        QFont windowFont = font();
        windowFont.setFamily(QStringLiteral("Arial"));
        setFont(windowFont);
        keepTextVisible(lblAXIPAddr);
        setWindowTitle(General::TitleWithoutVersion());
        steps_.ConnectDatabase();
        steps_.OpenSystemConfig();
        edtAXIPAddr->setText(steps_.TerminalAddress());
        steps_.PrepareInsertStatement();
        steps_.OpenTeachers();
        steps_.OpenSessions();
        steps_.CreateSignSet();
        startError_ = nullptr;
        btnStart->click();
        if (startError_) {
            std::rethrow_exception(std::exchange(startError_, nullptr));
        }
        Timer1->setInterval(kCloseAfterMilliseconds);
        Timer1->start();
        creationCompleted_ = true;
    } catch (const platform::SilentAbort&) {
        // A step was cancelled on purpose, and whoever cancelled it has said why.
    } catch (const std::exception& error) {
        platform::MessageBoxes::ShowError(errorText(error));
    }
}

void TfrmAutoload::SetStatusText(const QString& text) {
    lblTchID->SetCaption(text);
}

void TfrmAutoload::SetBusyCursor(bool busy) {
    if (busy && !busyCursor_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (!busy && busyCursor_) {
        QApplication::restoreOverrideCursor();
    }
    busyCursor_ = busy;
}

void TfrmAutoload::ShowMessage(const QString& text) {
    platform::MessageBoxes::ShowMessage(text);
}

void TfrmAutoload::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TfrmAutoload::FormShow() {}

void TfrmAutoload::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TfrmAutoload::FormClose() {
    General::CloseAllDataSets(this);
    setAttribute(Qt::WA_DeleteOnClose);
}

void TfrmAutoload::Timer1Timer() {
    btnClose->click();
}

void TfrmAutoload::btnCloseClick() {
    if (Timer1 != nullptr) {
        Timer1->setInterval(0);
        disconnect(Timer1, &QTimer::timeout, this, &TfrmAutoload::Timer1Timer);
        Timer1->stop();
        delete Timer1;
        Timer1 = nullptr;
    }
    try {
        steps_.CloseRunDataSets();
    } catch (const platform::SilentAbort&) {
        return;
    } catch (const std::exception& error) {
        platform::MessageBoxes::ShowError(errorText(error));
        return;
    }
    close();
}

void TfrmAutoload::btnStartClick() {
    // The click comes from FormCreate, which reports the error; an exception must not
    // travel through the toolkit's signal delivery, so it is carried back instead.
    try {
        steps_.Download(edtAXIPAddr->text(), *this);
    } catch (...) {
        startError_ = std::current_exception();
    }
}
