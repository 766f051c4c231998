#pragma once

#include "report/model/PictureGraphic.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

/// Asks for the description and the icon of a report being saved as a gallery template.
///
/// The icon is chosen through the dialog provider; other pictures than bitmaps are shown but
/// a template keeps only a bitmap, so picture() is empty for them and the dialog says so.
/// Nothing is required: an empty description and no picture are both fine.
class TqxTemplNewForm : public QDialog
{
    Q_OBJECT
public:
    /// @p dialogs is not owned and must outlive the dialog.
    explicit TqxTemplNewForm(platform::DialogProvider &dialogs, QWidget *parent = nullptr);
    ~TqxTemplNewForm() override;

    QStringList description() const;
    /// The bitmap to store with the template, or an empty graphic.
    const model::PictureGraphic &picture() const { return m_picture; }

    /// Shows the picture of @p fileName; a bitmap becomes picture(), any other picture leaves
    /// picture() empty. False, after a message, when the file cannot be read; the picture
    /// shown before stays.
    bool loadPicture(const QString &fileName);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void browse();

    platform::DialogProvider &m_dialogs;
    QPlainTextEdit *m_description = nullptr;
    QLabel *m_image = nullptr;
    QLabel *m_notStored = nullptr;
    model::PictureGraphic m_picture;
};

} // namespace tovren::dialogs
