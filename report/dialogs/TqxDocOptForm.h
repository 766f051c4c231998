#pragma once

#include "report/dialogs/ReportOptions.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace tovren::dialogs {

/// The report options dialog: the printer the report prints on, two passes, protection and
/// the report's descriptive texts, shown as ReportOptions.
///
/// The printer list is the printer layer's, virtual printer last; the report's printer is
/// selected in it when listed, otherwise the active printer. Nothing is checked: the caller
/// applies the options, and with them the password questions, after OK.
class TqxDocOptForm : public QDialog
{
    Q_OBJECT
public:
    TqxDocOptForm(const QStringList &printerNames, int activePrinterIndex,
                  QWidget *parent = nullptr);
    ~TqxDocOptForm() override;

    void setOptions(const ReportOptions &options);
    ReportOptions options() const;

private:
    QWidget *buildGeneralTab();
    QWidget *buildDocumentTab();

    int m_activePrinterIndex;
    QCheckBox *m_chooseOnLoad = nullptr;
    QListWidget *m_printers = nullptr;
    QCheckBox *m_twoPass = nullptr;
    QCheckBox *m_protected = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_author = nullptr;
    QLineEdit *m_major = nullptr;
    QLineEdit *m_minor = nullptr;
    QLineEdit *m_release = nullptr;
    QLineEdit *m_build = nullptr;
    QPlainTextEdit *m_comment = nullptr;
    QLabel *m_created = nullptr;
    QLabel *m_changed = nullptr;
};

} // namespace tovren::dialogs
