#include "report/dialogs/ExpressionPickers.h"
#include "report/dialogs/ReportCatalogue.h"
#include "report/dialogs/ScriptEditRules.h"
#include "report/dialogs/TSyntaxMemo.h"
#include "report/dialogs/TqxDictForm.h"
#include "report/dialogs/TqxEditorForm.h"
#include "report/dialogs/TqxExprForm.h"
#include "report/dialogs/VariableValue.h"
#include "report/engine/TqxReport.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "tests/report/engine/MemoryRecordSet.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QListWidget>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

using namespace tovren;
using namespace tovren::dialogs;

namespace {

void press(QWidget &widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &event);
}

class EditorWindowsTest : public ::testing::Test
{
protected:
    engine::TqxComponentRegistry registry;
    engine::TqxComponent form{QStringLiteral("Form1")};
    test::MemoryRecordSet table{3, QStringLiteral("Table1"), &form};
    engine::TqxReport report{QStringLiteral("qxReport1"), &form, registry};
    test::ScriptedDialogs dialogs;
};

} // namespace

TEST_F(EditorWindowsTest, ScriptMemoIndentsOnEnterAndUndoesThirtyTwoSteps)
{
    TSyntaxMemo memo;
    memo.setLines({QStringLiteral("    x := 1;   ")});
    EXPECT_EQ(memo.lines(), QStringList{QStringLiteral("    x := 1;")});
    memo.moveCursor(QTextCursor::End);
    press(memo, Qt::Key_Return);
    EXPECT_EQ(memo.textCursor().positionInBlock(), 4);

    memo.setLines({QString()});
    EXPECT_EQ(memo.undoSteps(), 0);
    for (int i = 0; i < 33; ++i) {
        press(memo, Qt::Key_End); // a caret move makes the next change its own step
        press(memo, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    }
    int undone = 0;
    while (memo.undoStep())
        ++undone;
    EXPECT_EQ(undone, 32);
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("a"));
}

TEST_F(EditorWindowsTest, TextEditorKeepsTheSkeletonEmptyAndRareCharacters)
{
    model::TqxMemoView view;
    view.Memo = {QStringLiteral("姓名：𠀀[Aqy.\"Name\"]")};
    TqxEditorForm editor(TextEditorServices{&dialogs, nullptr, {}, {}, {}});
    editor.load(view);
    EXPECT_EQ(editor.scriptPane()->toPlainText(), QStringLiteral("begin\n  \nend"));
    editor.tryAccept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    editor.store();
    EXPECT_TRUE(view.Script.isEmpty());
    EXPECT_EQ(view.Memo, QStringList{QStringLiteral("姓名：𠀀[Aqy.\"Name\"]")});
}

TEST_F(EditorWindowsTest, AScriptErrorPutsTheCaretAndIsKeptOnlyWhenConfirmed)
{
    model::TqxMemoView view;
    view.Script = {QStringLiteral("begin"), QStringLiteral("  if then"), QStringLiteral("end")};
    TqxEditorForm1 editor(TextEditorServices{&dialogs, nullptr, {}, {}, {}});
    editor.load(view);
    dialogs.answers = {platform::mrNo};
    editor.tryAccept();
    EXPECT_NE(editor.result(), QDialog::Accepted);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(editor.errorLine()->isVisibleTo(&editor));
    EXPECT_TRUE(editor.errorLine()->text().startsWith(QStringLiteral(" Line ")));
    const ScriptErrorPosition at = ScriptErrorPosition::parse(editor.errorLine()->text().mid(1));
    EXPECT_GE(at.line, 2);
    EXPECT_EQ(editor.scriptPane()->textCursor().blockNumber(), at.line - 1);
    EXPECT_EQ(editor.scriptPane()->textCursor().positionInBlock(), at.column - 1);

    dialogs.answers = {platform::mrYes};
    editor.tryAccept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    editor.store();
    EXPECT_EQ(view.Script.value(1), QStringLiteral("  if then"));
}

TEST_F(EditorWindowsTest, ABandOpensWithItsScriptOnly)
{
    model::TqxBandView band;
    TqxEditorForm editor(TextEditorServices{});
    editor.load(band);
    EXPECT_FALSE(editor.hasTextPane());
    editor.scriptButton()->click();
    EXPECT_TRUE(editor.scriptButton()->isChecked());
}

TEST_F(EditorWindowsTest, PickersBracketFieldsAndLeaveSystemVariablesBare)
{
    const ReportCatalogue catalogue(report);
    PickerMemory memory;
    TqxExprForm builder(catalogue, memory);

    TqxFieldsForm fields(catalogue, memory);
    ASSERT_EQ(fields.sourceList()->count(), 1);
    fields.fieldList()->setCurrentRow(int(table.fieldNames().indexOf(QStringLiteral("NAME"))));
    fields.done(QDialog::Accepted);
    EXPECT_EQ(fields.chosenField(), QStringLiteral("Table1.\"NAME\""));
    builder.insertField(fields.chosenField());

    TqxVarForm variables(catalogue, memory);
    variables.selectCategory(variables.categoryList()->count() - 1);
    variables.variableList()->setCurrentRow(1); // 日期
    variables.done(QDialog::Accepted);
    EXPECT_EQ(memory.category, QStringLiteral("系统变量"));
    builder.insertOperator(QStringLiteral("+"));
    builder.insertVariable(variables.chosenVariable());
    EXPECT_EQ(builder.expression(), QStringLiteral("[Table1.\"NAME\"]+ DATE"));

    TqxFuncArgForm oneArgument(QStringLiteral("UPPERCASE"), QStringLiteral("UPPERCASE(<文本>)"), {},
                               {});
    EXPECT_EQ(oneArgument.argumentBoxes(), 1);
    EXPECT_GE(catalogue.functions().functionsOf({}).size(), 21);
}

TEST_F(EditorWindowsTest, DictionaryEditorWritesBackOnlyOnOk)
{
    const ReportCatalogue catalogue(report);
    PickerMemory memory;
    {
        TqxDictForm editor(report, catalogue, memory, &dialogs);
        EXPECT_TRUE(editor.placeholderMode());
        editor.newCategory();
        editor.reject();
    }
    EXPECT_EQ(report.Dictionary().VariableList.count(), 0);

    TqxDictForm editor(report, catalogue, memory, &dialogs);
    editor.newCategory();
    editor.newVariable();
    editor.setExpressionText(QStringLiteral("[Total] * 2"));
    editor.accept();
    const script::TqxVariables &stored = report.Dictionary().VariableList;
    ASSERT_EQ(stored.count(), 2);
    EXPECT_EQ(stored.nameAt(0), QStringLiteral(" Category1"));
    EXPECT_EQ(stored.value(QStringLiteral("Variable1")).toString(), QStringLiteral("[Total] * 2"));
}

TEST_F(EditorWindowsTest, VariableValuesShowAsFieldSystemVariableOrExpression)
{
    report.Dictionary().AliasList.setValue(QStringLiteral("Table1"),
                                           script::Variant(QStringLiteral("学生")));
    report.Dictionary().AliasList.setValue(QStringLiteral("Table1.NAME"),
                                           script::Variant(QStringLiteral("姓名")));
    const ReportCatalogue catalogue(report);
    const VariableValue field =
        VariableValue::classify(QStringLiteral("Table1.\"NAME\""), catalogue);
    EXPECT_EQ(field.kind, VariableValue::Kind::Field);
    EXPECT_EQ(field.source, QStringLiteral("学生"));
    EXPECT_EQ(field.field, QStringLiteral("姓名"));
    EXPECT_EQ(VariableValue::fieldValue(catalogue, field.source, field.field),
              QStringLiteral("Table1.\"NAME\""));
    const VariableValue date = VariableValue::classify(QStringLiteral("date"), catalogue);
    EXPECT_EQ(date.kind, VariableValue::Kind::System);
    EXPECT_EQ(date.systemRow, 2);
    EXPECT_EQ(VariableValue::classify(QStringLiteral("[Total] * 2"), catalogue).kind,
              VariableValue::Kind::Expression);
}
