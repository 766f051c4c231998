#include "report/script/TqxLibraryRegistry.h"

#include "report/platform/StringTable.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxStdFunctionLibrary.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace tovren;
using namespace tovren::script;

namespace {

/// A library answering ECHO with its first argument's text and UPPERCASE with a fixed text, to
/// see which library wins a name two of them know.
class EchoLibrary : public TqxFunctionLibrary
{
public:
    explicit EchoLibrary(const TqxParser &parser)
        : TqxFunctionLibrary(parser)
    {
        setFunctionNames({QStringLiteral("ECHO"), QStringLiteral("UPPERCASE")});
    }

    void describeFunctions(TqxInstalledFunctions &registry) const override
    {
        registry.AddFunctionDescription(typeid(*this), QStringLiteral("ECHO"),
                                        QStringLiteral("Test"), QStringLiteral("ECHO(<X>)/echo"));
        registry.AddFunctionDescription(typeid(*this), QStringLiteral("UPPERCASE"),
                                        QStringLiteral("Test"), QStringLiteral("shadowed"));
    }

protected:
    void RunFunction(int number, const QString &p1, const QString &, const QString &,
                     Variant &value) override
    {
        value = number == 0 ? evaluate(p1) : Variant(QStringLiteral("echo"));
    }
};

/// Distinct classes, to fill the registry with libraries of different kinds.
template<int N>
class NumberedLibrary : public EchoLibrary
{
public:
    using EchoLibrary::EchoLibrary;
};

class LibraryRegistry : public ::testing::Test
{
protected:
    LibraryRegistry() { registry.registerLibrary(std::make_unique<TqxStdFunctionLibrary>(parser)); }

    Variant call(const char *name, const char *p1) const
    {
        Variant value(QStringLiteral("0"));
        registry.dispatch(QString::fromLatin1(name), QString::fromUtf8(p1), {}, {}, value);
        return value;
    }

    TqxParser parser;
    TqxLibraryRegistry registry;
};

} // namespace

TEST_F(LibraryRegistry, LibrariesAreAskedInOrderAndEachClassOnce)
{
    EXPECT_TRUE(registry.registerLibrary(std::make_unique<EchoLibrary>(parser)));
    EXPECT_FALSE(registry.registerLibrary(std::make_unique<EchoLibrary>(parser)));
    EXPECT_FALSE(registry.registerLibrary(nullptr));
    EXPECT_EQ(registry.count(), 2);

    EXPECT_EQ(call("UPPERCASE", "'a'"), Variant(QStringLiteral("A")))
        << "the standard library is first";
    EXPECT_EQ(call("echo", "1 + 2"), Variant(3.0));
    EXPECT_EQ(call("NOSUCH", "1"), Variant(QStringLiteral("0")));
    EXPECT_EQ(registry.descriptions().descriptionOf(QStringLiteral("UPPERCASE")),
              platform::LoadLibraryString(55376))
        << "the first description of a name stays";
}

TEST_F(LibraryRegistry, UnregisteringRemovesTheLibraryAndItsDescriptions)
{
    registry.registerLibrary(std::make_unique<EchoLibrary>(parser));
    EXPECT_TRUE(registry.descriptions().categories().contains(QStringLiteral("Test")));
    registry.unregisterLibrary(typeid(EchoLibrary));
    EXPECT_EQ(registry.count(), 1);
    EXPECT_EQ(call("ECHO", "1"), Variant(QStringLiteral("0")));
    EXPECT_FALSE(registry.descriptions().categories().contains(QStringLiteral("Test")));
    EXPECT_FALSE(registry.descriptions().descriptionOf(QStringLiteral("UPPERCASE")).isEmpty());
}

TEST_F(LibraryRegistry, RefusesLibrariesBeyondItsCapacity)
{
    const auto fill = [&]<int... N>(std::integer_sequence<int, N...>)
    {
        return (int(registry.registerLibrary(std::make_unique<NumberedLibrary<N>>(parser))) + ...);
    };
    EXPECT_EQ(fill(std::make_integer_sequence<int, 64>()), 63);
    EXPECT_EQ(registry.count(), TqxLibraryRegistry::maximumLibraries);
}

TEST(InstalledFunctions, DescriptionsByNameAndCategory)
{
    const TqxParser parser;
    TqxInstalledFunctions installed;
    TqxStdFunctionLibrary(parser).describeFunctions(installed);
    EXPECT_EQ(installed.descriptions().size(), 66u);
    EXPECT_EQ(installed.descriptions().front().name, QStringLiteral("AVG"));
    EXPECT_EQ(installed.descriptionOf(QStringLiteral("namecase")),
              QStringLiteral("NAMECASE(<String>)/转换<String>符号为小写,\"首字符大写."));
    EXPECT_TRUE(installed.descriptionOf(QStringLiteral("IF"))
                    .startsWith(QStringLiteral("IF(<Expression>, <Value1>, <Value2>)/")));
    EXPECT_EQ(installed.descriptionOf(QStringLiteral("NOSUCH")), QString());

    const QStringList categories = installed.categories();
    EXPECT_EQ(categories.size(), 8);
    EXPECT_TRUE(std::is_sorted(categories.begin(), categories.end()));
    EXPECT_EQ(installed.functionsOf(QStringLiteral("求整")),
              (QStringList{QStringLiteral("AVG"), QStringLiteral("COUNT"), QStringLiteral("MAX"),
                           QStringLiteral("MIN"), QStringLiteral("SUM")}));
    EXPECT_EQ(installed.functionsOf(QStringLiteral("所有函数")).size(), 66);
    EXPECT_EQ(installed.functionsOf(QString()).size(), 66);

    installed.AddFunctionDescription(typeid(int), QStringLiteral("AVG"), QStringLiteral("X"),
                                     QStringLiteral("again"));
    installed.AddFunctionDescription(typeid(int), QStringLiteral("NEW"), QString(),
                                     QStringLiteral("no category"));
    EXPECT_EQ(installed.descriptions().size(), 66u);
    installed.AddFunctionDescription(typeid(int), QStringLiteral("avg"), QStringLiteral("X"),
                                     QStringLiteral("other spelling"));
    EXPECT_EQ(installed.descriptions().size(), 67u) << "names are told apart exactly";
}
