#pragma once

#include <QString>

namespace tovren::model {

/// When the builder prints a band; stored in the low 7 bits of a band's FrameTyp.
enum BandType : int {
    btReportTitle = 0,
    btReportSummary = 1,
    btPageHeader = 2,
    btPageFooter = 3,
    btMasterHeader = 4,
    btMasterData = 5,
    btMasterFooter = 6,
    btDetailHeader = 7,
    btDetailData = 8,
    btDetailFooter = 9,
    btSubDetailHeader = 10,
    btSubDetailData = 11,
    btSubDetailFooter = 12,
    btOverlay = 13,
    btColumnHeader = 14,
    btColumnFooter = 15,
    btGroupHeader = 16,
    btGroupFooter = 17,
    btCrossHeader = 18,
    btCrossData = 19,
    btCrossFooter = 20,
    btChild = 21,
    btNone = 22,
};

inline constexpr int kBandTypeCount = 23;

/// The options a band type offers; the inspector and the context menu use the same sets.
enum class BandOption {
    ChildBand,
    Stretched,
    FormNewPage,
    PrintIfSubsetEmpty,
    Breaked,
    OnFirstPage,
    OnLastPage,
    RepeatHeader,
    Columns,
    DataSource,
    Condition,
};

bool bandTypeOffers(int bandType, BandOption option);
/// Cross bands are vertical strips spanning the page height.
inline bool isCrossBand(int bandType)
{
    return bandType >= btCrossHeader && bandType <= btCrossFooter;
}
/// Whether a page may hold more than one band of @p bandType: the data, header and footer bands
/// of the master, detail and sub-detail levels, group headers and footers, and child bands. Every
/// other type appears once per page; the band type chooser and pasting both follow this.
bool bandTypeMayRepeat(int bandType);
/// The element the XML export writes, or "" for types that have none.
QString xmlBandElementName(int bandType);

} // namespace tovren::model
