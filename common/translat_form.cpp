// How the translator finds the texts of a window: its caption and, among the components it
// owns, every kind that shows text to the user.

#include "general_text.h"
#include "platform/auto_size_label.h"
#include "platform/component_tag.h"
#include "platform/dataset.h"
#include "platform/db_grid.h"
#include "platform/navigator_bar.h"
#include "platform/page_control.h"
#include "platform/panel.h"
#include "platform/radio_group.h"
#include "platform/speed_button.h"
#include "platform/window_components.h"
#include "translat.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace Translat {

namespace {

using Translate = std::function<QString(const QString&)>;

// Empty texts are left alone: there is nothing to look up, and nothing is set.
template <typename Setter>
void replaceText(const QString& text, const Translate& translate, Setter set) {
    if (!text.isEmpty()) {
        set(translate(text));
    }
}

QStringList translatedLines(const QStringList& lines, const Translate& translate) {
    QStringList result = lines;
    for (QString& line : result) {
        replaceText(line, translate, [&](const QString& text) { line = text; });
    }
    return result;
}

void translateHint(QObject* component, const Translate& translate) {
    if (auto* control = qobject_cast<QWidget*>(component)) {
        replaceText(control->toolTip(), translate,
                    [&](const QString& text) { control->setToolTip(text); });
    }
}

void translateNavigatorHints(QObject* component, const Translate& translate) {
    if (auto* navigator = qobject_cast<platform::DBNavigator*>(component)) {
        navigator->SetHints(translatedLines(navigator->Hints(), translate));
    }
}

bool isButtonControl(QObject* component) {
    return qobject_cast<QPushButton*>(component) != nullptr ||
           qobject_cast<QCheckBox*>(component) != nullptr ||
           qobject_cast<QRadioButton*>(component) != nullptr ||
           qobject_cast<platform::SpeedButton*>(component) != nullptr;
}

// The controls whose caption is part of the design: labels (unless their tag is negative),
// buttons, check boxes, radio buttons, speed buttons, group boxes, panels and pages.
void translateCaption(QObject* component, const Translate& translate) {
    if (auto* autoSizeLabel = qobject_cast<platform::AutoSizeLabel*>(component)) {
        if (platform::Tag(autoSizeLabel) >= 0) {
            replaceText(autoSizeLabel->text(), translate,
                        [&](const QString& text) { autoSizeLabel->SetCaption(text); });
        }
    } else if (auto* label = qobject_cast<QLabel*>(component)) {
        if (platform::Tag(label) >= 0) {
            replaceText(label->text(), translate,
                        [&](const QString& text) { label->setText(text); });
        }
    } else if (isButtonControl(component)) {
        auto* button = qobject_cast<QAbstractButton*>(component);
        replaceText(button->text(), translate, [&](const QString& text) { button->setText(text); });
    } else if (auto* groupBox = qobject_cast<QGroupBox*>(component)) {
        replaceText(groupBox->title(), translate,
                    [&](const QString& text) { groupBox->setTitle(text); });
    } else if (auto* panel = qobject_cast<platform::Panel*>(component)) {
        replaceText(panel->Caption(), translate,
                    [&](const QString& text) { panel->SetCaption(text); });
    } else if (auto* navigator = qobject_cast<platform::DBNavigator*>(component)) {
        replaceText(navigator->Caption(), translate,
                    [&](const QString& text) { navigator->SetCaption(text); });
    } else if (auto* page = qobject_cast<platform::TabSheet*>(component)) {
        replaceText(page->Caption(), translate,
                    [&](const QString& text) { page->SetCaption(text); });
    }
}

void translateMenuItem(QObject* component, const Translate& translate) {
    if (auto* item = qobject_cast<QAction*>(component)) {
        replaceText(item->text(), translate, [&](const QString& text) { item->setText(text); });
    }
}

void translateRadioItems(QObject* component, const Translate& translate) {
    if (auto* group = qobject_cast<platform::RadioGroup*>(component)) {
        group->SetItems(translatedLines(group->Items(), translate));
    }
}

// Each column line holds field name, width, title and read-only flag, separated by tabs.
void translateGridColumns(QObject* component, const Translate& translate) {
    auto* grid = qobject_cast<platform::DBGrid*>(component);
    if (grid == nullptr) {
        return;
    }
    QStringList lines;
    for (const QString& line : grid->Selected()) {
        const QStringList given = line.split(QLatin1Char('\t'));
        QStringList fields{given.value(0), given.value(1), given.value(2), given.value(3)};
        if (fields.at(3).isEmpty()) {
            fields[3] = QStringLiteral("F");
        }
        replaceText(fields.at(2), translate, [&](const QString& text) { fields[2] = text; });
        lines.append(fields.join(QLatin1Char('\t')));
    }
    grid->SetSelected(lines);
    grid->ApplySelected();
}

// Field names such as TCH_NAME become labels such as "Tch Name" before they are looked up.
void translateFieldLabels(QObject* component, const Translate& translate) {
    auto* dataSet = qobject_cast<platform::DataSet*>(component);
    if (dataSet == nullptr || platform::Tag(dataSet) < 0) {
        return;
    }
    for (platform::DataSetField& field : dataSet->Fields()) {
        const QString label = field.DisplayLabel();
        if (field.Kind() != platform::FieldKind::Data || label.isEmpty()) {
            continue;
        }
        const QString tidy = General::CapitalizeWords(
            General::ReplaceAllText(label, QStringLiteral("_"), QStringLiteral(" ")));
        field.SetDisplayLabel(tidy);
        field.SetDisplayLabel(translate(tidy));
    }
}

} // namespace

void TTranslator::TranslateForm(QWidget* window, qint32 previous) {
    if (window == nullptr) {
        return;
    }
    const QString source = ColumnOf(previous);
    const QString target = ColumnOf(languageID_);
    const Translate translate = [&](const QString& text) {
        return TranslateText(text, source, target);
    };
    // The main window of a program shows the program's own name, which is never translated.
    if (window->objectName().compare(QLatin1String("frmMain"), Qt::CaseInsensitive) != 0) {
        replaceText(window->windowTitle(), translate,
                    [&](const QString& text) { window->setWindowTitle(text); });
    }
    for (const QPointer<QObject>& component : platform::WindowComponents(window)) {
        for (const auto step :
             {translateHint, translateNavigatorHints, translateCaption, translateMenuItem,
              translateRadioItems, translateGridColumns, translateFieldLabels}) {
            if (!component.isNull()) {
                step(component, translate);
            }
        }
    }
}

} // namespace Translat
