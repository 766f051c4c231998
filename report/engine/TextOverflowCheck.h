#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tovren::engine {

class TqxEMFPages;

/// A text on a prepared page that does not fit its box and would print cut off.
struct TextOverflow
{
    enum class Cut {
        Height, ///< wrapped into more lines than the box shows
        Width,  ///< a line wider than the box, clipped at its edge
    };
    int pageNumber = 0; ///< counted from 1
    QString objectName;
    QString text; ///< the whole value, lines joined without their breaks
    Cut cut = Cut::Height;
    /// The record the page shows and the field the text shows, named by the caller, who knows
    /// how records map to pages ("第 3 条记录 200400003 曾华", "市县"); empty when unknown.
    QString record;
    QString field;
};

/// Finds every text on @p pages whose value would be cut off when printed: lines past the box's
/// bottom (by the rule the builder uses to split a text over pages) or wider than the box.
///
/// Texts that take the width of their value or that are turned are never cut and are not
/// reported; a single line in a box a little lower than its font is not
/// reported either, as it prints whole. Checks the pages as they print; the pages are unchanged.
std::vector<TextOverflow> findTextOverflows(TqxEMFPages &pages);

/// One line per overflow in Chinese, such as
/// "第 3 页 Memo12: \"长沙市\" 超出了框的高度, 印出来会被截断", or, once the record is named,
/// "第 3 条记录 200400003 曾华, 市县 (Memo12): \"长沙市\" 超出了框的高度, 印出来会被截断".
QStringList describeTextOverflows(const std::vector<TextOverflow> &overflows);

} // namespace tovren::engine
