#include "report/output/PageSelection.h"

#include <algorithm>
#include <limits>

namespace tovren::output {

namespace {

// A whole number of decimal digits. Numbers too large for any page saturate instead of failing,
// so "1-99999999999" still means "from page 1 on".
std::optional<qint64> parseItem(QStringView item)
{
    if (item.isEmpty())
        return std::nullopt;
    constexpr qint64 kSaturated = std::numeric_limits<qint32>::max();
    qint64 value = 0;
    for (const QChar c : item) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min(kSaturated, value * 10 + (c.unicode() - u'0'));
    }
    return value;
}

QString notANumber(QStringView item)
{
    return QStringLiteral("“%1” 不是有效的页号").arg(item);
}

} // namespace

PageSelection::PageSelection(int pageCount, bool all)
    : m_pageCount(std::max(0, pageCount))
    , m_all(all)
{
    if (!all)
        m_pages.resize(m_pageCount);
}

PageSelection PageSelection::all(int pageCount)
{
    return PageSelection(pageCount, true);
}

bool PageSelection::contains(int pageNumber) const
{
    if (pageNumber < 1 || pageNumber > m_pageCount)
        return false;
    return m_all || m_pages.testBit(pageNumber - 1);
}

void PageSelection::addRange(qint64 first, qint64 last)
{
    // Clamped to the pages that exist: a range never costs more than the report's page count.
    first = std::max<qint64>(first, 1);
    last = std::min<qint64>(last, m_pageCount);
    if (first > last)
        return;
    m_pages.fill(true, int(first - 1), int(last));
}

std::optional<PageSelection> PageSelection::ExpandPageRanges(QStringView text, int pageCount,
                                                             QString *error)
{
    QString compact = text.toString();
    compact.remove(u' ');
    if (compact.isEmpty())
        return all(pageCount);
    if (compact.endsWith(u'-'))
        compact += QString::number(std::max(0, pageCount));
    compact += u',';

    PageSelection selection(pageCount, false);
    qsizetype itemStart = 0;
    bool inRange = false;
    qint64 rangeStart = 0;
    for (qsizetype i = 0; i < compact.size(); ++i) {
        const QChar c = compact.at(i);
        if (c != u',' && c != u'-')
            continue;
        const QStringView item = QStringView(compact).mid(itemStart, i - itemStart);
        const std::optional<qint64> number = parseItem(item);
        if (!number) {
            if (error)
                *error = notANumber(item);
            return std::nullopt;
        }
        if (c == u'-') {
            // A second hyphen restarts the range: "1-3-5" is 3 to 5.
            inRange = true;
            rangeStart = *number;
        } else {
            selection.addRange(inRange ? rangeStart : *number, *number);
            inRange = false;
        }
        itemStart = i + 1;
    }
    return selection;
}

} // namespace tovren::output
