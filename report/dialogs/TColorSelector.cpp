#include "report/dialogs/TColorSelector.h"

#include "report/dialogs/ColorGlyphs.h"
#include "report/dialogs/ColorPalette.h"
#include "report/platform/StringTable.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QToolButton>

namespace tovren::dialogs {

namespace {
constexpr int kNoColorCaption = 55229;
constexpr int kOtherColorCaption = 55230;
constexpr int kMarginPixels = 4;
constexpr int kPaletteButtonPixels = 22;
constexpr QSize kPaletteGlyphSize(16, 17);
constexpr int kPaletteSquarePixels = 16;
constexpr QSize kOtherGlyphSize(12, 13);
constexpr int kOtherSquarePixels = 12;
constexpr int kWideButtonWidthPixels = 88;
constexpr int kWideButtonHeightPixels = 18;
} // namespace

std::optional<model::ColorRef> chooseColorInDialog(model::ColorRef initial, QWidget *parent)
{
    const QColor start = model::toQColor(initial);
    QColorDialog dialog(start.isValid() ? start : QColor(Qt::white), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return model::fromQColor(dialog.selectedColor());
}

TColorSelector::TColorSelector(QWidget *parent)
    : QFrame(parent)
    , m_buttons(new QButtonGroup(this))
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setFixedSize(kWidthPixels, kHeightPixels);
    m_buttons->setExclusive(true);

    const QColor face = palette().color(QPalette::Button);
    const QColor shadow = palette().color(QPalette::Dark);
    for (int tag = 0; tag < kPaletteColorCount; ++tag) {
        const int row = tag / 4;
        const int column = tag % 4;
        QToolButton *button = addButton(tag, QRect(kMarginPixels + kPaletteButtonPixels * column,
                                                   kMarginPixels + kPaletteButtonPixels * row,
                                                   kPaletteButtonPixels, kPaletteButtonPixels));
        button->setObjectName(QStringLiteral("ColorButton%1").arg(tag));
        button->setIconSize(kPaletteGlyphSize);
        button->setIcon(QPixmap::fromImage(colourSwatch(kPaletteGlyphSize, kPaletteSquarePixels,
                                                        paletteColor(tag), face, shadow)));
    }
    const int wideTop = kMarginPixels + 4 * kPaletteButtonPixels;
    QToolButton *noColor =
        addButton(kNoColorTag,
                  QRect(kMarginPixels, wideTop, kWideButtonWidthPixels, kWideButtonHeightPixels));
    noColor->setObjectName(QStringLiteral("NoColorButton"));
    noColor->setText(platform::LoadLibraryString(kNoColorCaption));
    m_otherButton =
        addButton(kOtherColorTag, QRect(kMarginPixels, wideTop + kWideButtonHeightPixels,
                                        kWideButtonWidthPixels, kWideButtonHeightPixels));
    m_otherButton->setObjectName(QStringLiteral("OtherButton"));
    m_otherButton->setText(platform::LoadLibraryString(kOtherColorCaption));
    m_otherButton->setIconSize(kOtherGlyphSize);
    m_otherButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    m_colorDialog = [this](model::ColorRef initial) {
        return chooseColorInDialog(initial, window());
    };
    connect(m_buttons, &QButtonGroup::idClicked, this, &TColorSelector::choose);
    hide();
}

QToolButton *TColorSelector::addButton(int tag, const QRect &geometry)
{
    auto *button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(geometry);
    m_buttons->addButton(button, tag);
    return button;
}

void TColorSelector::setColorDialog(ColorDialog dialog)
{
    m_colorDialog = std::move(dialog);
}

QAbstractButton *TColorSelector::buttonForTag(int tag) const
{
    return m_buttons->button(tag);
}

void TColorSelector::markColor(model::ColorRef colour)
{
    if (const std::optional<int> tag = paletteTagOf(colour)) {
        m_buttons->button(*tag)->setChecked(true);
        m_otherButton->setIcon(QIcon());
        return;
    }
    // A colour outside the palette is the other colour's: no palette button may claim it.
    m_otherButton->setIcon(QPixmap::fromImage(
        colourSwatch(kOtherGlyphSize, kOtherSquarePixels, colour, palette().color(QPalette::Button),
                     palette().color(QPalette::Dark))));
    m_otherButton->setChecked(true);
}

void TColorSelector::choose(int tag)
{
    if (tag < kPaletteColorCount) {
        m_selectedColor = paletteColor(tag);
    } else if (tag == kNoColorTag) {
        m_selectedColor = model::kNoColor;
    } else {
        hide();
        const std::optional<model::ColorRef> chosen =
            m_colorDialog ? m_colorDialog(m_selectedColor) : std::nullopt;
        if (!chosen)
            return;
        m_selectedColor = *chosen;
    }
    hide();
    emit colorSelected(m_selectedColor);
}

} // namespace tovren::dialogs
