#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPictureView.h"
#include "report/model/TqxSubReportView.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

using script::Variant;

QByteArray encodedImage(int width, int height, QColor color, const char *format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

bool isReddish(QColor c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

class PictureDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        runState().reset();
        runState().drawingMode = DrawingMode::Output;
        picture.SetBounds(0, 0, 100, 100);
        picture.BlobType = btJPG;
        picture.LoadFromBlob(encodedImage(200, 100, Qt::red, "JPEG"));
    }
    void TearDown() override { runState().reset(); }

    QImage draw()
    {
        QImage image(120, 120, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        picture.Draw(painter);
        return image;
    }

    TqxPictureView picture;
};

TEST_F(PictureDrawing, JpegBlobDecodesThroughTheImageReaders)
{
    ASSERT_FALSE(picture.Picture.isEmpty());
    EXPECT_EQ(picture.Picture.kind(), PictureGraphic::Kind::Jpeg);
    EXPECT_EQ(picture.Picture.image().size(), QSize(200, 100));
}

TEST_F(PictureDrawing, KeepAspectDrawsAtTheTop)
{
    const QImage image = draw();
    EXPECT_TRUE(isReddish(image.pixelColor(50, 10)));
    EXPECT_TRUE(isReddish(image.pixelColor(50, 48)));
    EXPECT_EQ(image.pixelColor(50, 60), QColor(Qt::white));
}

TEST_F(PictureDrawing, KeepAspectWithCentreIsCentredVertically)
{
    picture.SetPropertyValue("Center", Variant(true));
    const QImage image = draw();
    EXPECT_EQ(image.pixelColor(50, 10), QColor(Qt::white));
    EXPECT_TRUE(isReddish(image.pixelColor(50, 50)));
    EXPECT_EQ(image.pixelColor(50, 90), QColor(Qt::white));
}

TEST_F(PictureDrawing, BadBlobBytesLeaveAnEmptyPictureWithAReason)
{
    picture.LoadFromBlob(QByteArray("not a picture"));
    EXPECT_TRUE(picture.Picture.isEmpty());
    EXPECT_FALSE(picture.Picture.errorString().isEmpty());
    EXPECT_EQ(draw().pixelColor(50, 10), QColor(Qt::white));

    picture.LoadFromBlob(encodedImage(4, 4, Qt::red, "JPEG"));
    picture.LoadFromBlob(std::nullopt);
    EXPECT_TRUE(picture.Picture.isEmpty());
}

TEST(TqxPictureView, LoadFromFileByExtensionAndClearForMissingFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("logo.bmp");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodedImage(8, 6, Qt::green, "BMP"));
    }
    TqxPictureView picture;
    picture.CallMethod("LOADFROMFILE", Variant(u'\'' + path + u'\''), {}, {});
    EXPECT_EQ(picture.Picture.kind(), PictureGraphic::Kind::Bitmap);
    EXPECT_EQ(picture.Picture.image().size(), QSize(8, 6));

    picture.CallMethod("LOADFROMFILE", Variant(QStringLiteral("'/no/such/file.bmp'")), {}, {});
    EXPECT_TRUE(picture.Picture.isEmpty());
}

TEST(TqxPictureView, DefaultsPropertiesAndConstants)
{
    TqxPictureView picture;
    EXPECT_EQ(picture.Flags, 5);
    EXPECT_EQ(picture.ObjectKind, okPicture);
    picture.SetPropertyValue("KEEPASPECT", Variant(false));
    picture.SetPropertyValue("blobtype", Variant(3));
    EXPECT_EQ(picture.Flags, 1);
    EXPECT_EQ(picture.GetPropertyValue("BLOBTYPE"), Variant(3));
    EXPECT_EQ(TqxGlobals::instance().styleConstants.value("btICO"), Variant::fromInteger(2));

    picture.RegisterProperties();
    EXPECT_EQ(picture.findProperty("DataField")->PropKind, 321);
    EXPECT_EQ(picture.findProperty("BlobType")->EnumNames.size(), 4);
}

TEST(TqxLineView, OrientationFollowsTheShape)
{
    TqxLineView line;
    line.SetBounds(10, 10, 100, 100);
    line.applyOrientation();
    EXPECT_EQ(line.FrameTyp, qxftLeft);
    EXPECT_EQ(line.Width, 0);

    line.SetBounds(10, 10, 101, 100);
    line.applyOrientation();
    EXPECT_EQ(line.FrameTyp, qxftTop);
    EXPECT_EQ(line.Height, 0);
    EXPECT_EQ(line.CalcHeight(), 0);
    EXPECT_EQ(line.MinimumHeight(), 1);
    EXPECT_EQ(line.RemainderHeight(), 0);
}

TEST(TqxLineView, DrawsItsOneLine)
{
    runState().reset();
    runState().drawingMode = DrawingMode::Output;
    TqxLineView line;
    line.SetBounds(10, 20, 80, 5);
    line.FrameWidth = 3;
    QImage image(120, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    line.Draw(painter);
    painter.end();
    runState().reset();
    for (int y : {19, 20, 21})
        EXPECT_EQ(image.pixelColor(50, y), QColor(Qt::black)) << y;
    EXPECT_EQ(image.pixelColor(50, 22), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 20), QColor(Qt::white));
}

TEST(TqxSubReportView, HasNoFrameOrFillProperties)
{
    TqxSubReportView subReport;
    EXPECT_EQ(subReport.ObjectKind, okSubReport);
    EXPECT_EQ(subReport.BaseName, "SubReport");
    subReport.RegisterProperties();
    EXPECT_EQ(subReport.findProperty("FrameTyp"), nullptr);
    EXPECT_EQ(subReport.findProperty("BandAlign"), nullptr);
    EXPECT_NE(subReport.findProperty("Memo"), nullptr);
}

} // namespace
} // namespace tovren::model
