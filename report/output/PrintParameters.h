#pragma once

#include <QString>

namespace tovren::output {

enum class PageParity : int { All = 0, Odd = 1, Even = 2 };

/// Whether the 1-based @p pageNumber passes the odd/even choice.
inline bool passesParity(PageParity parity, int pageNumber)
{
    switch (parity) {
    case PageParity::Odd:
        return pageNumber % 2 == 1;
    case PageParity::Even:
        return pageNumber % 2 == 0;
    case PageParity::All:
        break;
    }
    return true;
}

/// What one print asks for: which pages, how many copies, who collates them, odd or even pages.
///
/// The report keeps one for the length of a print; the dialog fills it and the print loop reads
/// it. `terminated` is the one value that changes during the print: the progress window's cancel
/// button sets it and the loop stops after the page it is printing.
struct PrintParameters
{
    /// Empty means every page; otherwise numbers and ranges such as "1,3,5-12".
    QString pageRangeText;
    /// Values of 0 or less count as one copy; see effectiveCopies().
    int copies = 1;
    /// True: the device makes the copies, each page is sent once. False: each page is sent
    /// `copies` times in a row.
    bool collate = true;
    PageParity pageParity = PageParity::All;
    bool terminated = false;

    int effectiveCopies() const { return copies > 0 ? copies : 1; }
    /// The odd/even choice from its stored number (the index of the dialog's list); unknown
    /// numbers mean all pages.
    static PageParity parityFromIndex(int index)
    {
        return index == 1 ? PageParity::Odd : index == 2 ? PageParity::Even : PageParity::All;
    }
};

} // namespace tovren::output
