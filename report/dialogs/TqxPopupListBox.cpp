#include "report/dialogs/TqxPopupListBox.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace tovren::dialogs {

namespace {

/// Every entry one fixed height, so the list shows a whole number of entries.
class FixedHeightDelegate : public QStyledItemDelegate
{
public:
    FixedHeightDelegate(const TqxPopupListBox &box, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_box(box)
    {}

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_box.itemHeightPixels()};
    }

private:
    const TqxPopupListBox &m_box;
};

} // namespace

TqxPopupListBox::TqxPopupListBox(QWidget *owner)
    : QFrame(owner, Qt::Popup | Qt::FramelessWindowHint)
    , m_list(new QListWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    // Short lists are the rule: the owner's size wins over the scroll area's idea of a minimum.
    m_list->setMinimumSize(1, 1);
    m_list->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_list->setLineWidth(kBorderPixels);
    m_list->setUniformItemSizes(true);
    m_list->setItemDelegate(new FixedHeightDelegate(*this, m_list));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_list->setMouseTracking(true);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::entered, this,
            [this](const QModelIndex &index) { m_list->setCurrentRow(index.row()); });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { choose(m_list->row(item)); });
}

void TqxPopupListBox::setEntries(const QStringList &entries, const QString &current)
{
    m_list->clear();
    m_list->addItems(entries);
    const int currentRow = int(entries.indexOf(current));
    if (currentRow >= 0)
        m_list->setCurrentRow(currentRow);
}

int TqxPopupListBox::itemHeightPixels() const
{
    return std::max(kMinItemHeightPixels, m_list->fontMetrics().height());
}

int TqxPopupListBox::heightForRows(int rows) const
{
    return std::max(1, rows) * itemHeightPixels() + 2 * kBorderPixels;
}

int TqxPopupListBox::widestEntryPixels() const
{
    int widest = 0;
    for (int row = 0; row < m_list->count(); ++row)
        widest =
            std::max(widest, m_list->fontMetrics().horizontalAdvance(m_list->item(row)->text()));
    return widest;
}

void TqxPopupListBox::popUp(const QRect &screenRect)
{
    m_chosen = false;
    setGeometry(screenRect);
    show();
    m_list->setFocus();
    if (m_list->currentItem())
        m_list->scrollToItem(m_list->currentItem());
}

void TqxPopupListBox::choose(int row)
{
    if (row < 0)
        return;
    m_chosen = true;
    hide();
    emit entryChosen(row);
}

bool TqxPopupListBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose(m_list->currentRow());
            return true;
        case Qt::Key_Escape:
            hide();
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TqxPopupListBox::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    if (!m_chosen)
        emit dismissed();
    m_chosen = false;
}

} // namespace tovren::dialogs
