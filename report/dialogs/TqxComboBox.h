#pragma once

#include <QComboBox>

class QStyleOptionViewItem;

namespace tovren::dialogs {

/// The flat editable combo box of the designer's tool bars and option dialogs: it lies flat on
/// its tool bar until the mouse is over it, it has the focus or its list is open, and its list
/// drops down (or up, where the screen ends) exactly as wide as the box.
///
/// Every list entry is drawn at one fixed height, which follows the box's font unless set; the
/// list shows at most maxVisibleItems() entries and opens scrolled to its start while the current
/// entry is among them.
class TqxCustomComboBox : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int kDropButtonWidthPixels = 11;
    static constexpr int kDefaultWidthPixels = 100;

    explicit TqxCustomComboBox(QWidget *parent = nullptr);
    ~TqxCustomComboBox() override;

    /// The height of every list entry; by default the text height of the box's font.
    int itemHeightPixels() const { return m_itemHeightPixels; }
    void setItemHeightPixels(int pixels);

    /// A read-only box lets the person choose from the list but not type.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);

    /// Whether the list, while open, lies above the box because there was no room below.
    bool dropsUpward() const { return m_dropsUpward; }
    /// Whether the box shows its raised (hot) look.
    bool isHot() const;

    /// The part of the box left of the text kept for an image.
    int editOffsetPixels() const { return m_editOffsetPixels; }
    QRect editRect() const;
    QRect buttonRect() const;

    void showPopup() override;
    void hidePopup() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /// The person double-clicked the box (its text or its frame).
    void doubleClicked();

protected:
    void setEditOffsetPixels(int pixels);
    void setDefaultWidthPixels(int pixels) { m_defaultWidthPixels = pixels; }
    /// Makes the entry height follow the font again, asking itemHeightForFont() now.
    void followFontForItemHeight();
    /// The height entries take for the current font; subclasses may need more room.
    virtual int itemHeightForFont() const;
    /// Where an entry's text starts, from the entry's left edge.
    virtual int itemTextLeftPixels() const { return 2; }
    /// Draws one list entry; the background is already filled.
    virtual void paintItem(QPainter &painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const;
    /// Draws into the area left of the text (editOffsetPixels() wide).
    virtual void paintEditImage(QPainter &painter, const QRect &area) const;
    /// Called once the list is open and placed, with its outer rectangle in screen coordinates.
    virtual void popupShown(const QRect &) {}
    virtual void popupHidden() {}

    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class ItemDelegate;
    class FlatStyle;
    friend class ItemDelegate;

    void placePopup();
    void adoptLineEdit();

    FlatStyle *m_style;
    int m_itemHeightPixels = 0;
    bool m_itemHeightFollowsFont = true;
    int m_editOffsetPixels = 0;
    int m_defaultWidthPixels = kDefaultWidthPixels;
    bool m_readOnly = false;
    bool m_dropped = false;
    bool m_dropsUpward = false;
    bool m_mouseInside = false;
};

/// The flat combo box as dialogs and tool bars place it (the font size and frame width boxes):
/// an editable box whose list holds eight entries at a time.
class TqxComboBox : public TqxCustomComboBox
{
    Q_OBJECT
public:
    static constexpr int kDefaultVisibleItems = 8;

    explicit TqxComboBox(QWidget *parent = nullptr);
};

} // namespace tovren::dialogs
