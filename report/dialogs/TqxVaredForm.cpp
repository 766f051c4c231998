#include "report/dialogs/TqxVaredForm.h"

#include "report/dialogs/VariableListText.h"
#include "report/platform/DialogProvider.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

TqxVaredForm::TqxVaredForm(script::TqxVariables &variables, platform::DialogProvider *dialogs,
                           QWidget *parent)
    : QDialog(parent)
    , m_variables(variables)
    , m_dialogs(dialogs)
    , m_memo(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("变量列表"));
    resize(249, 269);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setPlainText(VariableListText::toText(variables));
    auto *label = new QLabel(QStringLiteral("目录及变量(&C)"), this);
    label->setBuddy(m_memo);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TqxVaredForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_memo, 1);
    layout->addWidget(buttons);
}

void TqxVaredForm::accept()
{
    const std::optional<QString> refusal =
        VariableListText::apply(m_memo->toPlainText(), m_variables);
    m_refusal = refusal.value_or(QString());
    if (!refusal) {
        QDialog::accept();
        return;
    }
    if (m_dialogs)
        m_dialogs->messageBox(*refusal, QStringLiteral("变量列表"),
                              platform::mb_Ok | platform::mb_IconWarning);
}

} // namespace tovren::dialogs
