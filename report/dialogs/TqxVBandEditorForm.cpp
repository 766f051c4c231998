#include "report/dialogs/TqxVBandEditorForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/platform/StringTable.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tovren::dialogs {

TqxVBandEditorForm::TqxVBandEditorForm(CrossBandSources &sources, const QStringList &reportSources,
                                       const engine::TqxDataDictionary &dictionary, QWidget *parent)
    : QDialog(parent)
    , m_sources(sources)
    , m_reportSources(reportSources)
    , m_dictionary(dictionary)
    , m_bands(named<QListWidget>("LB1"))
    , m_sourceBox(named<QComboBox>("CB1"))
    , m_count(named<QLineEdit>("Edit1"))
{
    setWindowTitle(platform::LoadLibraryString(53485));
    for (const CrossBandSources::Band &band : m_sources.bands())
        new QListWidgetItem(bandIcon(), band.row, m_bands);
    m_bands->setMinimumSize(200, 180);
    const BandSourceChoice entries = BandSourceChoice::fromStored({}, m_reportSources, dictionary);
    for (qsizetype row = 0; row < entries.entries.size(); ++row) {
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        const QIcon icon = row == BandSourceChoice::kNoneRow ? QIcon(blank) : dataSetIcon();
        m_sourceBox->addItem(icon, entries.entries.at(row));
    }
    m_sourceBox->setMinimumWidth(180);
    m_count->setText(QStringLiteral("1"));
    m_countLabel = buddyLabel(platform::LoadLibraryString(53488), m_count, "Label1");

    auto *bandGroup = named<QGroupBox>("GroupBox1", platform::LoadLibraryString(53486));
    (new QVBoxLayout(bandGroup))->addWidget(m_bands);
    auto *sourceGroup = named<QGroupBox>("GroupBox2", platform::LoadLibraryString(53487));
    auto *sourceLayout = new QVBoxLayout(sourceGroup);
    sourceLayout->addWidget(m_sourceBox);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(m_countLabel);
    countRow->addWidget(m_count, 1);
    sourceLayout->addLayout(countRow);
    sourceLayout->addStretch(1);
    auto *groups = new QHBoxLayout;
    groups->addWidget(bandGroup, 1);
    groups->addWidget(sourceGroup, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);

    connect(m_bands, &QListWidget::currentRowChanged, this, [this](int row) {
        storeShownBand();
        showBand(row);
    });
    connect(m_sourceBox, &QComboBox::currentIndexChanged, this, [this] {
        applySelectionRule();
        storeShownBand();
    });
    connect(m_count, &QLineEdit::textEdited, this, [this] { storeShownBand(); });
    m_bands->setCurrentRow(0);
}

BandSourceChoice TqxVBandEditorForm::shownChoice() const
{
    BandSourceChoice choice = BandSourceChoice::fromStored({}, m_reportSources, m_dictionary);
    choice.selected = m_sourceBox->currentIndex();
    choice.recordCount = m_count->text();
    return choice;
}

void TqxVBandEditorForm::showBand(int row)
{
    m_shownRow = -1; // nothing is stored while the controls change over
    const BandSourceChoice choice = m_sources.choiceFor(row, m_reportSources, m_dictionary);
    {
        const QSignalBlocker blocker(m_sourceBox);
        m_sourceBox->setCurrentIndex(choice.selected);
    }
    if (choice.recordCountEnabled())
        m_count->setText(choice.recordCount);
    applySelectionRule();
    m_shownRow = row;
}

void TqxVBandEditorForm::storeShownBand()
{
    if (m_shownRow >= 0)
        m_sources.store(m_shownRow, shownChoice(), m_dictionary);
}

void TqxVBandEditorForm::applySelectionRule()
{
    const bool counted = m_sourceBox->currentIndex() == BandSourceChoice::kVirtualRow;
    m_countLabel->setEnabled(counted);
    m_count->setEnabled(counted);
}

void TqxVBandEditorForm::accept()
{
    storeShownBand();
    QDialog::accept();
}

} // namespace tovren::dialogs
