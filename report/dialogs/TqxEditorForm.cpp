#include "report/dialogs/TqxEditorForm.h"

#include "report/dialogs/DesignerOptionValues.h"
#include "report/dialogs/FormPlacement.h"
#include "report/dialogs/ScriptEditRules.h"
#include "report/dialogs/TSyntaxMemo.h"
#include "report/model/TqxControl.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/SettingsStore.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kToolBarHeight = 33;
constexpr quint16 kNoEditMemo = 1;
constexpr quint16 kNoEditScript = 2;
const QLatin1String kSplitterPos("SplitterPos");

bool hasTextPane(const model::TqxView &view)
{
    return view.ObjectKind != model::okBand && !dynamic_cast<const model::TqxControl *>(&view);
}

QStringList compileErrors(const QStringList &script)
{
    QStringList code;
    QStringList errors;
    model::TqxGlobals::instance().interpreter->CompileScript(script, code, errors);
    return errors;
}

QStringList linesOf(const QPlainTextEdit &pane)
{
    return pane.toPlainText().split(u'\n');
}

} // namespace

TqxTextEditorBase::TqxTextEditorBase(ScriptPaneKind kind, const TextEditorServices &services,
                                     QWidget *parent)
    : QDialog(parent)
    , m_kind(kind)
    , m_services(services)
{
    setWindowTitle(QStringLiteral("文本编辑器"));
    resize(432, 450);
    m_splitterPos = height() / 2;
    buildWindow();
}

QToolButton *TqxTextEditorBase::addButton(const QString &name, const QString &caption,
                                          const QString &hint, const QString &icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    if (!icon.isEmpty()) {
        button->setIcon(QIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return button;
}

void TqxTextEditorBase::buildWindow()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(kToolBarHeight);
    auto *bar = new QHBoxLayout(panel);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(1);
    QToolButton *insExpr = addButton(QStringLiteral("InsExprBtn"), QStringLiteral("表达式"),
                                     QStringLiteral("插入表达式"), {});
    QToolButton *insDb = addButton(QStringLiteral("InsDBBtn"), QStringLiteral("字段"),
                                   QStringLiteral("插入数据字段"),
                                   QStringLiteral(":/designer/icons/InsertFields.svg"));
    QToolButton *cut =
        addButton(QStringLiteral("CutBtn"), QStringLiteral("剪切"), QStringLiteral("剪切"),
                  QStringLiteral(":/designer/icons/CutB.svg"));
    QToolButton *copy =
        addButton(QStringLiteral("CopyBtn"), QStringLiteral("复制"), QStringLiteral("复制"),
                  QStringLiteral(":/designer/icons/CopyB.svg"));
    QToolButton *paste =
        addButton(QStringLiteral("PasteBtn"), QStringLiteral("粘贴"), QStringLiteral("粘贴"),
                  QStringLiteral(":/designer/icons/PstB.svg"));
    m_wordWrapBtn = addButton(QStringLiteral("WordWrapBtn"), QStringLiteral("折行"),
                              QStringLiteral("自动折行"), {});
    m_wordWrapBtn->setCheckable(true);
    m_scriptBtn = addButton(QStringLiteral("ScriptBtn"), QStringLiteral("脚本"),
                            QStringLiteral("显示/隐藏 script"), {});
    m_scriptBtn->setCheckable(true);
    m_scriptBtn->setChecked(true);
    QToolButton *cancel =
        addButton(QStringLiteral("CancelBtn"), QStringLiteral("取消"), QStringLiteral("取消"), {});
    QToolButton *ok =
        addButton(QStringLiteral("OkBtn"), QStringLiteral("确认"), QStringLiteral("确认"), {});
    for (QToolButton *button : {insExpr, insDb, cut, copy, paste, m_wordWrapBtn, m_scriptBtn})
        bar->addWidget(button);
    bar->addStretch();
    bar->addWidget(cancel);
    bar->addWidget(ok);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("M1"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_scriptPanel = new QWidget(this);
    m_scriptPanel->setObjectName(QStringLiteral("ScriptPanel"));
    auto *scriptLayout = new QVBoxLayout(m_scriptPanel);
    scriptLayout->setContentsMargins(0, 0, 0, 0);
    scriptLayout->setSpacing(0);
    if (m_kind == ScriptPaneKind::Highlighting) {
        m_syntaxMemo = new TSyntaxMemo(m_scriptPanel);
        m_script = m_syntaxMemo;
    } else {
        m_script = new QPlainTextEdit(m_scriptPanel);
        m_script->setObjectName(QStringLiteral("M2"));
        m_script->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_errorLine = new QLabel(m_scriptPanel);
        m_errorLine->setObjectName(QStringLiteral("ErrorPanel"));
        m_errorLine->setFrameShape(QFrame::Box);
        m_errorLine->setAutoFillBackground(true);
        m_errorLine->setBackgroundRole(QPalette::Base);
        m_errorLine->hide();
    }
    scriptLayout->addWidget(m_script);
    if (m_errorLine)
        scriptLayout->addWidget(m_errorLine);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->setHandleWidth(2);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_text);
    m_splitter->addWidget(m_scriptPanel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(m_splitter, 1);

    m_focused = m_text;
    for (QPlainTextEdit *pane : {m_text, m_script})
        pane->installEventFilter(this);

    connect(insExpr, &QToolButton::clicked, this, &TqxTextEditorBase::insertExpression);
    connect(insDb, &QToolButton::clicked, this, &TqxTextEditorBase::insertDatabaseField);
    connect(cut, &QToolButton::clicked, this, [this] { m_focused->cut(); });
    connect(copy, &QToolButton::clicked, this, [this] { m_focused->copy(); });
    connect(paste, &QToolButton::clicked, this, [this] { m_focused->paste(); });
    connect(m_wordWrapBtn, &QToolButton::toggled, this, [this](bool on) {
        m_text->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    });
    connect(m_scriptBtn, &QToolButton::clicked, this, [this](bool down) {
        // Bands and dialog controls have nothing but their script to show.
        if (!m_hasTextPane) {
            m_scriptBtn->setChecked(true);
            return;
        }
        setScriptVisible(down);
    });
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    connect(ok, &QToolButton::clicked, this, &TqxTextEditorBase::tryAccept);
}

bool TqxTextEditorBase::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text || watched == m_script) {
        auto *pane = static_cast<QPlainTextEdit *>(watched);
        if (event->type() == QEvent::FocusIn)
            m_focused = pane;
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
            if (m_errorLine)
                m_errorLine->hide();
            if (key->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
                insertDatabaseField();
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                modifiers == Qt::ControlModifier) {
                tryAccept();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                reject();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool TqxTextEditorBase::scriptShown() const
{
    return m_scriptPanel->isVisibleTo(this);
}

void TqxTextEditorBase::setScriptVisible(bool visible)
{
    m_scriptPanel->setVisible(visible);
    m_scriptBtn->setChecked(visible);
    if (visible && m_hasTextPane) {
        const int available = m_splitter->height() > 0 ? m_splitter->height() : height();
        const int textHeight = std::clamp(m_splitterPos - kToolBarHeight, 40, available - 40);
        m_splitter->setSizes({textHeight, available - textHeight});
    }
}

void TqxTextEditorBase::applyFonts(const model::TqxView &view)
{
    const EditorFonts fonts =
        m_services.settings ? EditorFonts::load(*m_services.settings) : EditorFonts();
    QFont textFont(fonts.textFontName, fonts.textPointSize());
    if (const auto *memo = dynamic_cast<const model::TqxMemoView *>(&view);
        memo && fonts.useDefaultFont)
        textFont = QFont(memo->Font.family(), 10);
    m_text->setFont(textFont);
    QFont scriptFont(fonts.scriptFontName, fonts.scriptPointSize());
    scriptFont.setFamilies(
        {fonts.scriptFontName, QStringLiteral("Liberation Mono"), QStringLiteral("monospace")});
    scriptFont.setStyleHint(QFont::TypeWriter);
    m_script->setFont(scriptFont);
}

void TqxTextEditorBase::load(model::TqxView &view)
{
    if (m_services.settings) {
        FormPlacement::restore(*this, *m_services.settings, metaObject()->className(), false);
        m_splitterPos =
            m_services.settings->readInteger(EditorFonts::section(), kSplitterPos, m_splitterPos);
    }
    m_view = &view;
    m_hasTextPane = dialogs::hasTextPane(view);
    if (m_errorLine)
        m_errorLine->hide();
    if (m_syntaxMemo)
        m_syntaxMemo->setErrorText({});
    m_text->setLineWrapMode(m_wordWrapBtn->isChecked() ? QPlainTextEdit::WidgetWidth
                                                       : QPlainTextEdit::NoWrap);

    m_text->setPlainText(view.Memo.join(u'\n'));
    const QStringList script = view.Script.isEmpty() ? ScriptSkeleton::lines() : view.Script;
    if (m_syntaxMemo)
        m_syntaxMemo->setLines(script);
    else
        m_script->setPlainText(script.join(u'\n'));
    applyFonts(view);

    m_text->setReadOnly(view.Restrictions & kNoEditMemo);
    m_script->setReadOnly(view.Restrictions & kNoEditScript);

    m_text->setVisible(m_hasTextPane);
    setScriptVisible(m_hasTextPane ? m_scriptShown : true);

    m_focused = m_hasTextPane ? m_text : m_script;
    m_text->moveCursor(QTextCursor::Start);
    m_text->ensureCursorVisible();
    m_focused->setFocus();
}

int TqxTextEditorBase::ShowEditor(model::TqxView &view)
{
    load(view);
    const int result = exec();
    if (result == QDialog::Accepted)
        store();
    saveState();
    return result;
}

bool TqxTextEditorBase::isTrivialScript() const
{
    if (m_kind == ScriptPaneKind::Highlighting)
        return ScriptSkeleton::isTrivialHighlighted(m_script->toPlainText());
    return ScriptSkeleton::isTrivialPlain(linesOf(*m_script));
}

void TqxTextEditorBase::showScriptError(const QStringList &errors)
{
    const ScriptErrorPosition at = ScriptErrorPosition::parse(errors.value(0));
    m_script->setFocus();
    m_focused = m_script;
    if (m_syntaxMemo) {
        m_syntaxMemo->setCaret(at.line, at.column);
        m_syntaxMemo->setErrorText(errors.value(0));
        return;
    }
    const QTextBlock block = m_script->document()->findBlockByNumber(std::max(0, at.line - 1));
    QTextCursor cursor = m_script->textCursor();
    cursor.setPosition(block.position() + std::clamp(at.column - 1, 0, block.length() - 1));
    m_script->setTextCursor(cursor);
    m_script->ensureCursorVisible();
    m_errorLine->setText(u' ' + errors.join(u' '));
    m_errorLine->show();
}

void TqxTextEditorBase::tryAccept()
{
    const QStringList errors =
        isTrivialScript() ? QStringList() : compileErrors(linesOf(*m_script));
    if (errors.isEmpty()) {
        accept();
        return;
    }
    showScriptError(errors);
    if (!m_services.dialogs)
        return;
    const ScriptErrorPosition at = ScriptErrorPosition::parse(errors.value(0));
    const QString question =
        QStringLiteral("脚本第 %1 行第 %2 列有错误：\n%3\n\n仍然保存这个脚本吗？")
            .arg(at.line)
            .arg(at.column)
            .arg(errors.value(0));
    const int answer = m_services.dialogs->messageBox(
        question, QStringLiteral("文本编辑器"), platform::mb_YesNo | platform::mb_IconWarning);
    if (answer == platform::mrYes)
        accept();
}

void TqxTextEditorBase::store()
{
    if (!m_view)
        return;
    if (m_services.prepareUndoStep)
        m_services.prepareUndoStep();
    // Only real line breaks belong to the text, never the wrapping on screen.
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (m_hasTextPane)
        m_view->Memo = linesOf(*m_text);
    if (isTrivialScript())
        m_view->Script.clear();
    else
        m_view->Script = m_syntaxMemo ? m_syntaxMemo->lines() : linesOf(*m_script);
}

void TqxTextEditorBase::saveState()
{
    if (m_hasTextPane) {
        m_scriptShown = m_scriptBtn->isChecked();
        if (m_scriptShown)
            m_splitterPos = kToolBarHeight + m_splitter->sizes().value(0);
    }
    if (!m_services.settings)
        return;
    m_services.settings->writeInteger(EditorFonts::section(), kSplitterPos, m_splitterPos);
    FormPlacement::save(*this, *m_services.settings, metaObject()->className());
}

void TqxTextEditorBase::insertIntoFocused(const QString &text)
{
    if (text.isEmpty() || m_focused->isReadOnly())
        return;
    m_focused->insertPlainText(text);
    m_focused->setFocus();
}

void TqxTextEditorBase::insertExpression()
{
    if (m_services.pickExpression)
        insertIntoFocused(m_services.pickExpression());
}

void TqxTextEditorBase::insertDatabaseField()
{
    if (m_services.pickDatabaseField)
        insertIntoFocused(m_services.pickDatabaseField());
}

TqxEditorForm::TqxEditorForm(const TextEditorServices &services, QWidget *parent)
    : TqxTextEditorBase(ScriptPaneKind::Highlighting, services, parent)
{}

TSyntaxMemo *TqxEditorForm::syntaxMemo() const
{
    return static_cast<TSyntaxMemo *>(scriptPane());
}

TqxEditorForm1::TqxEditorForm1(const TextEditorServices &services, QWidget *parent)
    : TqxTextEditorBase(ScriptPaneKind::Plain, services, parent)
{}

} // namespace tovren::dialogs
