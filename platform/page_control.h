#pragma once

#include <QString>
#include <QTabWidget>
#include <QWidget>

namespace platform {

// One page of a page control; its caption is the text of its tab.
class TabSheet : public QWidget {
    Q_OBJECT
public:
    explicit TabSheet(const QString& caption = QString(), QWidget* parent = nullptr)
        : QWidget(parent), caption_(caption) {}

    QString Caption() const;
    // Also renames the page's tab when the page is in a page control.
    void SetCaption(const QString& caption);

private:
    // The tab widget that shows this page, if any.
    QTabWidget* tabs() const;

    QString caption_;
};

// Pages behind tabs, one page visible at a time.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    using QTabWidget::QTabWidget;

    // Adds the page behind a new last tab that shows the page's caption.
    void AddPage(TabSheet* page) { addTab(page, page->Caption()); }
};

} // namespace platform
