#pragma once

#include "report/script/Variant.h"

#include <QString>
#include <QStringList>

namespace tovren::script {

class TqxInstalledFunctions;
class TqxParser;

/// A set of functions that expressions can call by name, beyond the evaluator's own built-ins.
///
/// A library answers only the names in functionNames() (compared ignoring case); a name's
/// position is its function number. HandleFunction leaves the value alone for a name the library
/// does not know, so the caller can ask the next library. Arguments arrive as unevaluated texts
/// and each function evaluates those it needs with the parser it was given.
class TqxFunctionLibrary
{
public:
    explicit TqxFunctionLibrary(const TqxParser &parser)
        : m_parser(parser)
    {}
    virtual ~TqxFunctionLibrary() = default;
    TqxFunctionLibrary(const TqxFunctionLibrary &) = delete;
    TqxFunctionLibrary &operator=(const TqxFunctionLibrary &) = delete;

    const QStringList &functionNames() const { return m_functionNames; }
    /// The function number of @p name, or -1.
    int functionNumber(const QString &name) const;

    /// Runs the function @p name and returns true when the library knows it; otherwise returns
    /// false with @p value unchanged.
    bool HandleFunction(const QString &name, const QString &p1, const QString &p2,
                        const QString &p3, Variant &value);

    /// Adds the descriptions the expression builder shows for this library.
    virtual void describeFunctions(TqxInstalledFunctions &) const {}

protected:
    virtual void RunFunction(int number, const QString &p1, const QString &p2, const QString &p3,
                             Variant &value) = 0;

    void setFunctionNames(QStringList names) { m_functionNames = std::move(names); }
    Variant evaluate(const QString &argument) const;
    const TqxParser &parser() const { return m_parser; }

private:
    const TqxParser &m_parser;
    QStringList m_functionNames;
};

} // namespace tovren::script
