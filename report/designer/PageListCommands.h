#pragma once

#include <QStringList>
#include <QtGlobal>

namespace tovren::model {
class TqxPages;
}

namespace tovren::designer {

/// What the designer's page commands do to a template's page list: adding report and dialog
/// pages, deleting and reordering pages while every sub-report object keeps pointing at the
/// page it pointed at, and the captions of the page tabs.
class PageListCommands
{
public:
    explicit PageListCommands(model::TqxPages &pages)
        : m_pages(pages)
    {}

    /// Appends a report page named "Page" with the smallest unused number; returns its index.
    qsizetype addPage();
    /// As addPage(), as a dialog page.
    qsizetype addDialogPage();
    /// Deletes page @p index, unless it is the only one. Sub-report objects that printed it are
    /// deleted with it, those printing a later page follow their page.
    bool deletePage(qsizetype index);
    /// Moves page @p from to position @p to; sub-report objects keep their pages.
    bool movePage(qsizetype from, qsizetype to);

    /// Page @p index is printed by a sub-report object somewhere in the template.
    bool isSubReportTarget(qsizetype index) const;
    /// One caption per page: the name of the sub-report object that prints it, else "页" and
    /// its number.
    QStringList tabCaptions() const;

private:
    /// Points every sub-report object at the page @p newIndex gives for its target; a target
    /// it maps to -1 deletes the object.
    template<typename Renumber>
    void renumberSubReports(Renumber newIndex);

    model::TqxPages &m_pages;
};

} // namespace tovren::designer
