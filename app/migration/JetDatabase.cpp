#include "app/migration/JetDatabase.h"

#include <QFile>
#include <QFileInfo>

#include <mdbtools.h>

#include <cstdlib>
#include <vector>

namespace tovren::migration {

namespace {

constexpr size_t kBindSize = 256 * 1024; // long enough for any memo worth printing

JetDatabase::ColumnKind kindOf(int mdbType)
{
    switch (mdbType) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return JetDatabase::ColumnKind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC: return JetDatabase::ColumnKind::Real;
    case MDB_BOOL: return JetDatabase::ColumnKind::Boolean;
    case MDB_DATETIME: return JetDatabase::ColumnKind::DateTime;
    case MDB_TEXT:
    case MDB_MEMO: return JetDatabase::ColumnKind::Text;
    case MDB_OLE:
    case MDB_BINARY: return JetDatabase::ColumnKind::Binary;
    default: return JetDatabase::ColumnKind::Other;
    }
}

/// Sets an environment variable for the lifetime of the guard; the library reads its charset
/// from the environment while it opens the file.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : m_name(name)
        , m_hadValue(qEnvironmentVariableIsSet(name))
        , m_previous(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_hadValue)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_hadValue;
    QByteArray m_previous;
};

struct TableDeleter
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableDeleter>;

} // namespace

struct JetDatabase::Handle
{
    MdbHandle *mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
    TablePtr openTable(const QString &name) const
    {
        QByteArray utf8 = name.toUtf8();
        TablePtr table(mdb_read_table_by_name(mdb, utf8.data(), MDB_TABLE));
        if (!table)
            throw EJetError(QStringLiteral("数据库中没有表 %1").arg(name));
        mdb_read_columns(table.get());
        return table;
    }
};

QString JetDatabase::charsetForCodePage(const QString &codePage)
{
    const QString trimmed = codePage.trimmed();
    if (trimmed.isEmpty() || trimmed == u"936" || trimmed.compare(u"gbk", Qt::CaseInsensitive) == 0)
        return QStringLiteral("GB18030");
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    if (isNumber) {
        switch (number) {
        case 950: return QStringLiteral("BIG5");
        case 932: return QStringLiteral("CP932");
        case 949: return QStringLiteral("CP949");
        case 65001: return QStringLiteral("UTF-8");
        default: return QStringLiteral("CP%1").arg(number);
        }
    }
    return trimmed;
}

JetDatabase::JetDatabase(const QString &path, const QString &jet3CodePage)
    : m_handle(std::make_unique<Handle>())
{
    const QFileInfo file(path);
    if (!file.isFile())
        throw EJetError(QStringLiteral("找不到文件 %1").arg(path));
    if (!file.isReadable())
        throw EJetError(QStringLiteral("无法读取文件 %1").arg(path));
    const ScopedEnvironment charset("MDB_JET3_CHARSET",
                                    charsetForCodePage(jet3CodePage).toLatin1());
    const QByteArray nativePath = QFile::encodeName(file.absoluteFilePath());
    m_handle->mdb = mdb_open(nativePath.constData(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        throw EJetError(QStringLiteral("%1 不是有效的 Access 数据库文件, 或文件已损坏").arg(path));
    mdb_set_bind_size(m_handle->mdb, kBindSize);
    mdb_set_date_fmt(m_handle->mdb, "%Y-%m-%d %H:%M:%S");
    mdb_set_shortdate_fmt(m_handle->mdb, "%Y-%m-%d");
    if (!mdb_read_catalog(m_handle->mdb, MDB_TABLE))
        throw EJetError(QStringLiteral("无法读取 %1 的目录, 文件可能已损坏").arg(path));
}

JetDatabase::~JetDatabase() = default;

bool JetDatabase::isJet3() const
{
    return m_handle->mdb->f->jet_version == MDB_VER_JET3;
}

QString JetDatabase::versionName() const
{
    switch (m_handle->mdb->f->jet_version) {
    case MDB_VER_JET3: return QStringLiteral("JET3");
    case MDB_VER_JET4: return QStringLiteral("JET4");
    default: return QStringLiteral("ACE");
    }
}

QStringList JetDatabase::tableNames() const
{
    QStringList names;
    for (unsigned int i = 0; i < m_handle->mdb->num_catalog; ++i) {
        auto *entry =
            static_cast<MdbCatalogEntry *>(g_ptr_array_index(m_handle->mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

QList<JetDatabase::Column> JetDatabase::columns(const QString &table) const
{
    const TablePtr def = m_handle->openTable(table);
    QList<Column> result;
    for (unsigned int i = 0; i < def->num_cols; ++i) {
        const auto *col = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
        result.append({QString::fromUtf8(col->name), kindOf(col->col_type)});
    }
    return result;
}

qsizetype JetDatabase::readRows(const QString &table, const RowVisitor &visit) const
{
    const TablePtr def = m_handle->openTable(table);
    const unsigned int columnCount = def->num_cols;
    std::vector<std::vector<char>> buffers(columnCount, std::vector<char>(kBindSize + 1));
    std::vector<int> lengths(columnCount, 0);
    std::vector<ColumnKind> kinds;
    std::vector<MdbColumn *> mdbColumns;
    for (unsigned int i = 0; i < columnCount; ++i) {
        auto *col = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
        mdbColumns.push_back(col);
        kinds.push_back(kindOf(col->col_type));
        mdb_bind_column(def.get(), static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
    }
    mdb_rewind_table(def.get());

    qsizetype count = 0;
    QVariantList values;
    values.reserve(columnCount);
    while (mdb_fetch_row(def.get())) {
        values.clear();
        for (unsigned int i = 0; i < columnCount; ++i) {
            if (lengths[i] <= 0 && kinds[i] != ColumnKind::Binary) {
                values.append(QVariant());
                continue;
            }
            const QString text = QString::fromUtf8(buffers[i].data(), lengths[i]);
            switch (kinds[i]) {
            case ColumnKind::Integer: {
                bool ok = false;
                const qlonglong number = text.toLongLong(&ok);
                values.append(ok ? QVariant(number) : QVariant(text));
                break;
            }
            case ColumnKind::Real: {
                bool ok = false;
                const double number = text.toDouble(&ok);
                values.append(ok ? QVariant(number) : QVariant(text));
                break;
            }
            case ColumnKind::Boolean: values.append(text != u"0"); break;
            case ColumnKind::DateTime: {
                QString date = text;
                if (date.endsWith(u" 00:00:00"))
                    date.chop(9);
                values.append(date);
                break;
            }
            case ColumnKind::Binary: {
                size_t size = 0;
                void *data = lengths[i] > 0 ? mdb_ole_read_full(m_handle->mdb, mdbColumns[i], &size)
                                            : nullptr;
                if (data) {
                    values.append(QByteArray(static_cast<const char *>(data),
                                             static_cast<qsizetype>(size)));
                    std::free(data);
                } else {
                    values.append(QVariant());
                }
                break;
            }
            default: values.append(text); break;
            }
        }
        visit(values);
        ++count;
    }
    return count;
}

} // namespace tovren::migration
