#include "report/dialogs/TqxPgoptForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/model/PaperSelector.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/StringTable.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace tovren::dialogs {

namespace {

QString str(int id)
{
    return platform::LoadLibraryString(id);
}

constexpr int kPaperDropDownWidth = 200;
constexpr int kNumberBoxWidth = 70;

QLineEdit *numberBox(const char *objectName)
{
    auto *box = named<QLineEdit>(objectName);
    box->setFixedWidth(kNumberBoxWidth);
    return box;
}

QToolButton *spinButton(const char *objectName, Qt::ArrowType arrow)
{
    auto *button = named<QToolButton>(objectName);
    button->setArrowType(arrow);
    button->setFixedSize(16, 11);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

TqxPgoptForm::TqxPgoptForm(const output::TqxPrinter &printer, platform::DialogProvider &dialogs,
                           QWidget *parent)
    : QDialog(parent)
    , m_printer(printer)
    , m_dialogs(dialogs)
{
    setWindowTitle(str(53390));
    auto *layout = new QVBoxLayout(this);
    auto *tabs = named<QTabWidget>("PageControl1");
    tabs->addTab(buildPaperTab(), str(53391));
    tabs->addTab(buildSourceTab(), str(53411));
    tabs->addTab(buildMarginsTab(), str(53398));
    tabs->addTab(buildOptionsTab(), str(53405));
    layout->addWidget(tabs);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);

    connect(m_portrait, &QRadioButton::toggled, this, &TqxPgoptForm::showOrientationPicture);
    connect(m_papers, &QComboBox::currentIndexChanged, this, &TqxPgoptForm::applyPaperRule);
    setOptions(PageOptions{});
}

TqxPgoptForm::~TqxPgoptForm() = default;

QWidget *TqxPgoptForm::buildPaperTab()
{
    auto *tab = named<QWidget>("TabSheet1");

    auto *orientation = named<QGroupBox>("GroupBox2", str(53392));
    m_portrait = named<QRadioButton>("RB1", str(53393));
    m_landscape = named<QRadioButton>("RB2", str(53394));
    m_portraitPicture = named<QLabel>("imgPortrait");
    m_portraitPicture->setPixmap(portraitPicture());
    m_landscapePicture = named<QLabel>("imgLandScape");
    m_landscapePicture->setPixmap(landscapePicture());
    // One of the two shows at a time; both are the same size, so the window keeps its size.
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(m_portraitPicture);
    pictures->addWidget(m_landscapePicture);
    auto *choices = new QVBoxLayout;
    choices->addWidget(m_portrait);
    choices->addWidget(m_landscape);
    auto *orientationRow = new QHBoxLayout(orientation);
    orientationRow->addLayout(choices);
    orientationRow->addStretch();
    orientationRow->addLayout(pictures);

    auto *size = named<QGroupBox>("GroupBox3", str(53395));
    m_papers = named<QComboBox>("ComB1");
    m_papers->addItems(m_printer.paperTitles());
    m_papers->setMaxVisibleItems(16);
    m_papers->view()->setMinimumWidth(kPaperDropDownWidth);
    m_width = numberBox("E1");
    m_height = numberBox("E2");
    m_widthLabel = buddyLabel(str(53396), m_width, "Label1");
    m_heightLabel = buddyLabel(str(53397), m_height, "Label2");
    auto *sizeGrid = new QGridLayout(size);
    sizeGrid->addWidget(m_papers, 0, 0, 1, 2);
    sizeGrid->addWidget(m_widthLabel, 1, 0);
    sizeGrid->addWidget(m_width, 1, 1);
    sizeGrid->addWidget(m_heightLabel, 2, 0);
    sizeGrid->addWidget(m_height, 2, 1);

    m_unlimitedHeight = named<QCheckBox>("CB2", str(53413));

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(orientation);
    layout->addWidget(size);
    layout->addWidget(m_unlimitedHeight);
    layout->addStretch();
    return tab;
}

QWidget *TqxPgoptForm::buildSourceTab()
{
    auto *tab = named<QWidget>("TabSheet4");
    auto *group = named<QGroupBox>("GroupBox6", str(53412));
    m_bins = named<QListWidget>("BinList");
    m_bins->addItems(m_printer.binTitles());
    (new QVBoxLayout(group))->addWidget(m_bins);
    (new QVBoxLayout(tab))->addWidget(group);
    return tab;
}

QWidget *TqxPgoptForm::buildMarginsTab()
{
    auto *tab = named<QWidget>("TabSheet2");
    auto *group = named<QGroupBox>("GroupBox4", str(53399));
    m_left = numberBox("E3");
    m_top = numberBox("E4");
    m_right = numberBox("E5");
    m_bottom = numberBox("E6");
    auto *grid = new QGridLayout(group);
    grid->addWidget(buddyLabel(str(53400), m_left, "Label3"), 0, 0);
    grid->addWidget(m_left, 0, 1);
    grid->addWidget(buddyLabel(str(53401), m_top, "Label4"), 1, 0);
    grid->addWidget(m_top, 1, 1);
    grid->addWidget(buddyLabel(str(53402), m_right, "Label5"), 0, 2);
    grid->addWidget(m_right, 0, 3);
    grid->addWidget(buddyLabel(str(53403), m_bottom, "Label6"), 1, 2);
    grid->addWidget(m_bottom, 1, 3);
    grid->setColumnMinimumWidth(2, 0);
    grid->setHorizontalSpacing(12);

    m_stretch = named<QCheckBox>("CB5", str(53404));
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(group);
    layout->addWidget(m_stretch);
    layout->addStretch();
    return tab;
}

QWidget *TqxPgoptForm::buildOptionsTab()
{
    auto *tab = named<QWidget>("TabSheet3");
    auto *options = named<QGroupBox>("GroupBox1", str(53406));
    m_printToPrevPage = named<QCheckBox>("CB1", str(53407));
    (new QVBoxLayout(options))->addWidget(m_printToPrevPage);

    auto *columns = named<QGroupBox>("GroupBox5", str(53408));
    m_columns = numberBox("Edit1");
    auto *up = spinButton("SB1", Qt::UpArrow);
    auto *down = spinButton("SB2", Qt::DownArrow);
    connect(up, &QToolButton::clicked, this, [this] { stepColumns(+1); });
    connect(down, &QToolButton::clicked, this, [this] { stepColumns(-1); });
    auto *spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(up);
    spin->addWidget(down);
    auto *columnsRow = new QHBoxLayout;
    columnsRow->setSpacing(1);
    columnsRow->addWidget(m_columns);
    columnsRow->addLayout(spin);
    columnsRow->addStretch();
    m_columnGap = numberBox("E7");
    auto *grid = new QGridLayout(columns);
    grid->addWidget(buddyLabel(str(53409), m_columns, "Label7"), 0, 0);
    grid->addLayout(columnsRow, 0, 1);
    grid->addWidget(buddyLabel(str(53410), m_columnGap, "Label8"), 1, 0);
    grid->addWidget(m_columnGap, 1, 1);

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(options);
    layout->addWidget(columns);
    layout->addStretch();
    return tab;
}

void TqxPgoptForm::setOptions(const PageOptions &options)
{
    m_printToPrevPage->setChecked(options.printToPrevPage);
    m_stretch->setChecked(options.stretchToPrintable);
    m_unlimitedHeight->setChecked(options.unlimitedHeight);
    (options.landscape ? m_landscape : m_portrait)->setChecked(true);
    m_papers->setCurrentIndex(options.paperIndex);
    m_width->setText(options.paperWidthMm);
    m_height->setText(options.paperHeightMm);
    m_bins->setCurrentRow(options.binIndex);
    m_left->setText(options.leftMarginMm);
    m_top->setText(options.topMarginMm);
    m_right->setText(options.rightMarginMm);
    m_bottom->setText(options.bottomMarginMm);
    m_columnGap->setText(options.columnGapMm);
    m_columns->setText(options.columnCount);
    showOrientationPicture();
    applyPaperRule();
}

PageOptions TqxPgoptForm::options() const
{
    PageOptions options;
    options.printToPrevPage = m_printToPrevPage->isChecked();
    options.stretchToPrintable = m_stretch->isChecked();
    options.unlimitedHeight = m_unlimitedHeight->isChecked();
    options.landscape = m_landscape->isChecked();
    options.paperIndex = m_papers->currentIndex();
    options.binIndex = std::max(0, m_bins->currentRow());
    options.paperWidthMm = m_width->text();
    options.paperHeightMm = m_height->text();
    options.leftMarginMm = m_left->text();
    options.topMarginMm = m_top->text();
    options.rightMarginMm = m_right->text();
    options.bottomMarginMm = m_bottom->text();
    options.columnGapMm = m_columnGap->text();
    options.columnCount = m_columns->text();
    return options;
}

void TqxPgoptForm::applyPaperRule()
{
    // Only the custom size takes its width and height from the boxes; the others keep their
    // texts while disabled, so switching back and forth loses nothing typed.
    const bool custom = m_printer.paperCodeList().value(m_papers->currentIndex()) ==
                        model::SheetRequest::kCustomPaperCode;
    for (QWidget *widget :
         {static_cast<QWidget *>(m_widthLabel), static_cast<QWidget *>(m_width),
          static_cast<QWidget *>(m_heightLabel), static_cast<QWidget *>(m_height)})
        widget->setEnabled(custom);
}

void TqxPgoptForm::showOrientationPicture()
{
    m_portraitPicture->setVisible(m_portrait->isChecked());
    m_landscapePicture->setVisible(!m_portrait->isChecked());
}

void TqxPgoptForm::stepColumns(int step)
{
    bool ok = false;
    const qint64 count = m_columns->text().trimmed().toInt(&ok);
    if (!ok) {
        m_dialogs.messageBox(QStringLiteral("“%1”不是整数。").arg(m_columns->text()),
                             errorCaption(), platform::mb_IconError);
        return;
    }
    const qint64 stepped = std::clamp<qint64>(count + step, std::numeric_limits<int>::min(),
                                              std::numeric_limits<int>::max());
    // Stepping down never goes below no columns.
    m_columns->setText(QString::number(step < 0 ? std::max<qint64>(stepped, 0) : stepped));
}

void TqxPgoptForm::done(int result)
{
    if (result == QDialog::Accepted) {
        if (const QString error = options().columnCountError(); !error.isEmpty()) {
            m_dialogs.messageBox(error, errorCaption(), platform::mb_IconError);
            m_columns->setFocus();
            m_columns->selectAll();
            return;
        }
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
