#pragma once

#include <QString>

namespace tovren::cli {

/// Raises UsageError, naming @p path and what stands in the way (a missing folder, no right to
/// write), when a command could not write its result there. Commands ask before they start
/// their work, so a mistyped folder never costs a whole build.
void requireWritableOutput(const QString &path);

/// Raises UsageError when @p folder is a file, or does not exist and cannot be made because
/// its parent is missing or closed to writing.
void requireWritableFolder(const QString &folder);

} // namespace tovren::cli
