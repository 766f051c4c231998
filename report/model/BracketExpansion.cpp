#include "report/model/BracketExpansion.h"

namespace tovren::model {

namespace {

/// Index of the bracket that closes the one at @p start; @p start itself when no bracket opens
/// there, the last index when the brackets are never closed.
qsizetype closingBracket(const QString &text, qsizetype start)
{
    int depth = 0;
    bool inSingleQuotes = false;
    bool inDoubleQuotes = false;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' && !inSingleQuotes) {
            inDoubleQuotes = !inDoubleQuotes;
        } else if (c == u'\'' && !inDoubleQuotes) {
            inSingleQuotes = !inSingleQuotes;
        } else if (!inSingleQuotes && !inDoubleQuotes) {
            if (c == u'[')
                ++depth;
            else if (c == u']')
                --depth;
        }
        if (depth == 0)
            return i;
    }
    return text.size() - 1;
}

} // namespace

QString ExpandBrackets(QString text, const std::function<QString(const QString &)> &valueText)
{
    if (!text.contains(u'['))
        return text;
    return BracketedText(text).expand(valueText);
}

BracketedText::BracketedText(const QString &text)
{
    const auto addLiteral = [this, &text](qsizetype from, qsizetype length) {
        if (length <= 0)
            return;
        m_pieces.push_back({text.mid(from, length), false});
        m_literalLength += length;
    };
    qsizetype copied = 0;
    for (qsizetype open = text.indexOf(u'['); open >= 0; open = text.indexOf(u'[', copied)) {
        const qsizetype stop = closingBracket(text, open);
        if (stop == open)
            break;
        addLiteral(copied, open - copied);
        m_pieces.push_back({text.mid(open + 1, stop - open - 1), true});
        copied = stop + 1;
    }
    addLiteral(copied, text.size() - copied);
}

QString BracketedText::expand(const std::function<QString(const QString &)> &valueText) const
{
    if (m_pieces.size() == 1) {
        const Piece &only = m_pieces.front();
        if (!only.expression)
            return only.text;
        return valueText ? valueText(only.text) : QString();
    }
    QString expanded;
    expanded.reserve(m_literalLength + 16);
    for (const Piece &piece : m_pieces) {
        if (!piece.expression)
            expanded += piece.text;
        else if (valueText)
            expanded += valueText(piece.text);
    }
    return expanded;
}

} // namespace tovren::model
