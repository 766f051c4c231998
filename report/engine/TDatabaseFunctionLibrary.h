#pragma once

#include "report/script/TqxFunctionLibrary.h"

namespace tovren::engine {

class DataFieldResolver;

/// The database functions of expressions: FIELDISNULL(<FieldName>), true when the named field
/// of the current record is null.
///
/// A source or field that does not exist counts as null, so a template written for another
/// database prints instead of failing. The resolver must outlive the library.
class TDatabaseFunctionLibrary : public script::TqxFunctionLibrary
{
public:
    TDatabaseFunctionLibrary(const script::TqxParser &parser, const DataFieldResolver &fields);

    void describeFunctions(script::TqxInstalledFunctions &registry) const override;

protected:
    void RunFunction(int number, const QString &p1, const QString &p2, const QString &p3,
                     script::Variant &value) override;

private:
    const DataFieldResolver &m_fields;
};

} // namespace tovren::engine
