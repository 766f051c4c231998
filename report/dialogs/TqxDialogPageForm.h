#pragma once

#include "report/engine/DialogPages.h"

#include <QDialog>

namespace tovren::dialogs {

/// The window of a dialog page: the page's caption, colour, size and place, one framed child
/// per object of the page at the object's place (showing its text, or its name when it has
/// none, and hidden when the object is), and OK and Cancel buttons below them.
///
/// While it lives, "MODALRESULT" set by a script closes it with that result. OK closes it with
/// the OK result; Cancel, Escape and the close box with the cancel result.
class TqxDialogPageForm : public QDialog
{
    Q_OBJECT
public:
    explicit TqxDialogPageForm(engine::TqxDialogPageWindow &window, QWidget *parent = nullptr);
    ~TqxDialogPageForm() override;

    /// The area that holds the page's objects, sized as the page.
    QWidget *controlArea() const { return m_controls; }

    void accept() override;
    void reject() override;

private:
    void placeObjects();

    engine::TqxDialogPageWindow &m_window;
    QWidget *m_controls;
};

/// Shows dialog pages in a TqxDialogPageForm, modally over @p parent.
class WidgetDialogPageHost : public engine::TqxDialogPageHost
{
public:
    explicit WidgetDialogPageHost(QWidget *parent = nullptr)
        : m_parent(parent)
    {}
    int showModal(engine::TqxDialogPageWindow &window) override;

private:
    QWidget *m_parent;
};

} // namespace tovren::dialogs
