#pragma once

#include "report/script/Variant.h"

#include <QString>

namespace tovren::script {

/// The aggregate functions by the code that their accumulator keys carry.
enum class AggregateCode : int { Sum = 11, Min = 12, Max = 13, Avg = 14, Count = 15 };

/// One aggregate call as written: the texts are the arguments unevaluated, since the key that
/// names an accumulator is made of them. For COUNT the expression is the band-name text.
struct AggregateCall
{
    AggregateCode code = AggregateCode::Sum;
    QString expression;
    QString bandName;
    QString flag;
};

/// Where aggregate calls go: the band engine registers accumulators for them during its
/// pre-scan and answers their running values while it outputs bands.
class AggregateHandler
{
public:
    virtual ~AggregateHandler() = default;
    /// The value to show for @p call; "0" while the call is only being registered.
    virtual Variant aggregate(const AggregateCall &call) = 0;
};

} // namespace tovren::script
