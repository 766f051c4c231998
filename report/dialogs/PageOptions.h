#pragma once

#include <QList>
#include <QString>

namespace tovren::model {
class TqxPage;
}

namespace tovren::dialogs {

/// What the page options dialog shows of a template page, as the texts and choices of its
/// controls, and the rules that write them back.
///
/// Lengths are texts in millimetres, so a box the person left unparsable reaches applyTo()
/// as typed; applyTo() then falls back as the page options always did (an unparsable custom
/// size gives A4, unparsable margins give no margins). A column count that is no whole number
/// of at least 0 is refused before anything is written. Paper and bin are positions in the
/// active printer's lists, which the caller passes to both ends.
struct PageOptions
{
    bool printToPrevPage = false;
    /// "伸展至打印区": the page ignores its margins, the inverse of the page's UseMargins.
    bool stretchToPrintable = false;
    /// The designer's canvas three times the page height; the page does not keep it.
    bool unlimitedHeight = false;
    bool landscape = false;
    int paperIndex = 0;
    int binIndex = 0;
    /// Shown for the custom paper size only; otherwise empty.
    QString paperWidthMm;
    QString paperHeightMm;
    QString leftMarginMm;
    QString topMarginMm;
    QString rightMarginMm;
    QString bottomMarginMm;
    QString columnGapMm;
    QString columnCount = QStringLiteral("1");

    static PageOptions fromPage(const model::TqxPage &page, bool unlimitedHeight,
                                const QList<int> &paperCodes, const QList<int> &binCodes);

    /// The message that explains why the column count cannot be used; empty when it can.
    QString columnCountError() const;

    /// Writes the options into @p page and re-applies its paper; the designer keeps
    /// unlimitedHeight itself. False, with the page untouched, when columnCountError() is
    /// not empty.
    bool applyTo(model::TqxPage &page, const QList<int> &paperCodes,
                 const QList<int> &binCodes) const;

    /// A length as the boxes show it: general notation with at most 4 significant digits.
    static QString millimetreText(double millimetres);
};

} // namespace tovren::dialogs
