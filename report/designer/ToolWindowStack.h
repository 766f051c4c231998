#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>

class QWidget;

namespace tovren::designer {

/// Keeps the inspector and the field list stacked beside the page when one of them changes
/// height. Both float over the designer; when they stand one above the other (they share some
/// of their width), the pair fills the page area's height: the
/// field list keeps its height at the bottom of the area when the inspector is above it, at
/// the top otherwise, and the inspector takes the rest (a rolled-up inspector keeps its
/// caption's height). When the clerk resizes the inspector, a field list docked below it moves
/// with its lower edge.
///
/// It knows the windows only as widgets: the designer hands it the inspector, whether that is
/// rolled up, and a way to reach the field list, which comes and goes.
class ToolWindowStack : public QObject
{
    Q_OBJECT
public:
    struct Placement
    {
        QRect inspector;
        QRect fieldList;
    };

    /// Where both windows go within @p area (screen pixels); none when they do not stand one
    /// above the other.
    static std::optional<Placement> stacked(QRect area, QRect inspector, QRect fieldList,
                                            bool inspectorRolledUp);

    /// @p pageArea is the widget whose screen area the windows share; it must outlive this.
    ToolWindowStack(QWidget &pageArea, QWidget &inspector, std::function<bool()> inspectorRolledUp,
                    std::function<QWidget *()> fieldList, QObject *parent);

    /// The height hook of both windows: stacks them again when both are shown.
    void heightChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRect pageAreaOnScreen() const;
    void followInspector();

    QWidget &m_pageArea;
    QPointer<QWidget> m_inspector;
    std::function<bool()> m_inspectorRolledUp;
    std::function<QWidget *()> m_fieldList;
    bool m_arranging = false;
};

} // namespace tovren::designer
