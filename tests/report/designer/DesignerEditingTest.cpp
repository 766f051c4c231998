// Undo, the clipboard, formatting and arranging, checked on the certificate's page.
#include "report/designer/ArrangeCommands.h"
#include "report/designer/ObjectClipboard.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/designer/SelectionFormatting.h"
#include "report/designer/UndoHistory.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "tests/report/designer/DesignerFixture.h"

#include <QMimeData>

namespace tovren::test {
namespace {

using designer::ArrangeCommands;
using designer::TqxUndoKind;

class DesignerEditingTest : public DesignerTest
{
protected:
    model::TqxPage &page() { return *report.Pages().page(0); }
    model::TqxView &object(const char *name) { return *page().FindObjectByName(name); }
    void select(std::initializer_list<const char *> names)
    {
        for (qsizetype i = 0; i < page().objectCount(); ++i)
            page().object(i)->Selected = false;
        for (const char *name : names)
            object(name).Selected = true;
    }
    void selectAllTexts()
    {
        for (qsizetype i = 0; i < page().objectCount(); ++i)
            page().object(i)->Selected = page().object(i)->ObjectKind == model::okText;
    }
    static model::TqxMemoView &text(model::TqxView &view)
    {
        return static_cast<model::TqxMemoView &>(view);
    }
    QStringList order()
    {
        QStringList names;
        for (qsizetype i = 0; i < page().objectCount(); ++i)
            names << page().object(i)->Name;
        return names;
    }

    designer::UndoHistory history;
    designer::LastUsedFormat lastUsed;
};

TEST_F(DesignerEditingTest, UndoingEveryKindOfStepComesBackToTheSameTemplateAndRedoingToTheChange)
{
    const QByteArray designed = report.templateSnapshot();
    // A move, a deletion, a reorder and an insertion, each recorded as the designer does.
    selectAllTexts();
    ASSERT_TRUE(history.record(TqxUndoKind::ukEdit, page(), 0));
    for (qsizetype i = 0; i < page().objectCount(); ++i) {
        if (page().object(i)->Selected)
            page().object(i)->Left += 18;
    }
    select({"Memo3", "Memo7"});
    history.record(TqxUndoKind::ukDelete, page(), 0);
    page().Delete(page().FindObjectById(object("Memo7").ObjectId));
    page().Delete(page().FindObjectById(object("Memo3").ObjectId));
    select({"Memo1"});
    history.record(TqxUndoKind::ukReorder, page(), 0);
    ArrangeCommands(page(), nullptr, QSize(757, 560)).sendToBack();
    select({});
    auto added = model::TqxGlobals::instance().objects.CreateObjectByKind(model::okText);
    added->Name = QStringLiteral("Memo99");
    added->Selected = true;
    page().addObject(std::move(added));
    history.record(TqxUndoKind::ukInsert, page(), 0);
    const QByteArray changed = report.templateSnapshot();

    EXPECT_FALSE(history.undo(page(), 1)) << "a step of another page waits for its page";
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(history.undo(page(), 0));
    EXPECT_EQ(report.templateSnapshot(), designed);
    EXPECT_FALSE(history.canUndo());
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(history.redo(page(), 0));
    EXPECT_EQ(report.templateSnapshot(), changed);
    ASSERT_TRUE(history.undo(page(), 0));
    ASSERT_TRUE(history.undo(page(), 0));
    EXPECT_EQ(order().count(u"Memo3"_qs), 0) << "redone deletion deleted again";
}

TEST_F(DesignerEditingTest, TheHundredAndFirstStepDropsTheOldestAndStepsStaySmall)
{
    const int designedLeft = object("Memo3").Left;
    selectAllTexts();
    for (int step = 0; step < 101; ++step) {
        history.record(TqxUndoKind::ukEdit, page(), 0);
        object("Memo3").Left += 1;
    }
    EXPECT_EQ(history.undoCount(), 100);
    while (history.undo(page(), 0)) {
    }
    EXPECT_EQ(object("Memo3").Left, designedLeft + 1) << "the first move is beyond recall";
    EXPECT_LT(history.snapshotBytes(), 5 * 1024 * 1024);
}

TEST_F(DesignerEditingTest, UndoingAReorderBringsEveryObjectBackOnceEvenUnrecordedOnes)
{
    object("Memo5").Flags |= designer::UndoHistory::kNoUndoFlag;
    const QStringList designed = order();
    select({"Memo5", "Memo9"});
    history.record(TqxUndoKind::ukReorder, page(), 0);
    ArrangeCommands(page(), nullptr, QSize(757, 560)).bringToFront();
    ASSERT_NE(order(), designed);
    history.undo(page(), 0);
    EXPECT_EQ(order(), designed);
}

TEST_F(DesignerEditingTest, PastedObjectsKeepTheirShapeTakeFreeNamesAndTravelToOtherReports)
{
    object("Memo1").Left = 100;
    object("Memo1").Top = 50;
    object("Memo2").Left = 160;
    object("Memo2").Top = 80;
    select({"Memo1", "Memo2"});
    designer::ObjectClipboard clipboard;
    clipboard.copySelection(page());

    // Another report, as a second opening of the designer would have.
    engine::TqxReport other{QStringLiteral("other"), &form, registry, &paper};
    other.Pages().Add();
    other.Pages().page(0)->addObject(std::make_unique<model::TqxMemoView>()).Name = u"Memo1"_qs;
    const designer::ClipboardPaste::Result pasted = designer::ClipboardPaste::paste(
        clipboard.streams(), other.Pages(), *other.Pages().page(0), QPoint(10, 10), 4);
    ASSERT_TRUE(pasted.problem.isEmpty());
    ASSERT_EQ(pasted.pasted.size(), 2u);
    EXPECT_EQ(QPoint(pasted.pasted[0]->Left, pasted.pasted[0]->Top), QPoint(0, 0));
    EXPECT_EQ(QPoint(pasted.pasted[1]->Left, pasted.pasted[1]->Top), QPoint(60, 30));
    EXPECT_EQ(pasted.pasted[0]->Name, u"Memo2"_qs) << "Memo1 was taken in that report";
    EXPECT_EQ(pasted.pasted[1]->Name, u"Memo3"_qs) << "and now Memo2 is";
    EXPECT_EQ(text(*pasted.pasted[1]).Memo, object("Memo2").Memo);

    // With a band selected, the objects take its top; a second page header stays out.
    model::TqxView &band = object("主项数据1");
    select({"主项数据1"});
    clipboard.copySelection(page());
    QList<QByteArray> streams = clipboard.streams();
    auto header = std::make_unique<model::TqxBandView>();
    header->setBandType(model::btPageHeader);
    header->Name = u"PageHeader1"_qs;
    header->Selected = true;
    page().addObject(std::move(header));
    select({"PageHeader1", "Memo3"});
    designer::ObjectClipboard second;
    second.copySelection(page());
    select({"主项数据1"});
    const auto onBand = designer::ClipboardPaste::paste(second.streams(), report.Pages(), page(),
                                                        QPoint(10, 10), 4);
    ASSERT_EQ(onBand.pasted.size(), 1u) << "one page header is all a page takes";
    EXPECT_EQ(onBand.pasted[0]->Top, band.Top);
    EXPECT_FALSE(band.Selected);
}

TEST_F(DesignerEditingTest, DamagedClipboardContentIsRefusedAndChangesNothing)
{
    select({"Memo1"});
    designer::ObjectClipboard clipboard;
    clipboard.copySelection(page());
    QList<QByteArray> streams = clipboard.streams();
    streams.append(streams.front().left(streams.front().size() / 2));
    const QByteArray before = report.templateSnapshot();
    const auto result =
        designer::ClipboardPaste::paste(streams, report.Pages(), page(), QPoint(10, 10), 4);
    EXPECT_FALSE(result.problem.isEmpty());
    EXPECT_TRUE(result.pasted.empty());
    EXPECT_EQ(report.templateSnapshot(), before);

    QMimeData foreign;
    foreign.setData(designer::ObjectClipboard::kMimeType, QByteArray("\x01\x02"));
    QString problem;
    EXPECT_FALSE(designer::ObjectClipboard::fromMimeData(foreign, &problem));
    EXPECT_FALSE(problem.isEmpty());
    std::unique_ptr<QMimeData> ours(clipboard.toMimeData(page()));
    EXPECT_EQ(designer::ObjectClipboard::fromMimeData(*ours, nullptr), clipboard.streams());
    EXPECT_EQ(ours->text(), QStringLiteral("[Aqy.\"StudID\"]"));
}

TEST_F(DesignerEditingTest, FormattingSkipsLockedObjectsAndKeepsWhatItDoesNotSet)
{
    select({"Memo1", "Memo2", "Memo3"});
    object("Memo2").Restrictions = designer::rsNoModify;
    object("Memo1").FrameTyp = 0x20;
    text(object("Memo1")).Font.setItalic(true);
    designer::SelectionFormatting formatting(page(), lastUsed);
    formatting.setFrameLine(model::qxftTop, true);
    EXPECT_EQ(object("Memo1").FrameTyp, 0x28);
    EXPECT_EQ(object("Memo2").FrameTyp, 0) << "locked against changes";
    EXPECT_EQ(object("Memo3").FrameTyp, model::qxftTop);

    formatting.setFontStyleBit(model::fsBold, true);
    EXPECT_TRUE(text(object("Memo1")).Font.bold());
    EXPECT_TRUE(text(object("Memo1")).Font.italic()) << "bold keeps italic";
    formatting.setAllFrameLines(false);
    EXPECT_EQ(object("Memo1").FrameTyp, 0x20) << "bits above the four lines stay";

    EXPECT_TRUE(formatting.setFrameWidth(QStringLiteral("1,5")));
    EXPECT_FLOAT_EQ(object("Memo3").FrameWidth, 1.5f);
    EXPECT_FLOAT_EQ(lastUsed.frameWidth, 1.5f);
    EXPECT_FALSE(formatting.setFrameWidth(QStringLiteral("abc")));
    EXPECT_FALSE(formatting.setFontSize(QStringLiteral("12pt")));
    EXPECT_FLOAT_EQ(object("Memo3").FrameWidth, 1.5f);
    EXPECT_EQ(text(object("Memo3")).Font.pointSize(), 14);
}

TEST_F(DesignerEditingTest, ThePaletteAndTheGridPlaceObjectsByNumberAndLeaveLockedOnesAlone)
{
    model::TqxView &a = object("Memo1");
    model::TqxView &b = object("Memo2");
    model::TqxView &c = object("Memo3");
    a.Left = 10;
    b.Left = 50;
    c.Left = 100;
    select({"Memo1", "Memo2", "Memo3"});
    ArrangeCommands(page(), &a, QSize(700, 500))
        .align(ArrangeCommands::Alignment::SpaceEvenlyHorizontally);
    EXPECT_EQ(b.Left, 55);

    // A position left of the page sorts before the others, by number.
    a.Left = -20;
    b.Left = 300;
    c.Left = 40;
    ArrangeCommands(page(), &a, QSize(700, 500))
        .align(ArrangeCommands::Alignment::SpaceEvenlyHorizontally);
    EXPECT_EQ(c.Left, -20 + 160);
    EXPECT_EQ(b.Left, 300);

    select({"Memo4"});
    object("Memo4").Width = 100;
    ArrangeCommands(page(), nullptr, QSize(700, 500))
        .align(ArrangeCommands::Alignment::CentreOnPageHorizontally);
    EXPECT_EQ(object("Memo4").Left, 300);

    model::TqxView &d = object("Memo5");
    d.SetBounds(13, 3, 5, 2);
    model::TqxView &locked = object("Memo6");
    locked.SetBounds(13, 3, 5, 2);
    locked.Restrictions = designer::rsNoMove | designer::rsNoSize;
    select({"Memo5", "Memo6"});
    ArrangeCommands(page(), nullptr, QSize(700, 500)).fitToGrid(8);
    EXPECT_EQ(QRect(d.Left, d.Top, d.Width, d.Height), QRect(16, 0, 8, 8));
    EXPECT_EQ(QRect(locked.Left, locked.Top, locked.Width, locked.Height), QRect(13, 3, 5, 2));
}

} // namespace
} // namespace tovren::test
