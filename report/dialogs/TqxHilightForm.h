#pragma once

#include "report/dialogs/HighlightValues.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

class QCheckBox;
class QRadioButton;
class QToolButton;

namespace tovren::dialogs {

class TqxComboEdit;

/// The highlight dialog ("条件高亮度"): the condition under which a text object prints in
/// other colours and styles. The caller sets the values, runs the dialog and reads them back
/// after OK.
///
/// The background is either transparent or a colour; choosing "透明(&T)" always makes it
/// transparent, and "其它(&h)" keeps it transparent until a colour is chosen.
class TqxHilightForm : public QDialog
{
    Q_OBJECT
public:
    /// Asks for a colour starting from the given one; nothing when cancelled.
    using ColorDialog = std::function<std::optional<model::ColorRef>(model::ColorRef)>;
    /// The expression builder on the given text; nothing when cancelled.
    using ExpressionBuilder = std::function<std::optional<QString>(const QString &)>;

    /// The glyph templates are those of the font and fill colour buttons: pure red pixels take
    /// the colour.
    TqxHilightForm(const QImage &fontGlyphTemplate, const QImage &fillGlyphTemplate,
                   QWidget *parent = nullptr);

    void setColorDialog(ColorDialog dialog) { m_colorDialog = std::move(dialog); }
    void setExpressionBuilder(ExpressionBuilder builder);

    void setValues(const HighlightValues &values);
    HighlightValues values() const;

private:
    void applyRadioRule();
    void chooseColour(bool fill);
    void showGlyphs();

    QImage m_fontTemplate;
    QImage m_fillTemplate;
    ColorDialog m_colorDialog;
    ExpressionBuilder m_expressionBuilder;
    model::ColorRef m_fontColor = model::clBlack;
    model::ColorRef m_fillColor = model::kNoColor;
    TqxComboEdit *m_condition;
    QCheckBox *m_bold;
    QCheckBox *m_italic;
    QCheckBox *m_underline;
    QRadioButton *m_transparent;
    QRadioButton *m_other;
    QToolButton *m_fontButton;
    QToolButton *m_fillButton;
};

} // namespace tovren::dialogs
