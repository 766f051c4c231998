#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace tovren::platform {
class DialogProvider;
}
namespace tovren::script {
class TqxVariables;
}

namespace tovren::dialogs {

/// The variable list as text ("变量列表"): categories flush left, variables indented. OK
/// replaces the list, keeping the values of names that stay; a name given twice is refused
/// with a message naming its line, and the dialog stays open.
class TqxVaredForm : public QDialog
{
    Q_OBJECT
public:
    /// @p variables is changed only by an accepted OK and must outlive the dialog.
    /// Refusals are told through @p dialogs when given.
    TqxVaredForm(script::TqxVariables &variables, platform::DialogProvider *dialogs,
                 QWidget *parent = nullptr);

    QPlainTextEdit *memo() const { return m_memo; }
    /// The message shown for refused text; empty when the last OK was taken.
    QString refusal() const { return m_refusal; }

    void accept() override;

private:
    platform::DialogProvider *m_dialogs;
    script::TqxVariables &m_variables;
    QPlainTextEdit *m_memo;
    QString m_refusal;
};

} // namespace tovren::dialogs
