#pragma once

#include "report/dialogs/TemplateGallery.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tovren::engine {
class TqxReport;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

/// The template chooser of a new report: the gallery's templates as large icons, with the
/// description and picture of the one selected, read from its file at every click.
///
/// OK is enabled only while a template is selected, and a double-click on it accepts; after
/// OK templateFileName() names the chosen file, which the caller loads into the report. A
/// file that cannot be read is explained in a message box and the chooser stays open.
class TqxTemplForm : public QDialog
{
    Q_OBJECT
public:
    /// @p report reads the descriptions and @p dialogs shows what goes wrong; neither is
    /// owned and both must outlive the dialog.
    TqxTemplForm(engine::TqxReport &report, platform::DialogProvider &dialogs,
                 const TemplateGallery &gallery = TemplateGallery(), QWidget *parent = nullptr);
    ~TqxTemplForm() override;

    /// The full name of the chosen template; empty until the dialog is accepted.
    QString templateFileName() const { return m_templateFileName; }

    void done(int result) override;

private:
    void fillList(const TemplateGallery &gallery);
    void selectionChanged();
    void scheduleDescription();
    void showDescription();
    QString selectedFile() const;

    engine::TqxReport &m_report;
    platform::DialogProvider &m_dialogs;
    QListWidget *m_list = nullptr;
    QPlainTextEdit *m_description = nullptr;
    QLabel *m_picture = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_templateFileName;
    bool m_descriptionPending = false;
};

} // namespace tovren::dialogs
