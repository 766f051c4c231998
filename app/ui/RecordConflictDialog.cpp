#include "app/ui/RecordConflictDialog.h"

#include "app/db/EditConflict.h"
#include "app/db/InfoTable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tovren::app {

namespace {

QString shown(const QVariant &value)
{
    return value.isNull() ? QStringLiteral("(空)") : value.toString();
}

} // namespace

RecordConflictDialog::RecordConflictDialog(const db::EditConflict &conflict, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("保存冲突"));

    auto *icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto *headline = new QLabel(QStringLiteral("该记录已被其他用户修改"));
    headline->setObjectName(QStringLiteral("Headline"));
    QFont bold = headline->font();
    bold.setBold(true);
    headline->setFont(bold);
    auto *explanation =
        new QLabel(QStringLiteral("您打开这条记录之后, 其他用户保存了下面的字段。您输入的值还在, "
                                  "请选择保留哪一方的值; 您修改过的其余字段都照您输入的保存。"));
    explanation->setWordWrap(true);
    auto *texts = new QVBoxLayout;
    texts->addWidget(headline);
    texts->addWidget(explanation);
    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    const std::vector<db::ConflictingField> &fields = conflict.fields();
    auto *table = new QTableWidget(int(fields.size()), 2);
    table->setObjectName(QStringLiteral("ConflictTable"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("其他用户的值"), QStringLiteral("您输入的值")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < int(fields.size()); ++row) {
        const db::ConflictingField &field = fields[size_t(row)];
        // The grid may show field names; the clerk reads the Chinese title.
        const QString title = db::InfoTable::labelFor(field.name);
        table->setVerticalHeaderItem(row,
                                     new QTableWidgetItem(title.isEmpty() ? field.label : title));
        table->setItem(row, 0, new QTableWidgetItem(shown(field.theirs)));
        table->setItem(row, 1, new QTableWidgetItem(shown(field.mine)));
    }
    table->setFocusPolicy(Qt::NoFocus);
    table->resizeRowsToContents();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // As tall as its rows, up to ten of them; more scroll.
    int rowsHeight = 0;
    for (int row = 0; row < std::min(table->rowCount(), 10); ++row)
        rowsHeight += table->rowHeight(row);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() + rowsHeight +
                          2 * table->frameWidth());

    auto *keepMine = new QPushButton(QStringLiteral("保留我的值(&M)"));
    keepMine->setObjectName(QStringLiteral("KeepMineButton"));
    keepMine->setDefault(true);
    keepMine->setToolTip(QStringLiteral("用您输入的值替换其他用户保存的值"));
    auto *takeTheirs = new QPushButton(QStringLiteral("采用其他用户的值(&T)"));
    takeTheirs->setObjectName(QStringLiteral("TakeTheirsButton"));
    auto *later = new QPushButton(QStringLiteral("稍后决定"));
    later->setObjectName(QStringLiteral("LaterButton"));
    later->setToolTip(QStringLiteral("什么也不保存; 您输入的值留在正在编辑的记录中"));
    connect(keepMine, &QPushButton::clicked, this, [this] { choose(Choice::KeepMine); });
    connect(takeTheirs, &QPushButton::clicked, this, [this] { choose(Choice::TakeTheirs); });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(keepMine);
    buttons->addWidget(takeTheirs);
    buttons->addWidget(later);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());
}

void RecordConflictDialog::choose(Choice choice)
{
    m_choice = choice;
    accept();
}

} // namespace tovren::app
