#pragma once

#include "terminal/run_view.h"

#include <QWidget>
#include <exception>

class LoadSteps;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
namespace platform {
class AutoSizeLabel;
}
namespace HotKey {
class TNavHotKey;
}

// The load window. Building it lays out its controls; FormCreate then runs the whole load
// before the window is first shown, and the window closes itself 20 seconds later.
class TfrmAutoload : public QWidget, private terminal::RunView {
    Q_OBJECT
public:
    explicit TfrmAutoload(LoadSteps& steps, QWidget* parent = nullptr);

    // Runs the window's creation steps in their fixed order. An error that leaves a step is
    // shown in the error box and skips the remaining steps; the window then stays open
    // until its Close button is clicked.
    void FormCreate();

    // True once every creation step has run.
    bool CreationCompleted() const { return creationCompleted_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the download shows, on this window.
    void SetStatusText(const QString& text) override;
    void SetBusyCursor(bool busy) override;
    void ShowMessage(const QString& text) override;

    void FormShow();
    void FormClose();
    void Timer1Timer();
    void btnCloseClick();
    void btnStartClick();

    LoadSteps& steps_;
    QPlainTextEdit* Memo1;
    QLabel* lblAXIPAddr;
    QLineEdit* edtAXIPAddr;
    platform::AutoSizeLabel* lblTchID;
    QWidget* CZKEM1;
    QPushButton* btnStart;
    QPushButton* btnClose;
    HotKey::TNavHotKey* NavHotKey;
    QTimer* Timer1;
    bool creationCompleted_ = false;
    bool busyCursor_ = false;
    // An error of the download, carried from the Start button's click back to creation.
    std::exception_ptr startError_;
};
