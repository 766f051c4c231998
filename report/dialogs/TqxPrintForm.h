#pragma once

#include "report/dialogs/PrinterPropertiesDialog.h"
#include "report/output/PrintParameters.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tovren::output {
class TqxPrinter;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

class CollatePicture;

/// The print dialog: printer, pages, copies, collation and odd or even pages.
///
/// Choosing a printer makes it active in the printer layer at once, so the properties button
/// acts on it; cancelling the dialog puts the printer that was active before back, accepting
/// keeps the choice. It accepts only a copy count and a page range the print can use, and
/// explains through the dialog provider what is wrong otherwise.
class TqxPrintForm : public QDialog
{
    Q_OBJECT
public:
    /// Neither @p printerLayer nor @p dialogs is owned; both must outlive the dialog.
    TqxPrintForm(output::TqxPrinter &printerLayer, platform::DialogProvider &dialogs,
                 QWidget *parent = nullptr);
    ~TqxPrintForm() override;

    void setCopies(int copies);
    void setCollate(bool collate);
    /// The page the preview shows, for the current-page choice, and the report's page count,
    /// against which a typed range is checked.
    void setCurrentPage(int pageNumber) { m_currentPage = pageNumber; }
    void setPageCount(int pageCount) { m_pageCount = pageCount; }
    /// The properties dialog of the active printer; PrinterPropertiesDialog unless replaced,
    /// and with an empty handler the button is off.
    void setDevicePropertiesHandler(std::function<void()> handler);
    /// Where the properties dialog finds the printers' calibration; none offers no calibration.
    void setCalibrationAccess(const PrinterCalibrationAccess &access) { m_calibration = access; }

    /// The printer index that was active when the dialog opened.
    int oldPrinterIndex() const { return m_oldIndex; }
    /// What the person chose; meaningful after the dialog was accepted.
    output::PrintParameters printParameters() const;

    void done(int result) override;

private:
    void buildPrinterGroup();
    void buildRangeGroup();
    void buildCopiesGroup();
    void stepCopies(int step);
    bool validate();
    bool eventFilter(QObject *watched, QEvent *event) override;

    output::TqxPrinter &m_layer;
    platform::DialogProvider &m_dialogs;
    std::function<void()> m_propertiesHandler;
    PrinterCalibrationAccess m_calibration;
    int m_oldIndex = 0;
    int m_currentPage = 1;
    int m_pageCount = 0;

    QComboBox *m_printers = nullptr;
    QWidget *m_propertiesButton = nullptr;
    QRadioButton *m_allPages = nullptr;
    QRadioButton *m_currentPageButton = nullptr;
    QRadioButton *m_rangeButton = nullptr;
    QLineEdit *m_range = nullptr;
    QLineEdit *m_copies = nullptr;
    QCheckBox *m_collate = nullptr;
    CollatePicture *m_collatePicture = nullptr;
    QComboBox *m_parity = nullptr;
};

} // namespace tovren::dialogs
