#pragma once

namespace tovren::engine {
class TqxReport;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::preview {

/// Opens one prepared page of a report for editing and writes the changes back; the designer
/// registers one. Returns true when the page was changed.
class PreviewPageEditor
{
public:
    virtual ~PreviewPageEditor() = default;
    virtual bool editPreparedPage(engine::TqxReport &report, int pageIndex) = 0;
};

/// Editing, adding and deleting prepared pages from the preview.
///
/// They are offered only when the report allows changing its prepared pages and an editor is
/// registered; without one there is nowhere to edit a page, so none of them is offered.
class PreviewPageCommands
{
public:
    PreviewPageCommands(engine::TqxReport &report, platform::DialogProvider &dialogs);

    void setEditor(PreviewPageEditor *editor) { m_editor = editor; }
    bool available() const;

    /// Opens page @p index in the editor; true when it changed.
    bool editPage(int index);
    /// Inserts an empty page before page @p index, with the paper of the first template page.
    bool insertPage(int index);
    /// Asks first; refuses to delete the last remaining page.
    bool deletePage(int index);

private:
    engine::TqxReport &m_report;
    platform::DialogProvider &m_dialogs;
    PreviewPageEditor *m_editor = nullptr;
};

} // namespace tovren::preview
