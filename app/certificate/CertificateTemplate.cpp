#include "app/certificate/CertificateTemplate.h"

#include "report/model/ColorRef.h"
#include "report/model/ReportFormData.h"
#include "report/model/ReportInfo.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPages.h"
#include "report/platform/StringTable.h"

#include <QFile>

#include <array>

// The shipped form data lives in a static library's resources, which are registered on request
// and only from outside any namespace.
static void registerCertificateResources()
{
    Q_INIT_RESOURCE(certificate);
}

namespace tovren::app {

namespace {

using namespace tovren::model;

enum class Face { Arial, Song };
enum class Weight { Regular, Bold };

struct FieldPlacement
{
    const char *column;
    DesignPixels left, top, width, height;
    Face face;
    quint8 charset;
    int points;
    Weight weight;
    quint16 flags;
};

// Flags 0x03 are stretched and word wrap; 0x0B adds automatic width.
constexpr std::array<FieldPlacement, 35> kFields{{
    {"StudID", 124, 204, 120, 24, Face::Arial, 1, 14, Weight::Regular, 0x0B},
    {"CardID", 124, 236, 236, 24, Face::Arial, 1, 14, Weight::Regular, 0x0B},
    {"Name", 112, 290, 84, 24, Face::Song, 0, 14, Weight::Bold, 0x03},
    {"SchoolName", 453, 382, 208, 22, Face::Song, 134, 11, Weight::Regular, 0x0B},
    {"SchoolAddress", 496, 433, 252, 22, Face::Song, 0, 12, Weight::Regular, 0x0B},
    {"Sex", 260, 290, 68, 24, Face::Song, 0, 14, Weight::Regular, 0x03},
    {"Province", 32, 328, 72, 24, Face::Song, 0, 14, Weight::Bold, 0x03},
    {"City", 132, 328, 56, 24, Face::Song, 0, 14, Weight::Bold, 0x03},
    {"BirthYear", 256, 328, 76, 24, Face::Arial, 1, 14, Weight::Regular, 0x03},
    {"BirthMonth", 28, 366, 64, 24, Face::Arial, 1, 14, Weight::Regular, 0x03},
    {"BirthDay", 92, 366, 60, 24, Face::Arial, 1, 14, Weight::Regular, 0x03},
    {"StartYear", 196, 366, 76, 24, Face::Arial, 1, 14, Weight::Regular, 0x03},
    {"StartMonth", 266, 366, 64, 24, Face::Arial, 1, 14, Weight::Regular, 0x03},
    {"EndYear", 32, 404, 64, 24, Face::Arial, 1, 14, Weight::Regular, 0x03},
    {"EndMonth", 103, 404, 68, 24, Face::Arial, 1, 14, Weight::Regular, 0x03},
    {"ThisYear", 532, 472, 68, 24, Face::Arial, 1, 12, Weight::Regular, 0x03},
    {"ThisMonth", 608, 472, 64, 24, Face::Arial, 1, 12, Weight::Regular, 0x03},
    {"ThisDay", 669, 472, 56, 24, Face::Arial, 1, 12, Weight::Regular, 0x03},
    {"ZhengZhi", 476, 60, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"YuWen", 476, 87, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"YingYu", 476, 114, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"ShuXue", 476, 141, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"WuLi", 476, 168, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"HuaXue", 476, 195, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"ShengWu", 476, 222, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"LiShi", 476, 249, 96, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    // Memo27 names its face without a character set, which means the default set 1.
    {"DiLi", 476, 278, 96, 20, Face::Song, 1, 12, Weight::Regular, 0x03},
    {"DeYu", 658, 278, 80, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"TiYu", 658, 249, 80, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    // The six "Other" boxes print the same column at six places of the sheet.
    {"Other", 658, 222, 80, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"Other", 658, 195, 80, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"Other", 658, 168, 80, 20, Face::Song, 0, 12, Weight::Regular, 0x03},
    {"Other", 460, 332, 96, 20, Face::Arial, 1, 12, Weight::Regular, 0x03},
    {"Other", 544, 332, 96, 20, Face::Arial, 1, 12, Weight::Regular, 0x03},
    {"Other", 628, 332, 96, 20, Face::Arial, 1, 12, Weight::Regular, 0x03},
}};

constexpr int kMasterDataBand = 5;
constexpr quint16 kOnFirstAndLastPage = 0x0030;
constexpr quint16 kMayNotBeDeleted = 64;
constexpr qint32 kPlainTextFormat = 0x0000022E;
constexpr int kA5 = 11;

QDateTime at(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

/// Objects are made through the registry so each gets the next object id, as the designer does.
template<typename View>
std::unique_ptr<View> createObject(int kind)
{
    std::unique_ptr<TqxView> view = TqxGlobals::instance().objects.CreateObjectByKind(kind);
    return std::unique_ptr<View>(static_cast<View *>(view.release()));
}

std::unique_ptr<TqxMemoView> makeField(const FieldPlacement &field, int number)
{
    auto memo = createObject<TqxMemoView>(okText);
    memo->Name = QStringLiteral("Memo%1").arg(number);
    memo->Memo = QStringList{QStringLiteral("[Aqy.\"%1\"]").arg(QLatin1String(field.column))};
    memo->SetBounds(field.left, field.top, field.width, field.height);
    memo->Font = QFont(field.face == Face::Arial ? QStringLiteral("Arial") : QStringLiteral("宋体"));
    memo->Font.setPointSize(field.points);
    memo->Font.setBold(field.weight == Weight::Bold);
    memo->FontCharset = field.charset;
    memo->FontColor = clBlack;
    memo->Flags = field.flags;
    memo->Alignment = 0;
    memo->LineSpacing = 2;
    memo->CharSpacing = 0;
    memo->DisplayFormat = kPlainTextFormat;
    memo->FrameTyp = 0;
    memo->FrameWidth = 1;
    memo->FrameColor = clBlack;
    memo->FillColor = kNoColor;
    memo->Restrictions = 0;
    memo->GapX = 2;
    memo->GapY = 1;
    memo->BandAlign = 0;
    memo->HighlightFontStyle = 2;
    memo->HighlightFontColor = clBlack;
    memo->HighlightFillColor = clWhite;
    memo->RecordVersionMajor = 2;
    memo->RecordVersionMinor = 0;
    return memo;
}

} // namespace

void buildCertificateTemplate(TqxPages &pages, TemplateSettings &settings, ReportInfo &info)
{
    pages.Clear();
    settings.useDefaultPrinter = false;
    settings.twoPass = false;
    // The office printer the certificate was laid out for is replaced by the default-printer
    // mark, so the template prints wherever it is installed.
    settings.printerName = platform::LoadLibraryString(55007);
    info = ReportInfo{};
    info.createdAt = toStoredDateTime(at(2004, 5, 25, 9, 16, 24));
    info.changedAt = toStoredDateTime(at(2005, 6, 1, 14, 28, 26));

    TqxPage &page = *pages.page(pages.Add());
    SheetRequest a5Landscape;
    a5Landscape.paperCode = kA5;
    a5Landscape.width = 2100;
    a5Landscape.height = 1480;
    a5Landscape.bin = TqxPage::kDefaultBin;
    a5Landscape.landscape = true;
    page.ChangePaper(a5Landscape);
    page.PaperSize = kA5;
    page.PaperWidth = 2100;
    page.PaperHeight = 1480;
    page.Orientation = 1;
    page.PaperBin = TqxPage::kDefaultBin;
    page.Margins = PageMargins{0, 0, 4, 0};
    page.UseMargins = true;

    auto band = createObject<TqxBandView>(okBand);
    band->Name = QStringLiteral("主项数据1");
    band->setBandType(kMasterDataBand);
    band->SetBounds(0, 16, 757, 508);
    band->Flags = kOnFirstAndLastPage;
    band->CustomFormat = QStringLiteral("qxDBDataSet1");
    band->Restrictions = kMayNotBeDeleted;
    band->FillColor = kNoColor;
    band->RecordVersionMajor = 2;
    band->RecordVersionMinor = 1;
    page.addObject(std::move(band));

    for (std::size_t i = 0; i < kFields.size(); ++i)
        page.addObject(makeField(kFields[i], int(i) + 1));
}

QByteArray buildCertificateStream()
{
    TqxPages pages;
    TemplateSettings settings;
    ReportInfo info;
    buildCertificateTemplate(pages, settings, info);
    TemplateStream stream(pages, settings, info);
    const double changedAt = info.changedAt;
    stream.setClock([changedAt] { return fromStoredDateTime(changedAt); });
    return stream.toBytes();
}

QByteArray certificateReportForm()
{
    registerCertificateResources();
    QFile file(QStringLiteral(":/tovren/certificate/certificate.reportform"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace tovren::app
