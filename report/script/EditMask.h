#pragma once

#include "report/script/FormatSettings.h"

#include <QString>
#include <QStringView>

namespace tovren::script {

/// Lays a raw text into an edit mask the way a masked edit shows it: each placeholder (L l A a
/// C c 0 9 #) takes the next character of the text, missing characters show as blanks, and the
/// mask's literal characters are put in between ("\" makes the next character literal, ">" and
/// "<" switch to upper and lower case, "<>" back, "_" is a blank, "/" and ":" the separators).
/// The text carries no literals of its own. Anything after the mask's first ";" (its save and
/// blank fields) is ignored: literals are never taken from the text and the blank is a space.
QString formatMaskText(QStringView mask, QStringView text,
                       const FormatSettings &settings = FormatSettings::chinese());

} // namespace tovren::script
