#include "app/db/PackedRow.h"

#include <QDate>
#include <QDateTime>

#include <gtest/gtest.h>

using tovren::db::PackedRow;

TEST(PackedRow, EveryKindOfCellComesBackAsStored)
{
    const QDateTime moment(QDate(2006, 7, 1), QTime(8, 30, 15), Qt::UTC);
    const std::vector<QVariant> values{
        QVariant(),
        QVariant(qlonglong(-9007199254740993)),
        QVariant(0.1 + 0.2),
        QVariant(true),
        QVariant(QStringLiteral("王𠀀明")),
        QVariant(QString()),
        QVariant(QByteArray("\0\1\2jpeg", 7)),
        QVariant(QDate(1899, 12, 30)),
        QVariant(moment),
        QVariant(int(42)),
    };
    const PackedRow row = PackedRow::pack(values);
    ASSERT_EQ(row.columnCount(), int(values.size()));
    EXPECT_TRUE(row.isNull(0));
    EXPECT_EQ(row.value(1).toLongLong(), -9007199254740993);
    EXPECT_EQ(row.value(2).toDouble(), 0.1 + 0.2);
    EXPECT_EQ(row.value(3).toBool(), true);
    EXPECT_EQ(row.value(4).toString(), QStringLiteral("王𠀀明"));
    EXPECT_FALSE(row.isNull(5)) << "an empty text is not a null";
    EXPECT_EQ(row.value(6).toByteArray(), QByteArray("\0\1\2jpeg", 7));
    EXPECT_EQ(row.value(7).toDate(), QDate(1899, 12, 30));
    EXPECT_EQ(row.value(8).toDateTime(), moment);
    EXPECT_EQ(row.value(9).toLongLong(), 42);
    EXPECT_EQ(row.unpack().size(), values.size());
}

TEST(PackedRow, TextFormsAreExactAndOutOfRangeColumnsAreNull)
{
    const PackedRow row = PackedRow::pack({QVariant(0.1), QVariant(qlonglong(7)), QVariant()});
    EXPECT_EQ(row.text(0), QStringLiteral("0.1"));
    EXPECT_EQ(row.text(1), QStringLiteral("7"));
    EXPECT_TRUE(row.text(2).isEmpty());
    EXPECT_TRUE(row.isNull(3));
    EXPECT_TRUE(row.isNull(-1));
    EXPECT_FALSE(row.value(99).isValid());
    EXPECT_EQ(PackedRow().columnCount(), 0);
}
