#include "app/ui/DbNavigator.h"

#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "report/platform/DialogProvider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace tovren::app {

namespace {

struct ButtonLook
{
    const char *hint;
    const char *glyph;
};

constexpr std::array<ButtonLook, DbNavigator::kButtonCount> kLooks{{
    {"第一个记录", "|◀"},
    {"上一个记录", "◀"},
    {"下一个记录", "▶"},
    {"最后记录", "▶|"},
    {"插入", "+"},
    {"删除", "−"},
    {"编辑", "▲"},
    {"确认写入", "✔"},
    {"取消编辑", "✘"},
    {"刷新", "↻"},
}};

/// What failed, said before the store's own reason.
constexpr std::array<const char *, DbNavigator::kButtonCount> kFailures{{
    "无法转到第一个记录。",
    "无法转到上一个记录。",
    "无法转到下一个记录。",
    "无法转到最后记录。",
    "无法插入记录。",
    "无法删除记录。",
    "无法编辑记录。",
    "无法保存记录。",
    "无法取消编辑。",
    "无法刷新记录。",
}};

} // namespace

DbNavigator::DbNavigator(db::TDbQuery &query, platform::DialogProvider &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_query(query)
    , m_dialogs(dialogs)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kButtonCount; ++i) {
        auto *button = new QToolButton(this);
        button->setAutoRaise(true);
        button->setText(QString::fromUtf8(kLooks[i].glyph));
        button->setToolTip(QString::fromUtf8(kLooks[i].hint));
        button->setAccessibleName(QString::fromUtf8(kLooks[i].hint));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
        layout->addWidget(button);
        m_buttons[i] = button;
    }
    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("PositionLabel"));
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setMinimumWidth(
        m_position->fontMetrics().horizontalAdvance(QStringLiteral("第 000000 / 000000 条")) + 16);
    layout->addWidget(m_position);
    connect(&m_query, &db::TDbQuery::currentChanged, this, &DbNavigator::updateButtons);
    connect(&m_query, &db::TDbQuery::stateChanged, this, &DbNavigator::updateButtons);
    connect(&m_query, &db::TDbQuery::resultReset, this, &DbNavigator::updateButtons);
    connect(&m_query, &db::TDbQuery::rowRemoved, this, &DbNavigator::updateButtons);
    updateButtons();
}

void DbNavigator::updateButtons()
{
    const bool active = m_query.isActive();
    const bool browsing = active && m_query.state() == db::DataSetState::Browse;
    const bool editing = active && !browsing;
    const bool hasRecord = active && m_query.recNo() >= 0;
    const bool atFirst = !hasRecord || m_query.recNo() == 0;
    const bool atLast = !hasRecord || m_query.recNo() == m_query.recordCount() - 1;
    const bool modifiable = active && m_query.canModify();
    m_buttons[First]->setEnabled(active && !atFirst);
    m_buttons[Prior]->setEnabled(active && !atFirst);
    m_buttons[Next]->setEnabled(active && !atLast);
    m_buttons[Last]->setEnabled(active && !atLast);
    m_buttons[Insert]->setEnabled(modifiable);
    m_buttons[Delete]->setEnabled(modifiable && hasRecord);
    m_buttons[Edit]->setEnabled(modifiable && browsing && hasRecord);
    m_buttons[Post]->setEnabled(editing);
    m_buttons[Cancel]->setEnabled(editing);
    m_buttons[Refresh]->setEnabled(true);
    m_position->setText(
        !active ? QStringLiteral("没有打开的记录")
        : m_query.state() == db::DataSetState::Insert
            ? QStringLiteral("新记录 / %1 条").arg(m_query.recordCount() - 1)
        : hasRecord
            ? QStringLiteral("第 %1 / %2 条").arg(m_query.recNo() + 1).arg(m_query.recordCount())
            : QStringLiteral("没有记录"));
}

QString DbNavigator::positionText() const
{
    return m_position->text();
}

void DbNavigator::click(Button which)
{
    try {
        act(which);
    } catch (const db::ERecordConflict &conflict) {
        if (m_conflictHandler && !conflict.fields().empty())
            m_conflictHandler(conflict);
        else
            m_dialogs.messageBox(QString::fromUtf8(kFailures[which]) + u'\n' + conflict.message(),
                                 QStringLiteral("错误"), platform::mb_IconError);
    } catch (const db::EDatabaseError &error) {
        m_dialogs.messageBox(QString::fromUtf8(kFailures[which]) + u'\n' + error.message(),
                             QStringLiteral("错误"), platform::mb_IconError);
    }
    updateButtons();
}

void DbNavigator::act(Button which)
{
    switch (which) {
    case First:
        m_query.first();
        break;
    case Prior:
        m_query.prior();
        break;
    case Next:
        m_query.next();
        break;
    case Last:
        m_query.last();
        break;
    case Insert:
        m_query.insert();
        break;
    case Delete:
        if (m_dialogs.messageBox(QStringLiteral("删除这条记录吗?"), QStringLiteral("确认"),
                                 platform::mb_YesNo | platform::mb_IconQuestion) == platform::mrYes)
            m_query.deleteRecord();
        break;
    case Edit:
        m_query.edit();
        break;
    case Post:
        m_query.post();
        break;
    case Cancel:
        m_query.cancel();
        break;
    case Refresh:
        // Refreshing a query that is not open tries the store again: the server may be back.
        if (!m_query.isActive()) {
            m_query.connection().open();
            m_query.open();
            break;
        }
        m_query.post();
        m_query.refresh();
        break;
    }
}

} // namespace tovren::app
