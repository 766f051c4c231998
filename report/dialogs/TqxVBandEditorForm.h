#pragma once

#include "report/dialogs/CrossBandSources.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tovren::dialogs {

/// The data source editor of a cross band: one source per band the cross band crosses. The
/// band list on the left, the selected band's source on the right.
class TqxVBandEditorForm : public QDialog
{
    Q_OBJECT
public:
    /// @p sources must hold at least one band; the dialog edits it in place, and the caller
    /// keeps it only when the dialog is accepted.
    TqxVBandEditorForm(CrossBandSources &sources, const QStringList &reportSources,
                       const engine::TqxDataDictionary &dictionary, QWidget *parent = nullptr);

    void accept() override;

private:
    void showBand(int row);
    void storeShownBand();
    void applySelectionRule();
    BandSourceChoice shownChoice() const;

    CrossBandSources &m_sources;
    const QStringList m_reportSources;
    const engine::TqxDataDictionary &m_dictionary;
    QListWidget *m_bands;
    QComboBox *m_sourceBox;
    QLabel *m_countLabel;
    QLineEdit *m_count;
    int m_shownRow = -1;
};

} // namespace tovren::dialogs
