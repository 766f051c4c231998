#pragma once

#include "report/engine/DataFieldResolver.h"
#include "report/engine/LargeObjectFields.h"
#include "report/script/Variant.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>

namespace tovren::model {
class TqxView;
}

namespace tovren::engine {

class PageEngine;
class TqxReport;

/// The expression and script machinery of one build: value resolution over the report, its
/// dictionary and its owner's components, the function libraries and a script interpreter
/// whose names resolve the same way.
///
/// While it lives, text objects substitute their brackets and run their scripts through it
/// (model::runState() hooks); destroying it removes the hooks again.
class ReportEvaluation
{
public:
    explicit ReportEvaluation(TqxReport &report);
    ~ReportEvaluation();
    ReportEvaluation(const ReportEvaluation &) = delete;
    ReportEvaluation &operator=(const ReportEvaluation &) = delete;

    /// Lets engine names (CURY, NEWPAGE, SHOWBAND...) reach the page being built.
    void setPageEngine(PageEngine *engine);

    script::Variant evaluate(const QString &expression);
    /// The display text of one bracket of a text object, without its brackets.
    QString bracketText(const QString &bracket);
    /// Runs @p script with @p view as the current object; raises EvaluationError for a script
    /// that does not compile or fails.
    void runScript(const QStringList &script, model::TqxView *view);
    /// The aggregate calls (SUM, AVG, COUNT, MIN, MAX) that @p script makes, as written, for
    /// the totals scan. A script that does not compile makes none here; running it reports why.
    QStringList aggregateCalls(const QStringList &script);

    /// The field that @p name means: a dictionary name cached as a field, else a field of that
    /// name (with the current band's data set when it has no source part); empty when none.
    DataFieldReference findField(const QString &name);
    /// Objects bound to large-object fields; their content is loaded before they are written.
    LargeObjectBindings &largeObjects();

private:
    static constexpr std::chrono::milliseconds kScriptTimeLimit{10'000};

    struct Parts;
    std::unique_ptr<Parts> m_parts;
    TqxReport *m_report;
};

} // namespace tovren::engine
