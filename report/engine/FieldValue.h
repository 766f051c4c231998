#pragma once

#include "report/script/Variant.h"

namespace tovren::engine {

class TqxRecordSet;

/// The value a report reads from field @p index of the current record of @p dataSet, opening
/// the set first when it is closed.
///
/// A 64-bit integer field gives its display text, so that large keys print exactly; a null
/// value (or any field of an empty set) becomes "" for a string field, false for a Boolean field
/// and 0 for any other, so that templates never see null from a field.
script::Variant FieldValue(TqxRecordSet &dataSet, int index);

} // namespace tovren::engine
