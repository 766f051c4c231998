#include "report/dialogs/PrinterPropertiesDialog.h"

#include "report/output/PaperTable.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/StringTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kOkCaption = 55000;
constexpr int kCancelCaption = 55001;
// Custom sheets from 1 cm up to 3 m, in tenths of a millimetre.
constexpr int kSmallestSheet = 100;
constexpr int kLargestSheet = 30000;

QSpinBox *sheetSizeBox(const char *name, int tenthsMm)
{
    auto *box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(kSmallestSheet, kLargestSheet);
    box->setSuffix(QStringLiteral(" ×0.1mm"));
    box->setValue(std::clamp(tenthsMm, kSmallestSheet, kLargestSheet));
    return box;
}

} // namespace

PrinterPropertiesDialog::PrinterPropertiesDialog(output::TqxPrinter &printerLayer, QWidget *parent)
    : QDialog(parent)
    , m_layer(printerLayer)
{
    const QString printerName = m_layer.printerNames().value(m_layer.activeIndex());
    setWindowTitle(QStringLiteral("属性 - ") + printerName);

    m_paper = new QComboBox;
    m_paper->setObjectName(QStringLiteral("PaperCB"));
    m_paper->addItems(m_layer.paperTitles());
    // The sheet in force, in the orientation of the page; a custom size is edited that way.
    const bool landscape = m_layer.landscape();
    m_width = sheetSizeBox("WidthE", m_layer.sheetWidth());
    m_height = sheetSizeBox("HeightE", m_layer.sheetHeight());
    connect(m_paper, &QComboBox::currentIndexChanged, this, &PrinterPropertiesDialog::paperChosen);
    m_paper->setCurrentIndex(int(m_layer.IndexOfPaper(m_layer.paperCode())));
    paperChosen(m_paper->currentIndex());

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("纸张(&Z):"), m_paper);
    form->addRow(QStringLiteral("宽度(&W):"), m_width);
    form->addRow(QStringLiteral("高度(&H):"), m_height);

    auto *orientation = new QGroupBox(QStringLiteral("方向"));
    m_portrait = new QRadioButton(QStringLiteral("纵向(&O)"));
    m_portrait->setObjectName(QStringLiteral("PortraitRB"));
    m_landscape = new QRadioButton(QStringLiteral("横向(&L)"));
    m_landscape->setObjectName(QStringLiteral("LandscapeRB"));
    (landscape ? m_landscape : m_portrait)->setChecked(true);
    auto *orientationRow = new QHBoxLayout(orientation);
    orientationRow->addWidget(m_portrait);
    orientationRow->addWidget(m_landscape);

    auto *ok = new QPushButton(platform::LoadLibraryString(kOkCaption));
    ok->setObjectName(QStringLiteral("OkBtn"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(platform::LoadLibraryString(kCancelCaption));
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addLayout(buttons);
}

PrinterPropertiesDialog::~PrinterPropertiesDialog() = default;

int PrinterPropertiesDialog::chosenPaperCode() const
{
    return m_layer.paperCodeList().value(m_paper->currentIndex(), output::kCustomPaperCode);
}

void PrinterPropertiesDialog::paperChosen(int)
{
    // Only a custom sheet has a size of its own; listed papers have theirs.
    const bool custom = chosenPaperCode() == output::kCustomPaperCode;
    m_width->setEnabled(custom);
    m_height->setEnabled(custom);
}

void PrinterPropertiesDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        m_layer.RequestSheet(chosenPaperCode(), m_width->value(), m_height->value(),
                             m_layer.binCode(), m_landscape->isChecked(), true);
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
