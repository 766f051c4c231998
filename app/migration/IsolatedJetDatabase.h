#pragma once

#include "app/isolation/LimitedChildProcess.h"
#include "app/migration/JetDump.h"
#include "app/migration/LegacySource.h"

#include <optional>

namespace tovren::migration {

/// The program that reads old databases for IsolatedJetDatabase, and what it may cost.
struct JetReaderProgram
{
    QString program;
    QStringList leadingArguments;
    /// Unset: limits grown from the file's size (ChildLimits::forInputSize).
    std::optional<isolation::ChildLimits> limits;

    /// This program (isolation::readerProgram()), started with the hidden reader command.
    static JetReaderProgram thisProgram();
};

/// An old Jet (.mdb) database read in a child process, so that a damaged file costs the child
/// its life and never this program its window or its store.
///
/// The database library behind JetDatabase is C code that crashes, loops for ever or allocates
/// gigabytes on some damaged files. Here it runs in a child under a time limit that grows with
/// the file and a memory limit; each of those failures, and a dump that is not whole, ends as
/// EJetError "旧数据库文件已损坏或无法读取: NAME" before any row reaches the caller. What the
/// library prints goes to a log in the user's data folder ("logs/old-database.log"). A file the
/// library refuses in an orderly way keeps the reason JetDatabase gives.
///
/// The catalog is read once, when the object is made; each readRows() starts a child of its own
/// and hands the rows over only after the child has finished them all.
class IsolatedJetDatabase : public LegacySource
{
public:
    /// Throws EJetError (see the class comment).
    explicit IsolatedJetDatabase(const QString &path, const QString &jet3CodePage = {},
                                 JetReaderProgram reader = JetReaderProgram::thisProgram());

    QString versionName() const { return m_catalog.versionName; }
    QStringList tableNames() const override;
    /// Throws EJetError when there is no such table.
    QList<Column> columns(const QString &table) const override;
    qsizetype readRows(const QString &table, const RowVisitor &visit) const override;

    /// "旧数据库文件已损坏或无法读取: NAME", NAME being the file's name.
    static QString damagedMessage(const QString &path);
    /// Where the reader child's complaints are kept; empty when the folder cannot be made.
    static QString logPath();

private:
    /// Runs the child with @p arguments after the leading ones; the whole dump, or EJetError.
    QByteArray runReader(const QStringList &arguments) const;
    const JetCatalog::Table &table(const QString &name) const;

    QString m_path;
    QString m_codePage;
    JetReaderProgram m_reader;
    JetCatalog m_catalog;
};

} // namespace tovren::migration
