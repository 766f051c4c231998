#include "report/dialogs/DesignerOptionValues.h"
#include "report/dialogs/DictionaryVariables.h"
#include "report/dialogs/EditSnapshots.h"
#include "report/dialogs/ExpressionNames.h"
#include "report/dialogs/ScriptEditRules.h"
#include "report/dialogs/ScriptHighlightRules.h"
#include "report/dialogs/VariableListText.h"

#include <gtest/gtest.h>

using namespace tovren;
using namespace tovren::dialogs;

namespace {

// One class letter per character: p plain, c comment, k keyword, s string.
QString classesOf(const ScriptHighlightRules &rules, const QString &line, OpenComment &open)
{
    QString classes(line.size(), u'p');
    for (const ClassRun &run : rules.classifyLine(line, open)) {
        const QChar mark = run.charClass == CharClass::Comment   ? u'c'
                           : run.charClass == CharClass::Keyword ? u'k'
                           : run.charClass == CharClass::String  ? u's'
                                                                 : u'p';
        for (int i = run.start; i < run.start + run.length; ++i)
            classes[i] = mark;
    }
    return classes;
}

QStringList classesOfText(SyntaxKind kind, const QStringList &lines)
{
    const ScriptHighlightRules rules(kind);
    OpenComment open = OpenComment::None;
    QStringList result;
    for (const QString &line : lines)
        result.append(classesOf(rules, line, open));
    return result;
}

script::TqxVariables variablesOf(std::initializer_list<std::pair<const char *, const char *>> list)
{
    script::TqxVariables variables;
    for (const auto &[name, value] : list)
        variables.setValue(QString::fromUtf8(name), script::Variant(QString::fromUtf8(value)));
    return variables;
}

} // namespace

TEST(ScriptHighlightRules, KeywordsCommentsAndStringsByLanguage)
{
    EXPECT_EQ(classesOfText(SyntaxKind::Pascal, {QStringLiteral("BEGIN // note")}),
              QStringList{QStringLiteral("kkkkkpccccccc")});
    // SQL has no slash comments: only the keyword stands out.
    EXPECT_EQ(classesOfText(SyntaxKind::Sql, {QStringLiteral("begin // note")}),
              QStringList{QStringLiteral("kkkkkpppppppp")});
    EXPECT_EQ(classesOfText(SyntaxKind::Sql, {QStringLiteral("select \"a' -- x")}),
              QStringList{QStringLiteral("kkkkkkpssspcccc")});
    // Identifiers are whole words; Chinese text and digits are plain.
    EXPECT_EQ(classesOfText(SyntaxKind::Pascal, {QStringLiteral("ending 姓名 if1 do")}),
              QStringList{QStringLiteral("ppppppppppppppkk")});
    EXPECT_EQ(classesOfText(SyntaxKind::None, {QStringLiteral("if 'x'")}),
              QStringList{QStringLiteral("pppsss")});
}

TEST(ScriptHighlightRules, NestedCommentsAndQuotesAcrossLines)
{
    const QStringList classes = classesOfText(
        SyntaxKind::Pascal, {QStringLiteral("{ a 'b' { c } end"), QStringLiteral("s := '{x} // y"),
                             QStringLiteral("(* open"), QStringLiteral("begin 'q' *) or")});
    // A brace comment ends at the first closing brace, quotes inside it are comment.
    EXPECT_EQ(classes.at(0), QStringLiteral("cccccccccccccpkkk"));
    // An unclosed string runs to the end of its line and no further.
    EXPECT_EQ(classes.at(1), QStringLiteral("pppppsssssssss"));
    // "(*" without its end carries on into the next line.
    EXPECT_EQ(classes.at(2), QStringLiteral("ccccccc"));
    EXPECT_EQ(classes.at(3), QStringLiteral("ccccccccccccpkk"));
}

TEST(ScriptSkeleton, AnUntouchedOrBlankScriptCountsAsNone)
{
    EXPECT_EQ(ScriptSkeleton::lines(),
              (QStringList{QStringLiteral("begin"), QStringLiteral("  "), QStringLiteral("end")}));
    EXPECT_TRUE(ScriptSkeleton::isTrivialHighlighted(ScriptSkeleton::lines().join(u'\n')));
    EXPECT_TRUE(ScriptSkeleton::isTrivialHighlighted(QStringLiteral("BEGIN END")));
    EXPECT_TRUE(ScriptSkeleton::isTrivialHighlighted(QStringLiteral(" \n\t")));
    EXPECT_FALSE(ScriptSkeleton::isTrivialHighlighted(QStringLiteral("begin x := 1 end")));
    EXPECT_TRUE(ScriptSkeleton::isTrivialPlain(ScriptSkeleton::lines()));
    // The plain editor's rule is exact: capitals or one line are a real script there.
    EXPECT_FALSE(
        ScriptSkeleton::isTrivialPlain({QStringLiteral("BEGIN"), {}, QStringLiteral("END")}));
    EXPECT_FALSE(ScriptSkeleton::isTrivialPlain({QStringLiteral("begin end")}));
}

TEST(ScriptErrorPosition, ReadsLineAndColumnOfTheCompilerText)
{
    const ScriptErrorPosition at = ScriptErrorPosition::parse(QStringLiteral("Line 3/5: 缺少 end"));
    EXPECT_EQ(at.line, 3);
    EXPECT_EQ(at.column, 5);
    const ScriptErrorPosition none = ScriptErrorPosition::parse(QStringLiteral("脚本太长"));
    EXPECT_EQ(none.line, 0);
    EXPECT_EQ(none.column, 1);
}

TEST(SmartIndent, EnterTabAndRowShifts)
{
    EXPECT_EQ(SmartIndent::enterIndent(QStringLiteral("    x := 1;"), 12), 4);
    EXPECT_EQ(SmartIndent::enterIndent(QStringLiteral("   "), 4), 3);
    // Tab goes to the next word start of the nearest row that reaches the caret.
    EXPECT_EQ(SmartIndent::tabWidth({QStringLiteral("if a then"), QString()}, 1), 3);
    EXPECT_EQ(SmartIndent::tabWidth({QStringLiteral("  begin")}, 1), 2);
    EXPECT_EQ(SmartIndent::tabWidth({QStringLiteral("ab")}, 5), 0);
    EXPECT_EQ(SmartIndent::backspaceColumn({QStringLiteral("begin"), QStringLiteral("  if a")}, 5),
              3);
    EXPECT_EQ(SmartIndent::unindented({QStringLiteral(" a"), QStringLiteral("      b"), {}}),
              (QStringList{QStringLiteral("a"), QStringLiteral("     b"), {}}));
    EXPECT_EQ(SmartIndent::indented({QStringLiteral("a")}), QStringList{QStringLiteral("  a")});
}

TEST(EditSnapshots, KeepsTheLastThirtyTwo)
{
    EditSnapshots snapshots;
    for (int i = 0; i < 33; ++i)
        snapshots.push({QString::number(i), i});
    int undone = 0;
    QString oldest;
    while (const auto snapshot = snapshots.pop()) {
        oldest = snapshot->text;
        ++undone;
    }
    EXPECT_EQ(undone, 32);
    EXPECT_EQ(oldest, QStringLiteral("1"));
}

TEST(ExpressionNames, BracketsCallsAndSystemVariables)
{
    EXPECT_EQ(ExpressionNames::bracketIfNeeded(ExpressionNames::fieldReference(
                  QStringLiteral("Table1"), QStringLiteral("Name"))),
              QStringLiteral("[Table1.\"Name\"]"));
    EXPECT_EQ(ExpressionNames::bracketIfNeeded(QStringLiteral("Table1.Name")),
              QStringLiteral("Table1.Name"));
    EXPECT_EQ(ExpressionNames::bracketIfNeeded(QStringLiteral("DATE")), QStringLiteral("DATE"));
    EXPECT_EQ(ExpressionNames::bracketIfNeeded(QStringLiteral("学生姓名")),
              QStringLiteral("[学生姓名]"));
    EXPECT_EQ(ExpressionNames::systemVariables().at(
                  ExpressionNames::systemVariableCaptions().indexOf(QStringLiteral("日期"))),
              QStringLiteral("DATE"));
    EXPECT_EQ(ExpressionNames::argumentCount(QStringLiteral("DATE")), 0);
    EXPECT_EQ(ExpressionNames::argumentCount(QStringLiteral("UPPERCASE(<文本>)")), 1);
    EXPECT_EQ(ExpressionNames::argumentCount(QStringLiteral("F(<a>, <b>, <c>, <d>)")), 3);
    EXPECT_EQ(ExpressionNames::callText(QStringLiteral("ROUND"), {QStringLiteral("[x]"), {}, {}}),
              QStringLiteral("ROUND([x])"));
    EXPECT_EQ(ExpressionNames::callText(QStringLiteral("POS"),
                                        {QStringLiteral("'a'"), QStringLiteral("[s]"), {}}),
              QStringLiteral("POS('a', [s])"));
}

TEST(VariableListText, CategoriesFlushVariablesIndentedValuesKept)
{
    script::TqxVariables variables = variablesOf({{" 旧目录", ""}, {"姓名", "Aqy.\"Name\""}});
    EXPECT_EQ(VariableListText::toText(variables), QStringLiteral("旧目录\n 姓名"));

    EXPECT_FALSE(VariableListText::apply(QStringLiteral("学生\n  姓名\n\n  学号  \n"), variables));
    ASSERT_EQ(variables.count(), 3);
    EXPECT_EQ(variables.nameAt(0), QStringLiteral(" 学生"));
    EXPECT_EQ(variables.nameAt(2), QStringLiteral("学号"));
    EXPECT_EQ(variables.value(QStringLiteral("姓名")).toString(), QStringLiteral("Aqy.\"Name\""));
}

TEST(VariableListText, ADuplicateNameIsRefusedNamingItsLine)
{
    script::TqxVariables variables = variablesOf({{" 学生", ""}, {"姓名", "1"}});
    const std::optional<QString> refusal =
        VariableListText::apply(QStringLiteral("学生\n 姓名\n 学号\n 姓名"), variables);
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(refusal->contains(QStringLiteral("第 4 行")));
    EXPECT_EQ(variables.count(), 2);
}

TEST(DictionaryVariables, NewNamesAreUniqueAndCategoriesGoWithTheirVariables)
{
    DictionaryVariables work(variablesOf({{" A", ""}, {"x", "1"}, {" B", ""}, {"y", "2"}}));
    EXPECT_EQ(work.addVariable(QStringLiteral("A")), QStringLiteral("Variable1"));
    EXPECT_EQ(work.list().nameAt(2), QStringLiteral("Variable1"));
    EXPECT_FALSE(work.renameVariable(QStringLiteral("Variable1"), QStringLiteral("Y")));
    EXPECT_TRUE(work.renameVariable(QStringLiteral("Variable1"), QStringLiteral("VARIABLE1")));

    work.removeCategory(QStringLiteral("a"));
    ASSERT_EQ(work.categories().size(), 1u);
    EXPECT_EQ(work.categories().front().variables, QStringList{QStringLiteral("y")});

    // Past a thousand taken numbers a new category still gets a name of its own.
    for (int i = 1; i <= 1001; ++i)
        work.list().setValue(QStringLiteral(" Category%1").arg(i), script::Variant(QString()));
    EXPECT_EQ(work.addCategory(), QStringLiteral("Category1002"));
}

TEST(EditorFonts, SizesReadWhetherStoredAsTextOrNumber)
{
    EXPECT_EQ(EditorFonts::pointSize(QStringLiteral("12")), 12);
    EXPECT_EQ(EditorFonts::pointSize(QString::number(14)), 14);
    EXPECT_EQ(EditorFonts::pointSize(QStringLiteral("大")), 10);
    EXPECT_EQ(EditorFonts::pointSize({}), 10);
}
