#include "app/demo/GraduateGenerator.h"

#include <QDate>

#include <gtest/gtest.h>

using tovren::demo::GraduateGenerator;

TEST(GraduateGenerator, IdentityCheckDigitFollowsTheNationalRule)
{
    // Published example numbers with their check digits.
    EXPECT_EQ(GraduateGenerator::identityCheckDigit(u"11010519491231002"), u'X');
    EXPECT_EQ(GraduateGenerator::identityCheckDigit(u"44052418800101001"), u'4');
}

TEST(GraduateGenerator, RecordsAreConsistentAndRepeatable)
{
    const QStringList columns = GraduateGenerator::columnNames();
    const auto at = [&](const QStringList &row, const char *name) {
        return row.at(columns.indexOf(QLatin1String(name)));
    };
    GraduateGenerator first(99);
    GraduateGenerator again(99);
    for (int i = 0; i < 500; ++i) {
        const QStringList row = first.next();
        ASSERT_EQ(row.size(), columns.size());
        EXPECT_EQ(row, again.next());

        const QString card = at(row, "CardID");
        ASSERT_EQ(card.size(), 18);
        EXPECT_EQ(card.back(), GraduateGenerator::identityCheckDigit(QStringView(card).left(17)));
        const QDate birth = QDate::fromString(at(row, "Birth"), u"yyyy-MM-dd");
        ASSERT_TRUE(birth.isValid());
        EXPECT_EQ(card.mid(6, 8), birth.toString(u"yyyyMMdd"));
        EXPECT_EQ(at(row, "BirthYear").toInt(), birth.year());
        EXPECT_EQ(at(row, "BirthMonth"), birth.toString(u"MM"));
        EXPECT_EQ(at(row, "BirthDay"), birth.toString(u"dd"));
        const bool male = at(row, "Sex") == u"男";
        EXPECT_EQ(card[16].digitValue() % 2 == 1, male);
        EXPECT_GE(at(row, "Name").size(), 2);
        EXPECT_LT(at(row, "StartYear").toInt(), at(row, "EndYear").toInt());
        EXPECT_FALSE(at(row, "SchoolName").isEmpty());
    }
    EXPECT_NE(GraduateGenerator(1).next(), GraduateGenerator(2).next());
}
