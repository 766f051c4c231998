#include "report/dialogs/PrinterPropertiesDialog.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/output/PaperTable.h"
#include "report/output/PrinterCalibration.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/StringTable.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

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

// The boxes take more than the accepted range, so a value out of it is refused with a message
// that names the field instead of being clipped without a word.
constexpr double kTypableOffsetMm = 99.99;
constexpr double kTypableScaleMinPercent = 50;
constexpr double kTypableScaleMaxPercent = 200;

QDoubleSpinBox *calibrationBox(const char *name, double minimum, double maximum, double value,
                               const QString &suffix)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setRange(minimum, maximum);
    box->setSuffix(suffix);
    box->setValue(value);
    return box;
}

} // namespace

PrinterPropertiesDialog::PrinterPropertiesDialog(output::TqxPrinter &printerLayer, QWidget *parent)
    : PrinterPropertiesDialog(printerLayer, PrinterCalibrationAccess{}, parent)
{}

PrinterPropertiesDialog::PrinterPropertiesDialog(output::TqxPrinter &printerLayer,
                                                 const PrinterCalibrationAccess &calibration,
                                                 QWidget *parent)
    : QDialog(parent)
    , m_layer(printerLayer)
    , m_calibration(calibration)
    , m_printerName(m_layer.printerNames().value(m_layer.activeIndex()))
{
    setWindowTitle(QStringLiteral("属性 - ") + m_printerName);

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

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    if (m_calibration.store)
        layout->addWidget(buildCalibrationGroup());
    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    buttons.ok->setObjectName(QStringLiteral("OkBtn"));
    buttons.cancel->setObjectName(QStringLiteral("CancelBtn"));
}

QWidget *PrinterPropertiesDialog::buildCalibrationGroup()
{
    const output::PrinterCalibration stored =
        output::PrinterCalibrations(*m_calibration.store).read(m_printerName);
    const QString mm = QStringLiteral(" 毫米");
    m_offsetXMm =
        calibrationBox("OffsetXE", -kTypableOffsetMm, kTypableOffsetMm, stored.offsetXMm, mm);
    m_offsetYMm =
        calibrationBox("OffsetYE", -kTypableOffsetMm, kTypableOffsetMm, stored.offsetYMm, mm);
    m_scalePercent = calibrationBox("ScaleE", kTypableScaleMinPercent, kTypableScaleMaxPercent,
                                    stored.scalePercent, QStringLiteral(" %"));

    auto *group = new QGroupBox(QStringLiteral("校准"));
    group->setObjectName(QStringLiteral("CalibrationGroup"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("水平偏移(&X):"), m_offsetXMm);
    form->addRow(QStringLiteral("垂直偏移(&Y):"), m_offsetYMm);
    form->addRow(QStringLiteral("缩放(&S):"), m_scalePercent);
    auto *hint = new QLabel(QStringLiteral("正数向右、向下移动打印内容 (-20 到 20 毫米),\n"
                                           "缩放 90% 到 110%。只用于这台打印机, 不改模板。"));
    hint->setObjectName(QStringLiteral("CalibrationHint"));
    auto *layout = new QVBoxLayout(group);
    layout->addLayout(form);
    layout->addWidget(hint);
    if (m_calibration.printCalibrationPage) {
        auto *print = new QPushButton(QStringLiteral("打印校准页(&P)"));
        print->setObjectName(QStringLiteral("CalibrationPageBtn"));
        print->setToolTip(QStringLiteral("打印毫米网格和证书模板每个字段的框 (不加校准), "
                                         "放在空白证书上对照, 读出偏移"));
        print->setAutoDefault(false);
        connect(print, &QPushButton::clicked, this,
                [this] { m_calibration.printCalibrationPage(); });
        auto *row = new QHBoxLayout;
        row->addWidget(print);
        row->addStretch(1);
        layout->addLayout(row);
    }
    return group;
}

bool PrinterPropertiesDialog::storeCalibration()
{
    if (!m_calibration.store)
        return true;
    output::PrinterCalibration typed;
    typed.offsetXMm = m_offsetXMm->value();
    typed.offsetYMm = m_offsetYMm->value();
    typed.scalePercent = m_scalePercent->value();
    const QString refused =
        output::PrinterCalibrations(*m_calibration.store).write(m_printerName, typed);
    if (refused.isEmpty())
        return true;
    if (m_calibration.dialogs)
        m_calibration.dialogs->messageBox(QStringLiteral("校准没有保存: %1。").arg(refused),
                                          windowTitle(), platform::mb_Ok | platform::mb_IconError);
    return false;
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
        if (!storeCalibration())
            return; // stays open on the values the clerk typed
        m_layer.RequestSheet(chosenPaperCode(), m_width->value(), m_height->value(),
                             m_layer.binCode(), m_landscape->isChecked(), true);
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
