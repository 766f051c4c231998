#pragma once

#include "report/script/FormatSettings.h"

#include <QString>
#include <QStringView>

namespace tovren::script {

/// Formats a day number with a date-time pattern: y/yy and yyyy, m to mmmm, d to dddddd, h/hh,
/// n/nn (or m after h), s/ss, z/zzz, t/tt, am/pm, a/p, ampm, c, "/" and ":" as the separators,
/// and quoted literals. Letters compare ignoring case; an empty pattern means "c". Raises
/// EvaluationError for a day number outside the calendar.
QString formatDateTime(QStringView pattern, double days,
                       const FormatSettings &settings = FormatSettings::chinese());

} // namespace tovren::script
