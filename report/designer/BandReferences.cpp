#include "report/designer/BandReferences.h"

#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

#include <QSet>
#include <algorithm>

namespace tovren::designer {

namespace {

bool isNamed(const QString &name, const char *property)
{
    return name.compare(QLatin1String(property), Qt::CaseInsensitive) == 0;
}

const model::TqxBandView *asBand(const model::TqxView *view)
{
    return dynamic_cast<const model::TqxBandView *>(view);
}

bool isDataBand(int type)
{
    return type == model::btMasterData || type == model::btDetailData ||
           type == model::btSubDetailData;
}

} // namespace

const QString &BandReferences::noneEntry()
{
    static const QString none = QStringLiteral("(无)");
    return none;
}

bool BandReferences::isReference(const QString &property)
{
    return isNamed(property, "ChildBand") || isNamed(property, "Master");
}

BandReferences::BandReferences(const model::TqxPage &page, std::vector<model::TqxView *> edited)
    : m_page(page)
    , m_edited(std::move(edited))
{}

bool BandReferences::isEdited(const model::TqxView &band) const
{
    return std::find(m_edited.begin(), m_edited.end(), &band) != m_edited.end();
}

bool BandReferences::eligibleChild(const model::TqxView &band) const
{
    if (isEdited(band))
        return false;
    // Follow the candidate's own children; a chain that is already a loop ends at a band seen.
    QSet<const model::TqxView *> seen;
    for (const model::TqxBandView *link = asBand(&band); link && !seen.contains(link);
         link = asBand(m_page.FindObjectByName(link->ChildBand))) {
        if (isEdited(*link))
            return false;
        seen.insert(link);
        if (link->ChildBand.isEmpty())
            break;
    }
    return true;
}

QStringList BandReferences::choices(const QString &property) const
{
    QStringList names{noneEntry()};
    const bool child = isNamed(property, "ChildBand");
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        const model::TqxBandView *band = asBand(m_page.object(i));
        if (!band)
            continue;
        const bool eligible = child ? band->bandType() == model::btChild && eligibleChild(*band)
                                    : isDataBand(band->bandType()) && !isEdited(*band);
        if (eligible)
            names.append(band->Name);
    }
    return names;
}

std::optional<QString> BandReferences::chosenName(const QString &property,
                                                  const QString &text) const
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty() || wanted == noneEntry())
        return QString();
    for (const QString &name : choices(property).mid(1)) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
    }
    return std::nullopt;
}

QString BandReferences::shownText(const QString &storedName)
{
    return storedName.isEmpty() ? noneEntry() : storedName;
}

} // namespace tovren::designer
