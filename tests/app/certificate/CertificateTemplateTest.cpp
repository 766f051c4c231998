#include "app/certificate/CertificateTemplate.h"
#include "report/model/ReportFormData.h"
#include "report/model/ReportInfo.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPages.h"

#include "report/platform/TextCodec.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tovren;
using namespace tovren::model;

namespace {

struct LoadedCertificate
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    TemplateStream stream{pages, settings, info};
    TemplateReadResult result;

    LoadedCertificate()
    {
        const std::optional<QByteArray> bytes = readReportFormData(app::certificateReportForm(), true);
        result = bytes ? stream.read(*bytes) : TemplateReadResult::Damaged;
    }
};

} // namespace

TEST(CertificateTemplate, ShippedFormDataIsWhatTheLayoutProduces)
{
    const QByteArray shipped = app::certificateReportForm();
    ASSERT_FALSE(shipped.isEmpty());
    EXPECT_EQ(shipped, writeReportFormData(true, app::buildCertificateStream()))
        << "regenerate with: tovren template-save --form app/certificate/certificate.reportform";
    // The int 25, the stream's byte count, then the stream of version 25.
    EXPECT_EQ(shipped.left(4), QByteArray("\x19\0\0\0", 4));
    EXPECT_EQ(shipped.at(8), char(25));
}

TEST(CertificateTemplate, LoadsAsOneA5LandscapePageWithOneMasterBand)
{
    LoadedCertificate certificate;
    ASSERT_EQ(certificate.result, TemplateReadResult::Loaded);
    EXPECT_FALSE(certificate.settings.twoPass);
    EXPECT_FALSE(certificate.settings.useDefaultPrinter);
    ASSERT_EQ(certificate.pages.Count(), 1);
    const TqxPage &page = *certificate.pages.page(0);
    EXPECT_EQ(page.PaperSize, 11);
    EXPECT_EQ(page.PaperWidth, 2100);
    EXPECT_EQ(page.PaperHeight, 1480);
    EXPECT_EQ(page.Orientation, 1);
    EXPECT_EQ(page.PaperBin, 0xFFFF);
    EXPECT_EQ(page.Margins.right, 4);
    EXPECT_EQ(page.Margins.left + page.Margins.top + page.Margins.bottom, 0);
    ASSERT_EQ(page.objectCount(), 36);

    const auto *band = dynamic_cast<const TqxBandView *>(page.object(0));
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->Name, QStringLiteral("主项数据1"));
    EXPECT_EQ(band->bandType(), 5);
    EXPECT_EQ(band->CustomFormat, QStringLiteral("qxDBDataSet1"));
    EXPECT_EQ(band->Flags, 0x0030);
    EXPECT_EQ(band->Restrictions, 64);
    EXPECT_EQ(std::make_tuple(band->Left, band->Top, band->Width, band->Height),
              std::make_tuple(0, 16, 757, 508));
}

TEST(CertificateTemplate, EveryTextObjectPrintsItsColumnWhereTheSheetExpectsIt)
{
    LoadedCertificate certificate;
    ASSERT_EQ(certificate.result, TemplateReadResult::Loaded);
    const TqxPage &page = *certificate.pages.page(0);

    struct Expected
    {
        int number;
        const char *column;
        int left, top, width, height;
        const char *face;
        quint8 charset;
        int points;
        bool bold;
        quint16 flags;
    };
    // A sample across the table: both faces, all three character sets, bold, auto width, and
    // the repeated "Other" column.
    const Expected samples[] = {
        {1, "StudID", 124, 204, 120, 24, "Arial", 1, 14, false, 0x0B},
        {3, "Name", 112, 290, 84, 24, "宋体", 0, 14, true, 0x03},
        {4, "SchoolName", 453, 382, 208, 22, "宋体", 134, 11, false, 0x0B},
        {16, "ThisYear", 532, 472, 68, 24, "Arial", 1, 12, false, 0x03},
        {27, "DiLi", 476, 278, 96, 20, "宋体", 1, 12, false, 0x03},
        {28, "DeYu", 658, 278, 80, 20, "宋体", 0, 12, false, 0x03},
        {35, "Other", 628, 332, 96, 20, "Arial", 1, 12, false, 0x03},
    };
    for (const Expected &e : samples) {
        const auto *memo = dynamic_cast<const TqxMemoView *>(page.object(e.number));
        ASSERT_NE(memo, nullptr) << e.number;
        EXPECT_EQ(memo->Name, QStringLiteral("Memo%1").arg(e.number));
        EXPECT_EQ(memo->Memo, QStringList{QStringLiteral("[Aqy.\"%1\"]").arg(QLatin1String(e.column))});
        EXPECT_EQ(std::make_tuple(memo->Left, memo->Top, memo->Width, memo->Height),
                  std::make_tuple(e.left, e.top, e.width, e.height))
            << e.number;
        EXPECT_EQ(memo->Font.family(), QString::fromUtf8(e.face)) << e.number;
        EXPECT_EQ(memo->FontCharset, e.charset) << e.number;
        EXPECT_EQ(memo->Font.pointSize(), e.points) << e.number;
        EXPECT_EQ(memo->Font.bold(), e.bold) << e.number;
        EXPECT_EQ(memo->Flags, e.flags) << e.number;
    }
    int otherCount = 0;
    for (int i = 1; i <= 35; ++i) {
        const auto *memo = dynamic_cast<const TqxMemoView *>(page.object(i));
        ASSERT_NE(memo, nullptr) << i;
        EXPECT_EQ(memo->DisplayFormat, 0x0000022E);
        EXPECT_EQ(memo->LineSpacing, 2);
        EXPECT_EQ(memo->FrameTyp, 0);
        EXPECT_EQ(memo->FillColor, kNoColor);
        EXPECT_EQ(memo->HighlightFontStyle, 2);
        EXPECT_TRUE(memo->HighlightCondition.isEmpty());
        otherCount += memo->Memo.first() == u"[Aqy.\"Other\"]";
    }
    EXPECT_EQ(otherCount, 6);
}

TEST(CertificateTemplate, ReadAndWrittenAgainGivesTheSameBytes)
{
    LoadedCertificate certificate;
    ASSERT_EQ(certificate.result, TemplateReadResult::Loaded);
    const double changedAt = certificate.info.changedAt;
    certificate.stream.setClock([changedAt] { return fromStoredDateTime(changedAt); });
    EXPECT_EQ(certificate.stream.toBytes(), app::buildCertificateStream());
    EXPECT_EQ(fromStoredDateTime(certificate.info.createdAt),
              QDateTime(QDate(2004, 5, 25), QTime(9, 16, 24)));
}

TEST(CertificateTemplate, XmlExportDescribesEveryTextObject)
{
    LoadedCertificate certificate;
    ASSERT_EQ(certificate.result, TemplateReadResult::Loaded);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    certificate.stream.writeXml(buffer);
    const QString xml = platform::decode8Bit(buffer.data());
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version=\"1.0\"?>\r\n")));
    EXPECT_EQ(xml.count(QStringLiteral("<TqxMemoView ")), 35);
    EXPECT_EQ(xml.count(QStringLiteral("<TqxMasterData ")) + xml.count(QStringLiteral("DataSet=\"qxDBDataSet1\"")), 2);
    // Memo3: 宋体 14 pt bold, stretched and wrapped; Memo1 adds automatic width.
    const qsizetype memo3 = xml.indexOf(QStringLiteral("Name=\"Memo3\""));
    const QString line3 = xml.mid(memo3, xml.indexOf(u'\n', memo3) - memo3);
    EXPECT_TRUE(line3.contains(QStringLiteral("StretchMode=\"smMaxHeight\"")));
    EXPECT_FALSE(line3.contains(QStringLiteral("WordWrap=")));
    EXPECT_FALSE(line3.contains(QStringLiteral("AutoWidth=")));
    EXPECT_TRUE(line3.contains(QStringLiteral("Font.Name=\"宋体\" Font.Height=\"-19\"")));
    EXPECT_TRUE(line3.contains(QStringLiteral("Font.Style=\"1\"")));
    EXPECT_TRUE(line3.contains(QStringLiteral("Memo.text=\"[Aqy.&#34;Name&#34;]\"")));
    const qsizetype memo1 = xml.indexOf(QStringLiteral("Name=\"Memo1\""));
    EXPECT_TRUE(xml.mid(memo1, 600).contains(QStringLiteral("AutoWidth=\"True\"")));
}
