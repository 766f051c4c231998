#include "report/dialogs/TqxGroupEditorForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/TqxComboEdit.h"
#include "report/platform/StringTable.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tovren::dialogs {

TqxGroupEditorForm::TqxGroupEditorForm(const QString &condition,
                                       std::function<QString(const QString &)> pickExpression,
                                       QWidget *parent)
    : QDialog(parent)
    , m_condition(named<TqxComboEdit>("Edit1"))
    , m_pickExpression(std::move(pickExpression))
{
    setWindowTitle(platform::LoadLibraryString(53490));
    m_condition->setEditable(true);
    m_condition->setEditText(condition);
    m_condition->setButtonHint(platform::LoadLibraryString(53492));
    m_condition->setButtonIcon(fieldIcon());
    m_condition->setMinimumWidth(320);
    connect(m_condition, &TqxComboEdit::buttonClicked, this, [this] {
        if (!m_pickExpression)
            return;
        const QString built = m_pickExpression(m_condition->currentText());
        if (!built.isEmpty())
            m_condition->setEditText(built);
    });

    auto *group = named<QGroupBox>("GroupBox1", platform::LoadLibraryString(53491));
    (new QVBoxLayout(group))->addWidget(m_condition);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);
}

QString TqxGroupEditorForm::condition() const
{
    return m_condition->currentText();
}

} // namespace tovren::dialogs
