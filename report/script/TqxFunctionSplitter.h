#pragma once

#include "report/script/TqxVariables.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace tovren::script {

/// Finds the calls of given functions inside expression texts, looking through dictionary
/// variables (whose values are expression texts) and nested calls, so that the report can collect
/// its aggregates before it is built. Every call found is appended to splitResults() as written,
/// inner calls before the calls that contain them.
///
/// Single-quoted strings are text, not calls. A dictionary variable that refers to itself,
/// directly or through others, is looked through once; nesting deeper than maximumNesting raises
/// EvaluationError, as does an argument list without its ")".
class TqxFunctionSplitter
{
public:
    static constexpr int maximumNesting = 128;

    explicit TqxFunctionSplitter(const QStringList &matchFunctions,
                                 const TqxVariables *dictionary = nullptr);
    virtual ~TqxFunctionSplitter() = default;

    /// Searches one expression text.
    void Split(QStringView text);
    /// Searches every bracketed expression of text-object lines, brackets included.
    void SplitText(const QStringList &lines);
    /// Searches compiled script code: conditions, call expressions and assigned values.
    void SplitScript(const QStringList &code);

    const QStringList &splitResults() const { return m_results; }
    void clearResults() { m_results.clear(); }

private:
    void split(QStringView text, int nesting);
    void splitVariable(const QString &name, int nesting);
    bool isMatchFunction(QStringView name) const;

    QStringList m_matchFunctions;
    const TqxVariables *m_dictionary;
    QStringList m_results;
    QSet<QString> m_expanding; // upper-cased names of the variables being looked through
};

/// Finds the aggregate calls AVG, COUNT, MAX, MIN and SUM, looking through the given data
/// dictionary's variables.
class TAggregateFunctionsSplitter : public TqxFunctionSplitter
{
public:
    explicit TAggregateFunctionsSplitter(const TqxVariables *dictionary);
};

} // namespace tovren::script
