#include "report/model/BandType.h"

#include <array>
#include <initializer_list>

namespace tovren::model {

namespace {

bool inRange(int type, int first, int last)
{
    return type >= first && type <= last;
}

bool oneOf(int type, std::initializer_list<int> types)
{
    for (int t : types) {
        if (t == type)
            return true;
    }
    return false;
}

} // namespace

bool bandTypeOffers(int type, BandOption option)
{
    switch (option) {
    case BandOption::ChildBand:
        return inRange(type, 0, kBandTypeCount - 1) && type != btPageFooter;
    case BandOption::Stretched:
        return inRange(type, 0, 2) || inRange(type, 4, 12) || inRange(type, 16, 18) ||
               type == btChild;
    case BandOption::FormNewPage:
        return oneOf(type, {0, 1, 5, 6, 8, 9, 11, 12, 16});
    case BandOption::PrintIfSubsetEmpty:
        return oneOf(type, {5, 8});
    case BandOption::Breaked:
        return oneOf(type, {0, 1, 16, 17, 21}) || inRange(type, 4, 12);
    case BandOption::OnFirstPage:
        return oneOf(type, {2, 3});
    case BandOption::OnLastPage:
        return type == btPageFooter;
    case BandOption::RepeatHeader:
        return oneOf(type, {4, 7, 10, 16, 18});
    case BandOption::Columns:
        return oneOf(type, {5, 8, 11});
    case BandOption::DataSource:
        return oneOf(type, {5, 8, 11, 19});
    case BandOption::Condition:
        return type == btGroupHeader;
    }
    return false;
}

QString xmlBandElementName(int type)
{
    static const std::array<const char *, kBandTypeCount> names = {
        "TqxReportTitle",
        "TqxReportSummary",
        "TqxPageHeader",
        "TqxPageFooter",
        "TqxHeader",
        "TqxMasterData",
        "TqxFooter",
        "TqxHeader",
        "TqxDetailData",
        "TqxFooter",
        "TqxHeader",
        "TqxSubDetailData",
        "TqxFooter",
        "",
        "TqxColumnHeader",
        "TqxColumnFooter",
        "TqxGroupHeader",
        "TqxGroupFooter",
        "",
        "",
        "",
        "TqxChild",
        "",
    };
    if (!inRange(type, 0, kBandTypeCount - 1))
        return {};
    return QString::fromLatin1(names[type]);
}

bool bandTypeMayRepeat(int bandType)
{
    return (bandType >= btMasterHeader && bandType <= btSubDetailFooter) ||
           bandType == btGroupHeader || bandType == btGroupFooter || bandType == btChild;
}

} // namespace tovren::model
