#include "report/script/StandardFunctions.h"

#include "report/script/EvaluationError.h"
#include "report/script/TqxStdFunctionLibrary.h"

namespace tovren::script {

StandardFunctions::StandardFunctions(const TqxParser &parser)
{
    m_libraries.registerLibrary(std::make_unique<TqxStdFunctionLibrary>(parser));
}

Variant StandardFunctions::call(const QString &name, const QString &p1, const QString &p2,
                                const QString &p3) const
{
    // A report presets the answer "0" before it asks its libraries; so does this.
    Variant value(QStringLiteral("0"));
    if (!m_libraries.dispatch(name, p1, p2, p3, value))
        throw EvaluationError(undefinedFunctionMessage(name));
    return value;
}

} // namespace tovren::script
