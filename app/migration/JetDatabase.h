#pragma once

#include "app/migration/LegacySource.h"

#include <memory>
#include <stdexcept>

namespace tovren::migration {

/// A failure to read an old Jet database; the message is meant for the person.
class EJetError : public std::runtime_error
{
public:
    explicit EJetError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

/// Read-only access to a Jet (.mdb) database file, for moving old stores into the current one.
///
/// Jet 4 files keep text as UTF-16 and need no help. Jet 3 files keep 8-bit text in a code page
/// that their header often gets wrong: files made on Chinese systems commonly claim Western code
/// page 1252 while holding GBK, so Jet 3 text is decoded as GBK (through its superset GB18030)
/// unless the caller names another code page.
class JetDatabase : public LegacySource
{
public:
    /// @p jet3CodePage: a Windows code page number ("936", "1252") or an iconv charset name;
    /// empty means GBK. Throws EJetError when the file is missing or not a Jet database.
    explicit JetDatabase(const QString &path, const QString &jet3CodePage = {});
    ~JetDatabase() override;
    JetDatabase(const JetDatabase &) = delete;
    JetDatabase &operator=(const JetDatabase &) = delete;

    bool isJet3() const;
    QString versionName() const;
    QStringList tableNames() const override;
    /// Throws EJetError when there is no such table.
    QList<Column> columns(const QString &table) const override;
    qsizetype readRows(const QString &table, const RowVisitor &visit) const override;

    /// The iconv charset a code page option names.
    static QString charsetForCodePage(const QString &codePage);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};

} // namespace tovren::migration
