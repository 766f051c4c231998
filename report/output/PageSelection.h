#pragma once

#include <QBitArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace tovren::output {

/// The pages of a report that a page-range text such as "1,3,5-12" asks for.
///
/// It answers membership by page number only, so the order and repetitions in the text never
/// matter, and it holds at most one bit per existing page however large the numbers typed are.
class PageSelection
{
public:
    /// Every page of a report with @p pageCount pages.
    static PageSelection all(int pageCount);

    /// Expands @p text for a report of @p pageCount pages. Spaces are ignored, an empty text
    /// selects every page, a trailing "-" runs to the last page, a reversed range selects
    /// nothing and numbers outside 1..pageCount match no page. An item that is not a whole
    /// number gives nothing and, when @p error is given, a message naming the item.
    static std::optional<PageSelection> ExpandPageRanges(QStringView text, int pageCount,
                                                         QString *error = nullptr);

    bool isAll() const { return m_all; }
    int pageCount() const { return m_pageCount; }
    /// Whether the 1-based @p pageNumber is selected.
    bool contains(int pageNumber) const;

private:
    PageSelection(int pageCount, bool all);
    void addRange(qint64 first, qint64 last);

    int m_pageCount = 0;
    bool m_all = false;
    QBitArray m_pages;
};

} // namespace tovren::output
