#include "report/dialogs/PageOptions.h"

#include "report/dialogs/TqxPgoptForm.h"
#include "report/model/RunState.h"
#include "report/model/TqxPages.h"
#include "report/output/TqxPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

using model::SheetRequest;
using model::TqxPage;

constexpr int kA4 = 9;
constexpr int kA5 = 11;
constexpr int kCustom = SheetRequest::kCustomPaperCode;

/// Pages on the virtual printer, whose paper list is the paper table with the custom size last.
class PageOptionsTest : public ::testing::Test
{
protected:
    PageOptionsTest() { printer.initialize(nullptr); }
    void TearDown() override { model::runState().reset(); }

    TqxPage &addPage() { return *pages.page(pages.Add()); }
    int paperIndex(int code) const { return int(printer.paperCodeList().indexOf(code)); }
    PageOptions optionsOf(const TqxPage &page, bool unlimitedHeight = false) const
    {
        return PageOptions::fromPage(page, unlimitedHeight, printer.paperCodeList(),
                                     printer.binCodes());
    }
    bool apply(const PageOptions &options, TqxPage &page) const
    {
        return options.applyTo(page, printer.paperCodeList(), printer.binCodes());
    }

    output::TqxPrinter printer;
    model::TqxPages pages{&printer};
};

TEST_F(PageOptionsTest, APageReadAndWrittenBackIsUnchanged)
{
    TqxPage &a5 = addPage();
    a5.ChangePaper(SheetRequest{kA5, 0, 0, SheetRequest::kDefaultBin, true});
    a5.Margins = {36, 37, 100, 18};
    a5.ColGap = 20;
    a5.ColCount = 2;
    a5.PrintToPrevPage = true;
    a5.UseMargins = false;

    TqxPage &custom = addPage();
    custom.ChangePaper(SheetRequest{kCustom, 1234, 987, SheetRequest::kDefaultBin, false});

    const PageOptions a5Options = optionsOf(a5, true);
    EXPECT_EQ(a5Options.paperIndex, paperIndex(kA5));
    EXPECT_TRUE(a5Options.landscape);
    EXPECT_TRUE(a5Options.stretchToPrintable);
    EXPECT_TRUE(a5Options.unlimitedHeight);
    EXPECT_EQ(a5Options.leftMarginMm, "10");
    EXPECT_EQ(a5Options.topMarginMm, "10.28"); // four significant digits
    EXPECT_EQ(a5Options.rightMarginMm, "27.78");
    EXPECT_EQ(a5Options.paperWidthMm, QString()) << "only the custom size shows its size";
    const PageOptions customOptions = optionsOf(custom);
    EXPECT_EQ(customOptions.paperIndex, paperIndex(kCustom));
    EXPECT_EQ(customOptions.paperWidthMm, "123.4");
    EXPECT_EQ(customOptions.paperHeightMm, "98.7");

    ASSERT_TRUE(apply(a5Options, a5));
    ASSERT_TRUE(apply(customOptions, custom));
    EXPECT_EQ(a5.PaperSize, kA5);
    EXPECT_EQ(a5.Orientation, 1);
    EXPECT_EQ(a5.PaperBin, TqxPage::kDefaultBin);
    EXPECT_EQ(a5.Margins.left, 36);
    EXPECT_EQ(a5.Margins.top, 37);
    EXPECT_EQ(a5.Margins.right, 100);
    EXPECT_EQ(a5.Margins.bottom, 18);
    EXPECT_EQ(a5.ColGap, 20);
    EXPECT_EQ(a5.ColCount, 2);
    EXPECT_TRUE(a5.PrintToPrevPage);
    EXPECT_FALSE(a5.UseMargins);
    EXPECT_EQ(custom.PaperSize, kCustom);
    EXPECT_EQ(custom.PaperWidth, 1234);
    EXPECT_EQ(custom.PaperHeight, 987);
    EXPECT_EQ(custom.Orientation, 0);
}

TEST_F(PageOptionsTest, TypedLengthsAcceptEitherSeparatorAndFallBackWhenUnparsable)
{
    TqxPage &page = addPage();
    page.Margins = {18, 18, 18, 18};
    page.ColGap = 36;
    PageOptions options = optionsOf(page);
    options.leftMarginMm = "12,5";
    options.topMarginMm = " 12.5 ";
    options.paperIndex = paperIndex(kCustom);
    options.paperWidthMm = "150,5";
    options.paperHeightMm = "200";
    ASSERT_TRUE(apply(options, page));
    EXPECT_EQ(page.Margins.left, 45);
    EXPECT_EQ(page.Margins.top, 45);
    EXPECT_EQ(page.Margins.right, 18);
    EXPECT_EQ(page.ColGap, 36);
    EXPECT_EQ(page.PaperSize, kCustom);
    EXPECT_EQ(page.PaperWidth, 1505);
    EXPECT_EQ(page.PaperHeight, 2000);
    EXPECT_EQ(page.PageInfo.PaperWidthPx, model::designPixelsFromTenthsMm(1505));

    options.bottomMarginMm = "zwei";
    options.paperWidthMm = "";
    ASSERT_TRUE(apply(options, page));
    EXPECT_EQ(page.Margins.left, 0) << "one bad box clears all four margins";
    EXPECT_EQ(page.Margins.top, 0);
    EXPECT_EQ(page.Margins.right, 0);
    EXPECT_EQ(page.Margins.bottom, 0);
    EXPECT_EQ(page.ColGap, 0) << "and the column gap";
    EXPECT_EQ(page.PaperSize, kA4) << "a custom size without a width falls back to A4";
    EXPECT_EQ(page.PaperWidth, 2100);
    EXPECT_EQ(page.PaperHeight, 2970);
}

TEST_F(PageOptionsTest, AnUnusableColumnCountIsRefusedBeforeAnythingIsWritten)
{
    TqxPage &page = addPage();
    page.Margins = {18, 18, 18, 18};
    page.ColCount = 3;
    for (const char *bad : {"-1", "1.5", "", "drei"}) {
        PageOptions options = optionsOf(page);
        options.columnCount = QString::fromUtf8(bad);
        options.leftMarginMm = "20";
        options.landscape = true;
        options.paperIndex = paperIndex(kA5);
        EXPECT_FALSE(options.columnCountError().isEmpty()) << bad;
        EXPECT_FALSE(apply(options, page)) << bad;
        EXPECT_EQ(page.ColCount, 3) << bad;
        EXPECT_EQ(page.Margins.left, 18) << bad;
        EXPECT_EQ(page.Orientation, 0) << bad;
        EXPECT_EQ(page.PaperSize, kA4) << bad;
    }
    PageOptions none = optionsOf(page);
    none.columnCount = "0";
    EXPECT_TRUE(apply(none, page));
    EXPECT_EQ(page.ColCount, 0);
}

class PageOptionsFormTest : public PageOptionsTest
{
protected:
    template<typename T>
    T *child(const char *name) const
    {
        T *widget = form.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    test::ScriptedDialogs dialogs;
    TqxPgoptForm form{printer, dialogs};
};

TEST_F(PageOptionsFormTest, OnlyTheCustomPaperTakesAWidthAndHeight)
{
    TqxPage &page = addPage();
    page.ChangePaper(SheetRequest{kCustom, 1000, 1500, SheetRequest::kDefaultBin, false});
    form.setOptions(optionsOf(page));
    auto *papers = child<QComboBox>("ComB1");
    auto *width = child<QLineEdit>("E1");
    EXPECT_EQ(papers->currentIndex(), paperIndex(kCustom));
    EXPECT_TRUE(width->isEnabled());
    EXPECT_TRUE(child<QLabel>("Label2")->isEnabled());

    papers->setCurrentIndex(paperIndex(kA4));
    EXPECT_FALSE(width->isEnabled());
    EXPECT_FALSE(child<QLineEdit>("E2")->isEnabled());
    EXPECT_FALSE(child<QLabel>("Label1")->isEnabled());
    EXPECT_EQ(width->text(), "100") << "a disabled box keeps what it showed";

    papers->setCurrentIndex(paperIndex(kCustom));
    EXPECT_TRUE(width->isEnabled());
}

TEST_F(PageOptionsFormTest, SpinButtonsStopAtNoColumnsAndOkRefusesABadCount)
{
    auto *columns = child<QLineEdit>("Edit1");
    auto *up = child<QToolButton>("SB1");
    auto *down = child<QToolButton>("SB2");
    columns->setText("1");
    down->click();
    down->click();
    EXPECT_EQ(columns->text(), "0");
    up->click();
    EXPECT_EQ(columns->text(), "1");

    columns->setText("x");
    up->click();
    EXPECT_EQ(columns->text(), "x");
    ASSERT_EQ(dialogs.messages.size(), 1);

    columns->setText("1.5");
    form.show();
    form.accept();
    EXPECT_TRUE(form.isVisible()) << "the dialog stays open on a bad count";
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages.last().text.contains("1.5"));
    columns->setText("2");
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.options().columnCount, "2");
}

} // namespace
} // namespace tovren::dialogs
