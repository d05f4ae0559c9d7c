#pragma once

#include "navigable_dataset.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <set>

class QToolButton;

namespace platform {

// The buttons of a navigator bar, numbered as the bar orders them; the first four move the
// current record.
enum class NavigateButton {
    First = 0,
    Prior = 1,
    Next = 2,
    Last = 3,
    Insert = 4,
    Delete = 5,
    Edit = 6,
    Post = 7,
    Cancel = 8,
    Refresh = 9
};
inline constexpr int kNavigateButtonCount = 10;
using NavigateButtons = std::set<NavigateButton>;
NavigateButtons AllNavigateButtons();

// Runs before the bar carries a button's action out; it cancels the action by raising
// (a SilentAbort to do so quietly).
using NavigateHandler = std::function<void(QObject* sender, NavigateButton button)>;

// A bar of buttons that drive a dataset: move through its records, add, delete, change, store,
// drop changes and read again. The bar is a panel with a caption, which its buttons cover.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DBNavigator(QWidget* parent = nullptr);

    NavigableDataSet* DataSource() const { return dataSource_; }
    void SetDataSource(NavigableDataSet* dataSet) { dataSource_ = dataSet; }

    NavigateButtons VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(const NavigateButtons& buttons);

    NavigateHandler BeforeAction() const { return beforeAction_; }
    void SetBeforeAction(NavigateHandler handler) { beforeAction_ = std::move(handler); }

    // When on (the default), the bar asks "Delete record?" before it deletes.
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool on) { confirmDelete_ = on; }

    // One hint per button, in button order, shown as the buttons' tooltips. Setting fewer
    // than ten gives the rest their default hints.
    QStringList Hints() const { return hints_; }
    void SetHints(const QStringList& hints);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }

    // The same as a mouse click on the button: with an open dataset, the before-action
    // handler runs, then the action. Errors, a SilentAbort among them, pass to the caller.
    void BtnClick(NavigateButton button);

    QToolButton* Button(NavigateButton button) const;

private:
    void carryOut(NavigableDataSet& dataSet, NavigateButton button);

    QPointer<NavigableDataSet> dataSource_;
    NavigateButtons visibleButtons_;
    NavigateHandler beforeAction_;
    bool confirmDelete_ = true;
    QStringList hints_;
    QString caption_;
    std::array<QToolButton*, kNavigateButtonCount> buttons_{};
};

} // namespace platform
