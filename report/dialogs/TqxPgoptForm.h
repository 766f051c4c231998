#pragma once

#include "report/dialogs/PageOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace tovren::output {
class TqxPrinter;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

/// The page options dialog: paper, orientation and source, margins, columns and the
/// designer's unlimited height, shown as PageOptions.
///
/// It offers the papers and sources of the active printer, so the caller builds the
/// PageOptions and applies them with the same printer's lists. OK is refused, with a message
/// through the dialog provider, while the column count is unusable; the other boxes fall back
/// as PageOptions::applyTo() says.
class TqxPgoptForm : public QDialog
{
    Q_OBJECT
public:
    /// Neither @p printer nor @p dialogs is owned; both must outlive the dialog.
    TqxPgoptForm(const output::TqxPrinter &printer, platform::DialogProvider &dialogs,
                 QWidget *parent = nullptr);
    ~TqxPgoptForm() override;

    void setOptions(const PageOptions &options);
    PageOptions options() const;

    void done(int result) override;

private:
    QWidget *buildPaperTab();
    QWidget *buildSourceTab();
    QWidget *buildMarginsTab();
    QWidget *buildOptionsTab();
    void applyPaperRule();
    void showOrientationPicture();
    void stepColumns(int step);

    const output::TqxPrinter &m_printer;
    platform::DialogProvider &m_dialogs;

    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QLabel *m_portraitPicture = nullptr;
    QLabel *m_landscapePicture = nullptr;
    QComboBox *m_papers = nullptr;
    QLabel *m_widthLabel = nullptr;
    QLineEdit *m_width = nullptr;
    QLabel *m_heightLabel = nullptr;
    QLineEdit *m_height = nullptr;
    QCheckBox *m_unlimitedHeight = nullptr;
    QListWidget *m_bins = nullptr;
    QLineEdit *m_left = nullptr;
    QLineEdit *m_top = nullptr;
    QLineEdit *m_right = nullptr;
    QLineEdit *m_bottom = nullptr;
    QCheckBox *m_stretch = nullptr;
    QCheckBox *m_printToPrevPage = nullptr;
    QLineEdit *m_columns = nullptr;
    QLineEdit *m_columnGap = nullptr;
};

} // namespace tovren::dialogs
