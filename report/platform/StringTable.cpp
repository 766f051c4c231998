#include "report/platform/StringTable.h"

#include <QFile>

// Resources of a static library are registered only when asked for, and the macro must be used
// outside any namespace.
static void registerPlatformResources()
{
    Q_INIT_RESOURCE(platform);
}

namespace tovren::platform {

namespace {

QString unescape(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        switch (text[++i].unicode()) {
        case u't': out += u'\t'; break;
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        default: out += text[i]; break;
        }
    }
    return out;
}

} // namespace

QHash<int, QString> TqxLocale::parseTable(QStringView tsv)
{
    QHash<int, QString> table;
    for (const QStringView line : tsv.split(u'\n')) {
        const QStringView trimmedLine = line.endsWith(u'\r') ? line.chopped(1) : line;
        const qsizetype tab = trimmedLine.indexOf(u'\t');
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = trimmedLine.left(tab).toInt(&ok);
        if (ok)
            table.insert(id, unescape(trimmedLine.mid(tab + 1)));
    }
    return table;
}

TqxLocale::TqxLocale()
{
    registerPlatformResources();
    QFile file(QStringLiteral(":/tovren/platform/strings.tsv"));
    if (file.open(QIODevice::ReadOnly))
        m_table = parseTable(QString::fromUtf8(file.readAll()));
}

TqxLocale &TqxLocale::instance()
{
    static TqxLocale locale;
    return locale;
}

QString TqxLocale::loadString(int id) const
{
    if (m_localizer) {
        QString localized = m_localizer(id);
        if (!localized.isEmpty())
            return localized;
    }
    return m_table.value(id);
}

QString LoadLibraryString(int id)
{
    return TqxLocale::instance().loadString(id);
}

} // namespace tovren::platform
