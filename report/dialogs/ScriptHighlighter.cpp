#include "report/dialogs/ScriptHighlighter.h"

namespace tovren::dialogs {

ScriptHighlighter::ScriptHighlighter(QTextDocument *document, SyntaxKind kind)
    : QSyntaxHighlighter(document)
    , m_rules(kind)
{
    m_comment.setForeground(QColor(0, 0, 128));
    m_comment.setFontItalic(true);
    m_keyword.setFontWeight(QFont::Bold);
}

void ScriptHighlighter::setSyntaxKind(SyntaxKind kind)
{
    if (kind == m_rules.kind())
        return;
    m_rules = ScriptHighlightRules(kind);
    rehighlight();
}

QTextCharFormat ScriptHighlighter::formatOf(CharClass charClass) const
{
    switch (charClass) {
    case CharClass::Comment:
        return m_comment;
    case CharClass::Keyword:
        return m_keyword;
    case CharClass::String:
        return m_string;
    case CharClass::Plain:
        break;
    }
    return {};
}

void ScriptHighlighter::highlightBlock(const QString &text)
{
    const int previous = previousBlockState();
    auto open = previous < 0 ? OpenComment::None : static_cast<OpenComment>(previous);
    for (const ClassRun &run : m_rules.classifyLine(text, open)) {
        if (run.charClass != CharClass::Plain && run.charClass != CharClass::String)
            setFormat(run.start, run.length, formatOf(run.charClass));
    }
    setCurrentBlockState(static_cast<int>(open));
}

} // namespace tovren::dialogs
