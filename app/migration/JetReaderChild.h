#pragma once

#include <QStringList>

namespace tovren::migration {

/// The hidden first argument that starts the program as the reader child of an old database.
inline constexpr const char *kJetReaderCommand = "--read-old-database";

/// The reader child's whole work: @p arguments are those after the command word, either
/// "catalog FILE CODEPAGE" or "rows FILE CODEPAGE TABLE". Writes a dump (JetDump.h) to standard
/// output through a ReaderChannel. Returns the exit code: 0 with a dump, also for a file the
/// library refuses (the dump then holds the reason), 2 for arguments it does not understand.
int runJetReaderChild(const QStringList &arguments);

} // namespace tovren::migration
