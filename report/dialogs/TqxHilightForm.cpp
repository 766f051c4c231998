#include "report/dialogs/TqxHilightForm.h"

#include "report/dialogs/ColorGlyphs.h"
#include "report/dialogs/DialogWidgets.h"
#include "report/dialogs/TColorSelector.h"
#include "report/dialogs/TqxComboEdit.h"
#include "report/platform/StringTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {
constexpr int kConditionWidthPixels = 280;
} // namespace

TqxHilightForm::TqxHilightForm(const QImage &fontGlyphTemplate, const QImage &fillGlyphTemplate,
                               QWidget *parent)
    : QDialog(parent)
    , m_fontTemplate(fontGlyphTemplate)
    , m_fillTemplate(fillGlyphTemplate)
    , m_colorDialog([this](model::ColorRef start) { return chooseColorInDialog(start, this); })
    , m_condition(named<TqxComboEdit>("Edit1"))
    , m_bold(named<QCheckBox>("CB1", platform::LoadLibraryString(53524)))
    , m_italic(named<QCheckBox>("CB2", platform::LoadLibraryString(53525)))
    , m_underline(named<QCheckBox>("CB3", platform::LoadLibraryString(53526)))
    , m_transparent(named<QRadioButton>("RB1", platform::LoadLibraryString(53529)))
    , m_other(named<QRadioButton>("RB2", platform::LoadLibraryString(53530)))
    , m_fontButton(named<QToolButton>("SpeedButton1"))
    , m_fillButton(named<QToolButton>("SpeedButton2"))
{
    setObjectName(QStringLiteral("TqxHilightForm"));
    setWindowTitle(platform::LoadLibraryString(53520));
    m_condition->setEditable(true);
    m_condition->setMinimumWidth(kConditionWidthPixels);
    m_condition->setButtonHint(platform::LoadLibraryString(53575));
    m_condition->setButtonEnabled(false);
    m_fontButton->setText(platform::LoadLibraryString(53523));
    m_fillButton->setText(platform::LoadLibraryString(53528));
    for (QToolButton *button : {m_fontButton, m_fillButton})
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    auto *conditionGroup = named<QGroupBox>("GroupBox1", platform::LoadLibraryString(53521));
    auto *conditionLayout = new QVBoxLayout(conditionGroup);
    conditionLayout->addWidget(m_condition);

    auto *fontGroup = named<QGroupBox>("GroupBox2", platform::LoadLibraryString(53522));
    auto *fontLayout = new QVBoxLayout(fontGroup);
    fontLayout->addWidget(m_fontButton);
    fontLayout->addWidget(m_bold);
    fontLayout->addWidget(m_italic);
    fontLayout->addWidget(m_underline);

    auto *fillGroup = named<QGroupBox>("GroupBox3", platform::LoadLibraryString(53527));
    auto *fillLayout = new QVBoxLayout(fillGroup);
    fillLayout->addWidget(m_fillButton);
    fillLayout->addWidget(m_transparent);
    fillLayout->addWidget(m_other);
    fillLayout->addStretch();

    auto *groups = new QHBoxLayout;
    groups->addWidget(fontGroup);
    groups->addWidget(fillGroup);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(conditionGroup);
    layout->addLayout(groups);
    addOkCancelButtons(*this, *layout);
    fixDialogSize(*this);

    connect(m_transparent, &QRadioButton::clicked, this, &TqxHilightForm::applyRadioRule);
    connect(m_other, &QRadioButton::clicked, this, &TqxHilightForm::applyRadioRule);
    connect(m_fontButton, &QToolButton::clicked, this, [this] { chooseColour(false); });
    connect(m_fillButton, &QToolButton::clicked, this, [this] { chooseColour(true); });
    connect(m_condition, &TqxComboEdit::buttonClicked, this, [this] {
        if (!m_expressionBuilder)
            return;
        // The builder's expression replaces the whole condition.
        if (const std::optional<QString> built = m_expressionBuilder(m_condition->currentText()))
            m_condition->setEditText(*built);
    });
    setValues({});
}

void TqxHilightForm::setExpressionBuilder(ExpressionBuilder builder)
{
    m_expressionBuilder = std::move(builder);
    m_condition->setButtonEnabled(bool(m_expressionBuilder));
}

void TqxHilightForm::setValues(const HighlightValues &values)
{
    m_condition->setEditText(values.condition);
    m_fontColor = values.fontColor;
    m_fillColor = values.fillColor;
    m_bold->setChecked(values.bold);
    m_italic->setChecked(values.italic);
    m_underline->setChecked(values.underline);
    (values.transparentBackground() ? m_transparent : m_other)->setChecked(true);
    applyRadioRule();
    showGlyphs();
}

HighlightValues TqxHilightForm::values() const
{
    HighlightValues values;
    values.condition = m_condition->currentText();
    values.fontColor = m_fontColor;
    values.fillColor = m_fillColor;
    values.bold = m_bold->isChecked();
    values.italic = m_italic->isChecked();
    values.underline = m_underline->isChecked();
    return values;
}

void TqxHilightForm::applyRadioRule()
{
    m_fillButton->setEnabled(m_other->isChecked());
    if (m_transparent->isChecked())
        m_fillColor = model::kNoColor;
    showGlyphs();
}

void TqxHilightForm::chooseColour(bool fill)
{
    if (!m_colorDialog)
        return;
    model::ColorRef &colour = fill ? m_fillColor : m_fontColor;
    const std::optional<model::ColorRef> chosen = m_colorDialog(colour);
    if (!chosen)
        return;
    colour = *chosen;
    showGlyphs();
}

void TqxHilightForm::showGlyphs()
{
    const QColor face = palette().color(QPalette::Button);
    const auto glyph = [&](const QImage &glyphTemplate, model::ColorRef colour) {
        if (glyphTemplate.isNull())
            return QIcon(QPixmap::fromImage(
                colourSwatch(QSize(16, 16), 12, colour, face, palette().color(QPalette::Dark))));
        return QIcon(QPixmap::fromImage(colourButtonGlyph(glyphTemplate, colour, face)));
    };
    m_fontButton->setIcon(glyph(m_fontTemplate, m_fontColor));
    m_fillButton->setIcon(glyph(m_fillTemplate, m_fillColor));
}

} // namespace tovren::dialogs
