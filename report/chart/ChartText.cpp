#include "report/chart/ChartText.h"

#include <QLocale>
#include <algorithm>
#include <vector>

namespace tovren::chart {

namespace {

constexpr QChar kItemSeparator = u';';

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

/// The shortest text that ParseChartNumber reads back as @p value.
QString numberText(double value, const NumberSeparators &separators)
{
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    text.replace(u'.', separators.decimal);
    return text;
}

} // namespace

NumberSeparators NumberSeparators::system()
{
    const QLocale locale = QLocale::system();
    return {locale.groupSeparator(), locale.decimalPoint()};
}

double ParseChartNumber(const QString &text, const NumberSeparators &separators)
{
    const QString trimmed = text.trimmed();
    qsizetype first = 0;
    while (first < trimmed.size() && trimmed[first] != u'-' && !isAsciiDigit(trimmed[first]))
        ++first;
    qsizetype last = trimmed.size() - 1;
    while (last >= first && !isAsciiDigit(trimmed[last]))
        --last;
    if (last < first)
        return 0;
    QString number = trimmed.mid(first, last - first + 1);
    if (!separators.thousands.isEmpty())
        number.remove(separators.thousands);
    if (separators.decimal != u".") {
        // A "." that is not the decimal separator cannot belong to the number.
        if (number.contains(u'.'))
            return 0;
        number.replace(separators.decimal, QStringLiteral("."));
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0;
}

QString NextItem(const QString &line, qsizetype &position)
{
    const qsizetype end = line.indexOf(kItemSeparator, position);
    const qsizetype stop = end < 0 ? line.size() : end;
    const QString item = line.mid(position, stop - position);
    position = stop + 1;
    return item;
}

QString terminatedLine(const QString &line)
{
    return line.endsWith(kItemSeparator) ? line : line + kItemSeparator;
}

QStringList chartItems(const QString &line)
{
    const QString terminated = terminatedLine(line);
    QStringList items;
    qsizetype position = 0;
    while (position < terminated.size())
        items << NextItem(terminated, position);
    return items;
}

ChartLines GroupTopValues(const ChartLines &lines, int topCount, const QString &othersLabel,
                          const NumberSeparators &separators)
{
    struct Entry
    {
        double value;
        QString valueText;
        QString legend;
    };
    const QStringList legends = chartItems(lines.legend);
    const QStringList values = chartItems(lines.values);
    const qsizetype count = std::min(legends.size(), values.size());
    std::vector<Entry> entries;
    entries.reserve(size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        entries.push_back({ParseChartNumber(values[i], separators), values[i], legends[i]});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.value > b.value; });

    ChartLines grouped;
    const size_t kept = std::min(entries.size(), size_t(std::max(topCount, 0)));
    for (size_t i = 0; i < kept; ++i) {
        grouped.values += entries[i].valueText + kItemSeparator;
        grouped.legend += entries[i].legend + kItemSeparator;
    }
    if (!othersLabel.isEmpty()) {
        double others = 0;
        for (size_t i = kept; i < entries.size(); ++i)
            others += entries[i].value;
        grouped.legend += othersLabel + kItemSeparator;
        grouped.values += numberText(others, separators) + kItemSeparator;
    }
    return grouped;
}

} // namespace tovren::chart
