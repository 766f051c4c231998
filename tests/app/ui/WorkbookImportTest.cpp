#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"
#include "app/ui/MainWindow.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tovren;

TEST(WorkbookImport, RowsAlreadyStoredAreAskedAboutAndTheMessageNamesIgnoredColumns)
{
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    db::TDbConnection connection(db::ConnectionSpec::parse(dir.filePath(QStringLiteral("s.db"))));
    demo::writeDemoGraduates(connection, 12, 3);
    app::TForm1 window(connection, dialogs);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    db::TDbQuery &query = window.query();
    const QString known = query.fieldByName(QStringLiteral("StudID")).asString();
    ASSERT_FALSE(known.isEmpty());

    const QString csv = dir.filePath(QStringLiteral("补录.csv"));
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("学生学号,姓名,班级\n%1,改过的名字,一班\n990001,新同学,二班\n")
                       .arg(known)
                       .toUtf8());
    }

    dialogs.fileNames = {csv}; // and the question is cancelled
    QTest::mouseClick(window.Button6, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("补录.csv 中有 1 行")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(
        dialogs.messages[0].answers,
        (QStringList{QStringLiteral("跳过"), QStringLiteral("更新"), QStringLiteral("增加")}));
    EXPECT_EQ(dialogs.messages[0].caption, window.windowTitle());
    EXPECT_EQ(window.DBGrid1->model()->rowCount(), 12) << "a cancelled question imports nothing";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    dialogs.fileNames = {csv};
    dialogs.choices = {1};
    QTest::mouseClick(window.Button6, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_EQ(dialogs.messages[2].text, QStringLiteral("导入完成。增加新数据: 1\n更新已有记录: 1\n"
                                                       "以下列没有对应的字段, 没有导入: 班级"));
    EXPECT_EQ(dialogs.messages[2].flags, platform::mb_Ok | platform::mb_IconInformation);
    EXPECT_EQ(window.DBGrid1->model()->rowCount(), 13);
    EXPECT_EQ(window.SpinEdit1->value(), 13);
    const int name = query.fieldByName(QStringLiteral("Name")).index();
    const int number = query.fieldByName(QStringLiteral("StudID")).index();
    QStringList names;
    for (qsizetype row = 0; row < query.recordCount(); ++row) {
        if (query.cellText(row, number) == known)
            names << query.cellText(row, name);
    }
    EXPECT_EQ(names, QStringList{QStringLiteral("改过的名字")})
        << "updated in place, shown in the grid";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
