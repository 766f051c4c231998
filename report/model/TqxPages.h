#pragma once

#include "report/model/TqxPage.h"

#include <memory>
#include <vector>

namespace tovren::model {

/// The ordered pages of a template; it owns them, and through them their objects.
class TqxPages
{
public:
    /// New pages select their paper through @p paper (may be null), which must outlive the list.
    explicit TqxPages(PaperSelector *paper = nullptr);

    qsizetype Count() const { return static_cast<qsizetype>(m_pages.size()); }
    /// Null for an index outside the list.
    TqxPage *page(qsizetype index) const;
    /// Appends a portrait report page on the default paper and source; returns its index.
    qsizetype Add();
    void Delete(qsizetype index);
    /// Moves the page at @p from to @p to; ignored when either index is outside the list.
    void Move(qsizetype from, qsizetype to);
    void Clear() { m_pages.clear(); }
    /// Appends a page made elsewhere (a prepared page being edited) and owns it until
    /// release() hands it back; a null page is ignored.
    void adopt(std::unique_ptr<TqxPage> page);
    /// Takes page @p index out of the list and gives it to the caller; null outside the list.
    std::unique_ptr<TqxPage> release(qsizetype index);

    /// Applies every object's BandAlign on its page; the builder runs it once before a build.
    void ApplyBandAlignments();

    /// The first object of that name, ignoring case, searching the pages in order.
    TqxView *FindObject(const QString &name) const;
    bool isObjectNameTaken(const QString &name) const { return FindObject(name) != nullptr; }
    bool isPageNameTaken(const QString &name) const;

    PaperSelector *paperSelector() const { return m_paper; }

private:
    PaperSelector *m_paper;
    std::vector<std::unique_ptr<TqxPage>> m_pages;
};

} // namespace tovren::model
