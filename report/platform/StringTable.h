#pragma once

#include <QHash>
#include <QString>

#include <functional>

namespace tovren::platform {

/// The library's numbered texts (captions, hints, messages), compiled into the program.
///
/// A localisation callback may answer first: a non-empty answer wins, an empty one falls back to
/// the built-in table. A number the table does not hold reads as an empty string, as a missing
/// resource string would.
class TqxLocale
{
public:
    using Localizer = std::function<QString(int id)>;

    static TqxLocale &instance();

    QString loadString(int id) const;
    void setLocalizer(Localizer localizer) { m_localizer = std::move(localizer); }
    bool contains(int id) const { return m_table.contains(id); }
    qsizetype size() const { return m_table.size(); }

    /// Parses the table's text form: one "number<TAB>text" a line, with \\, \t, \n and \r escapes.
    static QHash<int, QString> parseTable(QStringView tsv);

private:
    TqxLocale();

    QHash<int, QString> m_table;
    Localizer m_localizer;
};

/// Shorthand used wherever a caption or message is shown.
QString LoadLibraryString(int id);

} // namespace tovren::platform
