#include "report/dialogs/TqxAttrEditorForm.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/TqxComboEdit.h"
#include "report/platform/StringTable.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {
constexpr int kTagWidthPixels = 300;
} // namespace

TqxAttrEditorForm::TqxAttrEditorForm(QWidget *parent)
    : QDialog(parent)
    , m_tag(named<TqxComboEdit>("Edit1"))
{
    setObjectName(QStringLiteral("TqxAttrEditorForm"));
    setWindowTitle(platform::LoadLibraryString(53740));
    m_tag->setEditable(true);
    m_tag->setMinimumWidth(kTagWidthPixels);
    m_tag->setButtonHint(platform::LoadLibraryString(53575));
    m_tag->setButtonEnabled(false);
    auto *group = named<QGroupBox>("GB1");
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_tag);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);
    connect(m_tag, &TqxComboEdit::buttonClicked, this, [this] {
        if (!m_expressionBuilder)
            return;
        // Inserted at the caret, replacing the selected text.
        if (const std::optional<QString> built = m_expressionBuilder())
            m_tag->lineEdit()->insert(*built);
    });
}

void TqxAttrEditorForm::setExpressionBuilder(ExpressionBuilder builder)
{
    m_expressionBuilder = std::move(builder);
    m_tag->setButtonEnabled(bool(m_expressionBuilder));
}

void TqxAttrEditorForm::setTag(const QString &tag)
{
    m_tag->setEditText(tag);
}

QString TqxAttrEditorForm::tag() const
{
    return m_tag->currentText();
}

} // namespace tovren::dialogs
