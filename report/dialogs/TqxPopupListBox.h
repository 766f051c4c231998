#pragma once

#include <QFrame>

class QListWidget;

namespace tovren::dialogs {

/// The borderless pop-up list that the object inspector opens under a value for its choices
/// (yes or no, colour names, the names of an enumeration).
///
/// Its owner fills, sizes and places it; it reports the entry the person clicks or confirms with
/// Enter, then closes, and reports a close without a choice (Esc, a click elsewhere) separately.
class TqxPopupListBox : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kMinItemHeightPixels = 11;
    static constexpr int kBorderPixels = 1;

    explicit TqxPopupListBox(QWidget *owner);

    QListWidget *listBox() const { return m_list; }

    /// Replaces the entries and highlights the one equal to @p current, if any.
    void setEntries(const QStringList &entries, const QString &current = {});
    /// The height of every entry: the list font's text height, at least 11 pixels.
    int itemHeightPixels() const;
    /// The outer height that shows exactly @p rows entries.
    int heightForRows(int rows) const;
    /// The text width of the widest entry.
    int widestEntryPixels() const;

    /// Opens the list at @p screenRect (screen coordinates).
    void popUp(const QRect &screenRect);

signals:
    void entryChosen(int row);
    void dismissed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void choose(int row);

    QListWidget *m_list;
    bool m_chosen = false;
};

} // namespace tovren::dialogs
