#pragma once

#include "report/designer/SelectionFormatting.h"

#include <QHash>
#include <QObject>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QToolBar;

namespace tovren::dialogs {
class TColorSelector;
class TqxComboBox;
class TqxFontComboBox;
} // namespace tovren::dialogs
namespace tovren::platform {
class SettingsStore;
}

namespace tovren::designer {

/// The controls of the text, frame and alignment tool bars: they show the selection's
/// formatting and report which command the person chose, by the control's tag. What a command
/// does to the objects is SelectionFormatting's and ArrangeCommands' business.
class FormattingToolBars : public QObject
{
    Q_OBJECT
public:
    /// Fills the three bars; the actions are reachable by their controls' names ("FrB1", ...).
    /// The colour pop-up opens inside @p window; @p recentFonts keeps the font box's recently
    /// used fonts (none: the box lists no recent fonts).
    FormattingToolBars(QToolBar &text, QToolBar &frame, QToolBar &alignment, QWidget &window,
                       platform::SettingsStore *recentFonts);

    QAction *action(const QString &name) const;
    QComboBox *fontSizeBox() const;
    QComboBox *frameWidthBox() const;
    dialogs::TqxFontComboBox *fontNameBox() const { return m_fontName; }
    dialogs::TColorSelector &colourPopup() const { return *m_colourPopup; }
    /// The colour a colour button shows (tags 5 fill, 17 font, 19 frame).
    model::ColorRef buttonColour(int tag) const;

    /// Shows @p state; nothing shown changes while it is applied, so no command runs.
    void show(const FormattingState &state);
    /// Enables the frame controls, the text controls and the alignment palette.
    void enable(bool frame, bool text, bool alignment);
    bool isUpdating() const { return m_updating; }

signals:
    /// A control was used; @p tag says which (the tool bars' tags: 1-6 frame, 7-22 text,
    /// 25-30 frame styles). Boxes report through their own signals below.
    void commandChosen(int tag);
    void fontNameChosen(const QString &family);
    void fontSizeChosen(const QString &text);
    void frameWidthChosen(const QString &text);
    /// One of the ten buttons of the alignment palette, 1 to 10.
    void alignmentChosen(int button);
    /// A colour was picked for the fill (5), font (17) or frame (19).
    void colourChosen(int tag, tovren::model::ColorRef colour);
    /// The font box was double-clicked: the font dialog is wanted.
    void fontDialogWanted();

private:
    QAction *addButton(QToolBar &bar, const QString &name, const QString &hint, int tag,
                       bool checkable);
    void buildTextBar(QToolBar &bar);
    void buildFrameBar(QToolBar &bar);
    void buildAlignmentBar(QToolBar &bar);
    void openColourPopup(int tag);
    void showButtonColour(int tag, model::ColorRef colour);

    QList<QAction *> m_textControls;
    QList<QAction *> m_frameControls;
    QList<QAction *> m_alignmentControls;
    QWidget &m_window;
    dialogs::TqxFontComboBox *m_fontName = nullptr;
    dialogs::TqxComboBox *m_fontSize = nullptr;
    dialogs::TqxComboBox *m_frameWidth = nullptr;
    QMenu *m_lineStyles = nullptr;
    dialogs::TColorSelector *m_colourPopup = nullptr;
    int m_colourTag = 0;
    QHash<int, model::ColorRef> m_buttonColours;
    bool m_updating = false;
};

} // namespace tovren::designer
