#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tovren::script {

/// A script's text as the compiler reads it: the source lines joined, each ended by a CR, tabs
/// turned into blanks and comments ("{...}" and "//" to the end of the line) replaced by one
/// blank each. Comment markers inside single-quoted strings are text, not comments.
///
/// The source keeps what it cut, so that a position in the compiler's text maps back to the line
/// and column of the script as written.
class ScriptSource
{
public:
    explicit ScriptSource(const QStringList &lines);

    const QString &text() const { return m_text; }

    struct LineColumn
    {
        int line = 1;   ///< from 1
        int column = 1; ///< from 1
    };

    /// Where the character at @p offset of text() stands in the source as written; offsets at
    /// or past the end map to just after the last character.
    LineColumn lineColumnOf(qsizetype offset) const;

private:
    struct Cut
    {
        qsizetype blankAt; // where the replacing blank stands in m_text
        qsizetype removed; // characters of the source that are gone after that blank
    };

    qsizetype sourceOffsetOf(qsizetype offset) const;

    QString m_source; // as written, lines ended by CR, tabs as blanks
    QString m_text;
    std::vector<Cut> m_cuts;
    std::vector<qsizetype> m_lineStarts;
};

} // namespace tovren::script
