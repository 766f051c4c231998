#pragma once

#include <QString>
#include <QStringView>
#include <array>

// The lexical helpers that the expression parser, the postfix evaluator and the script compiler
// share, so that all three cut the same text into the same pieces.
namespace tovren::script {

/// True for the characters that end a token: CR, blank and ( ) * + - / < = > [
bool isTokenDelimiter(QChar c);

/// Skips characters up to code 32 from @p position, then reads up to the next delimiter outside
/// double quotes (a double-quoted part such as Aqy."Stud ID" stays in the token). On return
/// @p position is just after the token.
QStringView ReadToken(QStringView text, qsizetype &position);

/// ReadToken without skipping leading characters: the token starts exactly at @p position.
QStringView readTokenBody(QStringView text, qsizetype &position);

/// A bracket pair found by FindClosingBracket: positions of "[" and of the matching "]".
struct BracketSpan
{
    qsizetype start = -1;
    qsizetype end = -1;
    bool closed = false;
    QStringView inner;
};

/// Finds the first "[" at or after @p position and its matching "]"; brackets inside single or
/// double quotes do not count and nested pairs are kept whole. When the pair is not closed,
/// `closed` is false and `end` is the last character. `start` is -1 when there is no "[".
BracketSpan FindClosingBracket(QStringView text, qsizetype position);

/// The argument texts of a call, as written (not trimmed, not evaluated); missing ones are empty.
struct CallArguments
{
    static constexpr int maximumCount = 3;
    std::array<QString, maximumCount> texts;
    int count = 0;
    qsizetype closingParenthesis = -1;
};

/// Splits the argument list that opens at @p openParenthesis (which must be "(") at the commas of
/// depth 1, single-quoted parts excepted. Raises EvaluationError for a missing ")" and for more
/// than three arguments.
CallArguments SplitArguments(QStringView text, qsizetype openParenthesis);

/// Upper-cases ASCII letters only, the way names and keywords are compared.
QString upperAscii(QStringView text);

} // namespace tovren::script
