#include "report/designer/PropertyCommit.h"

#include "report/designer/BandReferences.h"
#include "report/designer/InspectorRows.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/model/PaperSelector.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPages.h"

#include <limits>

namespace tovren::designer {

using script::Variant;

namespace {

bool isNamed(const QString &name, const char *property)
{
    return name.compare(QLatin1String(property), Qt::CaseInsensitive) == 0;
}

} // namespace

PropertyCommit::PropertyCommit(model::TqxPages &pages, model::TqxPage &page, DesignUnit units)
    : m_pages(pages)
    , m_page(page)
    , m_units(units)
{}

QString PropertyCommit::refusal(const dialogs::InspectorRow &row)
{
    return QStringLiteral("属性 \"%1\" 不能取值 \"%2\": %3。原值不变。")
        .arg(row.shownName(), row.valueText, dialogs::InspectorValue::expectation(row));
}

std::optional<Variant> PropertyCommit::modelValue(const dialogs::InspectorRow &row,
                                                  quint16 propertyKind) const
{
    std::optional<Variant> value = dialogs::InspectorValue::read(row);
    if (!value || !(propertyKind & model::pkSize) || !InspectorRows::lengthsInUnit(m_page, m_units))
        return value;
    const double pixels = pixelsFromUnit(value->toDouble(), m_units);
    if (propertyKind & model::pkFraction)
        return Variant(pixels);
    if (pixels > std::numeric_limits<qint32>::max() || pixels < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return Variant::fromInteger(model::roundHalfEven(pixels));
}

bool PropertyCommit::nameTaken(const QString &name, const model::TqxView &except) const
{
    for (qsizetype p = 0; p < m_pages.Count(); ++p) {
        const model::TqxPage &page = *m_pages.page(p);
        for (qsizetype i = 0; i < page.objectCount(); ++i) {
            const model::TqxView *other = page.object(i);
            if (other != &except && other->Name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

QString PropertyCommit::rename(model::TqxView &view, const QString &newName) const
{
    if (newName.trimmed().isEmpty())
        return QStringLiteral("对象名称不能为空, 名称仍为 \"%1\"。").arg(view.Name);
    if (newName == view.Name)
        return {};
    if (view.Restrictions & rsNoModify)
        return QStringLiteral("对象 \"%1\" 被限定为不能修改, 名称未改变。").arg(view.Name);
    if (nameTaken(newName, view))
        return QStringLiteral("名称 \"%1\" 已被另一个对象使用, 对象 \"%2\" 的名称未改变。")
            .arg(newName, view.Name);
    const QString oldName = view.Name;
    view.SetPropertyValue(QStringLiteral("Name"), Variant(newName));
    for (qsizetype p = 0; p < m_pages.Count(); ++p) {
        const model::TqxPage &page = *m_pages.page(p);
        for (qsizetype i = 0; i < page.objectCount(); ++i) {
            auto *band = dynamic_cast<model::TqxBandView *>(page.object(i));
            if (!band)
                continue;
            if (band->ChildBand.compare(oldName, Qt::CaseInsensitive) == 0)
                band->ChildBand = newName;
            // A group whose data band lost its name would quietly group the first one instead.
            if (band->Master.compare(oldName, Qt::CaseInsensitive) == 0)
                band->Master = newName;
        }
    }
    return {};
}

PropertyCommit::Outcome PropertyCommit::toSelection(const dialogs::InspectorRow &row,
                                                    const std::function<void()> &beforeChange) const
{
    Outcome outcome;
    std::vector<model::TqxView *> selected;
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        if (m_page.object(i)->Selected)
            selected.push_back(m_page.object(i));
    }
    if (selected.empty())
        return outcome;
    const model::TqxPropRec *property = selected.front()->findProperty(row.name);
    std::optional<Variant> value = modelValue(row, property ? property->PropKind : row.kind);
    if (value && BandReferences::isReference(row.name)) {
        // Only a band the list offers: a typed name of no such band would dangle.
        const std::optional<QString> band =
            BandReferences(m_page, selected).chosenName(row.name, row.valueText);
        value = band ? std::optional<Variant>(Variant(*band)) : std::nullopt;
    }
    if (!value) {
        outcome.problem = refusal(row);
        return outcome;
    }
    const bool position = isNamed(row.name, "Left") || isNamed(row.name, "Top");
    const bool size = isNamed(row.name, "Width") || isNamed(row.name, "Height");
    const bool name = isNamed(row.name, "Name");
    const auto change = [&] {
        if (!outcome.changed && beforeChange)
            beforeChange();
        outcome.changed = true;
    };
    for (model::TqxView *view : selected) {
        if ((position && !mayMove(*view)) || (size && !mayResize(*view)))
            continue;
        if (name) {
            const QString newName = value->toString();
            if (newName == view->Name)
                continue;
            // Checked before the step is recorded, so a refused name records nothing.
            const bool acceptable = !newName.trimmed().isEmpty() &&
                                    !(view->Restrictions & rsNoModify) &&
                                    !nameTaken(newName, *view);
            if (acceptable)
                change();
            outcome.problem = rename(*view, newName);
            continue;
        }
        change();
        view->SetPropertyValue(row.name, *value);
    }
    return outcome;
}

bool PropertyCommit::clearsPage(const dialogs::InspectorRow &row) const
{
    if (!isNamed(row.name, "Type") || m_page.objectCount() == 0)
        return false;
    const std::optional<Variant> value = dialogs::InspectorValue::read(row);
    return value && value->toInt64() != m_page.PageType;
}

PropertyCommit::Outcome PropertyCommit::toPage(const dialogs::InspectorRow &row) const
{
    Outcome outcome;
    const model::TqxPropRec *property = m_page.findProperty(row.name);
    const std::optional<Variant> value = modelValue(row, property ? property->PropKind : row.kind);
    if (!value) {
        outcome.problem = refusal(row);
        return outcome;
    }
    if (clearsPage(row)) {
        m_page.Clear();
        outcome.pageCleared = true;
    }
    const bool reportPage = m_page.PageType == model::TqxPage::ptReport;
    m_page.SetPropertyValue(row.name, *value);
    // A typed paper width or height is a size of its own; the paper code would undo it.
    if (reportPage && (isNamed(row.name, "Width") || isNamed(row.name, "Height")))
        m_page.PaperSize = model::SheetRequest::kCustomPaperCode;
    if (m_page.PageType == model::TqxPage::ptReport) {
        // Pages keep the printer's default source as 0xFFFF; asking for it is -1.
        const int bin = (m_page.PaperBin & 0xFFFF) == model::TqxPage::kDefaultBin
                            ? model::SheetRequest::kDefaultBin
                            : m_page.PaperBin;
        m_page.ChangePaper(model::SheetRequest{m_page.PaperSize, m_page.PaperWidth,
                                               m_page.PaperHeight, bin, m_page.Orientation != 0});
    }
    m_page.RegisterProperties();
    outcome.changed = true;
    return outcome;
}

} // namespace tovren::designer
