#pragma once

#include "report/script/Variant.h"

#include <QString>
#include <memory>

namespace tovren::db {
class TDbQuery;
}

namespace tovren::app {

/// Evaluates expressions the way a report does, against the current record of an open browse
/// query registered as the main window's components (Aqy, DataSource1, qxDBDataSet1).
///
/// Names resolve through the report's lookup order with an empty dictionary and no build
/// running, and functions through the standard and database libraries; failures raise
/// script::EvaluationError with the text a build would show. The query must outlive this object.
class RecordEvaluator
{
public:
    explicit RecordEvaluator(db::TDbQuery &query);
    ~RecordEvaluator();
    RecordEvaluator(const RecordEvaluator &) = delete;
    RecordEvaluator &operator=(const RecordEvaluator &) = delete;

    /// The value of @p expression; one wholly in brackets ("[Aqy."Name" #N0.00]") is a text
    /// object's bracket and gives its display text.
    script::Variant evaluate(const QString &expression);

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace tovren::app
