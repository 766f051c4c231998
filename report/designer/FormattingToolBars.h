#pragma once

#include "report/designer/SelectionFormatting.h"

#include <QObject>

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QMenu;
class QToolBar;

namespace tovren::designer {

/// The controls of the text, frame and alignment tool bars: they show the selection's
/// formatting and report which command the person chose, by the control's tag. What a command
/// does to the objects is SelectionFormatting's and ArrangeCommands' business.
class FormattingToolBars : public QObject
{
    Q_OBJECT
public:
    /// Fills the three bars; the actions are reachable by their controls' names ("FrB1", ...).
    FormattingToolBars(QToolBar &text, QToolBar &frame, QToolBar &alignment, QObject *parent);

    QAction *action(const QString &name) const;
    QComboBox *fontSizeBox() const { return m_fontSize; }
    QComboBox *frameWidthBox() const { return m_frameWidth; }
    QFontComboBox *fontNameBox() const { return m_fontName; }

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

private:
    QAction *addButton(QToolBar &bar, const QString &name, const QString &hint, int tag,
                       bool checkable);
    void buildTextBar(QToolBar &bar);
    void buildFrameBar(QToolBar &bar);
    void buildAlignmentBar(QToolBar &bar);

    QList<QAction *> m_textControls;
    QList<QAction *> m_frameControls;
    QList<QAction *> m_alignmentControls;
    QFontComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    QComboBox *m_frameWidth = nullptr;
    QMenu *m_lineStyles = nullptr;
    bool m_updating = false;
};

} // namespace tovren::designer
