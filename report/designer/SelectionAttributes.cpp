#include "report/designer/SelectionAttributes.h"

#include "report/designer/ObjectRestrictions.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"

namespace tovren::designer {

int SelectionAttributes::setDisplayFormat(qint32 displayFormat, const QString &customFormat) const
{
    int changed = 0;
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        model::TqxView &view = *m_page.object(i);
        if (!view.Selected || (view.Restrictions & rsNoModify))
            continue;
        view.DisplayFormat = displayFormat;
        view.CustomFormat = customFormat;
        ++changed;
    }
    return changed;
}

int SelectionAttributes::setHighlight(const dialogs::HighlightValues &highlight) const
{
    int changed = 0;
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        model::TqxView &view = *m_page.object(i);
        auto *text = dynamic_cast<model::TqxMemoView *>(&view);
        if (!view.Selected || !text)
            continue;
        highlight.applyTo(*text);
        ++changed;
    }
    return changed;
}

int SelectionAttributes::setRestrictions(quint16 restrictions) const
{
    int changed = 0;
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        model::TqxView &view = *m_page.object(i);
        if (!view.Selected)
            continue;
        view.Restrictions = restrictions;
        ++changed;
    }
    return changed;
}

} // namespace tovren::designer
