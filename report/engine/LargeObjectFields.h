#pragma once

#include "report/engine/DataFieldResolver.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <optional>

namespace tovren::model {
class TqxView;
}

namespace tovren::engine {

class PageEngine;
class ReportEvaluation;
class TqxRecordSet;

/// The data fields that objects take their content from while a report is built: a picture or
/// a text whose whole text is one bracket naming a field is bound to that field, and when the
/// field holds a large object (a blob or a memo) the object shows the field's content instead
/// of its own.
///
/// It only refers to the objects and record sets; a record set that goes away leaves its
/// objects unbound.
class LargeObjectBindings
{
public:
    /// The name inside an object's text "[name]", or nullopt when the text names no field
    /// (too short, not a bracket, or a text marked text-only).
    static std::optional<QString> boundName(const model::TqxView &view);

    void bind(const model::TqxView &view, const DataFieldReference &field);
    void unbind(const model::TqxView &view) { m_fields.remove(&view); }
    bool isBound(const model::TqxView &view) const { return m_fields.contains(&view); }
    void clear() { m_fields.clear(); }

    /// Loads a bound object's content from the current record when its field holds a large
    /// object; a null field empties it. Raises script::EvaluationError when a picture field
    /// holds data that is not a picture of the object's kind.
    void loadContent(model::TqxView &view) const;

private:
    struct BoundField
    {
        QPointer<TqxRecordSet> dataSet;
        QString fieldName;
    };
    QHash<const model::TqxView *, BoundField> m_fields;
};

/// Binds the objects of every band of @p engine's page to the fields their texts name, each
/// with its own band as the current band so a bare field name means that band's data set.
void BindLargeObjectFields(const PageEngine &engine, ReportEvaluation &evaluation);

} // namespace tovren::engine
