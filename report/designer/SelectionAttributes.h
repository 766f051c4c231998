#pragma once

#include "report/dialogs/HighlightValues.h"

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// What the format, highlight and restrictions dialogs write into the selected objects of a
/// page once the person confirms. Each returns how many objects changed.
class SelectionAttributes
{
public:
    explicit SelectionAttributes(model::TqxPage &page)
        : m_page(page)
    {}

    /// Every selected object that may be modified takes the display format.
    int setDisplayFormat(qint32 displayFormat, const QString &customFormat) const;
    /// Every selected text object takes the highlight.
    int setHighlight(const dialogs::HighlightValues &highlight) const;
    /// Every selected object takes the seven restriction bits.
    int setRestrictions(quint16 restrictions) const;

private:
    model::TqxPage &m_page;
};

} // namespace tovren::designer
