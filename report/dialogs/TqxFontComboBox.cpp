#include "report/dialogs/TqxFontComboBox.h"

#include "report/dialogs/TqxFontPreview.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace tovren::dialogs {

namespace {
constexpr int kFontTypeRole = Qt::UserRole;
} // namespace

QList<FontListEntry> installedFontFamilies()
{
    QList<FontListEntry> fonts;
    const QStringList families = QFontDatabase::families();
    fonts.reserve(families.size());
    for (const QString &family : families) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        constexpr int kRaster = 1;
        fonts.append({family, QFontDatabase::isSmoothlyScalable(family) ? FontListEntry::kTrueType
                                                                        : kRaster});
    }
    return fonts;
}

QImage trueTypeGlyph()
{
    // Two overlapping letters T, the back one grey, the front one black.
    QImage glyph(15, 12, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    const auto letterT = [&](int left, int top, const QColor &colour) {
        painter.fillRect(left, top, 9, 2, colour);
        painter.fillRect(left + 3, top + 2, 3, 7, colour);
        painter.fillRect(left + 2, top + 9, 5, 1, colour);
    };
    letterT(0, 0, QColor(128, 128, 128));
    letterT(6, 2, Qt::black);
    painter.end();
    return glyph;
}

TqxFontComboBox::TqxFontComboBox(QWidget *parent)
    : TqxCustomComboBox(parent)
{
    setUp();
}

TqxFontComboBox::TqxFontComboBox(platform::SettingsStore &recentFonts, QWidget *parent)
    : TqxCustomComboBox(parent)
    , m_recentStore(&recentFonts)
    , m_showRecent(true)
{
    setUp();
}

TqxFontComboBox::~TqxFontComboBox() = default;

void TqxFontComboBox::setUp()
{
    m_trueTypeGlyph = trueTypeGlyph();
    m_sample = new TqxFontPreview(this);
    setMaxVisibleItems(kDefaultVisibleItems);
    setDefaultWidthPixels(kDefaultWidthPixels);
    setEditOffsetPixels(kImageWidthPixels);
    setReadOnly(true);
    followFontForItemHeight();
    resize(sizeHint());
    m_fontSource = installedFontFamilies;
    connect(this, &QComboBox::activated, this, &TqxFontComboBox::onActivated);
    connect(view()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TqxFontComboBox::updateSample);
    connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, &TqxFontComboBox::populateFonts);
    populateFonts();
}

void TqxFontComboBox::setShowRecentFonts(bool show)
{
    if (show == m_showRecent)
        return;
    m_showRecent = show;
    populateFonts();
}

void TqxFontComboBox::setFontSource(FontSource source)
{
    m_fontSource = std::move(source);
    populateFonts();
}

void TqxFontComboBox::populateFonts()
{
    const QString shown = currentText();
    m_fonts.fill(m_fontSource ? m_fontSource() : QList<FontListEntry>(),
                 showsRecentFonts() ? m_recentStore : nullptr);
    const int listed = m_fonts.indexOf(shown);
    showItems(listed >= 0 || m_fonts.entries().isEmpty() ? listed : 0);
}

void TqxFontComboBox::showItems(int currentRow)
{
    // Refilling is not a choice: nobody listening hears about it.
    const QSignalBlocker blocker(this);
    clear();
    for (const FontListEntry &entry : m_fonts.entries())
        addItem(entry.family, entry.fontType);
    setCurrentIndex(currentRow);
    update();
}

void TqxFontComboBox::setFontFamily(const QString &family)
{
    const QSignalBlocker blocker(this);
    const int index = m_fonts.indexOf(family);
    setCurrentIndex(index);
    if (index < 0)
        setEditText(family);
    update();
}

void TqxFontComboBox::onActivated(int index)
{
    if (index < 0 || index >= m_fonts.entries().size())
        return;
    const bool fromList = std::exchange(m_listJustClosed, false);
    int chosen = index;
    if (fromList && showsRecentFonts()) {
        chosen = m_fonts.choose(index, m_recentStore);
        showItems(chosen);
    }
    emit fontChosen(m_fonts.entries().at(chosen).family);
}

int TqxFontComboBox::itemHeightForFont() const
{
    const int textHeight = fontMetrics().height();
    return textHeight > m_trueTypeGlyph.height() ? textHeight : m_trueTypeGlyph.height() + 1;
}

void TqxFontComboBox::paintItem(QPainter &painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const QRect item = option.rect;
    if (index.data(kFontTypeRole).toInt() & FontListEntry::kTrueType) {
        painter.drawImage(item.left() + 1,
                          item.top() + (item.height() - m_trueTypeGlyph.height()) / 2,
                          m_trueTypeGlyph);
    }
    painter.drawText(item.adjusted(kNameOffsetPixels, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     index.data().toString());

    // A line sets the recent fonts off from the alphabetical list.
    const int lastRecent = m_fonts.lastRecentIndex();
    painter.setPen(option.palette.color(QPalette::Dark));
    if (lastRecent >= 0 && index.row() == lastRecent)
        painter.drawLine(item.left(), item.bottom() - 1, item.right(), item.bottom() - 1);
    if (lastRecent >= 0 && index.row() == lastRecent + 1)
        painter.drawLine(item.left(), item.top(), item.right(), item.top());
}

void TqxFontComboBox::paintEditImage(QPainter &painter, const QRect &area) const
{
    const int index = m_fonts.indexOf(currentText());
    if (index >= 0 && m_fonts.entries().at(index).isTrueType()) {
        painter.drawImage(area.left() + 1,
                          area.top() + (area.height() - m_trueTypeGlyph.height()) / 2,
                          m_trueTypeGlyph);
    }
}

void TqxFontComboBox::popupShown(const QRect &listOnScreen)
{
    m_listOnScreen = listOnScreen;
    m_listJustClosed = false;
    if (!view()->currentIndex().isValid() && count() > 0)
        view()->setCurrentIndex(model()->index(0, modelColumn()));
    placeSample();
    updateSample();
    m_sample->show();
}

void TqxFontComboBox::popupHidden()
{
    m_sample->hide();
    // The list reports the chosen entry right after it closes; only that counts as a choice.
    m_listJustClosed = true;
    QTimer::singleShot(0, this, [this] { m_listJustClosed = false; });
}

void TqxFontComboBox::updateSample()
{
    if (!m_sample)
        return;
    const QModelIndex highlighted = view()->currentIndex();
    m_sample->showSample(highlighted.isValid() ? highlighted.data().toString() : currentText());
    if (m_sample->isVisible())
        placeSample();
}

void TqxFontComboBox::placeSample()
{
    const QRect boxOnScreen(mapToGlobal(QPoint(0, 0)), size());
    const QRect screenRect = screen() ? screen()->geometry() : QRect(0, 0, 640, 480);
    // Beside the box, and beside the list where a long name made the list wider than the box.
    QPoint topLeft(std::max(boxOnScreen.right(), m_listOnScreen.right()) + 1,
                   boxOnScreen.bottom() + 1);
    if (topLeft.x() + m_sample->width() > screenRect.right() + 1)
        topLeft.setX(boxOnScreen.left() - m_sample->width() - 1);
    if (dropsUpward())
        topLeft.setY(boxOnScreen.top() - m_sample->height());
    m_sample->move(topLeft);
}

} // namespace tovren::dialogs
