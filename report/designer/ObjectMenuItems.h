#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace tovren::model {
class TqxView;
}

namespace tovren::designer {

class CanvasSelection;

/// One entry an object adds to the canvas's context menu: a separator, a check item that
/// toggles a flag, or a command. Running it changes the selected objects that may be changed.
struct ObjectMenuItem
{
    enum class Kind { Separator, Check, Command };
    Kind kind = Kind::Separator;
    QString caption;
    bool checked = false;
    bool enabled = true;
    /// What choosing the item does; the caller records the undo step before and repaints after,
    /// unless the item opens a dialog, which records its own step only when confirmed.
    std::function<void()> run;
    bool opensDialog = false;
};

/// The entries the selection adds to the canvas's context menu: the single selected object's
/// own, or, for several, those of the last selected object when it is no band and every
/// selected object is of its kind. Commands that open a dialog (display format, font) come
/// from @p openFormat and @p openFont, which may be empty while no such dialog exists.
class ObjectMenuItems
{
public:
    struct Dialogs
    {
        std::function<void()> openFormat;
        std::function<void()> openFont;
    };

    static std::vector<ObjectMenuItem> forSelection(const CanvasSelection &selection,
                                                    const Dialogs &dialogs);
};

} // namespace tovren::designer
