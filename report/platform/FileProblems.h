#pragma once

#include <QString>
#include <QStringView>

// Qt's own file error texts come from the operating system in English; these say in the
// program's language what stands in the way, judged from the file system.
namespace tovren::platform {

/// Why @p path cannot be read: it does not exist, is a folder or may not be read. Empty when
/// nothing visible stands in the way.
QString readProblem(const QString &path);

/// Why a file cannot be written at @p path: its folder does not exist or may not be written to,
/// or the name belongs to a folder. Empty when nothing visible stands in the way.
QString writeProblem(const QString &path);

/// @p text with every character a terminal or message box would not show as itself (control
/// characters, unassigned code points) written as \xNN, so a message that quotes bytes of a
/// file never carries them raw.
QString printableText(QStringView text);

} // namespace tovren::platform
