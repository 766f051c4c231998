#pragma once

#include <functional>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// Edits a page's script (the OnBeforePrint of a report page, the OnActivate of a dialog page)
/// in the text editor.
///
/// The text editor edits objects, so a stand-in control takes the page's script there and the
/// edited script is copied back only when the editor is confirmed.
class PageScriptEdit
{
public:
    /// Opens the editor on the stand-in; true when the person confirmed.
    using Editor = std::function<bool(model::TqxView &standIn)>;

    /// Runs @p editor on @p page's script; true when the page took the edited script.
    static bool run(model::TqxPage &page, const Editor &editor);
};

} // namespace tovren::designer
