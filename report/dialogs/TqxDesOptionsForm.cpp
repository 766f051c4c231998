#include "report/dialogs/TqxDesOptionsForm.h"

#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/ToggleLabel.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/SettingsStore.h"
#include "report/platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <optional>

namespace tovren::dialogs {

namespace {

constexpr int kFontListLines = 12;
// Room for the sample text at the larger sizes offered; bigger sizes are cut, not grown.
constexpr QSize kSampleSize(160, 44);

QString str(int id)
{
    return platform::LoadLibraryString(id);
}

/// A font size the sample and the editors can use: a whole number of points above 0.
std::optional<int> fontSizePoints(const QString &text)
{
    bool ok = false;
    const int points = text.trimmed().toInt(&ok);
    return ok && points > 0 ? std::optional<int>(points) : std::nullopt;
}

QString fontSizeMessage(const QString &typed)
{
    const QString rule = QStringLiteral("字体大小须是正整数。");
    if (typed.trimmed().isEmpty())
        return QStringLiteral("请填写字体大小。") + rule;
    return QStringLiteral("“%1”不是有效的字体大小。").arg(typed.trimmed()) + rule;
}

QFontComboBox *fontNameBox(const char *objectName)
{
    auto *box = named<QFontComboBox>(objectName);
    box->setMaxVisibleItems(kFontListLines);
    return box;
}

QComboBox *fontSizeBox(const char *objectName)
{
    auto *box = named<QComboBox>(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems({QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"),
                   QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14")});
    box->setEditText(QStringLiteral("10"));
    return box;
}

QLabel *samplePanel(const char *objectName)
{
    auto *sample = named<QLabel>(objectName, QStringLiteral("AaBbCcDdEe"));
    sample->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    sample->setAlignment(Qt::AlignCenter);
    sample->setAutoFillBackground(true);
    sample->setBackgroundRole(QPalette::Base);
    sample->setFixedSize(kSampleSize);
    return sample;
}

/// The editable text of a font-name box; the list may not hold the stored name (a family the
/// font rules stand in for, such as Arial), which must still be written back unchanged.
void showFontName(QFontComboBox *box, const QString &name)
{
    box->setCurrentFont(QFont(name));
    box->setEditText(name);
}

} // namespace

TqxDesOptionsForm::TqxDesOptionsForm(platform::SettingsStore &settings,
                                     platform::DialogProvider &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_dialogs(dialogs)
{
    setWindowTitle(str(53280));
    auto *layout = new QVBoxLayout(this);
    auto *tabs = named<QTabWidget>("PageControl1");
    tabs->addTab(buildDesignerTab(), str(53281));
    tabs->addTab(buildEditorTab(), str(53304));
    layout->addWidget(tabs);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);

    setValues(DesignerOptionValues{});
    setEditorFonts(EditorFonts::load(m_settings));

    connect(m_fixedFont, &QRadioButton::toggled, this, &TqxDesOptionsForm::applyFontRule);
    const auto textSample = [this] { applySampleRule(m_textSample, m_textName, m_textSize); };
    const auto scriptSample = [this] {
        applySampleRule(m_scriptSample, m_scriptName, m_scriptSize);
    };
    connect(m_textName, &QComboBox::editTextChanged, this, textSample);
    connect(m_textSize, &QComboBox::editTextChanged, this, textSample);
    connect(m_scriptName, &QComboBox::editTextChanged, this, scriptSample);
    connect(m_scriptSize, &QComboBox::editTextChanged, this, scriptSample);
}

TqxDesOptionsForm::~TqxDesOptionsForm() = default;

QWidget *TqxDesOptionsForm::buildDesignerTab()
{
    auto *tab = named<QWidget>("Tab1");

    auto *grid = named<QGroupBox>("GroupBox1", str(53282));
    m_gridShow = named<QCheckBox>("CB1", str(53286));
    m_gridAlign = named<QCheckBox>("CB2", str(53287));
    auto *gridLayout = new QVBoxLayout(grid);
    gridLayout->addWidget(m_gridShow);
    gridLayout->addWidget(m_gridAlign);

    auto *drawing = named<QGroupBox>("GroupBox2", str(53283));
    m_liveRepaint = named<QCheckBox>("CB6");
    auto *liveRepaintLabel = new ToggleLabel(str(53293), m_liveRepaint);
    liveRepaintLabel->setObjectName(QStringLiteral("Label1"));
    liveRepaintLabel->setWordWrap(true);
    auto *drawingLayout = new QHBoxLayout(drawing);
    drawingLayout->addWidget(m_liveRepaint, 0, Qt::AlignTop);
    drawingLayout->addWidget(liveRepaintLabel, 1);

    auto *units = named<QGroupBox>("GroupBox3", str(53284));
    m_pixels = named<QRadioButton>("RB6", str(53294));
    m_millimetres = named<QRadioButton>("RB7", str(53295));
    m_inches = named<QRadioButton>("RB8", str(53296));
    auto *unitsLayout = new QVBoxLayout(units);
    for (QRadioButton *button : {m_pixels, m_millimetres, m_inches})
        unitsLayout->addWidget(button);

    auto *gridSize = named<QGroupBox>("GroupBox4", str(53285));
    m_grid4 = named<QRadioButton>("RB1", str(53289));
    m_grid8 = named<QRadioButton>("RB2", str(53290));
    m_grid18 = named<QRadioButton>("RB3", str(53291));
    auto *gridSizeLayout = new QVBoxLayout(gridSize);
    for (QRadioButton *button : {m_grid4, m_grid8, m_grid18})
        gridSizeLayout->addWidget(button);

    auto *other = named<QGroupBox>("GroupBox5", str(53297));
    m_colouredButtons = named<QCheckBox>("CB3", str(53288));
    m_editAfterInsert = named<QCheckBox>("CB4", str(53298));
    m_bandTitles = named<QCheckBox>("CB5", str(53299));
    m_localizedNames = named<QCheckBox>("CB7", str(53311));
    m_disableUndo = named<QCheckBox>("CB8", str(55652));
    auto *otherLayout = new QVBoxLayout(other);
    for (QCheckBox *box :
         {m_colouredButtons, m_editAfterInsert, m_bandTitles, m_localizedNames, m_disableUndo})
        otherLayout->addWidget(box);

    auto *position = named<QGroupBox>("GroupBox6", str(53300));
    m_pageCentred = named<QRadioButton>("RB9", str(53301));
    m_pageLeft = named<QRadioButton>("RB10", str(53302));
    m_pageRight = named<QRadioButton>("RB11", str(53303));
    auto *positionLayout = new QVBoxLayout(position);
    for (QRadioButton *button : {m_pageCentred, m_pageLeft, m_pageRight})
        positionLayout->addWidget(button);

    auto *left = new QVBoxLayout;
    left->addWidget(grid);
    left->addWidget(drawing);
    left->addWidget(units);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(gridSize);
    right->addWidget(other);
    right->addWidget(position);
    right->addStretch();
    auto *columns = new QHBoxLayout(tab);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    return tab;
}

QWidget *TqxDesOptionsForm::buildEditorTab()
{
    auto *tab = named<QWidget>("Tab2");

    auto *textEditor = named<QGroupBox>("GroupBox7", str(53305));
    m_objectFont = named<QRadioButton>("ERB1", str(53306));
    m_fixedFont = named<QRadioButton>("ERB2", str(53307));
    m_textName = fontNameBox("TextFontNameCB");
    m_textSize = fontSizeBox("TextFontSizeCB");
    m_textNameLabel = buddyLabel(str(53308), m_textName, "Label2");
    m_textSizeLabel = buddyLabel(str(53309), m_textSize, "Label3");
    m_textSample = samplePanel("SampleTextPanel");
    auto *textGrid = new QGridLayout(textEditor);
    textGrid->addWidget(m_objectFont, 0, 0, 1, 3);
    textGrid->addWidget(m_fixedFont, 1, 0, 1, 3);
    textGrid->addWidget(m_textNameLabel, 2, 0);
    textGrid->addWidget(m_textName, 2, 1);
    textGrid->addWidget(m_textSizeLabel, 3, 0);
    textGrid->addWidget(m_textSize, 3, 1);
    textGrid->addWidget(m_textSample, 2, 2, 2, 1);
    textGrid->setColumnStretch(1, 1);

    auto *scriptEditor = named<QGroupBox>("GroupBox8", str(53310));
    m_scriptName = fontNameBox("ScriptFontNameCB");
    m_scriptSize = fontSizeBox("ScriptFontSizeCB");
    m_scriptSample = samplePanel("SampleScriptPanel");
    auto *scriptGrid = new QGridLayout(scriptEditor);
    scriptGrid->addWidget(buddyLabel(str(53308), m_scriptName, "Label4"), 0, 0);
    scriptGrid->addWidget(m_scriptName, 0, 1);
    scriptGrid->addWidget(buddyLabel(str(53309), m_scriptSize, "Label5"), 1, 0);
    scriptGrid->addWidget(m_scriptSize, 1, 1);
    scriptGrid->addWidget(m_scriptSample, 0, 2, 2, 1);
    scriptGrid->setColumnStretch(1, 1);

    auto *highlight = named<QGroupBox>("GroupBox9", str(55650));
    m_syntaxHighlight = named<QCheckBox>("CB9", str(55651));
    (new QVBoxLayout(highlight))->addWidget(m_syntaxHighlight);

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(textEditor);
    layout->addWidget(scriptEditor);
    layout->addWidget(highlight);
    layout->addStretch();
    return tab;
}

void TqxDesOptionsForm::setValues(const DesignerOptionValues &values)
{
    m_gridShow->setChecked(values.gridShow);
    m_gridAlign->setChecked(values.gridAlign);
    m_disableUndo->setChecked(values.disableUndo);
    m_syntaxHighlight->setChecked(values.syntaxHighlight);
    QRadioButton *gridSize = values.gridSizePixels == 8    ? m_grid8
                             : values.gridSizePixels == 18 ? m_grid18
                                                           : m_grid4;
    gridSize->setChecked(true);
    m_liveRepaint->setChecked(values.liveRepaint);
    QRadioButton *units = values.units == DesignerOptionValues::kUnitsMillimetres ? m_millimetres
                          : values.units == DesignerOptionValues::kUnitsInches    ? m_inches
                                                                                  : m_pixels;
    units->setChecked(true);
    m_colouredButtons->setChecked(values.colouredButtons);
    m_editAfterInsert->setChecked(values.editAfterInsert);
    m_bandTitles->setChecked(values.bandTitles);
    QRadioButton *position = values.pagePosition == DesignerOptionValues::kPageLeft ? m_pageLeft
                             : values.pagePosition == DesignerOptionValues::kPageRight
                                 ? m_pageRight
                                 : m_pageCentred;
    position->setChecked(true);
    m_localizedNames->setChecked(values.localizedPropertyNames);
}

DesignerOptionValues TqxDesOptionsForm::values() const
{
    DesignerOptionValues values;
    values.gridShow = m_gridShow->isChecked();
    values.gridAlign = m_gridAlign->isChecked();
    values.disableUndo = m_disableUndo->isChecked();
    values.syntaxHighlight = m_syntaxHighlight->isChecked();
    values.gridSizePixels = m_grid4->isChecked() ? 4 : m_grid8->isChecked() ? 8 : 18;
    values.liveRepaint = m_liveRepaint->isChecked();
    values.units = m_millimetres->isChecked() ? DesignerOptionValues::kUnitsMillimetres
                   : m_inches->isChecked()    ? DesignerOptionValues::kUnitsInches
                                              : DesignerOptionValues::kUnitsPixels;
    values.colouredButtons = m_colouredButtons->isChecked();
    values.editAfterInsert = m_editAfterInsert->isChecked();
    values.bandTitles = m_bandTitles->isChecked();
    values.pagePosition = m_pageLeft->isChecked()    ? DesignerOptionValues::kPageLeft
                          : m_pageRight->isChecked() ? DesignerOptionValues::kPageRight
                                                     : DesignerOptionValues::kPageCentred;
    values.localizedPropertyNames = m_localizedNames->isChecked();
    return values;
}

void TqxDesOptionsForm::setEditorFonts(const EditorFonts &fonts)
{
    (fonts.useDefaultFont ? m_objectFont : m_fixedFont)->setChecked(true);
    showFontName(m_textName, fonts.textFontName);
    m_textSize->setEditText(fonts.textFontSize);
    showFontName(m_scriptName, fonts.scriptFontName);
    m_scriptSize->setEditText(fonts.scriptFontSize);
    applyFontRule();
    applySampleRule(m_textSample, m_textName, m_textSize);
    applySampleRule(m_scriptSample, m_scriptName, m_scriptSize);
}

EditorFonts TqxDesOptionsForm::editorFonts() const
{
    EditorFonts fonts;
    fonts.useDefaultFont = m_objectFont->isChecked();
    fonts.textFontName = m_textName->currentText();
    fonts.textFontSize = m_textSize->currentText();
    fonts.scriptFontName = m_scriptName->currentText();
    fonts.scriptFontSize = m_scriptSize->currentText();
    return fonts;
}

void TqxDesOptionsForm::applyFontRule()
{
    // The boxes keep showing the stored font while the object's own font is used.
    const bool fixed = m_fixedFont->isChecked();
    for (QWidget *widget :
         {static_cast<QWidget *>(m_textNameLabel), static_cast<QWidget *>(m_textName),
          static_cast<QWidget *>(m_textSizeLabel), static_cast<QWidget *>(m_textSize)})
        widget->setEnabled(fixed);
}

void TqxDesOptionsForm::applySampleRule(QLabel *sample, const QFontComboBox *name,
                                        const QComboBox *size)
{
    QFont font = sample->font();
    font.setFamily(name->currentText());
    const QString sizeText = size->currentText();
    if (const std::optional<int> points = fontSizePoints(sizeText)) {
        font.setPointSize(*points);
    } else if (!sizeText.trimmed().isEmpty()) {
        // An empty box is a size still being typed; anything else typed is wrong at once.
        m_dialogs.messageBox(fontSizeMessage(sizeText), errorCaption(), platform::mb_IconError);
    }
    sample->setFont(font);
}

QString TqxDesOptionsForm::fontSizeError() const
{
    for (const QComboBox *box : {m_textSize, m_scriptSize}) {
        if (!fontSizePoints(box->currentText()))
            return fontSizeMessage(box->currentText());
    }
    return {};
}

void TqxDesOptionsForm::done(int result)
{
    if (result == QDialog::Accepted) {
        if (const QString error = fontSizeError(); !error.isEmpty()) {
            m_dialogs.messageBox(error, errorCaption(), platform::mb_IconError);
            return;
        }
        editorFonts().save(m_settings);
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
