#pragma once

#include "report/dialogs/RecentFontList.h"
#include "report/dialogs/TqxComboBox.h"

#include <QImage>
#include <functional>

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::dialogs {

class TqxFontPreview;

/// The installed font families as a font box lists them, TrueType bit set for outline fonts.
QList<FontListEntry> installedFontFamilies();

/// The 15 × 12 mark drawn beside TrueType fonts, on a transparent background.
QImage trueTypeGlyph();

/// The font-name box: every installed font in alphabetical order, headed by the five fonts the
/// person chose last (kept in a settings store so every font box and every run shares them),
/// with a sample of the highlighted font beside the open list.
///
/// A font counts as chosen only when it is picked from the open list; the list is refilled when
/// the installed fonts change, and a stored recent font that is no longer installed disappears.
class TqxFontComboBox : public TqxCustomComboBox
{
    Q_OBJECT
public:
    /// The application title of the settings store that keeps the recent fonts
    /// (organisation "Quorix").
    static constexpr const char *kRecentFontsStoreTitle = "MRUFont";
    static constexpr int kDefaultVisibleItems = 12;
    static constexpr int kDefaultWidthPixels = 150;
    static constexpr int kImageWidthPixels = 16;
    /// Entries leave room for the TrueType mark before the name.
    static constexpr int kNameOffsetPixels = 17;

    using FontSource = std::function<QList<FontListEntry>()>;

    /// A box without recent fonts, as option dialogs use it.
    explicit TqxFontComboBox(QWidget *parent = nullptr);
    /// A box that keeps its recent fonts in @p recentFonts, which must outlive it.
    explicit TqxFontComboBox(platform::SettingsStore &recentFonts, QWidget *parent = nullptr);
    ~TqxFontComboBox() override;

    /// Recent fonts on top of the list; only possible for a box given a store.
    bool showsRecentFonts() const { return m_showRecent && m_recentStore; }
    void setShowRecentFonts(bool show);
    /// The index of the last recent font in the list, -1 when there is none.
    int lastRecentIndex() const { return m_fonts.lastRecentIndex(); }

    /// Where the box takes its fonts from; by default the installed families. Refills the list.
    void setFontSource(FontSource source);
    /// Refills the list, keeping the shown font when it is still listed and otherwise showing
    /// the first entry.
    void populateFonts();

    /// Shows @p family as the current font: its first entry when listed, otherwise just the text.
    void setFontFamily(const QString &family);

    TqxFontPreview *sampleWindow() const { return m_sample; }

signals:
    /// The person chose @p family, from the open list or with the keys of the closed box.
    void fontChosen(const QString &family);

protected:
    int itemHeightForFont() const override;
    int itemTextLeftPixels() const override { return kNameOffsetPixels; }
    void paintItem(QPainter &painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index) const override;
    void paintEditImage(QPainter &painter, const QRect &area) const override;
    void popupShown(const QRect &listOnScreen) override;
    void popupHidden() override;

private:
    void setUp();
    void showItems(int currentRow);
    void onActivated(int index);
    void placeSample();
    void updateSample();

    platform::SettingsStore *m_recentStore = nullptr;
    bool m_showRecent = false;
    FontSource m_fontSource;
    RecentFontList m_fonts;
    TqxFontPreview *m_sample = nullptr;
    QRect m_listOnScreen;
    QImage m_trueTypeGlyph;
    bool m_listJustClosed = false;
};

} // namespace tovren::dialogs
