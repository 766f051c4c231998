#include "report/designer/DesignerInspector.h"

#include "report/designer/DesignerDialogs.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/designer/PageScriptEdit.h"
#include "report/designer/PropertyCommit.h"
#include "report/designer/SelectionAttributes.h"
#include "report/designer/TqxDesignerForm.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/dialogs/FormPlacement.h"
#include "report/dialogs/TqxInspForm.h"
#include "report/engine/TqxReport.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPages.h"
#include "report/platform/DialogProvider.h"

#include <QScopedValueRollback>

namespace tovren::designer {

namespace {

const QString kInspectorClass = QStringLiteral("TqxInspForm");

bool isNamed(const QString &name, const char *property)
{
    return name.compare(QLatin1String(property), Qt::CaseInsensitive) == 0;
}

} // namespace

DesignerInspector::DesignerInspector(TqxDesignerForm &form, platform::DialogProvider &dialogs,
                                     DesignerDialogs &designerDialogs)
    : QObject(&form)
    , m_form(form)
    , m_dialogs(dialogs)
    , m_designerDialogs(designerDialogs)
    , m_window(new dialogs::TqxInspForm(&form))
{
    m_window->PropertyChangedHook = [this](int row) { commitRow(row); };
    m_window->ObjectChosenHook = [this](const QString &name) { m_form.FocusObjectByName(name); };
    m_window->ObjectListHook = [this] { return objectNames(); };
}

DesignerInspector::~DesignerInspector()
{
    delete m_window;
}

dialogs::TqxInspForm &DesignerInspector::window() const
{
    return *m_window;
}

void DesignerInspector::refill()
{
    model::TqxPage *page = m_form.DesignedPage;
    if (m_frozen || !m_window)
        return;
    dialogs::TqxInspForm &window = *m_window;
    window.setLocalizedNames(m_form.settings().localizedPropNames);
    window.ClearList();
    if (!page) {
        window.setShownObject({}, {});
        window.ListFilled();
        return;
    }
    const DesignUnit units = m_form.settings().units;
    const std::vector<model::TqxView *> selected = m_form.canvas().selection().objects();
    InspectorContent content = selected.empty()
                                   ? InspectorRows::forPage(*page, m_form.currentPageIndex(), units)
                                   : InspectorRows::forObjects(selected, *page, units);
    attachEditors(content);
    window.setShownObject(content.shownName, content.shownClass);
    for (dialogs::InspectorRow &row : content.rows)
        window.AddRow(std::move(row));
    window.ListFilled();
}

void DesignerInspector::setSuppressed(bool suppressed)
{
    m_window->setListSuppressed(suppressed);
    refill();
}

void DesignerInspector::setVisible(bool visible)
{
    if (visible && m_window->pos().isNull()) {
        // Nothing stored: along the right edge of the designer, below its tool bars.
        const QRect designer = m_form.frameGeometry();
        m_window->move(designer.right() - m_window->width() - 40, designer.top() + 120);
    }
    m_window->setVisible(visible);
}

bool DesignerInspector::isVisible() const
{
    return m_window->isVisible();
}

void DesignerInspector::showAndUnroll()
{
    if (!m_window->isVisible())
        setVisible(true);
    m_window->ShowAndUnroll();
    m_window->activateWindow();
}

void DesignerInspector::loadPlacement(const platform::SettingsStore &store, int splitPixels,
                                      bool visible)
{
    dialogs::FormPlacement::restore(*m_window, store, kInspectorClass, false);
    m_window->setSplitPos(splitPixels);
    Q_UNUSED(visible); // shown with the designer, once it is on screen
}

void DesignerInspector::savePlacement(platform::SettingsStore &store) const
{
    dialogs::FormPlacement::save(*m_window, store, kInspectorClass);
}

// ---- filling

QStringList DesignerInspector::objectNames() const
{
    QStringList names;
    if (const model::TqxPage *page = m_form.DesignedPage) {
        for (qsizetype i = 0; i < page->objectCount(); ++i)
            names.append(page->object(i)->Name);
    }
    const qsizetype pages = m_form.report().Pages().Count();
    for (qsizetype i = 1; i <= pages; ++i)
        names.append(QStringLiteral("Page") + QString::number(i));
    return names;
}

void DesignerInspector::attachEditors(InspectorContent &content)
{
    for (dialogs::InspectorRow &row : content.rows) {
        if (row.kind & model::pkHasEditor)
            row.editor = editorFor(row.name, content.shownObject);
    }
}

std::function<void()> DesignerInspector::editorFor(const QString &property, model::TqxObject *shown)
{
    if (dynamic_cast<model::TqxPage *>(shown) &&
        (isNamed(property, "OnBeforePrint") || isNamed(property, "OnActivate")))
        return [this] { editPageScript(); };
    auto *view = dynamic_cast<model::TqxView *>(shown);
    if (view) {
        // An add-in class brings its own editors.
        if (model::TqxGlobals::instance().propertyEditors.find(view->className(), property)) {
            return [this, view, property] {
                const model::PropertyEditors::Editor *editor =
                    model::TqxGlobals::instance().propertyEditors.find(view->className(), property);
                if (!editor || !mayEdit(*view))
                    return;
                if ((*editor)(*view, [this] { m_form.PrepareUndoStep(); }))
                    afterChange();
            };
        }
    }
    if (isNamed(property, "Font"))
        return [this] { m_form.openFontDialog(); };
    if (isNamed(property, "DisplayFormat"))
        return [this] { editDisplayFormat(); };
    if (isNamed(property, "Highlight"))
        return [this] { editHighlight(); };
    if (isNamed(property, "Tag"))
        return [this] { editTag(); };
    if (isNamed(property, "Restrictions"))
        return [this] { editRestrictions(); };
    if (isNamed(property, "DataField") && view) {
        return [this, view] {
            if (!mayEdit(*view))
                return;
            const QString field = m_form.PickDatabaseField(
                view->GetPropertyValue(QStringLiteral("DataField")).toString());
            if (field.isEmpty())
                return;
            m_form.PrepareUndoStep();
            view->SetPropertyValue(QStringLiteral("DataField"), script::Variant(field));
            afterChange();
        };
    }
    // The text, picture, data source and script editors are the object's own editor.
    if (view && (isNamed(property, "Memo") || isNamed(property, "Picture") ||
                 isNamed(property, "DataSource") || isNamed(property, "OnBeforePrint")))
        return [this] { m_form.editSelection(); };
    return {};
}

void DesignerInspector::editPageScript()
{
    model::TqxPage *page = m_form.DesignedPage;
    if (!page)
        return;
    DesignerDialogs::TextEditing editing;
    editing.syntaxHighlight = m_form.settings().syntaxHighlight;
    editing.pickExpression = [this] { return m_form.PickExpression({}); };
    editing.pickDatabaseField = [this] { return m_form.PickDatabaseField({}); };
    editing.prepareUndoStep = [this] { m_form.preparePageScriptStep(); };
    const bool changed = PageScriptEdit::run(*page, [&](model::TqxView &standIn) {
        return m_designerDialogs.editText(standIn, editing);
    });
    if (changed)
        refill();
}

// ---- committing

void DesignerInspector::commitRow(int index)
{
    if (!m_form.DesignedPage || index < 0 || index >= m_window->rowCount())
        return;
    dialogs::InspectorRow row = m_window->row(index);
    row.label = m_window->rowLabel(index);
    if (m_form.canvas().selection().isEmpty())
        commitToPage(row);
    else
        commitToSelection(row);
}

void DesignerInspector::commitToSelection(const dialogs::InspectorRow &row)
{
    model::TqxPage &page = *m_form.DesignedPage;
    const PropertyCommit commit(m_form.report().Pages(), page, m_form.settings().units);
    const PropertyCommit::Outcome outcome =
        commit.toSelection(row, [this] { m_form.PrepareUndoStep(); });
    if (outcome.changed)
        afterChange();
    else
        refill(); // the old value comes back
    if (!outcome.problem.isEmpty())
        showError(outcome.problem);
}

void DesignerInspector::commitToPage(const dialogs::InspectorRow &row)
{
    model::TqxPage &page = *m_form.DesignedPage;
    const PropertyCommit commit(m_form.report().Pages(), page, m_form.settings().units);
    if (commit.clearsPage(row) &&
        m_dialogs.messageBox(QStringLiteral("这将删除该页所有对象."), QStringLiteral("警告"),
                             platform::mb_YesNo | platform::mb_IconWarning) != platform::mrYes) {
        refill();
        return;
    }
    PropertyCommit::Outcome outcome;
    {
        // The page is shown again once, with its new paper; not refilled on the way.
        const QScopedValueRollback<bool> frozen(m_frozen, !isNamed(row.name, "Type"));
        outcome = commit.toPage(row);
        if (outcome.pageCleared)
            m_form.forgetPageSteps();
        if (outcome.changed) {
            m_form.MarkModified(true);
            m_form.showPage(m_form.currentPageIndex());
        }
    }
    refill();
    if (!outcome.problem.isEmpty())
        showError(outcome.problem);
}

void DesignerInspector::afterChange()
{
    // Repaints the objects and fills the inspector again.
    m_form.RefreshAfterChange();
}

void DesignerInspector::showError(const QString &text)
{
    m_dialogs.messageBox(text, QStringLiteral("错误"), platform::mb_IconError);
}

// ---- entry points

model::TqxView *DesignerInspector::lastSelected() const
{
    model::TqxPage *page = m_form.DesignedPage;
    if (!page)
        return nullptr;
    model::TqxView *view = page->object(m_form.canvas().selection().lastSelectedIndex());
    return view && view->Selected ? view : nullptr;
}

bool DesignerInspector::mayEdit(const model::TqxView &view) const
{
    return mayEditContents(view);
}

void DesignerInspector::editDisplayFormat()
{
    model::TqxView *reference = lastSelected();
    if (!reference || !mayEdit(*reference))
        return;
    const std::optional<DesignerDialogs::DisplayFormat> chosen =
        m_designerDialogs.editDisplayFormat({reference->DisplayFormat, reference->CustomFormat});
    if (!chosen)
        return;
    m_form.PrepareUndoStep();
    SelectionAttributes(*m_form.DesignedPage).setDisplayFormat(chosen->code, chosen->customFormat);
    afterChange();
}

void DesignerInspector::editHighlight()
{
    auto *reference = dynamic_cast<model::TqxMemoView *>(lastSelected());
    if (!reference || !mayEdit(*reference))
        return;
    const std::optional<dialogs::HighlightValues> chosen =
        m_designerDialogs.editHighlight(dialogs::HighlightValues::of(*reference));
    if (!chosen)
        return;
    m_form.PrepareUndoStep();
    SelectionAttributes(*m_form.DesignedPage).setHighlight(*chosen);
    afterChange();
}

void DesignerInspector::editTag(model::TqxView *view)
{
    model::TqxView *target = view ? view : lastSelected();
    if (!target || !mayEdit(*target))
        return;
    const std::optional<QString> chosen = m_designerDialogs.editTag(target->Tag);
    if (!chosen)
        return;
    m_form.PrepareUndoStep();
    target->Tag = *chosen;
    afterChange();
}

void DesignerInspector::editRestrictions(model::TqxView *view)
{
    // Not held back by the restrictions themselves: this is where they are lifted again.
    model::TqxView *reference = view ? view : lastSelected();
    if (!reference)
        return;
    const std::optional<quint16> chosen =
        m_designerDialogs.editRestrictions(reference->Restrictions);
    if (!chosen)
        return;
    m_form.PrepareUndoStep();
    SelectionAttributes(*m_form.DesignedPage).setRestrictions(*chosen);
    afterChange();
}

} // namespace tovren::designer
