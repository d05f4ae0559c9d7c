#include "db_grid.h"

namespace platform {

namespace {
constexpr int kDefaultWidthInCharacters = 10;
} // namespace

void DBGrid::ApplySelected() {
    fieldNames_.clear();
    readOnly_.clear();
    QStringList titles;
    QList<int> widths;
    for (const QString& line : selected_) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        const QString name = fields.value(0);
        bool isNumber = false;
        const int characters = fields.value(1).trimmed().toInt(&isNumber);
        const QString title = fields.value(2);
        fieldNames_.append(name);
        titles.append(title.isEmpty() ? name : title);
        widths.append(isNumber && characters > 0 ? characters : kDefaultWidthInCharacters);
        readOnly_.append(fields.value(3).compare(QLatin1String("T"), Qt::CaseInsensitive) == 0);
    }
    setColumnCount(static_cast<int>(titles.size()));
    setHorizontalHeaderLabels(titles);
    const int characterWidth = fontMetrics().averageCharWidth();
    for (int column = 0; column < columnCount(); ++column) {
        setColumnWidth(column, widths.at(column) * characterWidth);
    }
}

} // namespace platform
