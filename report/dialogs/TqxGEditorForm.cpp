#include "report/dialogs/TqxGEditorForm.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/PictureFileReader.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/MessageBox.h"
#include "report/platform/StringTable.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tovren::dialogs {

/// The picture as the editor shows it: stretched over the box when larger, its own size and
/// centred when smaller, "[无]" when there is none, and a note for a picture that is kept but
/// cannot be shown.
class PicturePreview : public QWidget
{
public:
    explicit PicturePreview(QWidget *parent = nullptr)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("PB1"));
        setMinimumSize(320, 240);
    }

    void setPicture(const model::PictureGraphic &picture)
    {
        m_image = picture.image();
        m_keptUndrawn = picture.isKeptUndrawn();
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().base());
        if (m_image.isNull()) {
            painter.setPen(palette().text().color());
            const QString none = m_keptUndrawn ? QStringLiteral("图元文件：保留原样，此处无法显示")
                                               : platform::LoadLibraryString(55076);
            const int x = (width() - painter.fontMetrics().horizontalAdvance(none)) / 2;
            painter.drawText(x, 100, none);
            return;
        }
        if (m_image.width() > width() || m_image.height() > height()) {
            painter.drawImage(rect(), m_image);
            return;
        }
        const QPoint corner((width() - m_image.width()) / 2, (height() - m_image.height()) / 2);
        painter.drawImage(corner, m_image);
    }

private:
    QImage m_image;
    bool m_keptUndrawn = false;
};

TqxGEditorForm::TqxGEditorForm(const PictureEdit &edit, platform::DialogProvider &dialogs,
                               QWidget *parent)
    : QDialog(parent)
    , m_edit(edit)
    , m_dialogs(dialogs)
    , m_preview(new PicturePreview)
    , m_stretched(named<QCheckBox>("StretchCB", QStringLiteral("拉伸(&S)")))
    , m_center(named<QCheckBox>("CenterCB", QStringLiteral("居中(&E)")))
    , m_keepAspect(named<QCheckBox>("AspectCB", QStringLiteral("保持纵横比(&K)")))
{
    setWindowTitle(platform::LoadLibraryString(53460));
    auto *box = new QScrollArea;
    box->setWidget(m_preview);
    box->setWidgetResizable(true);
    box->setMinimumSize(340, 260);

    auto *load = named<QPushButton>("Button3", platform::LoadLibraryString(53462));
    auto *clear = named<QPushButton>("Button4", platform::LoadLibraryString(53463));
    connect(load, &QPushButton::clicked, this, &TqxGEditorForm::chooseFile);
    connect(clear, &QPushButton::clicked, this, &TqxGEditorForm::clearPicture);
    m_stretched->setChecked(m_edit.stretched);
    m_center->setChecked(m_edit.center);
    m_keepAspect->setChecked(m_edit.keepAspect);
    // Keeping the proportions matters only while the picture is stretched.
    m_keepAspect->setEnabled(m_edit.stretched);
    connect(m_stretched, &QCheckBox::toggled, m_keepAspect, &QWidget::setEnabled);

    auto *side = new QVBoxLayout;
    side->addWidget(load);
    side->addWidget(clear);
    side->addSpacing(12);
    side->addWidget(m_stretched);
    side->addWidget(m_center);
    side->addWidget(m_keepAspect);
    side->addStretch(1);
    auto *columns = new QHBoxLayout;
    columns->addWidget(box, 1);
    columns->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);
    showPicture();
}

TqxGEditorForm::~TqxGEditorForm() = default;

PictureEdit TqxGEditorForm::edit() const
{
    PictureEdit chosen = m_edit;
    chosen.stretched = m_stretched->isChecked();
    chosen.center = m_center->isChecked();
    chosen.keepAspect = m_keepAspect->isChecked();
    return chosen;
}

void TqxGEditorForm::chooseFile()
{
    const QString fileName =
        m_dialogs.openFileName(platform::LoadLibraryString(53460), PictureFileReader::fileFilter());
    if (!fileName.isEmpty())
        loadFile(fileName);
}

bool TqxGEditorForm::loadFile(const QString &fileName)
{
    QString problem;
    const std::optional<model::PictureGraphic> picture = PictureFileReader::read(fileName, problem);
    if (!picture) {
        m_dialogs.messageBox(problem, errorCaption(), platform::mb_Ok | platform::mb_IconError);
        return false;
    }
    m_edit.picture = *picture;
    showPicture();
    return true;
}

void TqxGEditorForm::clearPicture()
{
    m_edit.picture.clear();
    showPicture();
}

void TqxGEditorForm::pasteFromClipboard()
{
    if (const std::optional<model::PictureGraphic> picture =
            PictureFileReader::fromImage(QGuiApplication::clipboard()->image())) {
        m_edit.picture = *picture;
        showPicture();
    }
}

void TqxGEditorForm::keyPressEvent(QKeyEvent *event)
{
    const bool paste = (event->key() == Qt::Key_V && event->modifiers() == Qt::ControlModifier) ||
                       (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier);
    if (paste) {
        pasteFromClipboard();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TqxGEditorForm::showPicture()
{
    m_preview->setPicture(m_edit.picture);
}

} // namespace tovren::dialogs
