#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace tovren::dialogs {

/// The display format dialog ("变量格式"): a category, a format of it, and for numbers the
/// decimals and the separator, for the custom entry a pattern. The caller sets the code and
/// pattern, runs the dialog and reads both back after OK (FormatCodes has the rules).
///
/// Switching the category or format shows again the values the dialog was opened with, never
/// what was typed before the switch.
class TqxFmtForm : public QDialog
{
    Q_OBJECT
public:
    explicit TqxFmtForm(QWidget *parent = nullptr);

    void setFormat(qint32 displayFormat, const QString &customFormat);
    qint32 displayFormat() const { return m_displayFormat; }
    QString customFormat() const { return m_customFormat; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillFormatList();
    void updateControls();
    int selectedCategory() const;
    int selectedFormat() const;

    qint32 m_displayFormat = 0;
    QString m_customFormat;
    QListWidget *m_categories;
    QListWidget *m_formats;
    QLabel *m_decimalsLabel;
    QLineEdit *m_decimals;
    QLabel *m_separatorLabel;
    QLineEdit *m_separator;
    QLabel *m_patternLabel;
    QLineEdit *m_pattern;
};

} // namespace tovren::dialogs
