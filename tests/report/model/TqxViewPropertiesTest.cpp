#include "ViewTestSupport.h"
#include "report/model/RunState.h"
#include "report/script/EvaluationError.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using script::Variant;
using testing::PlainView;

TEST(TqxViewProperties, NamesAreCaseInsensitiveAndUnknownNamesAreIgnored)
{
    PlainView view;
    view.SetPropertyValue("left", Variant(12));
    view.SetPropertyValue("Height", Variant(40));
    view.SetPropertyValue("FrameWidth", Variant(2.5));
    view.SetPropertyValue("NoSuchThing", Variant(1));

    EXPECT_EQ(view.Left, 12);
    EXPECT_EQ(view.GetPropertyValue("LEFT"), Variant(12));
    EXPECT_EQ(view.GetPropertyValue("height"), Variant(40));
    EXPECT_DOUBLE_EQ(view.GetPropertyValue("FRAMEWIDTH").toDouble(), 2.5);
    EXPECT_TRUE(view.GetPropertyValue("NoSuchThing").isEmpty());
}

TEST(TqxViewProperties, MemoIsSplitIntoLinesAndReadBackWithLineBreaks)
{
    PlainView view;
    view.SetPropertyValue("Memo", Variant(QStringLiteral("one\r\ntwo\nthree")));
    EXPECT_EQ(view.Memo, QStringList({"one", "two", "three"}));
    EXPECT_EQ(view.GetPropertyValue("MEMO").toString(), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(view.GetPropertyValue("Memo.Count"), Variant(3));
    EXPECT_EQ(view.GetPropertyValue("DataField").toString(), "one");

    // Lone carriage returns break lines too; blank lines stay, one trailing break does not
    // add an empty line.
    view.SetPropertyValue("Memo", Variant(QStringLiteral("a\r\rb\r\n\r\n")));
    EXPECT_EQ(view.Memo, QStringList({"a", "", "b", ""}));
    view.SetPropertyValue("Memo", Variant(QStringLiteral("\n")));
    EXPECT_EQ(view.Memo, QStringList({""}));

    view.Memo.clear();
    EXPECT_EQ(view.GetPropertyValue("DATAFIELD"), Variant(QString()));
}

TEST(TqxViewProperties, StretchedIsBitZeroOfFlags)
{
    PlainView view;
    view.Flags = 0x8001;
    view.SetPropertyValue("Stretched", Variant(false));
    EXPECT_EQ(view.Flags, 0x8000);
    EXPECT_EQ(view.GetPropertyValue("STRETCHED"), Variant(false));
}

TEST(TqxViewProperties, WrongTypeRaisesTheConversionErrorAndKeepsTheValue)
{
    PlainView view;
    view.Left = 7;
    EXPECT_THROW(view.SetPropertyValue("LEFT", Variant(QStringLiteral("abc"))),
                 script::EvaluationError);
    EXPECT_EQ(view.Left, 7);
}

TEST(TqxViewProperties, RegisteredListDependsOnFrameSupport)
{
    PlainView view;
    view.RegisterProperties();
    ASSERT_NE(view.findProperty("FrameStyle"), nullptr);
    EXPECT_EQ(view.findProperty("FrameStyle")->EnumNames.size(), 6);
    EXPECT_EQ(view.findProperty("BandAlign")->EnumCodes.back(), Variant::fromInteger(7));
    EXPECT_EQ(view.findProperty("Name")->PropKind, 257);
    EXPECT_EQ(view.findProperty("Tag")->PropKind, 320);
    EXPECT_EQ(view.Properties().back().PropName, "Restrictions");

    // Rebuilding starts from scratch rather than appending.
    const auto count = view.Properties().size();
    view.RegisterProperties();
    EXPECT_EQ(view.Properties().size(), count);
}

TEST(TqxViewMethods, ListMethodsEditTheMemo)
{
    PlainView view;
    view.CallMethod("MEMO.ADD", Variant(QStringLiteral("'first'")), {}, {});
    view.CallMethod("MEMO.ADD", Variant(QStringLiteral("1 + 1")), {}, {});
    EXPECT_EQ(view.Memo, QStringList({"first", "2"}));
    EXPECT_EQ(view.CallMethod("MEMO.INDEXOF", Variant(QStringLiteral("'2'")), {}, {}), Variant(1));
    EXPECT_EQ(view.CallMethod("MEMO.INDEXOF", Variant(QStringLiteral("'x'")), {}, {}), Variant(-1));

    view.CallMethod("SETINDEXPROPERTY", Variant(QStringLiteral("MEMO")), Variant(0),
                    Variant(QStringLiteral("changed")));
    EXPECT_EQ(view.CallMethod("GETINDEXPROPERTY", Variant(QStringLiteral("MEMO")), Variant(0), {}),
              Variant(QStringLiteral("changed")));

    view.CallMethod("MEMO.DELETE", Variant(QStringLiteral("0")), {}, {});
    EXPECT_EQ(view.Memo, QStringList({"2"}));
    view.CallMethod("MEMO.CLEAR", {}, {}, {});
    EXPECT_TRUE(view.Memo.isEmpty());
}

TEST(TqxViewMethods, IndexesOutsideTheListAreIgnored)
{
    PlainView view;
    view.Memo = QStringList{"a"};
    view.CallMethod("MEMO.DELETE", Variant(QStringLiteral("5")), {}, {});
    view.CallMethod("SETINDEXPROPERTY", Variant(QStringLiteral("MEMO")), Variant(-1),
                    Variant(QStringLiteral("x")));
    EXPECT_EQ(view.Memo, QStringList({"a"}));
    EXPECT_TRUE(view.CallMethod("GETINDEXPROPERTY", Variant(QStringLiteral("MEMO")), Variant(3), {})
                    .isEmpty());
}

TEST(TqxViewMethods, ListMethodsUseTheReportsEvaluator)
{
    runState().evaluate = [](const QString &text) {
        return Variant(QStringLiteral("value of ") + text);
    };
    PlainView view;
    view.CallMethod("MEMO.ADD", Variant(QStringLiteral("Field")), {}, {});
    runState().reset();
    EXPECT_EQ(view.Memo, QStringList({"value of Field"}));
}

TEST(TqxViewMethods, HideAndShowSetVisibility)
{
    PlainView view;
    view.CallMethod("HIDE", {}, {}, {});
    EXPECT_FALSE(view.Visible);
    view.CallMethod("SHOW", {}, {}, {});
    EXPECT_TRUE(view.Visible);
    EXPECT_TRUE(view.CallMethod("NOSUCHMETHOD", {}, {}, {}).isEmpty());
}

TEST(TqxViewNames, FirstFreeNumberIsTaken)
{
    PlainView view;
    view.BaseName = "Memo";
    const QStringList taken{"Memo1", "Memo3"};
    view.MakeUniqueName([&](const QString &name) { return taken.contains(name); });
    EXPECT_EQ(view.Name, "Memo2");

    view.MakeUniqueName([](const QString &) { return true; });
    EXPECT_TRUE(view.Name.isEmpty());
}

} // namespace
} // namespace tovren::model
