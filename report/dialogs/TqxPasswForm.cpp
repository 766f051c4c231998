#include "report/dialogs/TqxPasswForm.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/platform/StringTable.h"

#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {
constexpr int kPasswordBoxWidth = 260;
constexpr QChar kMaskCharacter = u'*';
} // namespace

TqxPasswForm::TqxPasswForm(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(platform::LoadLibraryString(55653));
    m_password = named<QLineEdit>("E1");
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMinimumWidth(kPasswordBoxWidth);
    // Every character shows as "*", whatever the style's own mask character is.
    m_password->setStyleSheet(
        QStringLiteral("lineedit-password-character: %1").arg(kMaskCharacter.unicode()));
    m_prompt = buddyLabel(PasswordConfirmation::firstPrompt(), m_password, "L1");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(m_password);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);
}

TqxPasswForm::~TqxPasswForm() = default;

void TqxPasswForm::setPrompt(const QString &prompt)
{
    m_prompt->setText(prompt);
}

QString TqxPasswForm::password() const
{
    return m_password->text();
}

void TqxPasswForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_password->setFocus();
}

PasswordConfirmation::Prompt TqxPasswForm::prompter(QWidget *parent)
{
    return [guardedParent =
                QPointer<QWidget>(parent)](const QString &prompt) -> std::optional<QString> {
        TqxPasswForm form(guardedParent);
        form.setPrompt(prompt);
        if (form.exec() != QDialog::Accepted)
            return std::nullopt;
        return form.password();
    };
}

} // namespace tovren::dialogs
