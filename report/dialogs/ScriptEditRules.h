#pragma once

#include <QString>
#include <QStringList>

namespace tovren::dialogs {

/// Where a compiler error points in the script: line and column, both counted from 1.
struct ScriptErrorPosition
{
    int line = 0;
    int column = 1;

    /// Reads "Line 3/5: message"; a text without "/" gives line 0, column 1.
    static ScriptErrorPosition parse(const QString &errorText);
};

/// The text editor's rules for the script pane: the skeleton an empty script is shown as, and
/// which scripts count as left empty, so that opening and confirming an object without a script
/// never gives it one.
namespace ScriptSkeleton {

/// "begin", two blanks, "end".
QStringList lines();
/// The highlighting editor's rule: nothing but blanks and control characters, or "beginend"
/// in any letter case once those are removed.
bool isTrivialHighlighted(const QString &text);
/// The plain editor's rule: exactly the three lines "begin", a blank line and "end".
bool isTrivialPlain(const QStringList &lines);

} // namespace ScriptSkeleton

/// The script editor's indentation rules, on lines of text and 1-based columns.
namespace SmartIndent {

/// The column of the first non-blank minus 1; the line's length when it is all blanks.
int indentationOf(const QString &line);
bool isBlank(const QString &line);
/// Blanks that start the row Enter makes: the indentation of @p rowBefore, or when that row
/// is blank, @p caretColumn - 1.
int enterIndent(const QString &rowBefore, int caretColumn);
/// Blanks Tab inserts at @p caretColumn: up to the next word start of the nearest row above
/// (@p rowsAbove, nearest last) that reaches the caret column; 0 when no row does.
int tabWidth(const QStringList &rowsAbove, int caretColumn);
/// The column Backspace goes back to from @p caretColumn, when the caret stands at the row's
/// first non-blank or the row is blank: the indentation + 1 of the nearest non-blank row above
/// that is indented less; caretColumn - 1 when there is none.
int backspaceColumn(const QStringList &rowsAbove, int caretColumn);
/// Two more blanks at the start of every row.
QStringList indented(const QStringList &rows);
/// The smallest indentation of the non-blank rows (at most two) taken from each of them.
QStringList unindented(const QStringList &rows);

} // namespace SmartIndent

} // namespace tovren::dialogs
