#include "report/dialogs/TqxInsertFieldsForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/engine/DataSourceListing.h"
#include "report/platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

TqxInsertFieldsForm::TqxInsertFieldsForm(const engine::DataSourceListing &listing, QWidget *parent)
    : QDialog(parent)
    , m_listing(listing)
    , m_dataSets(named<QComboBox>("DatasetCB"))
    , m_fields(named<QListWidget>("FieldsL"))
    , m_horizontal(named<QRadioButton>("HorzRB", platform::LoadLibraryString(53633)))
    , m_vertical(named<QRadioButton>("VertRB", platform::LoadLibraryString(53634)))
    , m_headers(named<QCheckBox>("HeaderCB", platform::LoadLibraryString(53635)))
    , m_bands(named<QCheckBox>("BandCB", platform::LoadLibraryString(53636)))
{
    setWindowTitle(platform::LoadLibraryString(53630));
    for (const QString &name : m_listing.SourceNames())
        m_dataSets->addItem(dataSetIcon(), name);
    m_fields->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_fields->setMinimumSize(220, 220);
    m_horizontal->setChecked(true);
    m_headers->setChecked(true);
    m_bands->setChecked(true);

    auto *placement = named<QGroupBox>("GroupBox1", platform::LoadLibraryString(53632));
    auto *placementLayout = new QVBoxLayout(placement);
    placementLayout->addWidget(m_horizontal);
    placementLayout->addWidget(m_vertical);
    auto *options = new QVBoxLayout;
    options->addWidget(placement);
    options->addWidget(m_headers);
    options->addWidget(m_bands);
    options->addStretch(1);
    auto *lists = new QVBoxLayout;
    lists->addWidget(buddyLabel(platform::LoadLibraryString(53631), m_dataSets, "Label1"));
    lists->addWidget(m_dataSets);
    lists->addWidget(m_fields, 1);
    auto *columns = new QHBoxLayout;
    columns->addLayout(lists, 1);
    columns->addLayout(options);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);

    connect(m_dataSets, &QComboBox::currentIndexChanged, this, &TqxInsertFieldsForm::fillFields);
    fillFields();
}

void TqxInsertFieldsForm::fillFields()
{
    m_fields->clear();
    for (const QString &field : m_listing.FieldNames(m_dataSets->currentText()))
        new QListWidgetItem(fieldIcon(), field, m_fields);
}

InsertFieldsChoice TqxInsertFieldsForm::choice() const
{
    InsertFieldsChoice chosen;
    chosen.dataSet = m_dataSets->currentText();
    // In list order, however the person clicked them.
    for (int row = 0; row < m_fields->count(); ++row) {
        if (m_fields->item(row)->isSelected())
            chosen.fields << m_fields->item(row)->text();
    }
    chosen.horizontal = m_horizontal->isChecked();
    chosen.headers = m_headers->isChecked();
    chosen.bands = m_bands->isChecked();
    return chosen;
}

} // namespace tovren::dialogs
