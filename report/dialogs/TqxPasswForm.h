#pragma once

#include "report/dialogs/PasswordConfirmation.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tovren::dialogs {

/// The password prompt: one line that shows every character as "*", under a prompt the
/// caller chooses, such as the retype prompt of a password being confirmed.
class TqxPasswForm : public QDialog
{
    Q_OBJECT
public:
    explicit TqxPasswForm(QWidget *parent = nullptr);
    ~TqxPasswForm() override;

    void setPrompt(const QString &prompt);
    QString password() const;

    /// A prompt function that shows this window modally over @p parent for each question.
    static PasswordConfirmation::Prompt prompter(QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_prompt = nullptr;
    QLineEdit *m_password = nullptr;
};

} // namespace tovren::dialogs
