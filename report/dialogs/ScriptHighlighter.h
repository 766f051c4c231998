#pragma once

#include "report/dialogs/ScriptHighlightRules.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace tovren::dialogs {

/// Colours a text document by ScriptHighlightRules: keywords bold, comments navy italic,
/// strings and everything else plain. Each block keeps the comment open at its end as its
/// state, so a keystroke re-colours only the lines whose colouring it can change.
class ScriptHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit ScriptHighlighter(QTextDocument *document, SyntaxKind kind = SyntaxKind::Pascal);

    SyntaxKind syntaxKind() const { return m_rules.kind(); }
    void setSyntaxKind(SyntaxKind kind);

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat formatOf(CharClass charClass) const;

    ScriptHighlightRules m_rules;
    QTextCharFormat m_comment;
    QTextCharFormat m_keyword;
    QTextCharFormat m_string;
};

} // namespace tovren::dialogs
