#include "report/engine/TDatabaseFunctionLibrary.h"

#include "report/engine/DataFieldResolver.h"
#include "report/engine/TqxRecordSet.h"
#include "report/platform/StringTable.h"
#include "report/script/TqxInstalledFunctions.h"

#include <typeindex>

namespace tovren::engine {

namespace {

enum Function { FieldIsNull };

} // namespace

TDatabaseFunctionLibrary::TDatabaseFunctionLibrary(const script::TqxParser &parser,
                                                   const DataFieldResolver &fields)
    : script::TqxFunctionLibrary(parser)
    , m_fields(fields)
{
    setFunctionNames({QStringLiteral("FIELDISNULL")});
}

void TDatabaseFunctionLibrary::describeFunctions(script::TqxInstalledFunctions &registry) const
{
    registry.AddFunctionDescription(std::type_index(typeid(*this)), QStringLiteral("FIELDISNULL"),
                                    script::categoryText(script::FunctionCategory::Database),
                                    platform::LoadLibraryString(55621));
}

void TDatabaseFunctionLibrary::RunFunction(int number, const QString &p1, const QString &,
                                           const QString &, script::Variant &value)
{
    if (number != FieldIsNull)
        return;
    value = script::Variant(0);
    const DataFieldReference field = m_fields.resolveField(evaluate(p1).toString());
    // An empty set has no current record whose field could hold a value.
    const bool isNull =
        !field || field.dataSet->recordCount() == 0 || field.dataSet->fieldIsNull(field.index);
    value = script::Variant(isNull);
}

} // namespace tovren::engine
