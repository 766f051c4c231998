// The page canvas driven by mouse and key events, checked on the template it edits.
#include "CanvasFixture.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"

#include <QScrollBar>

using namespace tovren;
using designer::ObjectTool;
using designer::UndoStepKind;

namespace {

class CanvasEditing : public test::CanvasTest
{
};

TEST_F(CanvasEditing, DraggingATextFrameInsertsItSnappedToTheGridWithTheLastUsedFormat)
{
    setGrid(8);
    host.format.fontName = QStringLiteral("宋体");
    host.format.fontSizePoints = 14;
    host.format.fontStyle = model::fsBold;
    host.format.frameColor = 0x0000FF;
    chooseTool(ObjectTool::kText);
    hover({290, 90});
    drag({301, 101}, {389, 147});

    ASSERT_EQ(page().objectCount(), 37);
    const auto &memo = static_cast<const model::TqxMemoView &>(*page().object(36));
    EXPECT_EQ(bounds(memo), QRect(296, 96, 88, 48));
    EXPECT_EQ(memo.Name, "Memo36") << "the first number no object of the report uses";
    EXPECT_EQ(memo.Font.family(), "宋体");
    EXPECT_EQ(memo.Font.pointSize(), 14);
    EXPECT_TRUE(memo.Font.bold());
    EXPECT_EQ(memo.FrameColor, 0x0000FFu);
    EXPECT_EQ(selectedNames(), QStringList{"Memo36"});
    EXPECT_EQ(host.undoSteps, std::vector<UndoStepKind>{UndoStepKind::Insert});
    EXPECT_TRUE(host.tool.isSelect()) << "a tool that is not sticky gives way to the select tool";
    EXPECT_EQ(canvas().stateMachine().cursor(), designer::CanvasCursor::Arrow);
}

TEST_F(CanvasEditing, AClickWithAStickyToolInsertsAtTheHoverFrameAndStaysArmed)
{
    setGrid(8);
    host.format.fontSizePoints = 14;
    host.options.editAfterInsert = true;
    chooseTool(ObjectTool::kText, true);
    hover({500, 405});
    click({503, 407});
    hover({620, 500});
    click({620, 500});

    ASSERT_EQ(page().objectCount(), 38);
    EXPECT_EQ(bounds(*page().object(36)), QRect(496, 400, 96, 24))
        << "the default size for 14 points at the hover frame's snapped corner";
    EXPECT_EQ(bounds(*page().object(37)), QRect(616, 496, 96, 24));
    EXPECT_EQ(page().object(37)->Name, "Memo37");
    EXPECT_EQ(host.tool.tag, ObjectTool::kText);
    ASSERT_EQ(host.editorsOpened.size(), 2u);
    EXPECT_EQ(host.editorsOpened[1].first, page().object(37));
    EXPECT_FALSE(host.editorsOpened[1].second);
}

TEST_F(CanvasEditing, EachHandleMovesItsOwnEdges)
{
    setGrid(4, false);
    model::TqxView &memo = object("Memo19"); // 476, 60, 96 x 20
    click({520, 70});
    ASSERT_EQ(selectedNames(), QStringList{"Memo19"});
    struct Case
    {
        QPoint handle;
        QRect expected;
    };
    const Case cases[] = {
        {{476, 60}, {482, 64, 90, 16}},  {{572, 80}, {476, 60, 102, 24}},
        {{572, 60}, {476, 64, 102, 16}}, {{476, 80}, {482, 60, 90, 24}},
        {{476, 70}, {482, 60, 90, 20}},  {{572, 70}, {476, 60, 102, 20}},
        {{524, 60}, {476, 64, 96, 16}},  {{524, 80}, {476, 60, 96, 24}},
    };
    for (const Case &c : cases) {
        memo.SetBounds(476, 60, 96, 20);
        canvas().refreshAfterChange();
        drag(c.handle, c.handle + QPoint(6, 4));
        EXPECT_EQ(bounds(memo), c.expected) << "handle at " << c.handle.x() << "," << c.handle.y();
    }

    // Carrying the right edge across the left one hands the drag to the bottom-left corner.
    memo.SetBounds(476, 60, 96, 20);
    canvas().refreshAfterChange();
    press({572, 80});
    dragTo({456, 80});
    dragTo({446, 90});
    release({446, 90});
    EXPECT_EQ(bounds(memo), QRect(446, 60, 30, 30));
}

TEST_F(CanvasEditing, TheCornerHandleScalesAGroupFromItsSavedBounds)
{
    setGrid(4, false);
    click({520, 70});                    // Memo19: 476, 60, 96 x 20
    click({520, 95}, Qt::ShiftModifier); // Memo20: 476, 87, 96 x 20, the corner object
    ASSERT_EQ(selectedNames(), (QStringList{"Memo19", "Memo20"}));
    drag({572, 107}, {572 + 48, 107 + 47}); // the box grows from 96 x 47 to 144 x 94
    EXPECT_EQ(bounds(object("Memo19")), QRect(476, 60, 144, 40));
    EXPECT_EQ(bounds(object("Memo20")), QRect(476, 114, 144, 40));
    EXPECT_EQ(host.undoSteps, std::vector<UndoStepKind>{UndoStepKind::Edit});
}

TEST_F(CanvasEditing, AGroupWithNoWidthKeepsItsHorizontalGeometryWhenResized)
{
    setGrid(4, false);
    model::TqxView &upper = addObject(model::okLine, {300, 100, 0, 50}, "LineA");
    model::TqxView &lower = addObject(model::okLine, {300, 200, 0, 40}, "LineB");
    canvas().refreshAfterChange();
    click({301, 120});
    click({301, 220}, Qt::ShiftModifier);
    ASSERT_EQ(selectedNames(), (QStringList{"LineA", "LineB"}));
    hover({300, 240});
    ASSERT_EQ(canvas().stateMachine().cursor(), designer::CanvasCursor::SizeNwse);
    drag({300, 240}, {316, 310});
    EXPECT_EQ(bounds(upper), QRect(300, 100, 0, 75));
    EXPECT_EQ(bounds(lower), QRect(300, 250, 0, 60));
}

TEST_F(CanvasEditing, TheSplitLineMovesTheSharedEdgeOfTwoNeighbours)
{
    setGrid(4);
    model::TqxView &month = object("Memo10"); // 28, 366, 64 x 24
    model::TqxView &day = object("Memo11");   // 92, 366, 60 x 24
    click({60, 378});
    click({120, 378}, Qt::ShiftModifier);
    hover({92, 378});
    ASSERT_EQ(canvas().stateMachine().cursor(), designer::CanvasCursor::Split);
    drag({92, 378}, {112, 378});
    EXPECT_EQ(bounds(month), QRect(28, 366, 84, 24));
    EXPECT_EQ(bounds(day), QRect(112, 366, 40, 24));

    hover({112, 378});
    drag({112, 378}, {160, 378}); // would leave the right one 40 - 48 wide
    EXPECT_EQ(bounds(month), QRect(28, 366, 84, 24));
    EXPECT_EQ(bounds(day), QRect(112, 366, 40, 24));
}

TEST_F(CanvasEditing, ShiftTogglesAndARectangleSelectsObjectsBeforeBands)
{
    click({150, 215});                    // Memo1
    click({150, 300}, Qt::ShiftModifier); // Memo3
    EXPECT_EQ(selectedNames(), (QStringList{"Memo1", "Memo3"}));
    click({150, 215}, Qt::ShiftModifier);
    EXPECT_EQ(selectedNames(), QStringList{"Memo3"});
    EXPECT_EQ(canvas().selection().focusObject(), &object("Memo3"));

    // From the strip below the band up over the names: the band is touched but not taken.
    drag({40, 530}, {150, 300});
    const QStringList touched = selectedNames();
    EXPECT_TRUE(touched.contains("Memo3"));
    EXPECT_TRUE(touched.contains("Memo7"));
    EXPECT_FALSE(touched.contains("Memo1"));
    EXPECT_FALSE(touched.contains("主项数据1"));

    // Over nothing but the band (Ctrl starts a rectangle on top of it).
    drag({700, 20}, {750, 50}, Qt::ControlModifier);
    EXPECT_EQ(selectedNames(), QStringList{"主项数据1"});
}

TEST_F(CanvasEditing, ArrowKeysNudgeResizeAndStepTheSelection)
{
    setGrid(8);
    model::TqxView &memo = object("Memo19"); // 476, 60, 96 x 20
    click({520, 70});
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(bounds(memo), QRect(477, 60, 96, 20)) << "one pixel, whatever the grid";
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(bounds(memo), QRect(477, 60, 96, 21));
    memo.Restrictions = designer::rsNoSize;
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(bounds(memo), QRect(478, 60, 96, 21)) << "a fixed size moves instead";
    memo.Restrictions = designer::rsNoSize | designer::rsNoMove;
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(bounds(memo), QRect(478, 60, 96, 21));
    EXPECT_EQ(host.undoSteps.size(), 4u);

    key(Qt::Key_Down);
    EXPECT_EQ(selectedNames(), QStringList{"Memo20"});
    click({690, 480}); // Memo18, the object furthest right
    key(Qt::Key_Right);
    EXPECT_EQ(selectedNames(), QStringList{"Memo10"}) << "stepping past the end wraps round";

    click({60, 415}); // Memo14: 32, 404, 64 x 24; Memo15 starts at 103
    key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(bounds(object("Memo14")), QRect(39, 404, 64, 24));
    EXPECT_EQ(selectedNames(), QStringList{"Memo14"});
}

TEST_F(CanvasEditing, GridMovesWholeStepsAltSinglePixelsAndABandCarriesItsObjects)
{
    setGrid(8);
    model::TqxView &memo = object("Memo1"); // 124, 204
    press({150, 215});
    dragTo({157, 215});
    EXPECT_EQ(memo.Left, 124) << "7 pixels are less than a step";
    dragTo({163, 215});
    EXPECT_EQ(memo.Left, 132) << "13 pixels move one step";
    dragTo({165, 215}, Qt::AltModifier);
    EXPECT_EQ(memo.Left, 139) << "Alt lifts the grid for the move";
    release({165, 215});

    click({700, 30}); // the band, on its own
    drag({700, 30}, {700, 46});
    EXPECT_EQ(band().Top, 32);
    EXPECT_EQ(memo.Top, 220) << "the band took its objects along";
    EXPECT_EQ(object("Memo35").Top, 348);
    EXPECT_EQ(canvas().selection().count(), 36);

    click({700, 20}); // above the band now: nothing
    click({700, 40});
    drag({700, 40}, {700, 56}, Qt::AltModifier);
    EXPECT_EQ(band().Top, 48);
    EXPECT_EQ(memo.Top, 220) << "with Alt the band moves alone";
}

TEST_F(CanvasEditing, LockedObjectsKeepTheirPlaceSizeAndExistence)
{
    setGrid(8);
    model::TqxView &fixed = object("Memo1");
    model::TqxView &name = object("Memo3"); // 112, 290, 84 x 24
    fixed.Restrictions = designer::rsNoMove;
    click({150, 215});
    click({150, 300}, Qt::ShiftModifier);
    drag({150, 300}, {166, 300});
    EXPECT_EQ(fixed.Left, 124);
    EXPECT_EQ(name.Left, 128);

    name.Restrictions = designer::rsNoSize;
    click({40, 530});
    click({150, 300});
    drag({212, 314}, {244, 330});
    EXPECT_EQ(bounds(name), QRect(128, 290, 84, 24));

    canvas().selectAll();
    host.undoSteps.clear();
    key(Qt::Key_Delete);
    ASSERT_EQ(page().objectCount(), 1) << "the band may not be deleted";
    EXPECT_EQ(page().object(0)->Name, "主项数据1");
    EXPECT_TRUE(canvas().selection().isEmpty());
    EXPECT_EQ(host.undoSteps, std::vector<UndoStepKind>{UndoStepKind::Delete});
}

TEST_F(CanvasEditing, ABandOfTheChosenTypeIsInsertedAmongTheBands)
{
    host.bandChoice = model::btPageHeader;
    chooseTool(ObjectTool::kBand);
    hover({0, 0});
    click({0, 0});
    ASSERT_EQ(page().objectCount(), 37);
    EXPECT_EQ(host.askedBandForSubReportTarget, false);
    const model::TqxView &header = *page().object(1);
    EXPECT_EQ(header.Name, "页头1");
    EXPECT_EQ(static_cast<const model::TqxBandView &>(header).bandType(), model::btPageHeader);
    EXPECT_EQ(page().object(0)->Name, "主项数据1");
    EXPECT_EQ(page().object(2)->Name, "Memo1") << "bands come before every other object";

    host.bandChoice.reset();
    chooseTool(ObjectTool::kBand);
    hover({0, 0});
    click({0, 0});
    EXPECT_EQ(page().objectCount(), 37) << "a cancelled chooser inserts nothing";
}

TEST_F(CanvasEditing, TheLineToolStartsOnANearCornerAndRunsAlongTheLongerExtent)
{
    setGrid(8);
    host.format.lineWidth = 3;
    chooseTool(ObjectTool::kLine);
    hover({478, 62});
    ASSERT_EQ(canvas().stateMachine().cursor(), designer::CanvasCursor::Pencil);
    drag({478, 62}, {519, 70});
    ASSERT_EQ(page().objectCount(), 37);
    const model::TqxView &line = *page().object(36);
    EXPECT_EQ(bounds(line), QRect(476, 60, 40, 0)) << "from Memo19's corner, 5 steps right";
    EXPECT_EQ(line.Name, "Line1");
    EXPECT_EQ(line.FrameWidth, 3.0f);
    EXPECT_EQ(canvas().stateMachine().cursor(), designer::CanvasCursor::Pencil);
}

TEST_F(CanvasEditing, DoubleClicksOpenEditorsWithoutChangingTheSelection)
{
    click({150, 215}); // Memo1
    click({150, 300}, Qt::ShiftModifier);
    QTest::mouseDClick(&canvas(), Qt::LeftButton, Qt::ShiftModifier, {150, 300});
    EXPECT_EQ(selectedNames(), (QStringList{"Memo1", "Memo3"}))
        << "the second press of a double-click does not toggle";
    EXPECT_TRUE(host.editorsOpened.empty());

    click({40, 530});
    click({150, 215});
    QTest::mouseDClick(&canvas(), Qt::LeftButton, Qt::ControlModifier, {150, 215});
    ASSERT_EQ(host.editorsOpened.size(), 1u);
    EXPECT_EQ(host.editorsOpened[0].first, &object("Memo1"));
    EXPECT_TRUE(host.editorsOpened[0].second) << "Ctrl opens the text editor";

    object("Memo1").Restrictions = designer::rsNoEditContents;
    QTest::mouseDClick(&canvas(), Qt::LeftButton, Qt::NoModifier, {150, 215});
    EXPECT_EQ(host.editorsOpened.size(), 1u);

    click({40, 530});
    QTest::mouseDClick(&canvas(), Qt::LeftButton, Qt::NoModifier, {40, 530});
    EXPECT_EQ(host.pageEditorsOpened, 1);
}

TEST_F(CanvasEditing, DraggingPastTheEdgeScrollsTheScrollBox)
{
    box.resize(300, 200);
    QApplication::processEvents();
    QScrollBar &vertical = *box.verticalScrollBar();
    ASSERT_GT(vertical.maximum(), 0);
    ASSERT_EQ(vertical.value(), 0);
    press({150, 215}); // Memo1, below the view's bottom edge
    dragTo({150, 247});
    EXPECT_GT(vertical.value(), 0);
    const QPoint shown = canvas().mapTo(box.viewport(), QPoint(150, 247));
    EXPECT_LE(shown.y(), box.viewport()->height());
    release({150, 247});
}

} // namespace
