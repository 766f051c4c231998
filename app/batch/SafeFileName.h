#pragma once

#include <QSet>
#include <QString>

namespace tovren::app {

/// @p text made fit to stand as a file name on every system the office uses: characters that
/// no file name may hold (path separators, wildcards, quotes, control characters) become "_",
/// blanks and dots at the ends go, reserved device names get a "_" before them, and a name that
/// would be empty becomes @p fallback.
QString safeFileName(const QString &text, const QString &fallback);

/// Hands out file names so that no two of a set are the same, even on file systems that ignore
/// case: the first "张三" stays "张三", the next becomes "张三_2", then "张三_3".
class UniqueFileNames
{
public:
    /// @p baseName, numbered when it was handed out before, followed by @p suffix.
    QString claim(const QString &baseName, const QString &suffix);

private:
    QSet<QString> m_taken; // folded to lower case
};

} // namespace tovren::app
