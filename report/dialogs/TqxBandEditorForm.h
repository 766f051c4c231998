#pragma once

#include "report/dialogs/BandSourceChoice.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace tovren::dialogs {

/// The data source editor of a data band: no source, a counted virtual source, or one of the
/// report's data sources. Double-clicking an entry accepts it.
class TqxBandEditorForm : public QDialog
{
    Q_OBJECT
public:
    explicit TqxBandEditorForm(const BandSourceChoice &choice, QWidget *parent = nullptr);

    BandSourceChoice choice() const;

private:
    void applySelectionRule();

    BandSourceChoice m_choice;
    QListWidget *m_sources;
    QLabel *m_countLabel;
    QLineEdit *m_count;
};

/// Fills @p list with the source entries, the first without a picture.
void fillSourceList(QListWidget &list, const QStringList &entries);

} // namespace tovren::dialogs
