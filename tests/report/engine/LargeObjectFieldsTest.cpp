#include "BuildFixture.h"
#include "report/model/LineWrapper.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPictureView.h"
#include "report/platform/TextCodec.h"

#include <QBuffer>
#include <QImage>

using namespace tovren;

namespace {

/// Rows 1 ... 3 with the fields of the fixture plus a picture blob PHOTO and a long text NOTES:
/// row 1 holds a 4 x 3 bitmap and two lines of text, row 2 bytes that are no picture, row 3
/// nulls.
class LargeObjectRecordSet : public test::MemoryRecordSet
{
public:
    using MemoryRecordSet::MemoryRecordSet;

    QStringList fieldNames() const override
    {
        return {QStringLiteral("N"), QStringLiteral("NAME"), QStringLiteral("PHOTO"),
                QStringLiteral("NOTES")};
    }
    int fieldIndex(QStringView name) const override
    {
        return static_cast<int>(fieldNames().indexOf(name.toString().toUpper()));
    }
    engine::TqxFieldType fieldType(int index) const override
    {
        if (index == 2)
            return engine::TqxFieldType::Blob;
        if (index == 3)
            return engine::TqxFieldType::Memo;
        return MemoryRecordSet::fieldType(index);
    }
    bool fieldIsNull(int index) const override
    {
        return index >= 2 ? row() == 3 : MemoryRecordSet::fieldIsNull(index);
    }
    script::Variant fieldValue(int index) const override
    {
        if (index == 3 && longNotes > 0 && !fieldIsNull(3)) {
            QStringList lines;
            for (int i = 1; i <= longNotes; ++i)
                lines << QStringLiteral("记录%1 第%2行").arg(row()).arg(i);
            return script::Variant(lines.join(u'\n'));
        }
        if (index == 3)
            return fieldIsNull(3)
                       ? script::Variant::null()
                       : script::Variant(QStringLiteral("第%1行\n[NAME] 照原样").arg(row()));
        return MemoryRecordSet::fieldValue(index);
    }
    QByteArray fieldBytes(int index) const override
    {
        if (index != 2 || fieldIsNull(2))
            return {};
        if (row() == 2)
            return QByteArrayLiteral("not a picture at all");
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        return bytes;
    }

    /// When above 0, NOTES holds that many numbered lines instead.
    int longNotes = 0;
};

class LargeObjectFieldsTest : public test::BuildTest
{
protected:
    LargeObjectFieldsTest()
        : BuildTest(0)
        , records(new LargeObjectRecordSet(3, QStringLiteral("Files"), &form))
        , source(new engine::TqxDBDataSet(QStringLiteral("FilesSource"), &form))
    {
        source->setDataSet(records);
    }

    model::TqxPictureView &addPicture(model::TqxPage &page, int top, const QString &field,
                                      const QString &name = QStringLiteral("Photo"))
    {
        auto picture = std::make_unique<model::TqxPictureView>();
        picture->Name = name;
        picture->SetBounds(300, top, 40, 30);
        picture->Memo = QStringList{field};
        return static_cast<model::TqxPictureView &>(page.addObject(std::move(picture)));
    }

    /// The object named @p name on prepared page @p index, or nullptr.
    model::TqxView *printed(qsizetype index, const QString &name)
    {
        model::TqxPage &page = report.EMFPages().Unpack(index);
        for (qsizetype i = 0; i < page.objectCount(); ++i) {
            if (page.object(i)->Name == name)
                return page.object(i);
        }
        return nullptr;
    }

    /// A master band over the first @p rows records showing the picture and the notes.
    void buildTemplate(int rows, const QString &photoField = QStringLiteral("[Files.\"PHOTO\"]"))
    {
        source->setRangeEnd(engine::reCount);
        source->setRangeEndCount(rows);
        model::TqxPage &page = addPage();
        addBand(page, model::btMasterData, 0, 60, QStringLiteral("Data"),
                QStringLiteral("FilesSource"));
        addPicture(page, 0, photoField);
        addText(page, 0, 0, QStringLiteral("[NOTES]"), QStringLiteral("Notes")).Height = 50;
    }

    static QStringList lines(const model::TqxView &view)
    {
        QStringList result;
        for (QString line : view.Memo) {
            line.remove(model::kEndOfParagraph);
            if (!line.isEmpty())
                result << line;
        }
        return result;
    }

    LargeObjectRecordSet *records;
    engine::TqxDBDataSet *source;
};

TEST_F(LargeObjectFieldsTest, PictureAndTextTakeTheirContentFromTheCurrentRecord)
{
    buildTemplate(1);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    auto *picture = dynamic_cast<model::TqxPictureView *>(printed(0, QStringLiteral("Photo")));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Picture.image().size(), QSize(4, 3));
    EXPECT_EQ(picture->Picture.image().pixelColor(0, 0), QColor(Qt::red));
    model::TqxView *notes = printed(0, QStringLiteral("Notes"));
    ASSERT_NE(notes, nullptr);
    // The field's text is shown as it is: its brackets are not expressions.
    EXPECT_EQ(lines(*notes), (QStringList{"第1行", "[NAME] 照原样"}));
}

TEST_F(LargeObjectFieldsTest, NullFieldsGiveAnEmptyPictureAndText)
{
    buildTemplate(3);
    records->moveToRow(3);
    source->setRangeBegin(engine::rbCurrent);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    auto *picture = dynamic_cast<model::TqxPictureView *>(printed(0, QStringLiteral("Photo")));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->Picture.isEmpty());
    model::TqxView *notes = printed(0, QStringLiteral("Notes"));
    EXPECT_TRUE(!notes || lines(*notes).isEmpty());
}

TEST_F(LargeObjectFieldsTest, BytesThatAreNoPictureStopTheBuildWithAMessageNamingTheField)
{
    buildTemplate(2);

    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().startsWith(QStringLiteral("计算时发生错误")));
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("PHOTO")))
        << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

TEST_F(LargeObjectFieldsTest, DictionaryNameOfAFieldBindsLikeTheFieldItself)
{
    report.Dictionary().VariableList.setValue(QStringLiteral("照片"),
                                              script::Variant(QStringLiteral("Files.\"PHOTO\"")));
    buildTemplate(1, QStringLiteral("[照片]"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    auto *picture = dynamic_cast<model::TqxPictureView *>(printed(0, QStringLiteral("Photo")));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Picture.image().size(), QSize(4, 3));
}

TEST_F(LargeObjectFieldsTest, TemplateKeepsItsOwnPictureAfterTheBuild)
{
    buildTemplate(1);
    auto *picture =
        dynamic_cast<model::TqxPictureView *>(report.FindObject(QStringLiteral("Photo")));
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(picture->Picture.isEmpty());

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    picture = dynamic_cast<model::TqxPictureView *>(report.FindObject(QStringLiteral("Photo")));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->Picture.isEmpty());
}

TEST_F(LargeObjectFieldsTest, TextMarkedTextOnlyAndOrdinaryFieldsKeepTheirOwnText)
{
    buildTemplate(1);
    auto *notes = dynamic_cast<model::TqxMemoView *>(report.FindObject(QStringLiteral("Notes")));
    ASSERT_NE(notes, nullptr);
    notes->setFlag(model::TqxMemoView::kTextOnlyFlag, true);
    addText(*report.Pages().page(0), 100, 0, QStringLiteral("[Files.\"N\"]"), QStringLiteral("N"));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(lines(*printed(0, QStringLiteral("Notes"))), QStringList{"[NOTES]"});
    EXPECT_EQ(lines(*printed(0, QStringLiteral("N"))), QStringList{"1"});
}

TEST_F(LargeObjectFieldsTest, StretchedTextBoundToALongMemoSplitsOverPagesLineByLine)
{
    records->longNotes = 40;
    model::TqxPage &page = addPage(1000); // 361 design pixels
    addBand(page, model::btMasterData, 0, 30, QStringLiteral("Data"), QStringLiteral("FilesSource"))
        .Flags = model::TqxView::kStretchedFlag;
    model::TqxMemoView &notes =
        addText(page, 0, 0, QStringLiteral("[NOTES]"), QStringLiteral("Notes"));
    notes.Flags = model::TqxView::kStretchedFlag;
    source->setRangeEnd(engine::reCount);
    source->setRangeEndCount(1);

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.EMFPages().Count(), 2);
    QStringList printedLines;
    for (qsizetype p = 0; p < report.EMFPages().Count(); ++p) {
        if (model::TqxView *part = printed(p, QStringLiteral("Notes")))
            printedLines << lines(*part);
    }
    QStringList expected;
    for (int i = 1; i <= 40; ++i)
        expected << QStringLiteral("记录1 第%1行").arg(i);
    EXPECT_EQ(printedLines, expected);
}

} // namespace
