#pragma once

#include "report/engine/ComponentLookup.h"
#include "report/engine/ReportInfoNames.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/script/Variant.h"

#include <functional>

namespace tovren::script {
class TqxLibraryRegistry;
class TqxParser;
class TqxVariables;
} // namespace tovren::script

namespace tovren::model {
class TqxObject;
}

namespace tovren::engine {

class TqxResolverEnvironment;

/// The report's event handlers that take part in resolution; either may be left unset.
struct TqxResolverHandlers
{
    /// OnGetValue: leaving @p value empty passes the name on.
    std::function<void(const QString &name, script::Variant &value)> onGetValue;
    /// OnUserFunction: called for functions no library claims; @p value holds the answer so far.
    std::function<void(const QString &name, const QString &p1, const QString &p2, const QString &p3,
                       script::Variant &value)>
        onUserFunction;
};

/// The parts of a report that value resolution reads and writes. All are borrowed and must
/// outlive the resolver.
struct TqxResolverServices
{
    script::TqxParser &parser;
    const script::TqxLibraryRegistry &libraries;
    script::TqxVariables &scriptGlobals;
    const script::TqxVariables &styleConstants;
    TqxDataDictionary &dictionary;
    const TqxReportRunInfo &runInfo;
    TqxComponentLookup components;
    TqxResolverEnvironment &environment;
};

/// The report's side of the evaluator's callbacks: turns the names and calls of expressions and
/// scripts into values (the handler, the dictionary, system names, script variables, engine
/// names, object properties, constants; libraries, engine procedures, the user function).
///
/// A name that resolves nowhere raises EvaluationError "符号没定义 \"NAME\"", and a call that
/// no library, engine procedure, object or OnUserFunction handler can take "函数没定义
/// \"NAME\"" (neither while the aggregate pre-scan runs). install()
/// makes the resolver the parser's callbacks; the parser must not outlive the resolver then.
class TqxValueResolver : private TqxDictionaryContext
{
public:
    TqxValueResolver(TqxResolverServices services, TqxResolverHandlers handlers = {});
    TqxValueResolver(const TqxValueResolver &) = delete;
    TqxValueResolver &operator=(const TqxValueResolver &) = delete;

    void install(script::TqxParser &parser);

    script::Variant ResolveName(const QString &name);
    script::Variant ResolveEngineName(const QString &name);
    script::Variant ResolveFunction(const QString &name, const QString &p1, const QString &p2,
                                    const QString &p3);
    /// False when @p name is no engine procedure and no object answers it.
    bool EngineProcedure(const QString &name, const QString &p1, const QString &p2,
                         const QString &p3, script::Variant &value);
    void AssignName(const QString &name, const script::Variant &value);
    /// The display text of one bracket of a text object, without its brackets.
    QString EvaluateBracket(const QString &text);

    /// The field an object whose text is "[name]" is bound to: a dictionary name cached as a
    /// field, else a field of that name; empty when there is none. Never raises.
    DataFieldReference findBoundField(const QString &name);

    /// The value "VALUE" reads: that of the bracket being formatted.
    const script::Variant &bracketValue() const { return m_bracketValue; }

private:
    DataFieldReference findField(const QString &text) const override;
    const script::TqxVariables &scriptGlobals() const override;
    script::Variant evaluate(const QString &expression) const override;

    bool resolveSystemName(const QString &name, script::Variant &value);
    script::Variant evaluateAsExpression(const QString &name);
    void accessArray(const QString &name, const QString &arrayName, const QString &indexText,
                     const QString &valueText, script::Variant &value);
    QString arrayIndexText(const QString &indexExpression) const;

    struct FoundObject
    {
        model::TqxObject *object = nullptr;
        QString member;
    };
    /// The object a dotted or bare name addresses (pages, template objects, current object).
    FoundObject findObject(const QString &name) const;
    static bool hasProperty(const model::TqxObject &object, const QString &member);

    TqxResolverServices m_services;
    TqxResolverHandlers m_handlers;
    ReportInfoNames m_infoNames;
    script::Variant m_bracketValue{0};
    QString m_nameBeingEvaluated;
};

} // namespace tovren::engine
