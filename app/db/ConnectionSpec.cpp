#include "app/db/ConnectionSpec.h"

#include "app/db/DatabaseError.h"

#include <QDir>
#include <QFileInfo>

namespace tovren::db {

ConnectionSpec ConnectionSpec::parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    ConnectionSpec spec;
    if (trimmed.startsWith(u"postgresql://", Qt::CaseInsensitive)
        || trimmed.startsWith(u"postgres://", Qt::CaseInsensitive)) {
        const QUrl url(trimmed, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            throw EDatabaseError(QStringLiteral("无法识别的连接串: %1").arg(trimmed));
        spec.m_kind = Kind::PostgreSql;
        spec.m_url = url;
        return spec;
    }
    QString path = trimmed;
    if (path.startsWith(u"sqlite:", Qt::CaseInsensitive))
        path = path.mid(7);
    else if (path.contains(u"://"))
        throw EDatabaseError(QStringLiteral("无法识别的连接串: %1").arg(trimmed));
    if (path.isEmpty())
        path = QString::fromUtf8(kDefaultSqliteFile);
    spec.m_sqlitePath = QFileInfo(path).absoluteFilePath();
    return spec;
}

QString ConnectionSpec::toText() const
{
    if (m_kind == Kind::Sqlite)
        return QStringLiteral("sqlite:") + m_sqlitePath;
    return m_url.toString();
}

QString ConnectionSpec::displayName() const
{
    if (m_kind == Kind::Sqlite)
        return QDir::toNativeSeparators(m_sqlitePath);
    return m_url.toDisplayString(QUrl::RemovePassword);
}

} // namespace tovren::db
