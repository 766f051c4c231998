// The inspector in the designer: what it lists for the selection and how typed values reach
// the objects, one or many, with their undo step.
#include "report/designer/DesignerInspector.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/dialogs/TqxInspForm.h"
#include "report/model/TqxMemoView.h"
#include "tests/report/designer/DesignerFixture.h"

#include <QLineEdit>
#include <QTest>

namespace tovren::test {
namespace {

class InspectorTest : public DesignerTest
{
protected:
    void SetUp() override
    {
        window = openDesigner();
        inspector = &window->inspector().window();
    }
    model::TqxPage &page() { return *report.Pages().page(0); }
    model::TqxView &object(const char *name) { return *page().FindObjectByName(name); }
    void select(std::initializer_list<const char *> names)
    {
        window->canvas().deselectAll();
        for (const char *name : names)
            window->canvas().stateMachine().selection().add(object(name));
        window->inspector().refill();
    }
    int rowOf(const char *name) const
    {
        for (int i = 0; i < inspector->rowCount(); ++i)
            if (inspector->row(i).name == QLatin1String(name))
                return i;
        return -1;
    }
    /// Types @p text into the row's value and presses Enter.
    void type(const char *property, const QString &text)
    {
        const int row = rowOf(property);
        ASSERT_GE(row, 0) << property;
        inspector->SelectRow(row);
        inspector->valueEdit()->setText(text);
        inspector->valueEdit()->setModified(true);
        QTest::keyClick(inspector->valueEdit(), Qt::Key_Return);
    }

    std::unique_ptr<designer::TqxDesignerForm> window;
    dialogs::TqxInspForm *inspector = nullptr;
};

TEST_F(InspectorTest, SeveralObjectsShowCommonValuesOnlyAndTakeATypedValueAllAtOnce)
{
    object("Memo1").Left = 10;
    object("Memo2").Left = 20;
    object("Memo1").Top = object("Memo2").Top = 30;
    select({"Memo1", "Memo2"});
    EXPECT_EQ(rowOf("Name"), -1); // names belong to one object
    EXPECT_TRUE(inspector->row(rowOf("Left")).valueText.isEmpty());
    EXPECT_EQ(inspector->row(rowOf("Top")).valueText, u"30");
    EXPECT_TRUE(inspector->shownObjectName().isEmpty());

    const int stepsBefore = window->undoHistory().undoCount();
    type("Left", QStringLiteral("44"));
    EXPECT_EQ(object("Memo1").Left, 44);
    EXPECT_EQ(object("Memo2").Left, 44);
    EXPECT_EQ(window->undoHistory().undoCount(), stepsBefore + 1);
    EXPECT_EQ(inspector->row(inspector->selectedRow()).name, u"Left");
}

TEST_F(InspectorTest, MillimetresRoundTripToTheSamePixelsAndLockedObjectsStayPut)
{
    window->setUnits(designer::DesignUnit::Millimetres);
    for (int pixels : {0, 1, 7, 113, 655}) {
        object("Memo1").Left = pixels;
        select({"Memo1"});
        const QString shown = inspector->row(rowOf("Left")).valueText;
        type("Left", shown);
        EXPECT_EQ(object("Memo1").Left, pixels) << shown.toStdString();
    }
    type("Left", QStringLiteral("31,5"));
    EXPECT_EQ(object("Memo1").Left, 113); // 31.5 mm at 18 pixels per 5 mm

    object("Memo1").Restrictions = 32; // may not move
    select({"Memo1"});
    type("Left", QStringLiteral("50"));
    EXPECT_EQ(object("Memo1").Left, 113);
}

TEST_F(InspectorTest, BadValuesAndTakenNamesAreRefusedWithAMessageAndNoStep)
{
    select({"Memo1"});
    const int stepsBefore = window->undoHistory().undoCount();
    const int widthBefore = object("Memo1").Width;
    type("Width", QStringLiteral("abc"));
    EXPECT_EQ(object("Memo1").Width, widthBefore);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.last().text.contains(u"Width"));
    EXPECT_EQ(inspector->row(rowOf("Width")).valueText, QString::number(widthBefore));

    type("FillColor", QStringLiteral("clRosa"));
    EXPECT_TRUE(dialogs.messages.last().text.contains(u"FillColor"));

    type("Name", QStringLiteral("memo2"));
    EXPECT_EQ(object("Memo1").Name, u"Memo1");
    EXPECT_TRUE(dialogs.messages.last().text.contains(u"memo2"));
    EXPECT_EQ(window->undoHistory().undoCount(), stepsBefore);

    type("FillColor", QStringLiteral("clblue"));
    EXPECT_EQ(object("Memo1").FillColor, 0xFF0000u);
    EXPECT_EQ(window->undoHistory().undoCount(), stepsBefore + 1);
}

TEST_F(InspectorTest, ChangingRowsCommitsTypedTextAndEscapeRestoresIt)
{
    select({"Memo1"});
    inspector->SelectRow(rowOf("Top"));
    inspector->valueEdit()->setText(QStringLiteral("77"));
    inspector->valueEdit()->setModified(true);
    QTest::keyClick(inspector->valueEdit(), Qt::Key_Escape);
    EXPECT_EQ(inspector->valueEdit()->text(), QString::number(object("Memo1").Top));

    inspector->valueEdit()->setText(QStringLiteral("77"));
    inspector->valueEdit()->setModified(true);
    QTest::keyClick(inspector->valueEdit(), Qt::Key_Down);
    EXPECT_EQ(object("Memo1").Top, 77);
    EXPECT_EQ(inspector->row(inspector->selectedRow()).name, inspector->row(rowOf("Top") + 1).name);

    // Another object keeps the same property selected.
    select({"Memo2"});
    EXPECT_EQ(inspector->row(inspector->selectedRow()).name, inspector->row(rowOf("Top") + 1).name);
}

TEST_F(InspectorTest, TheHighlightCommandWritesEverySelectedTextObject)
{
    select({"Memo1", "Memo2"});
    dialogs::HighlightValues highlight;
    highlight.condition = QStringLiteral("[Aqy.\"Grade\"] < 60");
    highlight.fontColor = 0xFF;
    highlight.bold = true;
    designerDialogs.highlightAnswer = highlight;
    window->applyFormatting(59);
    for (const char *name : {"Memo1", "Memo2"}) {
        const auto &text = static_cast<model::TqxMemoView &>(object(name));
        EXPECT_EQ(text.HighlightCondition, highlight.condition);
        EXPECT_EQ(text.HighlightFontColor, 0xFFu);
        EXPECT_EQ(text.HighlightFontStyle, 2);
    }
}

} // namespace
} // namespace tovren::test
