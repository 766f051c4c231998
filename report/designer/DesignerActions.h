#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace tovren::designer {

/// Every command of the designer window as an action, named as the window's menu items and tool
/// buttons are named ("N20", "FileBtn3", ...). A menu item and the tool button that does the
/// same share one action, reachable under both names; each carries its caption, hint,
/// shortcut, icon and the button's tag (as its data).
class DesignerActions : public QObject
{
    Q_OBJECT
public:
    explicit DesignerActions(QObject *parent = nullptr);

    /// The action of a menu item or tool button; null for an unknown name.
    QAction *action(const QString &name) const { return m_actions.value(name); }
    /// The tag of @p action's tool button, -1 when it has none.
    static int tagOf(const QAction *action);

    /// The main menu: file, edit, tools and help.
    void buildMenuBar(QMenuBar &bar);
    QMenu *toolBarsMenu() const { return m_toolBarsMenu; }
    QMenu *toolboxMenu() const { return m_toolboxMenu; }
    /// The canvas menu's seven fixed items, in order.
    QList<QAction *> canvasMenuActions() const;
    /// The page tab menu.
    QList<QAction *> tabMenuActions() const;

    static QIcon icon(const QString &buttonName);

private:
    struct Spec
    {
        const char *name;
        const char *caption;
        QKeySequence shortcut;
        const char *buttonName; ///< the tool button sharing the action, or null
        const char *hint;
        int tag;
    };
    QAction *add(const Spec &spec);
    void alias(const char *name, const char *existing);

    QHash<QString, QAction *> m_actions;
    QMenu *m_toolBarsMenu = nullptr;
    QMenu *m_toolboxMenu = nullptr;
};

} // namespace tovren::designer
