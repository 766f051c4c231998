#pragma once

#include <QString>
#include <QStringList>

namespace tovren::chart {

/// How the system writes numbers: the thousands and the decimal separator.
struct NumberSeparators
{
    QString thousands = QStringLiteral(",");
    QString decimal = QStringLiteral(".");

    static NumberSeparators system();
};

/// The number in a printed text, such as 1234.5 in "合计: 1,234.50元": everything before the
/// first "-" or digit and after the last digit is dropped, thousands separators are removed.
/// A text that holds no number gives 0.
double ParseChartNumber(const QString &text,
                        const NumberSeparators &separators = NumberSeparators::system());

/// The item of @p line that starts at @p position, up to the next ";" or the end of the line;
/// @p position moves past that ";".
QString NextItem(const QString &line, qsizetype &position);

/// @p line with a ";" after its last item, unless it already ends with one.
QString terminatedLine(const QString &line);

/// The items of a ";"-terminated line; a line without a final ";" gets one first.
QStringList chartItems(const QString &line);

/// The legend and value lines of a chart, each item followed by ";".
struct ChartLines
{
    QString legend;
    QString values;
};

/// Keeps the @p topCount largest values of @p lines, largest first, each with its legend item.
/// The values beyond them are summed into one item named @p othersLabel, or dropped when the
/// label is empty. Items with the same value keep their order; identical items all count. Both
/// lines must hold the same number of items.
ChartLines GroupTopValues(const ChartLines &lines, int topCount, const QString &othersLabel,
                          const NumberSeparators &separators = NumberSeparators::system());

} // namespace tovren::chart
