#include "report/dialogs/TqxTemplNewForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/StringTable.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr QSize kPanelSize(88, 89);
constexpr QSize kDescriptionSize(260, 120);

QString str(int id)
{
    return platform::LoadLibraryString(id);
}

QString pictureFilter()
{
    // Bitmaps first: only they are kept with the template; the others can be looked at.
    return str(55217) + QStringLiteral(" (*.bmp);;") + str(55216) +
           QStringLiteral(" (*.bmp *.png *.jpg *.jpeg)");
}

QString notStoredText()
{
    return QStringLiteral("此图片不会随模板保存,\n模板只保存位图(*.bmp)");
}

} // namespace

TqxTemplNewForm::TqxTemplNewForm(platform::DialogProvider &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
{
    setWindowTitle(str(53320));
    m_description = named<QPlainTextEdit>("Memo1");
    m_description->setTabChangesFocus(true);
    m_description->setFixedSize(kDescriptionSize);
    auto *descriptionLabel = buddyLabel(str(53321), m_description, "Label1");

    auto *icon = named<QGroupBox>("GroupBox2", str(53322));
    auto *panel = named<QFrame>("Panel1");
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panel->setFixedSize(kPanelSize);
    m_image = named<QLabel>("Image1");
    m_image->setAlignment(Qt::AlignCenter);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(m_image);
    auto *browseButton = named<QPushButton>("Button1", str(53323));
    connect(browseButton, &QPushButton::clicked, this, &TqxTemplNewForm::browse);
    m_notStored = named<QLabel>("NotStoredLabel", notStoredText());
    m_notStored->setAlignment(Qt::AlignCenter);
    // The note's room is kept while it is empty, so the window does not change its size.
    m_notStored->setFixedSize(m_notStored->sizeHint());
    m_notStored->clear();
    auto *iconLayout = new QVBoxLayout(icon);
    iconLayout->addWidget(panel, 0, Qt::AlignHCenter);
    iconLayout->addWidget(browseButton);
    iconLayout->addWidget(m_notStored);
    iconLayout->addStretch();

    auto *descriptionColumn = new QVBoxLayout;
    descriptionColumn->addWidget(descriptionLabel);
    descriptionColumn->addWidget(m_description);
    descriptionColumn->addStretch();
    auto *content = new QHBoxLayout;
    content->addLayout(descriptionColumn);
    content->addWidget(icon);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(content);
    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    buttons.ok->setObjectName(QStringLiteral("Button2"));
    buttons.cancel->setObjectName(QStringLiteral("Button3"));
    fixDialogSize(*this);
}

TqxTemplNewForm::~TqxTemplNewForm() = default;

QStringList TqxTemplNewForm::description() const
{
    const QString text = m_description->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void TqxTemplNewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_description->setFocus();
}

void TqxTemplNewForm::browse()
{
    const QString fileName = m_dialogs.openFileName(str(53322), pictureFilter());
    if (!fileName.isEmpty())
        loadPicture(fileName);
}

bool TqxTemplNewForm::loadPicture(const QString &fileName)
{
    model::PictureGraphic bitmap;
    QImage shown;
    QString error;
    if (model::PictureGraphic::kindForExtension(QFileInfo(fileName).suffix()) ==
        model::PictureGraphic::Kind::Bitmap) {
        if (bitmap.loadFromFile(fileName))
            shown = bitmap.image();
        else
            error = bitmap.errorString();
    } else {
        QImageReader reader(fileName);
        shown = reader.read();
        if (shown.isNull())
            error = reader.errorString();
    }
    if (shown.isNull()) {
        m_dialogs.messageBox(QStringLiteral("无法读入图片文件 %1\n%2").arg(fileName, error),
                             errorCaption(), platform::mb_IconError);
        return false;
    }
    m_picture = bitmap;
    m_image->setPixmap(pixmapWithin(shown, kPanelSize - QSize(2, 2)));
    m_notStored->setText(m_picture.isEmpty() ? notStoredText() : QString());
    return true;
}

} // namespace tovren::dialogs
