#pragma once

#include "report/engine/TqxEMFPages.h"
#include "report/model/TqxView.h"

#include <ostream>
#include <vector>

namespace tovren::test {

/// The text of an object on a prepared page with its place.
struct PlacedText
{
    QString text;
    int left;
    int top;
    bool operator==(const PlacedText &) const = default;
    friend void PrintTo(const PlacedText &placed, std::ostream *os)
    {
        *os << placed.text.toStdString() << " at " << placed.left << "," << placed.top;
    }
};

/// The objects of prepared page @p index in the order they were written.
inline std::vector<PlacedText> placedTexts(engine::TqxEMFPages &pages, qsizetype index)
{
    std::vector<PlacedText> result;
    model::TqxPage &out = pages.Unpack(index);
    for (qsizetype i = 0; i < out.objectCount(); ++i) {
        const model::TqxView &view = *out.object(i);
        result.push_back({view.Memo.join(u'\n'), view.Left, view.Top});
    }
    return result;
}

} // namespace tovren::test
