#pragma once

#include "report/designer/InspectorRows.h"

#include <QObject>
#include <QPointer>

namespace tovren::dialogs {
class TqxInspForm;
}
namespace tovren::model {
class TqxView;
}
namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::designer {

class DesignerDialogs;
class TqxDesignerForm;

/// The designer's side of the object inspector: it fills the inspector from the selection (or
/// the page), writes committed values back with an undo step, offers the page's objects and
/// pages in the object box, and opens the editor dialogs of the "..." rows.
///
/// It also holds the designer's entry points for the display format, highlight, tag and
/// restrictions dialogs, which the context menu and the text tool bar reach too. A refused
/// value is explained in a message naming the property; nothing is then recorded.
class DesignerInspector : public QObject
{
    Q_OBJECT
public:
    DesignerInspector(TqxDesignerForm &form, platform::DialogProvider &dialogs,
                      DesignerDialogs &designerDialogs);
    ~DesignerInspector() override;

    dialogs::TqxInspForm &window() const;

    /// Fills the inspector again from the shown page's selection.
    void refill();
    /// While a preview runs the inspector shows nothing.
    void setSuppressed(bool suppressed);
    void setVisible(bool visible);
    bool isVisible() const;
    /// F11: shows the inspector, unrolled.
    void showAndUnroll();

    void loadPlacement(const platform::SettingsStore &store, int splitPixels, bool visible);
    void savePlacement(platform::SettingsStore &store) const;

    // The designer's entry points.
    /// The format dialog on the last selected object; the choice goes to every selected object.
    void editDisplayFormat();
    /// The highlight dialog on the last selected text object; the choice goes to every
    /// selected text object.
    void editHighlight();
    /// The tag dialog for @p view, or for the last selected object when none is given.
    void editTag(model::TqxView *view = nullptr);
    /// The restrictions dialog on @p view (or the last selected object); the boxes go to every
    /// selected object.
    void editRestrictions(model::TqxView *view = nullptr);

private:
    void commitRow(int row);
    void commitToPage(const dialogs::InspectorRow &row);
    void commitToSelection(const dialogs::InspectorRow &row);
    void attachEditors(InspectorContent &content);
    std::function<void()> editorFor(const QString &property, model::TqxObject *shown);
    void editPageScript();
    QStringList objectNames() const;
    model::TqxView *lastSelected() const;
    bool mayEdit(const model::TqxView &view) const;
    void afterChange();
    void showError(const QString &text);

    TqxDesignerForm &m_form;
    platform::DialogProvider &m_dialogs;
    DesignerDialogs &m_designerDialogs;
    QPointer<dialogs::TqxInspForm> m_window;
    bool m_frozen = false;
};

} // namespace tovren::designer
