#pragma once

#include <QRect>
#include <QString>
#include <optional>

namespace tovren::engine {
class TqxEMFPages;
}

namespace tovren::preview {

/// Finds text in the prepared pages, one match at a time, and remembers where to go on.
///
/// A match is a single text output containing the whole search text; text split over two
/// outputs is not found. The search resumes on the page of the last match, after that match;
/// asking from another page starts at the top of that page.
class PreviewSearch
{
public:
    struct Hit
    {
        int pageIndex = 0;
        int record = 0;
        /// Bounds of the matching text output, in page pixels.
        QRect bounds;
    };

    /// Takes a new search text; without @p matchCase the comparison ignores case.
    void setText(const QString &text, bool matchCase);
    bool hasText() const { return !m_text.isEmpty(); }
    const QString &text() const { return m_text; }
    bool matchCase() const { return m_matchCase; }

    /// Starts again at the top of page @p pageIndex.
    void restartAt(int pageIndex);
    /// Goes on after the last match when @p pageIndex is its page, else starts at that page.
    void continueOn(int pageIndex);

    /// The next match from the resume point on, moving the resume point past it; nothing when
    /// no later page holds the text.
    std::optional<Hit> findNext(engine::TqxEMFPages &pages);

    int searchPage() const { return m_searchPage; }
    int searchResume() const { return m_searchResume; }

private:
    QString normalised(const QString &text) const;

    QString m_text;
    bool m_matchCase = false;
    int m_searchPage = 0;
    int m_searchResume = 0;
};

} // namespace tovren::preview
