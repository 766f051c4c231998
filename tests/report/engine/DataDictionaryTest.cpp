#include "report/engine/EngineErrors.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/model/RecordStream.h"
#include "report/platform/TextCodec.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovren;
using engine::TqxDataDictionary;
using script::Variant;

namespace {

QByteArray written(const TqxDataDictionary &dictionary)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    model::RecordWriter writer(buffer);
    dictionary.WriteToStream(writer);
    return buffer.data();
}

void readInto(TqxDataDictionary &dictionary, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    model::RecordReader reader(buffer);
    dictionary.ReadFromStream(reader);
}

/// Name and value text of every entry, for comparing lists.
QStringList entries(const script::TqxVariables &list)
{
    QStringList result;
    for (qsizetype i = 0; i < list.count(); ++i)
        result << list.nameAt(i) + u'=' + list.valueAt(i).toString();
    return result;
}

TqxDataDictionary certificateDictionary()
{
    TqxDataDictionary dictionary;
    dictionary.SetVariable(QStringLiteral(" 学生"), Variant(QString()));
    dictionary.SetVariable(QStringLiteral("姓名"), Variant(QStringLiteral("Aqy.\"Name\"")));
    dictionary.SetVariable(QStringLiteral("学号"), Variant(QStringLiteral("Aqy.\"StudID\"")));
    dictionary.SetVariable(QStringLiteral(" Totals"), Variant(QString()));
    dictionary.SetVariable(QStringLiteral("Sum"), Variant(QStringLiteral("2+3")));
    dictionary.AliasList.setValue(QStringLiteral("Aqy"), Variant(QStringLiteral("毕业生")));
    dictionary.AliasList.setValue(QStringLiteral("Aqy.Memo"), Variant(QString()));
    dictionary.SourceAliasList.setValue(QStringLiteral("qxDBDataSet1"),
                                        Variant(QStringLiteral("主数据")));
    return dictionary;
}

} // namespace

TEST(DataDictionaryStream, WritesTheCurrentFormAndReadsItBackByteForByte)
{
    const TqxDataDictionary original = certificateDictionary();
    const QByteArray bytes = written(original);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFE\xFF", 2));

    TqxDataDictionary read;
    read.HiddenSources << QStringLiteral("Temp*");
    read.SetVariable(QStringLiteral("Stale"), Variant(1));
    readInto(read, bytes);
    EXPECT_EQ(entries(read.VariableList), entries(original.VariableList));
    EXPECT_EQ(entries(read.AliasList), entries(original.AliasList));
    EXPECT_EQ(entries(read.SourceAliasList), entries(original.SourceAliasList));
    EXPECT_TRUE(read.HiddenSources.isEmpty());
    EXPECT_EQ(written(read), bytes);
}

TEST(DataDictionaryStream, EveryCutBlockIsRefusedAndChangesNothing)
{
    const QByteArray bytes = written(certificateDictionary());
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        TqxDataDictionary dictionary;
        dictionary.SetVariable(QStringLiteral("Kept"), Variant(1));
        EXPECT_THROW(readInto(dictionary, bytes.left(length)), model::ERecordFormat) << length;
        EXPECT_EQ(entries(dictionary.VariableList), QStringList{QStringLiteral("Kept=1")});
    }
}

TEST(DataDictionaryStream, OldFormAndOldMarkingAreConverted)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    model::RecordWriter writer(buffer);
    const auto shortString = [&writer](const QString &text) {
        const QByteArray bytes = platform::encode8Bit(text);
        writer.writeByte(static_cast<quint8>(bytes.size()));
        writer.writeBytes(bytes);
    };
    writer.writeInt(3);
    writer.writeByte(1); // a data field
    writer.writeInt(0);
    shortString(QStringLiteral("Aqy"));
    shortString(QStringLiteral("Name"));
    shortString(QStringLiteral("姓名"));
    writer.writeByte(2); // system variable 2, the date
    writer.writeInt(2);
    shortString({});
    shortString({});
    shortString(QStringLiteral("Today"));
    writer.writeByte(2); // an expression
    writer.writeInt(1);
    shortString({});
    shortString(QStringLiteral("2*3"));
    shortString(QStringLiteral("Six"));
    writer.writeStrList({QStringLiteral("Pupil"), QStringLiteral(" 姓名"), QStringLiteral(" Today"),
                         QStringLiteral(" Six")});

    TqxDataDictionary dictionary;
    readInto(dictionary, buffer.data());
    EXPECT_EQ(entries(dictionary.VariableList),
              (QStringList{QStringLiteral(" Pupil="), QStringLiteral("姓名=Aqy.\"Name\""),
                           QStringLiteral("Today=DATE"), QStringLiteral("Six=2*3")}));
    EXPECT_EQ(dictionary.Categories(), QStringList{QStringLiteral("Pupil")});
}

TEST(DataDictionaryStream, MarkerMinusOneDropsEmptyReportSourceAliases)
{
    TqxDataDictionary withEmpty = certificateDictionary();
    withEmpty.SourceAliasList.setValue(QStringLiteral("qxDBDataSet2"), Variant(QString()));
    QByteArray bytes = written(withEmpty);
    bytes[0] = '\xFF';

    TqxDataDictionary dictionary;
    readInto(dictionary, bytes);
    EXPECT_EQ(entries(dictionary.SourceAliasList),
              QStringList{QStringLiteral("qxDBDataSet1=主数据")});
    // Without the data sets at hand, empty field aliases are kept.
    EXPECT_TRUE(dictionary.AliasList.contains(QStringLiteral("Aqy.Memo")));
}

TEST(DataDictionaryFile, SavesAndLoadsQxdFilesAndSurvivesDamage)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("证书.qxd"));
    const TqxDataDictionary original = certificateDictionary();
    original.SaveFile(path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    file.close();
    EXPECT_EQ(contents, char(TqxDataDictionary::fileVersion) + written(original));

    TqxDataDictionary loaded;
    loaded.LoadFile(path);
    EXPECT_EQ(entries(loaded.VariableList), entries(original.VariableList));

    // A cut file is refused as a whole and the dictionary keeps what it had.
    const QString damaged = dir.filePath(QStringLiteral("damaged.qxd"));
    QFile cut(damaged);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(contents.left(contents.size() - 5));
    cut.close();
    try {
        loaded.LoadFile(damaged);
        ADD_FAILURE() << "a damaged file was accepted";
    } catch (const engine::EReportError &error) {
        EXPECT_TRUE(error.message().contains(damaged));
    }
    EXPECT_EQ(entries(loaded.VariableList), entries(original.VariableList));
    EXPECT_THROW(loaded.LoadFile(dir.filePath(QStringLiteral("none.qxd"))), engine::EReportError);
    EXPECT_THROW(original.SaveFile(dir.filePath(QStringLiteral("no/such/dir.qxd"))),
                 engine::EReportError);
}

TEST(DataDictionaryListing, CategoriesAliasesAndFieldNames)
{
    TqxDataDictionary dictionary = certificateDictionary();
    EXPECT_EQ(dictionary.Categories(),
              (QStringList{QStringLiteral("学生"), QStringLiteral("Totals")}));
    EXPECT_EQ(dictionary.CategoryVariables(QStringLiteral("学生")),
              (QStringList{QStringLiteral("姓名"), QStringLiteral("学号")}));
    EXPECT_EQ(dictionary.CategoryVariables(QStringLiteral("totals")),
              QStringList{QStringLiteral("Sum")});
    EXPECT_TRUE(dictionary.CategoryVariables(QStringLiteral("None")).isEmpty());

    EXPECT_EQ(dictionary.RealSourceName(QStringLiteral("毕业生")), QStringLiteral("Aqy"));
    EXPECT_EQ(dictionary.RealSourceName(QStringLiteral("Other")), QStringLiteral("Other"));
    EXPECT_EQ(dictionary.RealReportSourceName(QStringLiteral("主数据")),
              QStringLiteral("qxDBDataSet1"));
    EXPECT_EQ(dictionary.DisplayName(QStringLiteral("Aqy")), QStringLiteral("毕业生"));
    EXPECT_EQ(dictionary.DisplayName(QStringLiteral("qxDBDataSet1")), QStringLiteral("主数据"));
    EXPECT_EQ(dictionary.DisplayName(QStringLiteral("Plain")), QStringLiteral("Plain"));

    const auto split = TqxDataDictionary::SplitFieldName(QStringLiteral("Form1.Aqy.\"No. of\""));
    ASSERT_TRUE(split);
    EXPECT_EQ(split->source, QStringLiteral("Form1.Aqy"));
    EXPECT_EQ(split->field, QStringLiteral("No. of"));
    EXPECT_FALSE(TqxDataDictionary::SplitFieldName(QStringLiteral("NoDot")));
}
