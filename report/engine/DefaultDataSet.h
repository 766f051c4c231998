#pragma once

#include <optional>

namespace tovren::engine {

/// The data band type whose data set serves fields named without a source while a band of
/// @p activeBandType is output: the master data band for the report's, page's, master and group
/// bands, the detail, sub-detail or cross data band for their data and footer bands, and none
/// (the report's own data set) for every other band or when no band is active.
std::optional<int> dataBandForUnqualifiedFields(std::optional<int> activeBandType);

} // namespace tovren::engine
