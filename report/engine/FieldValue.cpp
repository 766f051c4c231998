#include "report/engine/FieldValue.h"

#include "report/engine/TqxRecordSet.h"

namespace tovren::engine {

script::Variant FieldValue(TqxRecordSet &dataSet, int index)
{
    using script::Variant;
    if (!dataSet.isActive())
        dataSet.open();
    const TqxFieldType type = dataSet.fieldType(index);
    // An empty set has no current record; its fields read as null, as a database does.
    if (dataSet.recordCount() == 0 || dataSet.fieldIsNull(index)) {
        switch (type) {
        case TqxFieldType::String:
        case TqxFieldType::Memo:
            return Variant(QString());
        case TqxFieldType::Boolean:
            return Variant(false);
        default:
            return Variant(0);
        }
    }
    if (type == TqxFieldType::LargeInt)
        return Variant(dataSet.fieldDisplayText(index));
    const Variant value = dataSet.fieldValue(index);
    return value.isNull() ? Variant(0) : value;
}

} // namespace tovren::engine
