#pragma once

#include <QDialog>
#include <QList>

class QRadioButton;

namespace tovren::model {
class TqxPage;
}

namespace tovren::dialogs {

/// The band type chooser shown when a band is inserted: one choice per band type, the types
/// enabledBandTypes() refuses for the page disabled, the first enabled one chosen.
///
/// The page is read while the dialog is made and again when setSubreportPage() is called; the
/// caller reads chosenBandType() after OK.
class TqxBandTypesForm : public QDialog
{
    Q_OBJECT
public:
    /// @p page is not owned and must outlive the dialog.
    explicit TqxBandTypesForm(const model::TqxPage &page, QWidget *parent = nullptr);
    ~TqxBandTypesForm() override;

    /// The page is the target of a sub-report object.
    void setSubreportPage(bool isSubreportPage);
    bool isSubreportPage() const { return m_subreportPage; }
    int chosenBandType() const { return m_chosen; }

private:
    void applyEnablingRule();

    const model::TqxPage &m_page;
    bool m_subreportPage = false;
    int m_chosen = 0;
    QList<QRadioButton *> m_choices;
};

} // namespace tovren::dialogs
