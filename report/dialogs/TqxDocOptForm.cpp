#include "report/dialogs/TqxDocOptForm.h"

#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/platform/StringTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kPrinterRowHeight = 16;
constexpr int kVisiblePrinterRows = 6;
constexpr int kVersionBoxWidth = 48;
constexpr int kCommentLines = 4;

QString str(int id)
{
    return platform::LoadLibraryString(id);
}

QLineEdit *versionBox(const char *objectName)
{
    auto *box = named<QLineEdit>(objectName);
    box->setFixedWidth(kVersionBoxWidth);
    return box;
}

} // namespace

TqxDocOptForm::TqxDocOptForm(const QStringList &printerNames, int activePrinterIndex,
                             QWidget *parent)
    : QDialog(parent)
    , m_activePrinterIndex(activePrinterIndex)
{
    setWindowTitle(str(53370));
    auto *layout = new QVBoxLayout(this);
    auto *tabs = named<QTabWidget>("PageControl1");
    tabs->addTab(buildGeneralTab(), str(55656));
    tabs->addTab(buildDocumentTab(), str(55658));
    layout->addWidget(tabs);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);

    const QIcon icon = printerIcon();
    for (const QString &name : printerNames)
        new QListWidgetItem(icon, name, m_printers); // the list owns its rows
    setOptions(ReportOptions{});
}

TqxDocOptForm::~TqxDocOptForm() = default;

QWidget *TqxDocOptForm::buildGeneralTab()
{
    auto *tab = named<QWidget>("General");

    auto *printer = named<QGroupBox>("GroupBox1", str(53371));
    m_chooseOnLoad = named<QCheckBox>("CB1", str(53372));
    m_printers = named<QListWidget>("LB1");
    m_printers->setIconSize(QSize(18, 16));
    m_printers->setUniformItemSizes(true);
    m_printers->setFixedHeight(kPrinterRowHeight * kVisiblePrinterRows +
                               2 * m_printers->frameWidth() + 8);
    auto *printerLayout = new QVBoxLayout(printer);
    printerLayout->addWidget(m_chooseOnLoad);
    printerLayout->addWidget(m_printers);

    auto *other = named<QGroupBox>("GroupBox2", str(53373));
    m_twoPass = named<QCheckBox>("CB2", str(53374));
    m_protected = named<QCheckBox>("CB3", str(55657));
    auto *otherLayout = new QVBoxLayout(other);
    otherLayout->addWidget(m_twoPass);
    otherLayout->addWidget(m_protected);

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(printer);
    layout->addWidget(other);
    layout->addStretch();
    return tab;
}

QWidget *TqxDocOptForm::buildDocumentTab()
{
    auto *tab = named<QWidget>("Documents");

    auto *attributes = named<QGroupBox>("GroupBox3", str(55659));
    m_name = named<QLineEdit>("E1");
    m_author = named<QLineEdit>("E2");
    auto *attributeGrid = new QGridLayout(attributes);
    attributeGrid->addWidget(buddyLabel(str(55660), m_name, "L1"), 0, 0);
    attributeGrid->addWidget(m_name, 0, 1);
    attributeGrid->addWidget(buddyLabel(str(55661), m_author, "L2"), 1, 0);
    attributeGrid->addWidget(m_author, 1, 1);

    auto *version = named<QGroupBox>("GroupBox4", str(55662));
    m_major = versionBox("E3");
    m_minor = versionBox("E4");
    m_release = versionBox("E5");
    m_build = versionBox("E6");
    auto *versionRow = new QHBoxLayout(version);
    versionRow->addWidget(buddyLabel(str(55663), m_major, "L3"));
    versionRow->addWidget(m_major);
    versionRow->addSpacing(8);
    versionRow->addWidget(buddyLabel(str(55664), m_minor, "L7"));
    versionRow->addWidget(m_minor);
    versionRow->addSpacing(8);
    versionRow->addWidget(buddyLabel(str(55665), m_release, "L8"));
    versionRow->addWidget(m_release);
    versionRow->addSpacing(8);
    versionRow->addWidget(buddyLabel(str(55666), m_build, "L9"));
    versionRow->addWidget(m_build);
    versionRow->addStretch();

    auto *description = named<QGroupBox>("GroupBox5", str(55667));
    m_comment = named<QPlainTextEdit>("M1");
    m_comment->setTabChangesFocus(true);
    m_comment->setFixedHeight(m_comment->fontMetrics().lineSpacing() * kCommentLines +
                              2 * m_comment->frameWidth() + 8);
    m_created = named<QLabel>("CreatedLabel");
    m_changed = named<QLabel>("ChangedLabel");
    auto *descriptionGrid = new QGridLayout(description);
    descriptionGrid->addWidget(buddyLabel(str(55668), m_comment, "L4"), 0, 0, Qt::AlignTop);
    descriptionGrid->addWidget(m_comment, 0, 1);
    descriptionGrid->addWidget(named<QLabel>("L5", str(55670)), 1, 0);
    descriptionGrid->addWidget(m_created, 1, 1);
    descriptionGrid->addWidget(named<QLabel>("L6", str(55669)), 2, 0);
    descriptionGrid->addWidget(m_changed, 2, 1);

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(attributes);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addStretch();
    return tab;
}

void TqxDocOptForm::setOptions(const ReportOptions &options)
{
    m_chooseOnLoad->setChecked(options.choosePrinterOnLoad);
    m_twoPass->setChecked(options.twoPass);
    m_protected->setChecked(options.passwordProtected);
    const QList<QListWidgetItem *> listed =
        m_printers->findItems(options.printerName, Qt::MatchExactly);
    m_printers->setCurrentRow(!options.printerName.isEmpty() && !listed.isEmpty()
                                  ? m_printers->row(listed.first())
                                  : m_activePrinterIndex);
    m_name->setText(options.name);
    m_author->setText(options.author);
    m_major->setText(options.versionMajor);
    m_minor->setText(options.versionMinor);
    m_release->setText(options.versionRelease);
    m_build->setText(options.versionBuild);
    m_comment->setPlainText(options.comment);
    m_created->setText(options.createdText);
    m_changed->setText(options.changedText);
}

ReportOptions TqxDocOptForm::options() const
{
    ReportOptions options;
    options.choosePrinterOnLoad = m_chooseOnLoad->isChecked();
    options.twoPass = m_twoPass->isChecked();
    options.passwordProtected = m_protected->isChecked();
    if (const QListWidgetItem *printer = m_printers->currentItem())
        options.printerName = printer->text();
    options.name = m_name->text();
    options.author = m_author->text();
    options.versionMajor = m_major->text();
    options.versionMinor = m_minor->text();
    options.versionRelease = m_release->text();
    options.versionBuild = m_build->text();
    options.comment = m_comment->toPlainText();
    options.createdText = m_created->text();
    options.changedText = m_changed->text();
    return options;
}

} // namespace tovren::dialogs
