#pragma once

#include "report/dialogs/InsertFieldsChoice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;

namespace tovren::engine {
class DataSourceListing;
}

namespace tovren::dialogs {

/// Chooses a data set, some of its fields and how to lay them out for the insert-fields
/// command.
class TqxInsertFieldsForm : public QDialog
{
    Q_OBJECT
public:
    /// @p listing must outlive the dialog.
    explicit TqxInsertFieldsForm(const engine::DataSourceListing &listing,
                                 QWidget *parent = nullptr);

    InsertFieldsChoice choice() const;

private:
    void fillFields();

    const engine::DataSourceListing &m_listing;
    QComboBox *m_dataSets;
    QListWidget *m_fields;
    QRadioButton *m_horizontal;
    QRadioButton *m_vertical;
    QCheckBox *m_headers;
    QCheckBox *m_bands;
};

} // namespace tovren::dialogs
