#pragma once

#include <QStringList>
#include <optional>
#include <vector>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// The bands of a page that the bands being edited may name as their child band ("ChildBand")
/// or as the data band they group ("Master"), offered as the inspector's choices, and the name
/// a chosen or typed entry stands for.
///
/// The list starts with the entry that clears the reference. A child band is a band of the
/// child type that is none of the edited bands and whose own chain of child bands does not lead
/// back to one of them: such a loop would print the bands over and over. A master is a master,
/// detail or sub-detail data band other than the edited ones.
class BandReferences
{
public:
    /// The entry that names no band.
    static const QString &noneEntry();

    /// Whether @p property names another band of the page.
    static bool isReference(const QString &property);

    BandReferences(const model::TqxPage &page, std::vector<model::TqxView *> edited);

    /// The entries offered for @p property: the none entry, then the eligible bands' names in
    /// page order.
    QStringList choices(const QString &property) const;
    /// The band name @p text stands for, spelled as the band is: empty for the none entry or an
    /// empty text; nothing when @p text names no band the property may take.
    std::optional<QString> chosenName(const QString &property, const QString &text) const;

    /// The text a row shows for a stored reference.
    static QString shownText(const QString &storedName);

private:
    bool eligibleChild(const model::TqxView &band) const;
    bool isEdited(const model::TqxView &band) const;

    const model::TqxPage &m_page;
    std::vector<model::TqxView *> m_edited;
};

} // namespace tovren::designer
