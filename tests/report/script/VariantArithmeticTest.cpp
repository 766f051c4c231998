#include "report/script/VariantArithmetic.h"

#include "report/script/EvaluationError.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace tovren::script {
namespace {

const Variant text(const char *value)
{
    return Variant(QString::fromUtf8(value));
}

TEST(VariantArithmeticTest, AdditionConcatenatesTextsAndConvertsMixedOperands)
{
    EXPECT_EQ(add(text("abc"), text("def")), text("abcdef"));
    EXPECT_EQ(add(Variant(), text("x")), text("x"));
    EXPECT_EQ(add(text("10"), Variant(5)), Variant(15.0));
    EXPECT_EQ(subtract(text("10"), text("4")), Variant(6.0));
    EXPECT_THROW(add(text("abc"), Variant(1)), EvaluationError);
    EXPECT_THROW(multiply(text("x"), text("y")), EvaluationError);
}

TEST(VariantArithmeticTest, NumbersWiden)
{
    EXPECT_EQ(add(Variant(2), Variant(3)), Variant(5));
    EXPECT_EQ(add(Variant(2), Variant(0.5)), Variant(2.5));
    EXPECT_EQ(add(Variant(true), Variant(1)), Variant(0)); // TRUE counts as -1
    EXPECT_EQ(add(Variant(), Variant(4)), Variant(4));
    EXPECT_EQ(add(Variant::fromCurrency(1.25), Variant(1)), Variant::fromCurrency(2.25));
    EXPECT_EQ(multiply(Variant::fromCurrency(1.5), Variant::fromCurrency(1.5)),
              Variant::fromCurrency(2.25));
    EXPECT_EQ(add(Variant::fromDate(10), Variant(1)), Variant::fromDate(11));
    EXPECT_EQ(subtract(Variant::fromDate(10), Variant::fromDate(4)), Variant(6.0));
}

TEST(VariantArithmeticTest, IntegerOverflowWidensInsteadOfWrapping)
{
    const qint64 big = std::numeric_limits<qint64>::max();
    EXPECT_EQ(add(Variant(std::numeric_limits<int>::max()), Variant(1)).type(), VariantType::Int64);
    EXPECT_EQ(add(Variant(big), Variant(1)).type(), VariantType::Double);
    EXPECT_EQ(negate(Variant(std::numeric_limits<qint64>::min())).type(), VariantType::Double);
    EXPECT_THROW(multiply(Variant(1e300), Variant(1e300)), EvaluationError);
    EXPECT_THROW(add(Variant::fromCurrencyUnits(big), Variant::fromCurrencyUnits(1)),
                 EvaluationError);
}

TEST(VariantArithmeticTest, DivisionModuloAndOr)
{
    EXPECT_EQ(divide(Variant(7), Variant(2)), Variant(3.5));
    EXPECT_THROW(divide(Variant(7), Variant(0)), EvaluationError);
    EXPECT_THROW(divide(Variant(7), text("0")), EvaluationError);
    EXPECT_EQ(integerDivide(Variant(7), Variant(2)), Variant(3));
    EXPECT_EQ(integerDivide(Variant(-7), Variant(2)), Variant(-3));
    EXPECT_EQ(integerDivide(Variant(std::numeric_limits<qint64>::min()), Variant(-1)).type(),
              VariantType::Double);
    EXPECT_THROW(integerDivide(Variant(7), Variant(0.2)), EvaluationError); // 0.2 rounds to 0
    EXPECT_EQ(modulo(Variant(7), Variant(3)), Variant(1));
    EXPECT_EQ(modulo(Variant(-7), Variant(3)), Variant(-1));
    EXPECT_EQ(modulo(Variant(7.5), Variant(3)), Variant(2)); // 7.5 rounds to 8
    EXPECT_EQ(modulo(Variant(std::numeric_limits<qint64>::min()), Variant(-1)), Variant(0));
    EXPECT_THROW(modulo(Variant(1), Variant(0)), EvaluationError);
    EXPECT_EQ(bitwiseOr(Variant(5), Variant(2)), Variant(7));
    EXPECT_EQ(bitwiseOr(Variant(false), Variant(true)), Variant(true));
}

QString messageOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const EvaluationError &error) {
        return error.message();
    }
    return {};
}

TEST(VariantArithmeticTest, ErrorsCarryThePlatformMessages)
{
    EXPECT_EQ(messageOf([] { modulo(Variant(1), Variant(0)); }), u"除数为零");
    EXPECT_EQ(messageOf([] { multiply(Variant(1e300), Variant(1e300)); }),
              u"Floating point overflow");
    EXPECT_EQ(messageOf([] { modulo(Variant(1e300), Variant(7)); }),
              u"Invalid floating point operation");
    EXPECT_EQ(messageOf([] { Variant::null().toInt64(); }),
              u"Could not convert variant of type (Null) into type (Int64)");
    EXPECT_EQ(messageOf([] {
                  add(Variant::fromCurrencyUnits(std::numeric_limits<qint64>::max()),
                      Variant::fromCurrencyUnits(1));
              }),
              u"Arithmetic overflow");
}

TEST(VariantArithmeticTest, NullPropagatesThroughArithmetic)
{
    EXPECT_TRUE(add(Variant::null(), Variant(1)).isNull());
    EXPECT_TRUE(divide(Variant(1), Variant::null()).isNull());
    EXPECT_TRUE(negate(Variant::null()).isNull());
}

TEST(VariantArithmeticTest, ComparisonsOfTextsNumbersAndNull)
{
    EXPECT_EQ(compare(text("abc"), text("abd")), Ordering::Less);
    EXPECT_EQ(compare(text("b"), text("B")), Ordering::Greater); // case matters
    EXPECT_EQ(compare(text("9"), Variant(10)), Ordering::Less);  // numerically, not as text
    EXPECT_EQ(compare(Variant(), text("")), Ordering::Equal);
    EXPECT_EQ(compare(Variant(), Variant(0)), Ordering::Equal);
    EXPECT_EQ(compare(Variant(2), Variant(2.0)), Ordering::Equal);
    EXPECT_EQ(compare(Variant::null(), Variant::null()), Ordering::Equal);
    EXPECT_EQ(compare(Variant::null(), Variant(0)), Ordering::Less);
    EXPECT_THROW(compare(text("x"), Variant(1)), EvaluationError);

    EXPECT_EQ(compareToInteger(Variant(1), Variant(2), Comparison::Less), Variant(1));
    EXPECT_EQ(compareToInteger(Variant(1), Variant(2), Comparison::GreaterOrEqual), Variant(0));
    EXPECT_EQ(compareToInteger(Variant::null(), Variant(0), Comparison::NotEqual), Variant(1));
    EXPECT_TRUE(equalsZero(Variant(false)));
    EXPECT_FALSE(equalsZero(Variant(true)));
}

} // namespace
} // namespace tovren::script
