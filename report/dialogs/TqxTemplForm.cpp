#include "report/dialogs/TqxTemplForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/ReportMessageBoxes.h"
#include "report/engine/TqxReport.h"
#include "report/model/PictureGraphic.h"
#include "report/platform/StringTable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr QSize kPictureSize(100, 100);
constexpr QSize kIconSize(28, 32);
constexpr QSize kIconCell(104, 64);
constexpr QSize kListSize(340, 280);
constexpr int kDescriptionWidth = 200;
constexpr int kPathRole = Qt::UserRole;

} // namespace

TqxTemplForm::TqxTemplForm(engine::TqxReport &report, platform::DialogProvider &dialogs,
                           const TemplateGallery &gallery, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
    , m_dialogs(dialogs)
{
    setWindowTitle(platform::LoadLibraryString(53318));

    m_list = named<QListWidget>("LB1");
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(kIconSize);
    m_list->setGridSize(kIconCell);
    m_list->setWordWrap(true);
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFixedSize(kListSize);

    auto *group = named<QGroupBox>("GroupBox1", platform::LoadLibraryString(53319));
    m_description = named<QPlainTextEdit>("Memo1");
    m_description->setReadOnly(true);
    m_description->setFrameShape(QFrame::NoFrame);
    m_description->setFocusPolicy(Qt::NoFocus);
    m_description->setBackgroundRole(QPalette::Button);
    m_description->viewport()->setBackgroundRole(QPalette::Button);
    m_description->setFixedWidth(kDescriptionWidth);
    m_picture = named<QLabel>("Image1");
    m_picture->setFixedSize(kPictureSize);
    m_picture->setAlignment(Qt::AlignCenter);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_description, 1);
    groupLayout->addWidget(m_picture, 0, Qt::AlignHCenter);

    auto *content = new QHBoxLayout;
    content->addWidget(m_list);
    content->addWidget(group);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(content);
    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    m_ok = buttons.ok;
    m_ok->setObjectName(QStringLiteral("Button1"));
    buttons.cancel->setObjectName(QStringLiteral("Button2"));
    fixDialogSize(*this);

    fillList(gallery);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TqxTemplForm::selectionChanged);
    connect(m_list, &QListWidget::itemPressed, this, &TqxTemplForm::scheduleDescription);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
}

TqxTemplForm::~TqxTemplForm() = default;

void TqxTemplForm::fillList(const TemplateGallery &gallery)
{
    const QIcon icon = reportPageIcon();
    for (const GalleryEntry &entry : gallery.entries()) {
        auto *item = new QListWidgetItem(icon, entry.caption, m_list); // the list owns its rows
        item->setData(kPathRole, entry.filePath);
        item->setToolTip(entry.filePath);
    }
    m_ok->setEnabled(false);
}

QString TqxTemplForm::selectedFile() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(kPathRole).toString();
}

void TqxTemplForm::selectionChanged()
{
    // A click beside the entries clears the selection: OK goes, but the last description
    // stays on view.
    const bool selected = !m_list->selectedItems().isEmpty();
    m_ok->setEnabled(selected);
    if (selected)
        scheduleDescription();
}

void TqxTemplForm::scheduleDescription()
{
    // A click on a new entry both changes the selection and presses the entry; the file is
    // read once for the two, after both have been told.
    if (m_descriptionPending)
        return;
    m_descriptionPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_descriptionPending = false;
            showDescription();
        },
        Qt::QueuedConnection);
}

void TqxTemplForm::showDescription()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    QStringList lines;
    model::PictureGraphic picture;
    bool read = false;
    {
        const ReportMessagesScope messages(m_report, m_dialogs);
        read = m_report.LoadTemplateWithDescription(file, lines, picture, false);
    }
    // A file that could not be read shows nothing rather than the previous entry's text.
    m_description->setPlainText(read ? lines.join(u'\n') : QString());
    m_picture->setPixmap(read ? pixmapWithin(picture.image(), kPictureSize) : QPixmap());
}

void TqxTemplForm::done(int result)
{
    if (result == QDialog::Accepted) {
        const QString file = selectedFile();
        if (file.isEmpty())
            return;
        m_templateFileName = file;
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
