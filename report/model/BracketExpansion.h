#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace tovren::model {

/// Replaces every bracketed expression of @p text by @p valueText of the text between the
/// brackets. Brackets inside quotes do not count, nested brackets stay in the expression
/// ("[A[B]]" gives "A[B]"), and an unclosed bracket takes the rest of the text as its span.
QString ExpandBrackets(QString text, const std::function<QString(const QString &)> &valueText);

/// A text split once into its literal pieces and bracketed expressions, to be expanded as
/// ExpandBrackets does for every record of a report without being searched again.
class BracketedText
{
public:
    explicit BracketedText(const QString &text);

    /// The source text with every expression replaced by @p valueText of it.
    QString expand(const std::function<QString(const QString &)> &valueText) const;

private:
    struct Piece
    {
        QString text;
        bool expression = false;
    };
    std::vector<Piece> m_pieces;
    qsizetype m_literalLength = 0;
};

} // namespace tovren::model
