#include "report/script/ScriptSource.h"

#include <algorithm>

namespace tovren::script {

ScriptSource::ScriptSource(const QStringList &lines)
{
    for (const QString &line : lines) {
        m_lineStarts.push_back(m_source.size());
        m_source += line;
        m_source += u'\r';
    }
    m_source.replace(u'\t', u' ');
    m_text.reserve(m_source.size());

    bool insideString = false;
    qsizetype i = 0;
    while (i < m_source.size()) {
        const QChar c = m_source[i];
        const bool lineComment = c == u'/' && i + 1 < m_source.size() && m_source[i + 1] == u'/';
        if (!insideString && (c == u'{' || lineComment)) {
            qsizetype end = m_source.indexOf(lineComment ? u'\r' : u'}', i + 1);
            if (end < 0)
                end = m_source.size();
            else if (!lineComment)
                ++end; // the closing brace belongs to the comment, the CR does not
            m_cuts.push_back({m_text.size(), end - i - 1});
            m_text += u' ';
            i = end;
            continue;
        }
        if (c == u'\'')
            insideString = !insideString;
        else if (c == u'\r')
            insideString = false; // strings end with their line
        m_text += c;
        ++i;
    }
}

qsizetype ScriptSource::sourceOffsetOf(qsizetype offset) const
{
    qsizetype sourceOffset = offset;
    for (const Cut &cut : m_cuts) {
        if (cut.blankAt >= offset)
            break;
        sourceOffset += cut.removed;
    }
    return sourceOffset;
}

ScriptSource::LineColumn ScriptSource::lineColumnOf(qsizetype offset) const
{
    if (m_lineStarts.empty())
        return {};
    const qsizetype sourceOffset = std::clamp<qsizetype>(
        sourceOffsetOf(offset), 0, std::max<qsizetype>(m_source.size() - 1, 0));
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), sourceOffset);
    const qsizetype lineIndex = (next - m_lineStarts.begin()) - 1;
    return {static_cast<int>(lineIndex + 1),
            static_cast<int>(sourceOffset - m_lineStarts[lineIndex] + 1)};
}

} // namespace tovren::script
