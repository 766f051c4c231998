#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QToolButton;

namespace tovren::platform {
class DialogProvider;
}
namespace tovren::db {
class ERecordConflict;
class TDbQuery;
} // namespace tovren::db

namespace tovren::app {

/// The record navigator: ten flat buttons that move through, edit and refresh the browse query.
/// Buttons that cannot act on the query's present state are disabled; failures are shown through
/// the dialog provider and never leave the query in a half-changed state.
class DbNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int kButtonCount = 10;

    DbNavigator(db::TDbQuery &query, platform::DialogProvider &dialogs, QWidget *parent = nullptr);

    /// Settles a save another desk got to first; without one it is shown as an error.
    void setConflictHandler(std::function<void(const db::ERecordConflict &)> handler)
    {
        m_conflictHandler = std::move(handler);
    }

    QToolButton *button(Button which) const { return m_buttons[which]; }
    void click(Button which);
    void updateButtons();
    /// "第 n / N 条": where the current record stands in the query.
    QString positionText() const;

private:
    void act(Button which);

    db::TDbQuery &m_query;
    platform::DialogProvider &m_dialogs;
    std::function<void(const db::ERecordConflict &)> m_conflictHandler;
    std::array<QToolButton *, kButtonCount> m_buttons{};
    QLabel *m_position = nullptr;
};

} // namespace tovren::app
