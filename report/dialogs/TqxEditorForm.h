#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace tovren::model {
class TqxView;
}
namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::dialogs {

class TSyntaxMemo;

/// What the text editor asks of the designer around it. Empty functions do nothing.
struct TextEditorServices
{
    platform::DialogProvider *dialogs = nullptr;
    /// Fonts and the divider position; none keeps nothing.
    platform::SettingsStore *settings = nullptr;
    std::function<QString()> pickExpression;
    std::function<QString()> pickDatabaseField;
    /// Called before the object is changed, so the designer can undo the edit.
    std::function<void()> prepareUndoStep;
};

/// The text editor: an object's text above its script, with the script checked by the
/// compiler before the editor closes with OK.
///
/// A script with errors keeps the editor open with the caret on the first error; the person
/// may still keep it after confirming. Nothing reaches the object before OK. An object whose
/// script is only the "begin … end" skeleton keeps an empty script. Dialog controls and bands
/// have a script pane only. One editor is kept and reused: whether the script pane is shown,
/// word wrap and the divider stay as the person left them.
class TqxTextEditorBase : public QDialog
{
    Q_OBJECT
public:
    /// The designer's callbacks may change between edits of the one kept editor.
    void setServices(const TextEditorServices &services) { m_services = services; }
    /// Edits @p view modally; on OK its Memo and Script are written back.
    int ShowEditor(model::TqxView &view);

    /// ShowEditor's steps, for callers that drive the window themselves.
    void load(model::TqxView &view);
    /// The OK button: closes with OK when the script compiles (or the person keeps it anyway).
    void tryAccept();
    /// Writes the panes back into the loaded object.
    void store();

    QPlainTextEdit *textPane() const { return m_text; }
    QPlainTextEdit *scriptPane() const { return m_script; }
    /// The pane that had the focus last; clipboard and insert commands act on it.
    QPlainTextEdit *focusedEditor() const { return m_focused; }
    bool hasTextPane() const { return m_hasTextPane; }
    bool scriptShown() const;
    QToolButton *scriptButton() const { return m_scriptBtn; }
    QToolButton *wordWrapButton() const { return m_wordWrapBtn; }
    /// The error line under the plain script pane; none in the highlighting editor.
    QLabel *errorLine() const { return m_errorLine; }

    void insertExpression();
    void insertDatabaseField();

protected:
    enum class ScriptPaneKind { Highlighting, Plain };
    TqxTextEditorBase(ScriptPaneKind kind, const TextEditorServices &services, QWidget *parent);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    QToolButton *addButton(const QString &name, const QString &caption, const QString &hint,
                           const QString &icon);
    void applyFonts(const model::TqxView &view);
    void setScriptVisible(bool visible);
    void showScriptError(const QStringList &errors);
    bool isTrivialScript() const;
    void insertIntoFocused(const QString &text);
    void saveState();

    const ScriptPaneKind m_kind;
    TextEditorServices m_services;
    model::TqxView *m_view = nullptr;
    bool m_hasTextPane = true;
    bool m_scriptShown = true;
    int m_splitterPos = 0;

    QPlainTextEdit *m_text = nullptr;
    QPlainTextEdit *m_script = nullptr;
    TSyntaxMemo *m_syntaxMemo = nullptr;
    QLabel *m_errorLine = nullptr;
    QWidget *m_scriptPanel = nullptr;
    QSplitter *m_splitter = nullptr;
    QPlainTextEdit *m_focused = nullptr;
    QToolButton *m_wordWrapBtn = nullptr;
    QToolButton *m_scriptBtn = nullptr;
};

/// The text editor with the highlighting script editor.
class TqxEditorForm : public TqxTextEditorBase
{
    Q_OBJECT
public:
    explicit TqxEditorForm(const TextEditorServices &services, QWidget *parent = nullptr);
    TSyntaxMemo *syntaxMemo() const;
};

/// The text editor with a plain script pane and an error line below it.
class TqxEditorForm1 : public TqxTextEditorBase
{
    Q_OBJECT
public:
    explicit TqxEditorForm1(const TextEditorServices &services, QWidget *parent = nullptr);
};

} // namespace tovren::dialogs
