#pragma once

#include "report/model/LineWrapper.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TqxMemoView.h"

#include <QBuffer>
#include <QHash>
#include <gtest/gtest.h>

namespace tovren::model::testing {

/// Resets the library's run state around every test and resolves names from a table.
class MemoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        runState().reset();
        runState().evaluate = [this](const QString &expression) {
            const auto found = values.constFind(expression);
            if (found == values.constEnd())
                throw std::runtime_error("unknown name");
            return *found;
        };
    }
    void TearDown() override { runState().reset(); }

    static void outputMode() { runState().drawingMode = DrawingMode::Output; }

    QHash<QString, script::Variant> values;
};

inline QFont layoutArial10()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    return layoutFont(font);
}

inline QStringList withoutMarks(QStringList lines)
{
    for (QString &line : lines)
        line.remove(kEndOfParagraph);
    return lines;
}

/// Prints @p memo into a fresh prepared-page stream and returns the stream's bytes.
inline QByteArray printed(TqxMemoView &memo)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    memo.PrintToStream(writer);
    return buffer.data();
}

/// Reads back one printed text object (kind byte and prepared-page record).
inline void readPrinted(const QByteArray &bytes, TqxMemoView &into)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer);
    ASSERT_EQ(reader.readByte(), okText);
    into.RecordMode = 1;
    into.ReadRecord(reader);
    EXPECT_EQ(reader.pos(), bytes.size());
}

} // namespace tovren::model::testing
