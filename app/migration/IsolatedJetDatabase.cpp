#include "app/migration/IsolatedJetDatabase.h"

#include "app/isolation/ReaderChannel.h"
#include "app/migration/JetDatabase.h"
#include "app/migration/JetReaderChild.h"

#include <QFileInfo>

namespace tovren::migration {

JetReaderProgram JetReaderProgram::thisProgram()
{
    return {isolation::readerProgram(), {QString::fromLatin1(kJetReaderCommand)}, std::nullopt};
}

IsolatedJetDatabase::IsolatedJetDatabase(const QString &path, const QString &jet3CodePage,
                                         JetReaderProgram reader)
    : m_path(path)
    , m_codePage(jet3CodePage)
    , m_reader(std::move(reader))
{
    const QFileInfo file(path);
    if (!file.isFile())
        throw EJetError(QStringLiteral("找不到文件 %1").arg(path));
    if (!file.isReadable())
        throw EJetError(QStringLiteral("无法读取文件 %1").arg(path));
    const QByteArray dump =
        runReader({QStringLiteral("catalog"), file.absoluteFilePath(), m_codePage});
    try {
        m_catalog = JetDumpReader(dump).readCatalog();
    } catch (const EJetDumpDamaged &) {
        throw EJetError(damagedMessage(m_path));
    }
}

QString IsolatedJetDatabase::damagedMessage(const QString &path)
{
    return QStringLiteral("旧数据库文件已损坏或无法读取: %1").arg(QFileInfo(path).fileName());
}

QString IsolatedJetDatabase::logPath()
{
    return isolation::LimitedChildProcess::logPathFor(QStringLiteral("old-database.log"));
}

QByteArray IsolatedJetDatabase::runReader(const QStringList &arguments) const
{
    const isolation::ChildLimits limits =
        m_reader.limits.value_or(isolation::ChildLimits::forInputSize(QFileInfo(m_path).size()));
    const isolation::LimitedChildProcess child(m_reader.program, limits, logPath());
    isolation::LimitedChildProcess::Result result =
        child.run(m_reader.leadingArguments + arguments);
    if (!result.succeeded())
        throw EJetError(damagedMessage(m_path));
    return std::move(result.output);
}

const JetCatalog::Table &IsolatedJetDatabase::table(const QString &name) const
{
    const JetCatalog::Table *found = m_catalog.find(name);
    if (!found)
        throw EJetError(QStringLiteral("数据库中没有表 %1").arg(name));
    return *found;
}

QStringList IsolatedJetDatabase::tableNames() const
{
    QStringList names;
    for (const JetCatalog::Table &table : m_catalog.tables)
        names << table.name;
    return names;
}

QList<LegacySource::Column> IsolatedJetDatabase::columns(const QString &name) const
{
    return table(name).columns;
}

qsizetype IsolatedJetDatabase::readRows(const QString &name, const RowVisitor &visit) const
{
    const qsizetype columnCount = table(name).columns.size();
    const QByteArray dump =
        runReader({QStringLiteral("rows"), QFileInfo(m_path).absoluteFilePath(), m_codePage, name});
    // Every row is checked before the first one is handed on, so a caller never writes part of
    // a table.
    try {
        JetDumpReader(dump).readRows([columnCount](const QVariantList &values) {
            if (values.size() != columnCount)
                throw EJetDumpDamaged();
        });
    } catch (const EJetDumpDamaged &) {
        throw EJetError(damagedMessage(m_path));
    }
    return JetDumpReader(dump).readRows(visit);
}

} // namespace tovren::migration
