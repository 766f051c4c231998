// The inspector in the designer: what it lists for the selection and how typed values reach
// the objects, one or many, with their undo step.
#include "report/chart/TqxChartView.h"
#include "report/designer/DesignerInspector.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/dialogs/TqxInspForm.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"
#include "tests/report/designer/DesignerFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

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

    void selectOnly(model::TqxView &view)
    {
        window->canvas().deselectAll();
        window->canvas().stateMachine().selection().add(view);
        window->inspector().refill();
    }
    /// Every row's label, with the property it stands for.
    QStringList labels() const
    {
        QStringList shown;
        for (int i = 0; i < inspector->rowCount(); ++i)
            shown << inspector->row(i).name + u'=' + inspector->rowLabel(i);
        return shown;
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

TEST_F(InspectorTest, LocalizedNamesGiveEveryListedPropertyAChineseLabelAndCommitUnderItsOwn)
{
    designer::DesignerSettings options = window->settings();
    options.localizedPropNames = true;
    designerDialogs.designerOptions = options;
    window->editDesignerOptions();

    // Every kind of object, every band type and both kinds of page.
    model::ObjectRegistry &registry = model::TqxGlobals::instance().objects;
    for (int kind : {model::okPicture, model::okSubReport, model::okLine})
        page().addObject(registry.CreateObjectByKind(kind));
    page().addObject(std::make_unique<chart::TqxChartView>());
    for (int type = 0; type <= 22; ++type) {
        auto band = std::make_unique<model::TqxBandView>();
        band->setBandType(type);
        page().addObject(std::move(band));
    }
    const auto expectChinese = [&](const QString &shown) {
        ASSERT_GT(inspector->rowCount(), 0) << shown.toStdString();
        for (const QString &pair : labels()) {
            const QString label = pair.section(u'=', 1);
            EXPECT_EQ(label.front().script(), QChar::Script_Han)
                << shown.toStdString() << ": " << pair.toStdString();
        }
    };
    for (qsizetype i = 0; i < page().objectCount(); ++i) {
        selectOnly(*page().object(i));
        expectChinese(page().object(i)->className());
    }
    window->canvas().deselectAll();
    window->inspector().refill();
    expectChinese(QStringLiteral("report page"));
    report.Pages().page(report.Pages().Add())->PageType = model::TqxPage::ptDialog;
    window->showPage(1);
    expectChinese(QStringLiteral("dialog page"));

    // The label is only shown: the value goes to the property, a refusal names the label.
    window->showPage(0);
    select({"Memo1"});
    type("Width", QStringLiteral("abc"));
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.last().text.contains(u"宽度"));
    type("Width", QStringLiteral("50"));
    EXPECT_EQ(object("Memo1").Width, 50);
}

TEST_F(InspectorTest, BandReferencesOfferThePagesBandsCommitByNameAndNeverCloseALoop)
{
    const auto addBand = [&](const char *name, int type) -> model::TqxBandView & {
        auto band = std::make_unique<model::TqxBandView>();
        band->Name = QString::fromUtf8(name);
        band->setBandType(type);
        return static_cast<model::TqxBandView &>(page().addObject(std::move(band)));
    };
    auto &master = static_cast<model::TqxBandView &>(object("主项数据1"));
    model::TqxBandView &first = addBand("Child1", model::btChild);
    model::TqxBandView &second = addBand("Child2", model::btChild);
    model::TqxBandView &group = addBand("Group1", model::btGroupHeader);
    addBand("Detail1", model::btDetailData);
    const auto choices = [&](const char *property) {
        return inspector->row(rowOf(property)).choices;
    };

    selectOnly(master);
    EXPECT_EQ(choices("ChildBand"), (QStringList{u"(无)"_qs, u"Child1"_qs, u"Child2"_qs}));
    EXPECT_EQ(inspector->row(rowOf("ChildBand")).valueText, u"(无)");
    type("ChildBand", QStringLiteral("child1"));
    EXPECT_EQ(master.ChildBand, u"Child1"); // as the band spells it
    inspector->SelectRow(rowOf("ChildBand"));
    inspector->doubleClickValue();
    EXPECT_EQ(master.ChildBand, u"Child2");
    inspector->doubleClickValue();
    EXPECT_EQ(master.ChildBand, u""); // wrapped round to none

    // A typed name the list does not offer would dangle: refused, nothing recorded.
    const int steps = window->undoHistory().undoCount();
    type("ChildBand", QStringLiteral("Group1"));
    EXPECT_TRUE(master.ChildBand.isEmpty());
    EXPECT_EQ(window->undoHistory().undoCount(), steps);
    EXPECT_TRUE(dialogs.messages.last().text.contains(u"Child2"));

    // Child1 -> Child2 -> Child1 would print for ever, so neither is offered to close it.
    first.ChildBand = QStringLiteral("Child2");
    selectOnly(second);
    EXPECT_EQ(choices("ChildBand"), QStringList{u"(无)"_qs});
    type("ChildBand", QStringLiteral("Child1"));
    EXPECT_TRUE(second.ChildBand.isEmpty());

    selectOnly(group);
    EXPECT_EQ(choices("Master"), (QStringList{u"(无)"_qs, u"主项数据1"_qs, u"Detail1"_qs}));
    type("Master", QStringLiteral("Detail1"));
    EXPECT_EQ(group.Master, u"Detail1");
    // Renaming a band keeps the references to it.
    selectOnly(*page().FindObjectByName(u"Detail1"_qs));
    type("Name", QStringLiteral("Detail9"));
    EXPECT_EQ(group.Master, u"Detail9");
}

TEST_F(InspectorTest, ThePageScriptIsEditedThroughItsButtonAsOneUndoableStep)
{
    page().Script = QStringList{u"begin"_qs, u"  Visible := True;"_qs, u"end"_qs};
    const QStringList before = page().Script;
    const QStringList edited{u"begin"_qs, u"  Visible := False;"_qs, u"end"_qs};
    designerDialogs.textEdit = [&](model::TqxView &standIn,
                                   const designer::DesignerDialogs::TextEditing &editing) {
        EXPECT_EQ(standIn.Script, before);
        editing.prepareUndoStep(); // as the editor does on OK, before it writes
        standIn.Script = edited;
        return true;
    };
    window->canvas().deselectAll();
    window->inspector().refill();
    inspector->SelectRow(rowOf("OnBeforePrint"));
    ASSERT_FALSE(inspector->editorButton()->isHidden());
    inspector->editorButton()->click();
    EXPECT_EQ(page().Script, edited);
    ASSERT_TRUE(window->action(u"N46"_qs)->isEnabled());
    window->undo();
    EXPECT_EQ(page().Script, before);
    window->redo();
    EXPECT_EQ(page().Script, edited);

    // Cancelled: the page keeps its script and nothing is recorded.
    designerDialogs.textEdit = nullptr;
    const int steps = window->undoHistory().undoCount();
    inspector->SelectRow(rowOf("OnBeforePrint"));
    inspector->editorButton()->click();
    EXPECT_EQ(page().Script, edited);
    EXPECT_EQ(window->undoHistory().undoCount(), steps);
}

TEST_F(InspectorTest, ANewPageTypeAskedAndAnsweredYesClearsThePageAndForgetsItsSteps)
{
    // A step on another page, which must survive.
    const qsizetype other = report.Pages().Add();
    report.Pages().page(other)->addObject(
        model::TqxGlobals::instance().objects.CreateObjectByKind(model::okText));
    window->showPage(int(other));
    selectOnly(*report.Pages().page(other)->object(0));
    type("Left", QStringLiteral("40"));
    window->showPage(0);

    // A move and a deletion here, which undo would bring back onto a dialog page.
    select({"Memo1"});
    type("Left", QStringLiteral("40"));
    select({"Memo2"});
    window->deleteSelection();
    const qsizetype objects = page().objectCount();
    window->canvas().deselectAll();
    window->inspector().refill();

    dialogs.answers = {platform::mrNo};
    type("Type", QStringLiteral("ptDialog"));
    EXPECT_EQ(dialogs.messages.last().text, u"这将删除该页所有对象.");
    EXPECT_EQ(page().objectCount(), objects);
    EXPECT_EQ(page().PageType, model::TqxPage::ptReport);
    EXPECT_TRUE(window->undoHistory().canUndoOn(0));

    dialogs.answers = {platform::mrYes};
    type("Type", QStringLiteral("ptDialog"));
    EXPECT_EQ(page().objectCount(), 0);
    EXPECT_EQ(page().PageType, model::TqxPage::ptDialog);
    EXPECT_FALSE(window->undoHistory().canUndoOn(0));
    EXPECT_FALSE(window->action(u"N46"_qs)->isEnabled());
    window->undo();
    EXPECT_EQ(page().objectCount(), 0);

    window->showPage(int(other));
    EXPECT_TRUE(window->undoHistory().canUndoOn(int(other)));
}

} // namespace
} // namespace tovren::test
