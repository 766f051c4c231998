#include "report/dialogs/TSyntaxMemo.h"

#include "report/dialogs/ScriptEditRules.h"
#include "report/dialogs/ScriptHighlighter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTextBlock>

namespace tovren::dialogs {

namespace {

QString withoutTrailingBlanks(QString line)
{
    while (line.endsWith(u' ') || line.endsWith(u'\t'))
        line.chop(1);
    return line;
}

bool movesCaret(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace

TSyntaxMemo::TSyntaxMemo(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_highlighter(new ScriptHighlighter(document()))
    , m_errorBar(new QLabel(this))
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false); // the editor's own snapshots are the undo
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_errorBar->setAutoFillBackground(true);
    QPalette bar = m_errorBar->palette();
    bar.setColor(QPalette::Window, QColor(255, 0, 0));
    bar.setColor(QPalette::WindowText, Qt::white);
    m_errorBar->setPalette(bar);
    m_errorBar->setFont(QFont());
    m_errorBar->setContentsMargins(6, 2, 6, 2);
    m_errorBar->hide();

    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_errorText.isEmpty())
            setErrorText({});
    });
}

QStringList TSyntaxMemo::lines() const
{
    QStringList result = toPlainText().split(u'\n');
    for (QString &line : result)
        line = withoutTrailingBlanks(line);
    return result;
}

void TSyntaxMemo::setLines(const QStringList &lines)
{
    setPlainText(lines.join(u'\n'));
    m_snapshots.clear();
    m_undoArmed = true;
    moveCursor(QTextCursor::Start);
    setErrorText({});
}

SyntaxKind TSyntaxMemo::syntaxKind() const
{
    return m_highlighter->syntaxKind();
}

void TSyntaxMemo::setSyntaxKind(SyntaxKind kind)
{
    m_highlighter->setSyntaxKind(kind);
}

void TSyntaxMemo::setErrorText(const QString &text)
{
    m_errorText = text;
    m_errorBar->setText(text);
    m_errorBar->setVisible(!text.isEmpty());
    placeErrorBar();
}

void TSyntaxMemo::placeErrorBar()
{
    const int height = m_errorText.isEmpty() ? 0 : fontMetrics().height() + 6;
    setViewportMargins(0, 0, 0, height);
    const QRect inside = contentsRect();
    m_errorBar->setGeometry(inside.left(), inside.bottom() + 1 - height, inside.width(), height);
}

void TSyntaxMemo::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    placeErrorBar();
}

void TSyntaxMemo::setCaret(int line, int column)
{
    const int lastBlock = document()->blockCount() - 1;
    const QTextBlock block = document()->findBlockByNumber(std::clamp(line - 1, 0, lastBlock));
    const int offset = std::clamp(column - 1, 0, block.length() - 1);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + offset);
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool TSyntaxMemo::undoStep()
{
    if (isReadOnly())
        return false;
    const std::optional<EditSnapshots::Snapshot> last = m_snapshots.pop();
    if (!last)
        return false;
    setPlainText(last->text);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(last->caretPosition, 0, int(last->text.size())));
    setTextCursor(cursor);
    ensureCursorVisible();
    m_undoArmed = true;
    return true;
}

void TSyntaxMemo::beforeChange()
{
    if (!m_undoArmed)
        return;
    m_snapshots.push({toPlainText(), textCursor().position()});
    m_undoArmed = false;
}

void TSyntaxMemo::mousePressEvent(QMouseEvent *event)
{
    m_undoArmed = true;
    QPlainTextEdit::mousePressEvent(event);
}

void TSyntaxMemo::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (movesCaret(key)) {
        m_undoArmed = true;
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const bool control = modifiers == Qt::ControlModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    if ((control && key == Qt::Key_C) || (control && key == Qt::Key_Insert)) {
        copy();
        return;
    }
    if (isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (control && key == Qt::Key_Z) {
        undoStep();
        return;
    }
    if ((control && key == Qt::Key_X) || (shift && key == Qt::Key_Delete)) {
        beforeChange();
        cut();
        return;
    }
    if ((control && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
        beforeChange();
        paste();
        return;
    }
    if (handleEditingKey(event))
        return;
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).unicode() >= 32 && !(modifiers & Qt::ControlModifier)) {
        beforeChange();
        m_undoArmed = false;
    }
    QPlainTextEdit::keyPressEvent(event);
}

bool TSyntaxMemo::handleEditingKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::ControlModifier && (key == Qt::Key_I || key == Qt::Key_U)) {
        if (textCursor().hasSelection()) {
            beforeChange();
            shiftSelectedRows(key == Qt::Key_I);
        }
        return true;
    }
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier)
        return false;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::NoModifier)
            return false;
        beforeChange();
        newLineWithIndent();
        return true;
    case Qt::Key_Tab:
        beforeChange();
        insertTab();
        return true;
    case Qt::Key_Backspace:
        beforeChange();
        smartBackspace();
        return true;
    case Qt::Key_Delete:
        beforeChange();
        QPlainTextEdit::keyPressEvent(event);
        return true;
    default:
        return false;
    }
}

void TSyntaxMemo::insertReplacing(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
}

QStringList TSyntaxMemo::rowsAbove(int blockNumber) const
{
    QStringList rows;
    for (QTextBlock block = document()->firstBlock();
         block.isValid() && block.blockNumber() < blockNumber; block = block.next())
        rows.append(block.text());
    return rows;
}

void TSyntaxMemo::newLineWithIndent()
{
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    const QString rowBefore = cursor.block().text().left(cursor.positionInBlock());
    const int blanks = SmartIndent::enterIndent(rowBefore, cursor.positionInBlock() + 1);
    cursor.insertText(u'\n' + QString(blanks, u' '));
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TSyntaxMemo::insertTab()
{
    const QTextCursor cursor = textCursor();
    const int width =
        SmartIndent::tabWidth(rowsAbove(cursor.blockNumber()), cursor.positionInBlock() + 1);
    if (width > 0)
        insertReplacing(QString(width, u' '));
}

void TSyntaxMemo::smartBackspace()
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        setTextCursor(cursor);
        return;
    }
    const int offset = cursor.positionInBlock();
    if (offset == 0) {
        cursor.deletePreviousChar(); // joins the row to the one above, or does nothing on row 1
        setTextCursor(cursor);
        return;
    }
    const QString row = cursor.block().text();
    const bool atFirstWord = SmartIndent::isBlank(row) || SmartIndent::indentationOf(row) == offset;
    if (!atFirstWord) {
        cursor.deletePreviousChar();
        setTextCursor(cursor);
        return;
    }
    const int target = SmartIndent::backspaceColumn(rowsAbove(cursor.blockNumber()), offset + 1);
    cursor.setPosition(cursor.block().position() + target - 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

void TSyntaxMemo::shiftSelectedRows(bool indent)
{
    QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    QTextBlock last = document()->findBlock(cursor.selectionEnd());
    // A selection that ends at the start of a row does not take that row along.
    if (last != first && cursor.selectionEnd() == last.position())
        last = last.previous();
    QStringList rows;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        rows.append(block.text());
        if (block == last)
            break;
    }
    const QStringList shifted =
        indent ? SmartIndent::indented(rows) : SmartIndent::unindented(rows);
    QTextCursor edit(document());
    edit.setPosition(first.position());
    edit.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    const QString replacement = shifted.join(u'\n');
    edit.insertText(replacement);
    edit.setPosition(first.position());
    edit.setPosition(first.position() + int(replacement.size()), QTextCursor::KeepAnchor);
    setTextCursor(edit);
}

} // namespace tovren::dialogs
