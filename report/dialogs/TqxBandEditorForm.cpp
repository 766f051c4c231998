#include "report/dialogs/TqxBandEditorForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/platform/StringTable.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

namespace tovren::dialogs {

void fillSourceList(QListWidget &list, const QStringList &entries)
{
    list.clear();
    // "[无]" has no picture but lines up with the entries that have one.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    for (qsizetype row = 0; row < entries.size(); ++row) {
        auto *item = new QListWidgetItem(entries.at(row), &list);
        item->setIcon(row == BandSourceChoice::kNoneRow ? QIcon(blank) : dataSetIcon());
    }
}

TqxBandEditorForm::TqxBandEditorForm(const BandSourceChoice &choice, QWidget *parent)
    : QDialog(parent)
    , m_choice(choice)
    , m_sources(named<QListWidget>("LB1"))
    , m_count(named<QLineEdit>("Edit1"))
{
    setWindowTitle(platform::LoadLibraryString(53480));
    fillSourceList(*m_sources, m_choice.entries);
    m_sources->setMinimumSize(240, 200);
    m_sources->setCurrentRow(m_choice.selected);
    m_count->setText(m_choice.recordCount);
    m_countLabel = buddyLabel(platform::LoadLibraryString(53482), m_count, "Label2");

    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_countLabel);
    countRow->addWidget(m_count, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_sources, 1);
    layout->addLayout(countRow);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);

    connect(m_sources, &QListWidget::currentRowChanged, this, [this](int row) {
        m_choice.selected = row;
        applySelectionRule();
    });
    connect(m_sources, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    applySelectionRule();
}

void TqxBandEditorForm::applySelectionRule()
{
    const bool counted = m_choice.recordCountEnabled();
    m_countLabel->setEnabled(counted);
    m_count->setEnabled(counted);
}

BandSourceChoice TqxBandEditorForm::choice() const
{
    BandSourceChoice chosen = m_choice;
    chosen.recordCount = m_count->text();
    return chosen;
}

} // namespace tovren::dialogs
