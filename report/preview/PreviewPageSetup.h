#pragma once

#include "report/model/PaperSelector.h"

#include <QMargins>
#include <functional>
#include <optional>

class QWidget;

namespace tovren::engine {
class TqxEMFPages;
class TqxReport;
} // namespace tovren::engine

namespace tovren::preview {

/// Paper and margins as the page-setup dialog shows them.
struct PageSetupChoice
{
    /// Paper code, size in tenths of a millimetre in the page's orientation, bin, orientation.
    model::SheetRequest sheet;
    /// In hundredths of a millimetre.
    QMargins margins;
};

/// Page setup from the preview: the first prepared page's paper and margins are offered, and
/// the choice goes to every report page of the template before the report is built again.
class PreviewPageSetup
{
public:
    /// Asks for a choice starting from the given one; nothing when cancelled.
    using Dialog = std::function<std::optional<PageSetupChoice>(const PageSetupChoice &initial)>;

    /// What the dialog starts from: the first prepared page's paper and margins.
    static PageSetupChoice initialChoice(const engine::TqxEMFPages &pages);
    /// Gives every report page of the template the chosen paper and margins. A chosen paper
    /// without a size keeps each page's own size, so a custom paper never shrinks to nothing.
    static void apply(engine::TqxReport &report, const PageSetupChoice &choice);
    /// The platform's page-setup dialog.
    static std::optional<PageSetupChoice> askWithDialog(const PageSetupChoice &initial,
                                                        QWidget *parent);
};

} // namespace tovren::preview
