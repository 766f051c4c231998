#include "report/designer/ToolWindowStack.h"

#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QWidget>

namespace tovren::designer {

namespace {

bool standOneAboveTheOther(QRect inspector, QRect fieldList)
{
    // Any shared column counts, also a field list narrower than the inspector on both sides.
    return inspector.left() <= fieldList.right() && fieldList.left() <= inspector.right();
}

void place(QWidget &window, QRect frame)
{
    if (window.frameGeometry() == frame)
        return;
    // Frameless windows: the frame is the window itself.
    window.move(frame.topLeft());
    window.resize(window.width(), frame.height());
}

} // namespace

std::optional<ToolWindowStack::Placement>
ToolWindowStack::stacked(QRect area, QRect inspector, QRect fieldList, bool inspectorRolledUp)
{
    if (!standOneAboveTheOther(inspector, fieldList))
        return std::nullopt;
    const int remainingHeight = qMax(0, area.height() - fieldList.height());
    Placement placement{inspector, fieldList};
    if (inspector.top() < fieldList.top()) {
        placement.fieldList.moveBottom(area.bottom());
        placement.inspector.moveTop(area.top());
    } else {
        placement.fieldList.moveTop(area.top());
        placement.inspector.moveTop(area.top() + fieldList.height());
    }
    if (!inspectorRolledUp)
        placement.inspector.setHeight(remainingHeight);
    return placement;
}

ToolWindowStack::ToolWindowStack(QWidget &pageArea, QWidget &inspector,
                                 std::function<bool()> inspectorRolledUp,
                                 std::function<QWidget *()> fieldList, QObject *parent)
    : QObject(parent)
    , m_pageArea(pageArea)
    , m_inspector(&inspector)
    , m_inspectorRolledUp(std::move(inspectorRolledUp))
    , m_fieldList(std::move(fieldList))
{
    inspector.installEventFilter(this);
}

QRect ToolWindowStack::pageAreaOnScreen() const
{
    // One pixel above the page area and one short of its bottom, as the windows' borders need.
    const QPoint topLeft = m_pageArea.mapToGlobal(QPoint(0, 0));
    return QRect(topLeft.x(), topLeft.y() - 1, m_pageArea.width(), m_pageArea.height() - 2);
}

void ToolWindowStack::heightChanged()
{
    QWidget *fieldList = m_fieldList();
    if (m_arranging || !m_inspector || !fieldList || !m_inspector->isVisible() ||
        !fieldList->isVisible())
        return;
    const std::optional<Placement> placement =
        stacked(pageAreaOnScreen(), m_inspector->frameGeometry(), fieldList->frameGeometry(),
                m_inspectorRolledUp());
    if (!placement)
        return;
    const QScopedValueRollback<bool> arranging(m_arranging, true);
    place(*fieldList, placement->fieldList);
    place(*m_inspector, placement->inspector);
}

void ToolWindowStack::followInspector()
{
    QWidget *fieldList = m_fieldList();
    if (m_arranging || !m_inspector || !fieldList || !m_inspector->isVisible() ||
        !fieldList->isVisible() || m_inspectorRolledUp())
        return;
    const QRect inspector = m_inspector->frameGeometry();
    QRect docked = fieldList->frameGeometry();
    if (!standOneAboveTheOther(inspector, docked) || docked.top() <= inspector.top())
        return;
    docked.moveTop(inspector.bottom() + 1);
    const QScopedValueRollback<bool> arranging(m_arranging, true);
    place(*fieldList, docked);
}

bool ToolWindowStack::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_inspector) {
        const auto *resize = static_cast<QResizeEvent *>(event);
        if (resize->oldSize().height() != resize->size().height())
            followInspector();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tovren::designer
