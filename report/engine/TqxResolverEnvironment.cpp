#include "report/engine/TqxResolverEnvironment.h"

namespace tovren::engine {

bool TqxResolverEnvironment::resolveBandName(const QString &, script::Variant &)
{
    return false;
}

bool TqxResolverEnvironment::resolveEngineName(const QString &, script::Variant &)
{
    return false;
}

bool TqxResolverEnvironment::runEngineProcedure(const QString &, const QString &, script::Variant &)
{
    return false;
}

bool TqxResolverEnvironment::assignEngineName(const QString &, const script::Variant &)
{
    return false;
}

QString TqxResolverEnvironment::formatDisplayValue(const script::Variant &value,
                                                   const QString &) const
{
    return value.toString();
}

} // namespace tovren::engine
