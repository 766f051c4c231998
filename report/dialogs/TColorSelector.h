#pragma once

#include "report/model/ColorRef.h"

#include <QFrame>
#include <functional>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QToolButton;

namespace tovren::dialogs {

/// The colour pop-up of the designer's colour buttons: sixteen palette colours, "透明" (no colour)
/// and "其它..." for any colour through a colour dialog.
///
/// It reports one colour per choice through colorSelected() and then hides itself; closing the
/// colour dialog without a choice reports nothing. It starts hidden, and its owner places and
/// shows it.
class TColorSelector : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kWidthPixels = 96;
    static constexpr int kHeightPixels = 132;

    /// Asks for any colour starting from the given one; nothing when the person cancels.
    using ColorDialog = std::function<std::optional<model::ColorRef>(model::ColorRef initial)>;

    explicit TColorSelector(QWidget *parent = nullptr);

    /// Replaces the colour dialog that "其它..." opens (tests answer it themselves).
    void setColorDialog(ColorDialog dialog);

    /// The last colour chosen through the pop-up; black at first.
    model::ColorRef selectedColor() const { return m_selectedColor; }

    /// Shows @p colour as the current one without choosing it: its palette button goes down, or,
    /// for a colour outside the palette, "其它..." goes down showing it.
    void markColor(model::ColorRef colour);

    /// The button with @p tag: 0 to 15 the palette, 16 "透明", 17 "其它...".
    QAbstractButton *buttonForTag(int tag) const;

signals:
    void colorSelected(tovren::model::ColorRef colour);

private:
    QToolButton *addButton(int tag, const QRect &geometry);
    void choose(int tag);

    QButtonGroup *m_buttons;
    QToolButton *m_otherButton = nullptr;
    ColorDialog m_colorDialog;
    model::ColorRef m_selectedColor = model::clBlack;
};

/// Asks for a colour in the toolkit's colour dialog over @p parent, custom colours shown.
std::optional<model::ColorRef> chooseColorInDialog(model::ColorRef initial, QWidget *parent);

} // namespace tovren::dialogs
