#include "report/engine/TqxValueResolver.h"

#include "report/engine/TqxRecordSet.h"
#include "report/engine/TqxResolverEnvironment.h"
#include "report/model/ObjectLookup.h"
#include "report/model/TqxObject.h"
#include "report/model/TqxView.h"
#include "report/script/EvaluationError.h"
#include "report/script/TqxLibraryRegistry.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxVariables.h"
#include "report/script/VariantArithmetic.h"

namespace tovren::engine {

using script::Variant;

namespace {

/// Marks one name as being resolved through the evaluator and restores the previous mark when
/// the evaluation ends, also when it fails, so a failed lookup never poisons the next one.
class NameBeingEvaluated
{
public:
    NameBeingEvaluated(QString &slot, const QString &name)
        : m_slot(slot)
        , m_previous(std::exchange(slot, name))
    {}
    ~NameBeingEvaluated() { m_slot = m_previous; }
    NameBeingEvaluated(const NameBeingEvaluated &) = delete;
    NameBeingEvaluated &operator=(const NameBeingEvaluated &) = delete;

private:
    QString &m_slot;
    QString m_previous;
};

QString undefinedSymbolMessage(const QString &name)
{
    return QStringLiteral("符号没定义 \"") + name + u'"';
}

const QString inlineFormatMark = QStringLiteral(" #");

/// Where the inline format mark starts in @p text, or -1. Bracket texts are a few characters
/// long and asked for on every record: a plain scan beats the general string search.
qsizetype inlineFormatAt(QStringView text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == inlineFormatMark[0] && text[i + 1] == inlineFormatMark[1])
            return i;
    }
    return -1;
}

} // namespace

TqxValueResolver::TqxValueResolver(TqxResolverServices services, TqxResolverHandlers handlers)
    : m_services(std::move(services))
    , m_handlers(std::move(handlers))
    , m_infoNames(m_services.runInfo)
{}

void TqxValueResolver::install(script::TqxParser &parser)
{
    parser.setGetValueCallback([this](const QString &name) { return ResolveName(name); });
    parser.setFunctionCallback(
        [this](const QString &name, const QString &p1, const QString &p2, const QString &p3) {
            return ResolveFunction(name, p1, p2, p3);
        });
}

Variant TqxValueResolver::ResolveName(const QString &name)
{
    if (m_handlers.onGetValue) {
        Variant handled;
        m_handlers.onGetValue(name, handled);
        if (!handled.isEmpty())
            return handled;
    }
    if (std::optional<Variant> known = m_services.dictionary.KnownValue(name, *this))
        return std::move(*known);
    Variant value(0);
    if (resolveSystemName(name, value))
        return value;
    if (m_services.scriptGlobals.contains(name))
        return m_services.scriptGlobals.value(name);
    value = ResolveEngineName(name);
    if (!value.isEmpty())
        return value;
    if (name != m_nameBeingEvaluated)
        return evaluateAsExpression(name);
    if (m_services.environment.aggregateScanRunning())
        return {};
    throw script::EvaluationError(undefinedSymbolMessage(name));
}

bool TqxValueResolver::resolveSystemName(const QString &name, Variant &value)
{
    if (name == u"VALUE") {
        value = m_bracketValue;
        return true;
    }
    return m_infoNames.resolve(name, value) || m_services.environment.resolveBandName(name, value);
}

Variant TqxValueResolver::evaluateAsExpression(const QString &name)
{
    const NameBeingEvaluated mark(m_nameBeingEvaluated, name);
    return m_services.parser.Evaluate(name);
}

Variant TqxValueResolver::ResolveEngineName(const QString &name)
{
    Variant value;
    if (m_services.environment.resolveEngineName(name, value))
        return value;
    const FoundObject found = findObject(name);
    if (found.object && hasProperty(*found.object, found.member))
        return found.object->GetPropertyValue(found.member.toUpper());
    if (m_services.styleConstants.contains(name))
        return m_services.styleConstants.value(name);
    return {};
}

TqxValueResolver::FoundObject TqxValueResolver::findObject(const QString &name) const
{
    model::TqxView *const current = m_services.environment.currentObject();
    if (const model::TqxPages *pages = m_services.environment.templatePages()) {
        const model::ObjectPath path = model::FindObjectByPath(name, *pages, current);
        return {path.object, path.propertyPath};
    }
    // Without template pages only the current object can be addressed.
    if (!current)
        return {};
    if (current->Properties().empty())
        current->RegisterProperties();
    return {current, name};
}

bool TqxValueResolver::hasProperty(const model::TqxObject &object, const QString &member)
{
    // "Font.Name" and "Memo.Count" belong to the properties Font and Memo.
    return object.findProperty(member) || object.findProperty(member.section(u'.', 0, 0));
}

Variant TqxValueResolver::ResolveFunction(const QString &name, const QString &p1, const QString &p2,
                                          const QString &p3)
{
    Variant value(QStringLiteral("0"));
    if (m_services.libraries.dispatch(name, p1, p2, p3, value))
        return value;
    const bool handled = EngineProcedure(name, p1, p2, p3, value);
    if (m_handlers.onUserFunction) {
        // The handler gives no sign whether it knew the name; it has the last word.
        m_handlers.onUserFunction(name, p1, p2, p3, value);
        return value;
    }
    if (!handled && !m_services.environment.aggregateScanRunning())
        throw script::EvaluationError(script::undefinedFunctionMessage(name));
    return value;
}

bool TqxValueResolver::EngineProcedure(const QString &name, const QString &p1, const QString &p2,
                                       const QString &p3, Variant &value)
{
    if (m_services.environment.runEngineProcedure(name, p1, value))
        return true;
    if (name == u"INC" || name == u"DEC") {
        const Variant current = ResolveName(p1);
        AssignName(p1, name == u"INC" ? script::add(current, Variant(1))
                                      : script::subtract(current, Variant(1)));
        return true;
    }
    if (name == u"SETARRAY" || name == u"GETARRAY") {
        accessArray(name, p1, p2, p3, value);
        return true;
    }
    const FoundObject found = findObject(name);
    if (!found.object)
        return false;
    const Variant result =
        found.object->CallMethod(found.member.toUpper(), Variant(p1), Variant(p2), Variant(p3));
    value = result.isEmpty() ? Variant::null() : result;
    return true;
}

QString TqxValueResolver::arrayIndexText(const QString &indexExpression) const
{
    const Variant index = m_services.parser.Evaluate(indexExpression);
    return index.isString() ? index.toString() : QString::number(index.toInt64());
}

void TqxValueResolver::accessArray(const QString &name, const QString &arrayName,
                                   const QString &indexText, const QString &valueText,
                                   Variant &value)
{
    const bool isSet = name == u"SETARRAY";
    if (arrayName.contains(u'.')) {
        const FoundObject found = findObject(arrayName);
        if (!found.object)
            return;
        const Variant index = m_services.parser.Evaluate(indexText);
        const Variant newValue = isSet ? m_services.parser.Evaluate(valueText) : Variant();
        value = found.object->CallMethod(isSet ? QStringLiteral("SETINDEXPROPERTY")
                                               : QStringLiteral("GETINDEXPROPERTY"),
                                         Variant(found.member.toUpper()), index, newValue);
        return;
    }
    const QString variable = QStringLiteral("Arr_") + arrayName + u'_' + arrayIndexText(indexText);
    if (isSet)
        m_services.scriptGlobals.setValue(variable, m_services.parser.Evaluate(valueText));
    else
        value = m_services.scriptGlobals.value(variable);
}

void TqxValueResolver::AssignName(const QString &name, const Variant &value)
{
    if (m_services.scriptGlobals.contains(name)) {
        m_services.scriptGlobals.setValue(name, value);
        return;
    }
    if (m_services.dictionary.VariableList.contains(name)) {
        m_services.dictionary.SetVariable(name, value);
        return;
    }
    if (m_services.environment.assignEngineName(name, value))
        return;
    const FoundObject found = findObject(name);
    if (found.object && hasProperty(*found.object, found.member)) {
        found.object->SetPropertyValue(found.member.toUpper(), value);
        return;
    }
    m_services.scriptGlobals.setValue(name, value);
}

QString TqxValueResolver::EvaluateBracket(const QString &text)
{
    const qsizetype mark = inlineFormatAt(text);
    const QString expression = mark < 0 ? text : text.left(mark);
    const QString inlineFormat = mark < 0 ? QString() : text.mid(mark + inlineFormatMark.size());
    m_bracketValue = Variant(0);
    Variant value = ResolveName(expression);
    m_bracketValue = value;
    TqxResolverEnvironment &environment = m_services.environment;
    if (environment.currentObjectHidesZeros() && !value.isString()) {
        try {
            if (script::compare(value, Variant(0)) == script::Ordering::Equal)
                value = Variant(QString());
        } catch (const script::EvaluationError &) {
            // A value that cannot be compared with 0 is printed as it is.
        }
    }
    if (environment.aggregateScanRunning())
        return {};
    return environment.formatDisplayValue(value, inlineFormat);
}

DataFieldReference TqxValueResolver::findBoundField(const QString &name)
{
    if (m_services.dictionary.Knows(name, *this)) {
        if (const DataFieldReference cached = m_services.dictionary.cachedField(name))
            return cached;
    }
    return findField(name);
}

DataFieldReference TqxValueResolver::findField(const QString &text) const
{
    if (DataFieldName::parse(text))
        return ComponentFieldResolver(m_services.components).resolveField(text);
    TqxRecordSet *const dataSet = m_services.environment.defaultDataSet();
    if (!dataSet || !dataSet->isActive())
        return {};
    return {dataSet, dataSet->fieldIndex(text)};
}

const script::TqxVariables &TqxValueResolver::scriptGlobals() const
{
    return m_services.scriptGlobals;
}

Variant TqxValueResolver::evaluate(const QString &expression) const
{
    return m_services.parser.Evaluate(expression);
}

} // namespace tovren::engine
