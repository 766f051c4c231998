#include "report/designer/DesignerDialogs.h"
#include "report/model/TqxView.h"
#include "tests/report/designer/DesignerFixture.h"

#include <QAction>
#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tovren;

namespace {
class DesignerEditorsTest : public test::DesignerTest
{
};
} // namespace

TEST_F(DesignerEditorsTest, EnterOnATextObjectEditsItsTextAsOneUndoStep)
{
    auto window = openDesigner();
    window->show();
    window->FocusObjectByName(QStringLiteral("Memo3"));
    model::TqxView &name = *report.Pages().page(0)->FindObjectByName("Memo3");
    designerDialogs.textEdit = [](model::TqxView &view,
                                  const designer::DesignerDialogs::TextEditing &editing) {
        editing.prepareUndoStep();
        view.Memo = {editing.pickDatabaseField()};
        return true;
    };
    designerDialogs.chosenField = QStringLiteral("Aqy.\"StudID\"");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_TRUE(window->handleDesignerKey(&enter));
    EXPECT_EQ(designerDialogs.textEditorShown, 1);
    EXPECT_EQ(name.Memo, QStringList{QStringLiteral("[Aqy.\"StudID\"]")});
    EXPECT_TRUE(window->undoHistory().canUndo());
    window->undo();
    EXPECT_EQ(report.Pages().page(0)->FindObjectByName("Memo3")->Memo,
              QStringList{QStringLiteral("[Aqy.\"Name\"]")});
}

TEST_F(DesignerEditorsTest, PickersBracketWhatIsBuiltAndCancelGivesNothing)
{
    auto window = openDesigner();
    EXPECT_TRUE(window->PickExpression({}).isEmpty());
    designerDialogs.builtExpression = QStringLiteral("[a] + 1");
    EXPECT_EQ(window->PickExpression({}), QStringLiteral("[[a] + 1]"));
    designerDialogs.builtExpression = QStringLiteral("[DATE]");
    EXPECT_EQ(window->PickExpression({}), QStringLiteral("[DATE]"));
}

TEST_F(DesignerEditorsTest, TheDictionaryCommandMarksTheReportAndTellsTheFieldList)
{
    auto window = openDesigner();
    QSignalSpy changed(window.get(), &designer::TqxDesignerForm::dictionaryChanged);
    ASSERT_TRUE(window->action(QStringLiteral("N42"))->isEnabled());
    window->action(QStringLiteral("N42"))->trigger();
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(window->IsModified());

    designerDialogs.dictionaryEdit = [](engine::TqxReport &edited) {
        edited.Dictionary().VariableList.setValue(QStringLiteral(" 学生"),
                                                  script::Variant(QString()));
    };
    window->action(QStringLiteral("N42"))->trigger();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(window->IsModified());
    EXPECT_FALSE(openDesigner(false)->action(QStringLiteral("N42"))->isEnabled());
}
