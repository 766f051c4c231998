#include "report/dialogs/TqxRestrictionsForm.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/platform/StringTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {
constexpr int kFirstCaption = 53261;
constexpr quint16 kAllBits = (1 << TqxRestrictionsForm::kBitCount) - 1;
constexpr const char *kBoxNames[TqxRestrictionsForm::kBitCount] = {"CB1", "CB2", "Cb3", "CB4",
                                                                   "CB5", "CB6", "CB7"};
} // namespace

TqxRestrictionsForm::TqxRestrictionsForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TqxRestrictionsForm"));
    setWindowTitle(platform::LoadLibraryString(53260));
    auto *group = named<QGroupBox>("GroupBox1");
    auto *groupLayout = new QVBoxLayout(group);
    for (int bit = 0; bit < kBitCount; ++bit) {
        m_boxes[size_t(bit)] =
            named<QCheckBox>(kBoxNames[bit], platform::LoadLibraryString(kFirstCaption + bit));
        groupLayout->addWidget(m_boxes[size_t(bit)]);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);
}

void TqxRestrictionsForm::setRestrictions(quint16 restrictions)
{
    m_otherBits = restrictions & ~kAllBits;
    for (int bit = 0; bit < kBitCount; ++bit)
        m_boxes[size_t(bit)]->setChecked(restrictions & (1 << bit));
}

quint16 TqxRestrictionsForm::restrictions() const
{
    quint16 bits = m_otherBits;
    for (int bit = 0; bit < kBitCount; ++bit) {
        if (m_boxes[size_t(bit)]->isChecked())
            bits |= quint16(1 << bit);
    }
    return bits;
}

} // namespace tovren::dialogs
