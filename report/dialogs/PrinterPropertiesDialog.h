#pragma once

#include <QDialog>

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace tovren::output {
class TqxPrinter;
}

namespace tovren::dialogs {

/// The properties of the active printer as the print dialog offers them: paper and
/// orientation, written into the printer when confirmed.
///
/// It serves the virtual printer and the installed printers alike; a report's pages still ask
/// for their own sheet when they are printed, as they do after any driver dialog.
class PrinterPropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    /// @p printerLayer is not owned and must outlive the dialog.
    explicit PrinterPropertiesDialog(output::TqxPrinter &printerLayer, QWidget *parent = nullptr);
    ~PrinterPropertiesDialog() override;

    void done(int result) override;

private:
    void paperChosen(int index);
    int chosenPaperCode() const;

    output::TqxPrinter &m_layer;
    QComboBox *m_paper = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
};

} // namespace tovren::dialogs
