#include "report/engine/TextOverflowCheck.h"

#include "report/engine/TqxEMFPages.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tovren;
using engine::TextOverflow;

namespace {

constexpr int kGapPx = 2;
constexpr int kLineBoxPx = 24; // one 14-point line

QFont certificateFont()
{
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(14);
    return font;
}

/// Width of @p text as a text object lays it out.
double layoutWidth(const QString &text)
{
    return model::TqxGlobals::instance().textMeasurer.width(model::layoutFont(certificateFont()), 0,
                                                            text);
}

/// How each text put on a page in a box of the given size comes out of the check, by name.
class CheckedPage
{
public:
    CheckedPage()
        : m_templatePage(nullptr, model::SheetRequest{})
    {
        m_pages.Add(m_templatePage);
    }

    void add(const QString &name, const QString &text, int widthPx, int heightPx, bool wrap,
             double frameWidthPx = 1)
    {
        model::TqxMemoView memo;
        memo.Name = name;
        memo.Font = certificateFont();
        memo.GapX = kGapPx;
        memo.Left = 10;
        memo.Top = 10 + 40 * m_added++;
        memo.Width = widthPx;
        memo.Height = heightPx;
        memo.FrameWidth = frameWidthPx;
        memo.setFlag(model::TqxMemoView::kWordWrapFlag, wrap);
        memo.ExpandedText = QStringList{text};
        m_pages.appendObject(0, memo);
    }

    /// "name:cut" for every text found cut, in page order.
    QStringList cuts()
    {
        QStringList found;
        for (const TextOverflow &overflow : engine::findTextOverflows(m_pages)) {
            found << overflow.objectName + u':' +
                         (overflow.cut == TextOverflow::Cut::Width ? u'W' : u'H');
        }
        return found;
    }

private:
    model::TqxPage m_templatePage;
    engine::TqxEMFPages m_pages;
    int m_added = 0;
};

} // namespace

TEST(TextOverflowCheck, ValuesAtTheEdgeOfTheirBoxAreCutAsTheyWouldBeDrawn)
{
    // Single-line values are judged from their width alone; that must agree with the layout
    // on both sides of the edge, with and without wrapping, and lines broken by the value
    // itself are never taken for one line.
    const QString name = QStringLiteral("欧阳明轩");
    const int fitting = static_cast<int>(std::ceil(layoutWidth(name))) + 2 * kGapPx;
    const int tooNarrow = static_cast<int>(std::floor(layoutWidth(name))) - 1 + 2 * kGapPx;
    CheckedPage page;
    page.add(QStringLiteral("fits"), name, fitting, kLineBoxPx, false);
    page.add(QStringLiteral("fitsWrapped"), name, fitting, kLineBoxPx, true);
    page.add(QStringLiteral("wide"), name, tooNarrow, kLineBoxPx, false);
    page.add(QStringLiteral("wrapsPastTheBox"), name, tooNarrow, kLineBoxPx, true);
    page.add(QStringLiteral("wrapsInTheBox"), name, tooNarrow, 3 * kLineBoxPx, true);
    page.add(QStringLiteral("brokenByTheValue"), QStringLiteral("欧阳\r\n明轩"), fitting,
             kLineBoxPx, true);
    page.add(QStringLiteral("brokenInTheBox"), QStringLiteral("欧阳\r\n明轩"), fitting,
             3 * kLineBoxPx, true);
    // A thick frame takes half its width from each side of the text.
    page.add(QStringLiteral("framed"), name, fitting, kLineBoxPx, true, 4);
    // The same value seen again on the page is judged as before.
    page.add(QStringLiteral("wideAgain"), name, tooNarrow, kLineBoxPx, false);
    EXPECT_EQ(page.cuts(),
              (QStringList{QStringLiteral("wide:W"), QStringLiteral("wrapsPastTheBox:H"),
                           QStringLiteral("brokenByTheValue:H"), QStringLiteral("framed:H"),
                           QStringLiteral("wideAgain:W")}));
}
