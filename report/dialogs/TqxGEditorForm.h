#pragma once

#include "report/dialogs/PictureEdit.h"

#include <QDialog>

class QCheckBox;

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

class PicturePreview;

/// The picture editor: loads a picture from a file or the clipboard, clears it, and sets how
/// it fits the object's frame. A file that cannot be used is refused with a message, and the
/// picture shown stays as it was.
class TqxGEditorForm : public QDialog
{
    Q_OBJECT
public:
    /// @p dialogs opens the file dialog and shows the messages; it must outlive the dialog.
    TqxGEditorForm(const PictureEdit &edit, platform::DialogProvider &dialogs,
                   QWidget *parent = nullptr);
    ~TqxGEditorForm() override;

    PictureEdit edit() const;
    /// Loads @p fileName into the picture shown; false (after telling the person) when refused.
    bool loadFile(const QString &fileName);
    void clearPicture();
    /// Takes the desktop clipboard's picture, if it holds one.
    void pasteFromClipboard();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void chooseFile();
    void showPicture();

    PictureEdit m_edit;
    platform::DialogProvider &m_dialogs;
    PicturePreview *m_preview;
    QCheckBox *m_stretched;
    QCheckBox *m_center;
    QCheckBox *m_keepAspect;
};

} // namespace tovren::dialogs
