#pragma once

#include "report/model/TextMeasurer.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

namespace tovren::model {

/// Marks the last line of a paragraph in wrapped text; prepared pages store it.
inline constexpr QChar kEndOfParagraph = QChar(char16_t(1));

/// Breaks one paragraph into lines no wider than a given width, the way a text object wraps.
///
/// Lines break at blanks and at CR/LF, a word longer than a line breaks before the character
/// that overflows (never inside a surrogate pair), and with word breaking a word may be split
/// with a hyphen at a syllable boundary. The last line of every paragraph carries
/// kEndOfParagraph. No character of the input is lost.
class LineWrapper
{
public:
    struct Settings
    {
        QFont font; // a layout font (see layoutFont)
        int charSpacingPx = 0;
        int availableWidthPx = 0;
        bool wordBreak = false;
    };

    LineWrapper(TextMeasurer &measurer, Settings settings);

    /// Wraps @p paragraph; the result is remembered by the measurer for equal settings.
    QStringList wrapLine(const QString &paragraph) const;

private:
    QStringList wrapUncached(const QString &paragraph) const;
    LayoutPixelsF width(const QString &text) const;
    const QString &cacheKeyPrefix() const;

    TextMeasurer &m_measurer;
    Settings m_settings;
    mutable QString m_cacheKeyPrefix;
};

/// Syllable positions after which the word may be hyphenated (1-based, ascending); words of
/// fewer than 4 characters have none.
std::vector<int> BreakPositions(const QString &word);

} // namespace tovren::model
