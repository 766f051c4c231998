#include "report/dialogs/TqxComboBox.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <algorithm>
#include <cmath>
#include <qdrawutil.h>

namespace tovren::dialogs {

namespace {

constexpr int kListFramePixels = 2;

/// Half of @p value, halves rounded to the even neighbour, as the arrow's placement needs.
int halfRoundedToEven(int value)
{
    return int(std::lrint(value / 2.0));
}

} // namespace

/// Gives the box its own geometry (text part, drop button, list placement) while every other
/// question goes to the application's style.
class TqxCustomComboBox::FlatStyle : public QProxyStyle
{
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget) const override
    {
        const auto *box = qobject_cast<const TqxCustomComboBox *>(widget);
        if (control != CC_ComboBox || !box)
            return QProxyStyle::subControlRect(control, option, subControl, widget);
        switch (subControl) {
        case SC_ComboBoxEditField:
            return box->editRect();
        case SC_ComboBoxArrow:
            return box->buttonRect();
        default:
            return option->rect;
        }
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        switch (hint) {
        case SH_ComboBox_Popup: // a plain list below the box, not a menu over it
            return 0;
        case SH_ComboBox_ListMouseTracking:
            return 1;
        case SH_ComboBox_PopupFrameStyle:
            return QFrame::WinPanel | QFrame::Raised;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }
};

/// Draws every entry at the box's fixed height; what an entry shows is the box's business.
class TqxCustomComboBox::ItemDelegate : public QAbstractItemDelegate
{
public:
    explicit ItemDelegate(TqxCustomComboBox *box)
        : QAbstractItemDelegate(box)
        , m_box(box)
    {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect,
                          option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(m_box->font());
        m_box->paintItem(*painter, option, index);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        Q_UNUSED(option);
        const int textWidth = m_box->fontMetrics().horizontalAdvance(index.data().toString());
        return {m_box->itemTextLeftPixels() + textWidth + 4, m_box->itemHeightPixels()};
    }

private:
    TqxCustomComboBox *m_box;
};

TqxCustomComboBox::TqxCustomComboBox(QWidget *parent)
    : QComboBox(parent)
    , m_style(new FlatStyle)
{
    m_style->setParent(this);
    setStyle(m_style);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The person types a value or picks one; nothing completes behind their back.
    setCompleter(nullptr);
    setItemDelegate(new ItemDelegate(this));
    view()->setFrameShape(QFrame::NoFrame);
    view()->setMouseTracking(true);
    if (auto *list = qobject_cast<QAbstractItemView *>(view()))
        list->setTextElideMode(Qt::ElideNone);
    adoptLineEdit();
    m_itemHeightPixels = itemHeightForFont();
    setAttribute(Qt::WA_Hover);
    resize(sizeHint());
}

TqxCustomComboBox::~TqxCustomComboBox() = default;

void TqxCustomComboBox::adoptLineEdit()
{
    QLineEdit *edit = lineEdit();
    edit->setFrame(false);
    // A disabled box shows its text on the button face inside the white ring.
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Disabled, QPalette::Base,
                     colours.color(QPalette::Active, QPalette::Button));
    edit->setPalette(colours);
    edit->setReadOnly(m_readOnly);
    edit->installEventFilter(this);
}

void TqxCustomComboBox::setItemHeightPixels(int pixels)
{
    m_itemHeightFollowsFont = false;
    m_itemHeightPixels = std::max(1, pixels);
    view()->doItemsLayout();
}

void TqxCustomComboBox::followFontForItemHeight()
{
    m_itemHeightFollowsFont = true;
    m_itemHeightPixels = itemHeightForFont();
    view()->doItemsLayout();
}

int TqxCustomComboBox::itemHeightForFont() const
{
    return fontMetrics().height();
}

void TqxCustomComboBox::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    lineEdit()->setReadOnly(readOnly);
}

void TqxCustomComboBox::setEditOffsetPixels(int pixels)
{
    m_editOffsetPixels = std::max(0, pixels);
    lineEdit()->setGeometry(editRect());
    update();
}

bool TqxCustomComboBox::isHot() const
{
    return m_dropped || m_mouseInside || lineEdit()->hasFocus();
}

QRect TqxCustomComboBox::editRect() const
{
    return {m_editOffsetPixels + 3, 3,
            std::max(0, width() - kDropButtonWidthPixels - m_editOffsetPixels - 7),
            std::max(0, height() - 6)};
}

QRect TqxCustomComboBox::buttonRect() const
{
    return {width() - kDropButtonWidthPixels - 2, 2, kDropButtonWidthPixels,
            std::max(0, height() - 4)};
}

QSize TqxCustomComboBox::sizeHint() const
{
    return {m_defaultWidthPixels, std::max(21, fontMetrics().height() + 8)};
}

QSize TqxCustomComboBox::minimumSizeHint() const
{
    return {kDropButtonWidthPixels + m_editOffsetPixels + 24, sizeHint().height()};
}

void TqxCustomComboBox::showPopup()
{
    m_dropped = true;
    update();
    QComboBox::showPopup();
    placePopup();
}

void TqxCustomComboBox::hidePopup()
{
    QComboBox::hidePopup();
    m_dropped = false;
    m_dropsUpward = false;
    update();
    popupHidden();
}

void TqxCustomComboBox::placePopup()
{
    QWidget *list = view()->parentWidget();
    if (!list || !list->isVisible())
        return;
    // As the person sees it: the entry matching the text is the current one, whatever was
    // picked before the text was set or typed.
    const int matching = findText(currentText(), Qt::MatchFixedString);
    const QModelIndex highlighted =
        matching >= 0 ? model()->index(matching, modelColumn()) : QModelIndex();
    view()->setCurrentIndex(highlighted);

    const int rows = std::min(maxVisibleItems(), count());
    const int listHeight =
        (rows > 0 ? m_itemHeightPixels * rows : m_itemHeightPixels) + 2 * kListFramePixels;
    const int scrollBarWidth =
        count() > maxVisibleItems() ? view()->verticalScrollBar()->sizeHint().width() : 0;
    // The box's width, unless an entry would be cut off.
    const int listWidth = std::max(width() - 1, view()->sizeHintForColumn(modelColumn()) +
                                                    scrollBarWidth + 2 * kListFramePixels);
    const QRect boxOnScreen(mapToGlobal(QPoint(0, 0)), size());
    const QRect screenRect = (screen() ? screen()->geometry() : QRect(0, 0, 640, 480));
    m_dropsUpward = boxOnScreen.bottom() + 1 + listHeight > screenRect.bottom() + 1 &&
                    boxOnScreen.top() - listHeight >= screenRect.top();
    const int top = m_dropsUpward ? boxOnScreen.top() - listHeight : boxOnScreen.bottom() + 1;
    const int left = std::clamp(boxOnScreen.left(), screenRect.left(),
                                std::max(screenRect.left(), screenRect.right() + 1 - listWidth));
    const QRect listRect(left, top, listWidth, listHeight);
    list->setGeometry(listRect);
    // Opening on the first page while the current entry is on it, rather than wherever the list
    // was last scrolled to.
    if (matching < maxVisibleItems())
        view()->scrollToTop();
    else
        view()->scrollTo(highlighted);
    popupShown(listRect);
}

void TqxCustomComboBox::paintItem(QPainter &painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    painter.drawText(option.rect.adjusted(itemTextLeftPixels(), 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     index.data().toString());
}

void TqxCustomComboBox::paintEditImage(QPainter &, const QRect &) const {}

void TqxCustomComboBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    const QColor face = colours.color(QPalette::Active, QPalette::Button);
    const QColor window = colours.color(QPalette::Active, QPalette::Base);
    const int w = width();
    const int h = height();
    const int separatorX = w - kDropButtonWidthPixels - 3;
    const QRect editRing(QPoint(2, 2), QPoint(separatorX, h - 3));
    const QRect button = buttonRect();
    const QRect imageArea(QPoint(3, 3), QPoint(m_editOffsetPixels + 2, h - 4));

    painter.fillRect(rect(), face);
    if (isEnabled()) {
        painter.fillRect(editRing, window);
        if (m_editOffsetPixels > 0)
            paintEditImage(painter, imageArea);
    } else {
        painter.setPen(window);
        painter.drawRect(editRing.adjusted(0, 0, -1, -1));
    }

    QPoint arrow(halfRoundedToEven(kDropButtonWidthPixels) + w - kDropButtonWidthPixels - 4,
                 halfRoundedToEven(h - 4) + 1);
    if (isEnabled()) {
        if (isHot()) {
            qDrawShadePanel(&painter, rect(), colours, true, 1);
            painter.fillRect(button, face);
            qDrawShadePanel(&painter, button, colours, m_dropped, 1);
            painter.setPen(face);
            painter.drawLine(separatorX, 1, separatorX, h - 2);
            if (m_dropped)
                arrow += QPoint(1, 1);
        } else {
            painter.fillRect(button, face);
            painter.setPen(window);
            painter.drawRect(button.adjusted(0, 0, -1, -1));
            painter.drawLine(separatorX, 2, separatorX, h - 3);
        }
    }
    const QColor black(Qt::black);
    painter.fillRect(arrow.x(), arrow.y(), 5, 1, black);
    painter.fillRect(arrow.x() + 1, arrow.y() + 1, 3, 1, black);
    painter.fillRect(arrow.x() + 2, arrow.y() + 2, 1, 1, black);
}

void TqxCustomComboBox::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        if (m_itemHeightFollowsFont) {
            m_itemHeightPixels = itemHeightForFont();
            view()->doItemsLayout();
        }
        updateGeometry();
        break;
    case QEvent::EnabledChange:
        update();
        break;
    default:
        break;
    }
}

void TqxCustomComboBox::enterEvent(QEnterEvent *event)
{
    QComboBox::enterEvent(event);
    m_mouseInside = true;
    update();
}

void TqxCustomComboBox::leaveEvent(QEvent *event)
{
    QComboBox::leaveEvent(event);
    m_mouseInside = false;
    update();
}

void TqxCustomComboBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QComboBox::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

bool TqxCustomComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit()) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            update();
            break;
        case QEvent::MouseButtonDblClick:
            emit doubleClicked();
            break;
        default:
            break;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

TqxComboBox::TqxComboBox(QWidget *parent)
    : TqxCustomComboBox(parent)
{
    setMaxVisibleItems(kDefaultVisibleItems);
}

} // namespace tovren::dialogs
