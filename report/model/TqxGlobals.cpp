#include "report/model/TqxGlobals.h"

#include "report/model/BandType.h"
#include "report/model/ColorRef.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxMemoView.h"
#include "report/platform/StringTable.h"

namespace tovren::model {

namespace {

constexpr int kDefaultCharsetString = 55337;
constexpr int kFirstBandTitle = 55077;
constexpr int kFirstBooleanFormat = 55170;
constexpr int kFirstDateFormat = 55175;
constexpr int kFirstTimeFormat = 55179;
constexpr int kFormatCount = 4;

QStringList loadStrings(int firstId, int count)
{
    QStringList strings;
    for (int id = firstId; id < firstId + count; ++id)
        strings << platform::LoadLibraryString(id);
    return strings;
}

QImage makeHatch()
{
    QImage hatch(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            hatch.setPixelColor(x, y, ((x + y) % 2 == 0) ? toQColor(clWhite) : toQColor(clSilver));
    return hatch;
}

} // namespace

TqxGlobals &TqxGlobals::instance()
{
    static TqxGlobals globals;
    return globals;
}

TqxGlobals::TqxGlobals()
    : interpreter(std::make_unique<script::TqxInterpretator>())
    , m_hatch(makeHatch())
{
    bool ok = false;
    const int charset = platform::LoadLibraryString(kDefaultCharsetString).toInt(&ok);
    defaultCharset = ok ? charset : 1;
    bandTitles = loadStrings(kFirstBandTitle, kBandTypeCount);
    booleanFormats = loadStrings(kFirstBooleanFormat, kFormatCount);
    dateFormats = loadStrings(kFirstDateFormat, kFormatCount);
    timeFormats = loadStrings(kFirstTimeFormat, kFormatCount);
    for (int type = 0; type < kBandTypeCount; ++type)
        xmlBandElementNames << xmlBandElementName(type);

    globalVariables.setSorted(true);
    styleConstants.setSorted(true);
    fillStyleConstants(styleConstants);
    objects.setTextObjectFactory([] { return std::make_unique<TqxMemoView>(); });
}

QString TqxGlobals::bandTitle(int bandType) const
{
    return bandTitles.value(bandType);
}

void TqxGlobals::addPictureConstants()
{
    if (m_pictureConstantsAdded)
        return;
    addBlobTypeConstants(styleConstants);
    m_pictureConstantsAdded = true;
}

} // namespace tovren::model
