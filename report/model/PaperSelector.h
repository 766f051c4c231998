#pragma once

#include "report/model/TqxPageMetrics.h"
#include "report/model/Units.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace tovren::model {

/// A sheet as pages ask for it: paper code (256 = custom size), size in the page's orientation,
/// paper source (-1 = the printer's default) and orientation.
struct SheetRequest
{
    static constexpr int kCustomPaperCode = 256;
    static constexpr int kDefaultBin = -1;

    int paperCode = 9;
    TenthsMm width = 0;
    TenthsMm height = 0;
    int bin = kDefaultBin;
    bool landscape = false;
};

/// What template pages need of the printer layer: selecting a sheet and learning what was
/// really set. The printer layer implements it; pages never see a device.
class PaperSelector
{
public:
    struct Selection
    {
        SheetRequest sheet;
        TqxPageMetrics metrics;
    };

    virtual ~PaperSelector() = default;
    /// The sheet in force after asking for @p request, or nothing when the device refused it.
    virtual std::optional<Selection> selectSheet(const SheetRequest &request) = 0;
    /// Paper code of the default printer at start-up; new pages use it.
    virtual int defaultPaperCode() const = 0;
    /// Names and codes of the papers the active printer offers, in the same order.
    virtual QStringList paperNames() const = 0;
    virtual QList<int> paperCodes() const = 0;
};

} // namespace tovren::model
