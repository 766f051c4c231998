#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tovren::preview {

/// What the operator asked to find.
struct PreviewSearchRequest
{
    QString text;
    bool matchCase = false;
    /// Start at the current page instead of the first.
    bool fromCurrentPage = false;
};

/// The find-text dialog. A new one is made for every search, so its options always start at
/// their defaults: case ignored, from the first page.
class TqxPreviewSearchForm : public QDialog
{
    Q_OBJECT
public:
    explicit TqxPreviewSearchForm(QWidget *parent = nullptr);

    PreviewSearchRequest request() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_text = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QRadioButton *m_fromFirst = nullptr;
    QRadioButton *m_fromCurrent = nullptr;
};

} // namespace tovren::preview
