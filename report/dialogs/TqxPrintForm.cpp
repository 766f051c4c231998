#include "report/dialogs/TqxPrintForm.h"

#include "report/dialogs/CollatePicture.h"
#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/ToggleLabel.h"
#include "report/output/PageSelection.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace tovren::dialogs {

namespace {

constexpr int kOkCaption = 55000;
constexpr int kCancelCaption = 55001;
constexpr int kErrorCaption = 55206;
constexpr QSize kClientSize(485, 226);

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TqxPrintForm::TqxPrintForm(output::TqxPrinter &printerLayer, platform::DialogProvider &dialogs,
                           QWidget *parent)
    : QDialog(parent)
    , m_layer(printerLayer)
    , m_dialogs(dialogs)
{
    setWindowTitle(text("打印"));
    auto *layout = new QVBoxLayout(this);
    buildPrinterGroup();
    auto *middle = new QHBoxLayout;
    buildRangeGroup();
    buildCopiesGroup();
    middle->addWidget(findChild<QGroupBox *>(QStringLiteral("GroupBox2")));
    middle->addWidget(findChild<QGroupBox *>(QStringLiteral("GroupBox3")));
    layout->addWidget(findChild<QGroupBox *>(QStringLiteral("GroupBox1")));
    layout->addLayout(middle);

    auto *bottom = new QHBoxLayout;
    m_parity = new QComboBox;
    m_parity->setObjectName(QStringLiteral("CB2"));
    m_parity->addItems({text("全部页"), text("奇数页"), text("偶数页")});
    m_parity->setCurrentIndex(0);
    bottom->addWidget(buddyLabel(text("打印(&r)"), m_parity, "Label5"));
    bottom->addSpacing(11);
    bottom->addWidget(m_parity);
    bottom->addStretch();
    auto *ok = new QPushButton(platform::LoadLibraryString(kOkCaption));
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(platform::LoadLibraryString(kCancelCaption));
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    setFixedSize(sizeHint().expandedTo(kClientSize));
    m_copies->setFocus();
}

TqxPrintForm::~TqxPrintForm() = default;

void TqxPrintForm::buildPrinterGroup()
{
    auto *group = new QGroupBox(text("打印机"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_printers = new QComboBox;
    m_printers->setObjectName(QStringLiteral("CB1"));
    m_printers->setIconSize(QSize(18, 16));
    const QIcon icon = printerIcon();
    for (const QString &name : m_layer.printerNames())
        m_printers->addItem(icon, name);
    m_oldIndex = m_layer.activeIndex();
    m_printers->setCurrentIndex(m_oldIndex);
    // The layer's list is in the same order, virtual printer last.
    connect(m_printers, &QComboBox::activated, this,
            [this](int index) { m_layer.SelectPrinter(index); });

    auto *properties = new QPushButton(text("属性"));
    properties->setObjectName(QStringLiteral("PropButton"));
    connect(properties, &QPushButton::clicked, this, [this] {
        if (m_propertiesHandler)
            m_propertiesHandler();
    });
    m_propertiesButton = properties;
    setDevicePropertiesHandler([this] {
        PrinterPropertiesDialog dialog(m_layer, m_calibration, this);
        dialog.exec();
    });

    auto *row = new QHBoxLayout(group);
    row->addWidget(buddyLabel(text("名称(&N):"), m_printers, "Label4"));
    row->addWidget(m_printers, 1);
    row->addWidget(properties);
}

void TqxPrintForm::buildRangeGroup()
{
    auto *group = new QGroupBox(text("页范围"), this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    m_allPages = new QRadioButton(text("全部(&A)"));
    m_allPages->setObjectName(QStringLiteral("RB1"));
    m_allPages->setChecked(true);
    m_currentPageButton = new QRadioButton(text("当前页(&g)"));
    m_currentPageButton->setObjectName(QStringLiteral("RB2"));
    m_rangeButton = new QRadioButton(text("页(&P):"));
    m_rangeButton->setObjectName(QStringLiteral("RB3"));
    m_range = new QLineEdit;
    m_range->setObjectName(QStringLiteral("E2"));
    m_range->installEventFilter(this);
    connect(m_rangeButton, &QRadioButton::clicked, m_range, [this] { m_range->setFocus(); });
    auto *hint = new QLabel(text("输入页号或页范围,逗号分隔.例如: 1,3,5-12"));
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setWordWrap(true);

    auto *grid = new QGridLayout(group);
    grid->addWidget(m_allPages, 0, 0, 1, 2);
    grid->addWidget(m_currentPageButton, 1, 0, 1, 2);
    grid->addWidget(m_rangeButton, 2, 0);
    grid->addWidget(m_range, 2, 1);
    grid->addWidget(hint, 3, 0, 1, 2);
}

void TqxPrintForm::buildCopiesGroup()
{
    auto *group = new QGroupBox(text("打印份数"), this);
    group->setObjectName(QStringLiteral("GroupBox3"));
    m_copies = new QLineEdit(QStringLiteral("1"));
    m_copies->setObjectName(QStringLiteral("E1"));
    m_copies->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), m_copies));

    auto *up = new QToolButton;
    up->setObjectName(QStringLiteral("qxSpeedButton1"));
    up->setArrowType(Qt::UpArrow);
    auto *down = new QToolButton;
    down->setObjectName(QStringLiteral("qxSpeedButton2"));
    down->setArrowType(Qt::DownArrow);
    for (QToolButton *button : {up, down})
        button->setFixedSize(16, 11);
    connect(up, &QToolButton::clicked, this, [this] { stepCopies(+1); });
    connect(down, &QToolButton::clicked, this, [this] { stepCopies(-1); });
    auto *spin = new QWidget;
    spin->setObjectName(QStringLiteral("Panel1"));
    auto *spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    spinLayout->addWidget(up);
    spinLayout->addWidget(down);

    m_collate = new QCheckBox;
    m_collate->setObjectName(QStringLiteral("CollateCB"));
    m_collate->setChecked(true);
    auto *collateLabel = new ToggleLabel(text("对齐(&l)"), m_collate);
    collateLabel->setObjectName(QStringLiteral("Label3"));
    m_collatePicture = new CollatePicture;
    m_collatePicture->setObjectName(QStringLiteral("PB1"));
    connect(m_collate, &QCheckBox::toggled, m_collatePicture, &CollatePicture::setCollated);

    auto *grid = new QGridLayout(group);
    grid->addWidget(buddyLabel(text("打印份数(&c):"), m_copies, "Label1"), 0, 0);
    grid->addWidget(m_copies, 0, 1);
    grid->addWidget(spin, 0, 2);
    auto *collateRow = new QHBoxLayout;
    collateRow->addWidget(m_collate);
    collateRow->addWidget(collateLabel);
    collateRow->addStretch();
    grid->addLayout(collateRow, 1, 0, 1, 3);
    grid->addWidget(m_collatePicture, 0, 3, 2, 1);
}

void TqxPrintForm::setCopies(int copies)
{
    m_copies->setText(QString::number(std::max(1, copies)));
}

void TqxPrintForm::setCollate(bool collate)
{
    m_collate->setChecked(collate);
}

void TqxPrintForm::setDevicePropertiesHandler(std::function<void()> handler)
{
    m_propertiesHandler = std::move(handler);
    m_propertiesButton->setEnabled(bool(m_propertiesHandler));
}

void TqxPrintForm::stepCopies(int step)
{
    // An empty box counts as none, so either button starts again from one copy.
    const qint64 copies = m_copies->text().toLongLong() + step;
    m_copies->setText(
        QString::number(std::clamp<qint64>(copies, 1, std::numeric_limits<int>::max())));
}

bool TqxPrintForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_range && event->type() == QEvent::FocusIn)
        m_rangeButton->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

output::PrintParameters TqxPrintForm::printParameters() const
{
    output::PrintParameters parameters;
    if (m_currentPageButton->isChecked())
        parameters.pageRangeText = QString::number(m_currentPage);
    else if (m_rangeButton->isChecked())
        parameters.pageRangeText = m_range->text();
    parameters.copies = m_copies->text().toInt();
    parameters.collate = m_collate->isChecked();
    parameters.pageParity = output::PrintParameters::parityFromIndex(m_parity->currentIndex());
    return parameters;
}

bool TqxPrintForm::validate()
{
    const QString caption = platform::LoadLibraryString(kErrorCaption);
    bool copiesOk = false;
    const int copies = m_copies->text().toInt(&copiesOk);
    if (!copiesOk || copies < 1) {
        m_dialogs.messageBox(text("打印份数必须是正整数"), caption, platform::mb_IconError);
        m_copies->setFocus();
        return false;
    }
    QString error;
    if (!output::PageSelection::ExpandPageRanges(printParameters().pageRangeText, m_pageCount,
                                                 &error)) {
        m_dialogs.messageBox(text("页范围无效: ") + error, caption, platform::mb_IconError);
        m_range->setFocus();
        return false;
    }
    return true;
}

void TqxPrintForm::done(int result)
{
    if (result == QDialog::Accepted && !validate())
        return;
    // Only a cancelled dialog undoes the printer choice. Losing activation is no sign of that:
    // the printer's own properties dialog takes it while the choice is still being made.
    if (result != QDialog::Accepted)
        m_layer.SelectPrinter(m_oldIndex);
    QDialog::done(result);
}

} // namespace tovren::dialogs
