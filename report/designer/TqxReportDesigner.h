#pragma once

#include <QMainWindow>
#include <QPointer>

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// The open designer as the rest of the library reaches it (editor dialogs, the inspector, the
/// preview): the page on show, the mode, and the handful of operations they call back, without
/// knowing the window's class.
///
/// A designer edits either a whole report (every command available) or a single prepared page
/// the preview turned back into objects (file, page-list, dictionary, report-option and preview
/// commands unavailable).
class TqxReportDesigner : public QMainWindow
{
    Q_OBJECT
public:
    explicit TqxReportDesigner(bool wholeReport, QWidget *parent = nullptr);
    ~TqxReportDesigner() override;

    /// The designer that is open, or null.
    static TqxReportDesigner *active();

    /// The page on show; null while a preview runs.
    model::TqxPage *DesignedPage = nullptr;
    const bool WholeReport;

    virtual bool IsModified() const = 0;
    /// Sets the report's modified flag (and, when set in whole-report mode, its design-changed
    /// flag) and enables Save exactly when it is set.
    virtual void MarkModified(bool modified) = 0;
    /// Records an edit step of the selected objects before an editor changes them.
    virtual void PrepareUndoStep() = 0;
    /// After an editor changed the selected objects: repaint them, refill the inspector.
    virtual void RefreshAfterChange() = 0;
    virtual void RepaintPage() = 0;
    /// Selects the object of that name on the shown page alone, or shows page n for "Pagen".
    virtual void FocusObjectByName(const QString &name) = 0;
    /// "[" + the chosen field + "]", or an empty text when the person cancelled.
    virtual QString PickDatabaseField(const QString &text) = 0;
    /// The built expression, bracketed unless it already is one bracket pair; empty when
    /// the person cancelled or built nothing.
    virtual QString PickExpression(const QString &text) = 0;

private:
    QPointer<TqxReportDesigner> m_previous;
};

/// What PickExpression gives back for the builder's text @p built.
QString bracketedExpression(const QString &built);

} // namespace tovren::designer
