#pragma once

#include "report/script/TqxVariables.h"

#include <QString>
#include <optional>

namespace tovren::dialogs {

/// The variable list as the person types it: one entry a line, categories flush left and
/// variables indented (the opposite of how the list itself marks them).
namespace VariableListText {

QString toText(const script::TqxVariables &variables);
/// Replaces @p variables with the entries of @p text in line order, keeping the values of
/// entries that existed. A name given twice refuses the whole text: the message names the
/// line, and @p variables is left as it was.
std::optional<QString> apply(const QString &text, script::TqxVariables &variables);

} // namespace VariableListText

} // namespace tovren::dialogs
