#pragma once

#include "report/designer/DesignerHost.h"

#include <QList>

namespace tovren::dialogs {
struct InsertFieldsChoice;
}
namespace tovren::engine {
class TqxReport;
}
namespace tovren::model {
class ObjectRegistry;
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// Builds a row (or column) of field objects from a data set at the page's top-left margin
/// corner: optionally a bold header above (or beside) each field, and bands around them, a page
/// header over a master data band bound to the report data source that walks the data set.
///
/// A page already holding a page header keeps it and gets no second one. A row wider than the
/// printable width is squeezed to fit between the margins. The new objects end up the only
/// selected ones; the caller records the insert step.
class InsertFieldsCommand
{
public:
    InsertFieldsCommand(engine::TqxReport &report, qsizetype pageIndex,
                        model::ObjectRegistry &registry, const LastUsedFormat &format,
                        int gridStepPixels);

    /// The objects created, bands included; none when the data set is unknown or no field
    /// was chosen.
    QList<model::TqxView *> run(const dialogs::InsertFieldsChoice &choice);

    /// Vertical distance between the header row and the field row, in design pixels.
    static constexpr int kRowDistancePixels = 72;

private:
    model::TqxView &addText(const QString &text, QPoint at, bool bold);
    model::TqxView &addBand(int bandType, int top, int height, const QString &dataSource);
    double textWidthPixels(const model::TqxView &text, const QString &sample) const;
    void squeezeRow(const QList<model::TqxView *> &data, const QList<model::TqxView *> &headers);
    model::TqxPage &page() const;

    engine::TqxReport &m_report;
    qsizetype m_pageIndex;
    model::ObjectRegistry &m_registry;
    LastUsedFormat m_format;
    int m_grid;
};

} // namespace tovren::designer
