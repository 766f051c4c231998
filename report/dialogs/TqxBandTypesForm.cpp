#include "report/dialogs/TqxBandTypesForm.h"

#include "report/dialogs/BandTypeChoice.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/platform/StringTable.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {
constexpr int kFirstBandTitle = 55077;
// Types 0 to 10 fill the first column, 11 to 21 the second.
constexpr int kTypesPerColumn = 11;
} // namespace

TqxBandTypesForm::TqxBandTypesForm(const model::TqxPage &page, QWidget *parent)
    : QDialog(parent)
    , m_page(page)
{
    setWindowTitle(platform::LoadLibraryString(53510));
    auto *group = named<QGroupBox>("GB1", platform::LoadLibraryString(53511));
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(24);
    for (int type = 0; type < kChooserBandTypes; ++type) {
        auto *choice = new QRadioButton(platform::LoadLibraryString(kFirstBandTitle + type));
        choice->setObjectName(QStringLiteral("BandType%1").arg(type));
        connect(choice, &QRadioButton::clicked, this, [this, type] { m_chosen = type; });
        grid->addWidget(choice, type % kTypesPerColumn, type / kTypesPerColumn);
        m_choices << choice;
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);
    applyEnablingRule();
}

TqxBandTypesForm::~TqxBandTypesForm() = default;

void TqxBandTypesForm::setSubreportPage(bool isSubreportPage)
{
    m_subreportPage = isSubreportPage;
    applyEnablingRule();
}

void TqxBandTypesForm::applyEnablingRule()
{
    const QList<int> enabled = enabledBandTypes(m_page, m_subreportPage);
    for (int type = 0; type < kChooserBandTypes; ++type)
        m_choices[type]->setEnabled(enabled.contains(type));
    // The data and header bands are always offered, so there is always a first choice.
    if (!enabled.isEmpty()) {
        m_chosen = enabled.first();
        m_choices[m_chosen]->setChecked(true);
    }
}

} // namespace tovren::dialogs
