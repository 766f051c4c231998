#pragma once

#include <QtGlobal>

namespace tovren::db {
class TDbConnection;
}

namespace tovren::demo {

/// Appends @p count generated graduates to table `info` in one transaction; returns the count.
/// Throws EDatabaseError with the store unchanged when anything fails.
qsizetype writeDemoGraduates(db::TDbConnection &connection, qsizetype count, quint32 seed);

} // namespace tovren::demo
