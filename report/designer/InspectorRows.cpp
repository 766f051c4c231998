#include "report/designer/InspectorRows.h"

#include "report/designer/BandReferences.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxView.h"

#include <algorithm>

namespace tovren::designer {

using model::TqxPropRec;
using script::Variant;

namespace {

QString shownValue(const Variant &value, quint16 propertyKind, bool inUnit, DesignUnit units)
{
    if (!(propertyKind & model::pkSize) || !value.isNumber())
        return value.toString();
    if (!inUnit)
        return value.toString();
    return QString::number(value.toDouble() / pixelsFromUnit(1.0, units), 'f', 2);
}

dialogs::InspectorRow rowFor(const TqxPropRec &property, bool inUnit)
{
    dialogs::InspectorRow row;
    row.name = property.PropName;
    row.kind = InspectorRows::shownKind(property.PropKind, inUnit);
    row.choices = property.EnumNames;
    row.choiceValues = property.EnumCodes;
    return row;
}

void sortByName(std::vector<dialogs::InspectorRow> &rows)
{
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
}

void ensureProperties(model::TqxObject &object)
{
    if (object.Properties().empty())
        object.RegisterProperties();
}

} // namespace

bool InspectorRows::lengthsInUnit(const model::TqxPage &page, DesignUnit units)
{
    return units != DesignUnit::Pixels && page.PageType == model::TqxPage::ptReport;
}

quint16 InspectorRows::shownKind(quint16 propertyKind, bool inUnit)
{
    if (!(propertyKind & model::pkSize))
        return propertyKind;
    return propertyKind | (inUnit ? model::pkFraction : model::pkInteger);
}

InspectorContent InspectorRows::forPage(model::TqxPage &page, int pageIndex, DesignUnit units)
{
    // The page's list depends on its type, so it is built afresh.
    page.RegisterProperties();
    const bool inUnit = lengthsInUnit(page, units);
    InspectorContent content;
    content.shownObject = &page;
    content.shownName = QStringLiteral("Page") + QString::number(pageIndex + 1);
    content.shownClass = QStringLiteral("TqxPage");
    for (const TqxPropRec &property : page.Properties()) {
        if (property.PropKind == 0)
            continue;
        dialogs::InspectorRow row = rowFor(property, inUnit);
        row.valueText =
            shownValue(page.GetPropertyValue(property.PropName), property.PropKind, inUnit, units);
        content.rows.push_back(std::move(row));
    }
    sortByName(content.rows);
    return content;
}

InspectorContent InspectorRows::forObjects(const std::vector<model::TqxView *> &objects,
                                           const model::TqxPage &page, DesignUnit units)
{
    InspectorContent content;
    if (objects.empty())
        return content;
    for (model::TqxView *view : objects)
        ensureProperties(*view);
    const bool inUnit = lengthsInUnit(page, units);
    const bool several = objects.size() > 1;
    const BandReferences bands(page, objects);
    model::TqxView &first = *objects.front();
    if (!several) {
        content.shownObject = &first;
        content.shownName = first.Name;
        content.shownClass = first.className();
    }
    for (const TqxPropRec &property : first.Properties()) {
        if (property.PropKind == 0 || (several && (property.PropKind & model::pkSingleSelection)))
            continue;
        const bool common =
            std::all_of(objects.begin() + 1, objects.end(), [&](const model::TqxView *view) {
                return view->findProperty(property.PropName) != nullptr;
            });
        if (!common)
            continue;
        const QString value = first.GetPropertyValue(property.PropName).toString();
        const bool same =
            std::all_of(objects.begin() + 1, objects.end(), [&](model::TqxView *view) {
                return view->GetPropertyValue(property.PropName).toString() == value;
            });
        dialogs::InspectorRow row = rowFor(property, inUnit);
        if (same)
            row.valueText = shownValue(first.GetPropertyValue(property.PropName), property.PropKind,
                                       inUnit, units);
        if (BandReferences::isReference(property.PropName)) {
            row.choices = bands.choices(property.PropName);
            if (same)
                row.valueText = BandReferences::shownText(value);
        }
        content.rows.push_back(std::move(row));
    }
    sortByName(content.rows);
    return content;
}

} // namespace tovren::designer
