#include "report/model/LineWrapper.h"

#include <algorithm>

namespace tovren::model {

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isCyrillicVowel(QChar c)
{
    static const QString vowels = QStringLiteral("ЁАЕИОУЫЭЮЯ");
    return vowels.contains(c);
}

bool isCyrillicSign(QChar c)
{
    return c == u'Ъ' || c == u'Ь';
}

bool isHyphenationStop(QChar c)
{
    return c == u' ' || c == u',' || c == u'-' || c == u'.';
}

} // namespace

std::vector<int> BreakPositions(const QString &word)
{
    std::vector<int> positions;
    const QString upper = word.toUpper();
    const int length = static_cast<int>(upper.size());
    if (length < 4)
        return positions;
    // 1-based p as the syllable rules are stated; a = word[p], b = word[p+1], c = word[p+2].
    for (int p = 2; p <= length - 2; ++p) {
        const QChar a = upper[p - 1];
        const QChar b = upper[p];
        const QChar c = upper[p + 1];
        bool allowed = false;
        if (isCyrillicVowel(a))
            allowed = isCyrillicVowel(b) || isCyrillicVowel(c);
        if (!allowed && isCyrillicSign(a))
            allowed = !isHyphenationStop(c);
        if (!allowed && !isCyrillicVowel(a) && !isCyrillicSign(a))
            allowed = !isCyrillicVowel(b) && !isCyrillicSign(b) && isCyrillicVowel(c);
        if (allowed)
            positions.push_back(p);
    }
    return positions;
}

LineWrapper::LineWrapper(TextMeasurer &measurer, Settings settings)
    : m_measurer(measurer)
    , m_settings(std::move(settings))
{}

const QString &LineWrapper::cacheKeyPrefix() const
{
    // Made on first use: most texts are a single line that is never wrapped. The settings go
    // in as fixed-width binary fields, which cost nothing to format and which no text that
    // follows can be mistaken for.
    if (m_cacheKeyPrefix.isEmpty()) {
        const quint64 font = m_measurer.fontSerial(m_settings.font);
        const auto spacing = static_cast<quint32>(m_settings.charSpacingPx);
        const auto width = static_cast<quint32>(m_settings.availableWidthPx);
        const char16_t fields[] = {
            char16_t(font),       char16_t(font >> 16),  char16_t(font >> 32),
            char16_t(font >> 48), char16_t(spacing),     char16_t(spacing >> 16),
            char16_t(width),      char16_t(width >> 16), char16_t(m_settings.wordBreak)};
        m_cacheKeyPrefix = QString(reinterpret_cast<const QChar *>(fields), std::size(fields));
    }
    return m_cacheKeyPrefix;
}

LayoutPixelsF LineWrapper::width(const QString &text) const
{
    return m_measurer.width(m_settings.font, m_settings.charSpacingPx, text);
}

QStringList LineWrapper::wrapLine(const QString &paragraph) const
{
    return m_measurer.wrapped(cacheKeyPrefix() + paragraph,
                              [&] { return wrapUncached(paragraph); });
}

QStringList LineWrapper::wrapUncached(const QString &s) const
{
    QStringList lines;
    const double limit = m_settings.availableWidthPx;
    const int n = static_cast<int>(s.size());
    // 1-based positions throughout, matching the stored layouts this must reproduce.
    auto at = [&](int i) { return s[i - 1]; };
    auto sub = [&](int from, int to) {
        return to < from ? QString() : s.mid(from - 1, to - from + 1);
    };
    auto addParagraphEnd = [&](const QString &line) { lines << line + kEndOfParagraph; };

    const bool hasBreaks = std::any_of(s.begin(), s.end(), isLineBreak);
    if (!hasBreaks && (n <= 1 || width(s) <= limit)) {
        addParagraphEnd(s);
        return lines;
    }

    int lineStart = 1;
    int lastSpace = 1;
    int lastCut = 0;
    int i = 1;
    while (i <= n) {
        if (isLineBreak(at(i))) {
            addParagraphEnd(sub(lineStart, i - 1));
            while (i < n && isLineBreak(at(i)))
                ++i;
            lineStart = lastSpace = i;
            if (isLineBreak(at(i)))
                return lines;
            continue;
        }
        const int charEnd = at(i).isHighSurrogate() && i < n ? i + 1 : i;
        if (at(i) != u' ' && width(sub(lineStart, charEnd)) > limit) {
            bool hyphenated = false;
            if (m_settings.wordBreak) {
                int j = i;
                while (j <= n && !isHyphenationStop(at(j)))
                    ++j;
                const std::vector<int> breaks = BreakPositions(sub(lastSpace + 1, j - 1));
                if (!breaks.empty()) {
                    i = lastSpace;
                    for (const int b : breaks) {
                        if (width(sub(lineStart, lastSpace + b) + u'-') > limit)
                            break;
                        hyphenated = true;
                        i = lastSpace + b;
                    }
                    lastSpace = i;
                }
            } else if (lastSpace == lineStart) {
                lastSpace = i;
            }

            if (hyphenated) {
                lines << sub(lineStart, lastSpace) + u'-';
            } else if (at(lastSpace) == u' ') {
                lines << sub(lineStart, lastSpace - 1);
            } else {
                if (lastSpace == lineStart)
                    lastSpace = i;
                lines << sub(lineStart, lastSpace - 1);
                lastSpace = lastSpace - 1;
            }

            if (m_settings.wordBreak && !hyphenated && i == lastSpace + 1) {
                if (i == lastCut) {
                    // A character wider than the line on its own: the rest goes out unbroken
                    // rather than looping, and starts at that character so nothing is dropped.
                    lineStart = i;
                    i = n + 1;
                    break;
                }
                lastCut = i;
            }
            lastSpace = lastSpace + 1;
            lineStart = lastSpace;
        }
        if (at(i) == u' ')
            lastSpace = i;
        i = (i <= n && at(i).isHighSurrogate() && i < n) ? i + 2 : i + 1;
    }
    if (i != lineStart)
        addParagraphEnd(sub(lineStart, n));
    return lines;
}

} // namespace tovren::model
