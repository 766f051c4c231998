#pragma once

#include "report/script/TqxLibraryRegistry.h"
#include "report/script/Variant.h"

#include <QString>

namespace tovren::script {

class TqxParser;

/// The standard function library for expressions no report stands behind, such as those of the
/// command line: LENGTH, UPPERCASE, POS, FORMATFLOAT and the others answer as in a report
/// (aggregates give "0", INPUT its default, MESSAGEBOX Cancel).
///
/// A call no library knows raises EvaluationError naming the function: without a report there
/// is nobody else to answer it, and an empty value would pass a misspelt name for a result.
class StandardFunctions
{
public:
    /// The library evaluates arguments with @p parser, which must outlive this object.
    explicit StandardFunctions(const TqxParser &parser);

    Variant call(const QString &name, const QString &p1, const QString &p2,
                 const QString &p3) const;

private:
    TqxLibraryRegistry m_libraries;
};

} // namespace tovren::script
