#pragma once

#include "report/script/FormatSettings.h"

#include <QString>
#include <QStringView>

namespace tovren::script {

/// Formats a number with a number pattern of up to three sections (positive;negative;zero):
/// "0" a digit always shown, "#" a digit shown when significant, "." the decimal point, ","
/// thousands grouping, "E+"/"E-" (or "e") an exponent with at least as many digits as zeros
/// follow, quoted texts and any other character as literals. A negative number formatted with
/// its own section gets no minus sign. An empty pattern gives the number's plain text.
QString formatFloat(QStringView pattern, double value,
                    const FormatSettings &settings = FormatSettings::chinese());

} // namespace tovren::script
