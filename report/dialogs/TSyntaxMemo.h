#pragma once

#include "report/dialogs/EditSnapshots.h"
#include "report/dialogs/ScriptHighlightRules.h"

#include <QPlainTextEdit>

class QLabel;

namespace tovren::dialogs {

class ScriptHighlighter;

/// The script editor: a plain-text editor in a fixed-pitch font that colours the script
/// language (or SQL), indents the way scripts are written and shows a compiler error in a red
/// bar along its bottom edge.
///
/// It keeps its own undo of at most 32 whole-text snapshots: a snapshot is taken before the
/// first change after the caret was moved or the mouse pressed, so a run of typing is one step.
/// Assigning new lines starts afresh: caret at the start, no snapshots.
class TSyntaxMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TSyntaxMemo(QWidget *parent = nullptr);

    /// The text as lines, each without trailing blanks; never empty.
    QStringList lines() const;
    void setLines(const QStringList &lines);

    SyntaxKind syntaxKind() const;
    void setSyntaxKind(SyntaxKind kind);

    QString errorText() const { return m_errorText; }
    /// Shows the bar with @p text, or hides it for an empty text; moving the caret hides it.
    void setErrorText(const QString &text);
    /// Puts the caret at @p column of @p line (both from 1), clamped to the text.
    void setCaret(int line, int column);

    /// Restores the last snapshot; false when there is none.
    bool undoStep();
    int undoSteps() const { return m_snapshots.count(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    /// Takes a snapshot when armed; then the following changes belong to the same step.
    void beforeChange();
    bool handleEditingKey(QKeyEvent *event);
    void insertReplacing(const QString &text);
    void newLineWithIndent();
    void insertTab();
    void smartBackspace();
    void shiftSelectedRows(bool indent);
    QStringList rowsAbove(int blockNumber) const;
    void placeErrorBar();

    ScriptHighlighter *m_highlighter;
    QLabel *m_errorBar;
    QString m_errorText;
    EditSnapshots m_snapshots;
    bool m_undoArmed = true;
};

} // namespace tovren::dialogs
