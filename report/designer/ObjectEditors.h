#pragma once

#include <functional>

namespace tovren::engine {
class TqxReport;
}
namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

class DesignerDialogs;

/// Opens the editor a band or a picture object asks for and writes back what the person
/// confirmed: a data band's source, a cross band's sources per band, a group header's
/// condition, or a picture with its fit.
///
/// The edit step is recorded through the callback just before the object changes, so a
/// cancelled editor leaves neither a change nor a step behind.
class ObjectEditors
{
public:
    enum class Outcome {
        /// The object has no editor here (text objects, other band types).
        NoEditor,
        Cancelled,
        Changed,
    };

    ObjectEditors(DesignerDialogs &dialogs, engine::TqxReport &report,
                  std::function<void()> recordEditStep);

    /// @p page is the page @p view is on; a cross band feeds the bands of that page.
    Outcome open(model::TqxView &view, const model::TqxPage &page);

private:
    Outcome editBand(model::TqxView &view, const model::TqxPage &page);
    void change(const std::function<void()> &edit);

    DesignerDialogs &m_dialogs;
    engine::TqxReport &m_report;
    std::function<void()> m_recordEditStep;
};

} // namespace tovren::designer
