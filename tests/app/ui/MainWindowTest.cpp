#include "app/ui/MainWindow.h"

#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/db/EditConflict.h"
#include "app/demo/DemoDataWriter.h"
#include "app/ui/DbNavigator.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/preview/TqxPreviewForm.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tovren;

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection = std::make_unique<db::TDbConnection>(
            db::ConnectionSpec::parse(dir.filePath(QStringLiteral("store.db"))));
        demo::writeDemoGraduates(*connection, 12, 3);
        window = std::make_unique<app::TForm1>(*connection, dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QString columnTitle(int column) const
    {
        return window->DBGrid1->model()
            ->headerData(column, Qt::Horizontal, Qt::DisplayRole)
            .toString();
    }
    int gridRows() const { return window->DBGrid1->model()->rowCount(); }
    void runSql(const QString &statement, bool returnsRows)
    {
        window->CheckBox1->setChecked(returnsRows);
        window->Edit1->setText(statement);
        QTest::mouseClick(window->Button1, Qt::LeftButton);
    }

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<db::TDbConnection> connection;
    std::unique_ptr<app::TForm1> window;
};

TEST_F(MainWindowTest, ComponentsCarryTheirTextsAndStartingState)
{
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Tovren v0.2")));
    EXPECT_EQ(window->Button1->text(), QStringLiteral("执行SQL"));
    EXPECT_EQ(window->Edit1->text(), QStringLiteral("Select * from info"));
    EXPECT_EQ(window->CheckBox1->text(), QStringLiteral("返回结果集"));
    EXPECT_FALSE(window->CheckBox1->isChecked());
    EXPECT_EQ(window->Label1->text(), QStringLiteral("打印多少个记录:"));
    EXPECT_EQ(window->Button4->text(), QStringLiteral("预览 && 打印"));
    EXPECT_EQ(window->Button5->text(), QStringLiteral("报表设计"));
    EXPECT_EQ(window->Button6->text(), QStringLiteral("从Excel模板导入数据"));
    EXPECT_EQ(window->CheckBox2->text(), QStringLiteral("显示中文字段名"));
    EXPECT_FALSE(window->Button2->isVisible());
    EXPECT_FALSE(window->Button3->isEnabled());
    EXPECT_TRUE(window->Button4->isEnabled());
    EXPECT_TRUE(window->Button5->isEnabled());
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral("store.db"))) << "the open store";
    EXPECT_EQ(window->SpinEdit1->value(), 12) << "the box shows the record count once shown";
    EXPECT_EQ(gridRows(), 12);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    const QStringList hints{QStringLiteral("第一个记录"), QStringLiteral("上一个记录"),
                            QStringLiteral("下一个记录"), QStringLiteral("最后记录"),
                            QStringLiteral("插入"),       QStringLiteral("删除"),
                            QStringLiteral("编辑"),       QStringLiteral("确认写入"),
                            QStringLiteral("取消编辑"),   QStringLiteral("刷新")};
    for (int i = 0; i < app::DbNavigator::kButtonCount; ++i)
        EXPECT_EQ(window->DBNavigator1->button(app::DbNavigator::Button(i))->toolTip(), hints[i]);
}

TEST_F(MainWindowTest, ChineseTitlesSwitchOnAndOffWithoutTouchingTheSql)
{
    EXPECT_EQ(columnTitle(3), QStringLiteral("Name"));
    for (int round = 0; round < 2; ++round) {
        window->CheckBox2->click();
        EXPECT_EQ(columnTitle(0), QStringLiteral("编号"));
        EXPECT_EQ(columnTitle(3), QStringLiteral("姓名"));
        EXPECT_EQ(columnTitle(32), QStringLiteral("做证日"));
        window->CheckBox2->click();
        EXPECT_EQ(columnTitle(3), QStringLiteral("Name"));
    }
    EXPECT_EQ(window->query().sql(), QStringLiteral("Select * from info"));
}

TEST_F(MainWindowTest, LabelsStayOnAcrossSqlRuns)
{
    window->CheckBox2->click();
    runSql(QStringLiteral("Select Name, name as nm from info where ID < 4"), true);
    EXPECT_EQ(columnTitle(0), QStringLiteral("姓名"));
    EXPECT_EQ(columnTitle(1), QStringLiteral("nm"));
    EXPECT_EQ(gridRows(), 3);
    EXPECT_EQ(window->SpinEdit1->value(), 3);
}

TEST_F(MainWindowTest, AFailedStatementLeavesEveryCommandWorkingAndSaysWhatFailedInChinese)
{
    window->setPreviewOpener([](preview::TqxPreviewForm &) {});
    window->SpinEdit1->setValue(5);
    runSql(QStringLiteral("UPDATE nowhere SET x = 1 WHERE 1 = 1"), false);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("SQL 语句执行失败。")));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("没有名为 nowhere 的表")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(gridRows(), 12);
    EXPECT_EQ(window->SpinEdit1->value(), 5);

    for (const QString &typo : {QStringLiteral("select * form info wher"),
                                QStringLiteral("Select * from info where Sexx = 1")}) {
        runSql(typo, true);
        EXPECT_TRUE(window->query().isActive()) << typo.toStdString();
        EXPECT_EQ(gridRows(), 12) << "the grid keeps what it showed";
        EXPECT_TRUE(window->DBNavigator1->button(app::DbNavigator::Refresh)->isEnabled());
        EXPECT_TRUE(window->DBNavigator1->button(app::DbNavigator::Next)->isEnabled());
    }
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("语法错误")));
    EXPECT_TRUE(dialogs.messages[2].text.contains(QStringLiteral("没有名为 Sexx 的列")));

    // Every button after the failures: none may end the program or act on a closed query.
    dialogs.messages.clear();
    window->DBNavigator1->click(app::DbNavigator::Refresh);
    window->DBNavigator1->click(app::DbNavigator::Last);
    EXPECT_EQ(window->query().recNo(), 11);
    QTest::mouseClick(window->Button4, Qt::LeftButton);
    window->CheckBox2->click();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.value(0).text.toStdString();

    runSql(QStringLiteral("DELETE FROM info WHERE ID > 10"), false);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(gridRows(), 10);
    EXPECT_TRUE(window->statusMessage().contains(QStringLiteral("影响了 2 条记录")))
        << window->statusMessage().toStdString();
}

TEST_F(MainWindowTest, AnUpdateWithTheResultBoxOnIsReportedAsDoneAndTheCountBoxFollowsTheStore)
{
    EXPECT_EQ(window->SpinEdit1->value(), 12);
    runSql(QStringLiteral("update info set Name = 'x' where ID <= 3"), true);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "the rows changed: no failure to report";
    EXPECT_TRUE(window->statusMessage().contains(QStringLiteral("影响了 3 条记录")));
    EXPECT_EQ(window->query().cellText(0, 3), QStringLiteral("x"));

    runSql(QStringLiteral("delete from info where ID = 12"), false);
    EXPECT_EQ(window->SpinEdit1->value(), 11) << "a box on every record follows the store";

    dialogs.answers = {platform::mrNo};
    runSql(QStringLiteral("delete from info"), false);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("全部记录")));
    EXPECT_EQ(gridRows(), 11) << "a declined delete of every row deletes nothing";
}

TEST_F(MainWindowTest, AStoreThatCannotBeOpenedLeavesAWorkingWindowThatNamesIt)
{
    const QString blocked = dir.filePath(QStringLiteral("folder.db"));
    QDir().mkpath(blocked);
    db::TDbConnection broken(db::ConnectionSpec::parse(blocked));
    test::ScriptedDialogs brokenDialogs;
    app::TForm1 brokenWindow(broken, brokenDialogs);
    brokenWindow.show();
    ASSERT_EQ(brokenDialogs.messages.size(), 1);
    EXPECT_TRUE(brokenWindow.windowTitle().contains(QStringLiteral("folder.db")));
    EXPECT_TRUE(brokenWindow.storeText().contains(QStringLiteral("没有打开")));

    QTest::mouseClick(brokenWindow.Button4, Qt::LeftButton);
    brokenWindow.DBNavigator1->click(app::DbNavigator::Refresh);
    brokenWindow.Button1Click();
    brokenWindow.Button6Click();
    EXPECT_EQ(brokenDialogs.messages.size(), 5) << "each command says why it cannot work";
    EXPECT_TRUE(brokenDialogs.messages[1].text.contains(QStringLiteral("数据库没有打开")));

    // Choosing a working store in the window recovers, and is what the window shows.
    brokenDialogs.fileNames = {connection->spec().sqlitePath()};
    brokenWindow.chooseStoreFile();
    EXPECT_TRUE(brokenWindow.query().isActive());
    EXPECT_EQ(brokenWindow.DBGrid1->model()->rowCount(), 12);
    EXPECT_TRUE(brokenWindow.windowTitle().contains(QStringLiteral("store.db")));
    EXPECT_EQ(brokenWindow.SpinEdit1->value(), 12);
}

TEST_F(MainWindowTest, TheGridSortsFindsAndEditsBirthTogetherWithItsParts)
{
    QHeaderView *titles = window->DBGrid1->horizontalHeader();
    const int name = 3;
    window->query().moveTo(4);
    const QString current = window->query().cellText(4, name);
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(name) + 5, titles->height() / 2));
    const auto namesInGrid = [&] {
        QStringList names;
        for (int row = 0; row < gridRows(); ++row)
            names << window->DBGrid1->model()->index(row, name).data().toString();
        return names;
    };
    const QStringList names = namesInGrid();
    QCollator pinyin(QLocale(QLocale::Chinese, QLocale::China));
    QStringList sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), pinyin);
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(window->query().cellText(window->query().recNo(), name), current)
        << "the clerk's record stays current";
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(name) + 5, titles->height() / 2));
    QStringList reversed = names;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(namesInGrid(), reversed) << "a second click sorts the other way round";
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(name) + 5, titles->height() / 2));
    EXPECT_EQ(window->DBNavigator1->positionText(),
              QStringLiteral("第 %1 / 12 条").arg(window->query().recNo() + 1));

    window->FindEdit->setText(names.last());
    QTest::keyClick(window->FindEdit, Qt::Key_Return);
    EXPECT_EQ(window->query().recNo(), 11);
    window->FindEdit->setText(QStringLiteral("没有这个人"));
    QTest::keyClick(window->FindEdit, Qt::Key_Return);
    EXPECT_EQ(window->query().recNo(), 11);
    EXPECT_TRUE(window->statusMessage().contains(QStringLiteral("没有找到")));

    const int birth = window->query().fieldByName(QStringLiteral("Birth")).index();
    dialogs.answers = {platform::mrYes};
    ASSERT_TRUE(window->DBGrid1->model()->setData(window->DBGrid1->model()->index(11, birth),
                                                  QStringLiteral("2001-02-03"), Qt::EditRole));
    ASSERT_EQ(dialogs.messages.size(), 1);
    window->query().post();
    EXPECT_EQ(window->query().fieldByName(QStringLiteral("BirthYear")).asString(),
              QStringLiteral("2001"));
    EXPECT_EQ(window->query().fieldByName(QStringLiteral("BirthMonth")).asString(),
              QStringLiteral("02"));
    EXPECT_EQ(window->query().fieldByName(QStringLiteral("BirthDay")).asString(),
              QStringLiteral("03"));
}

TEST_F(MainWindowTest, RangeStepSetsTheReportDataSourceFromTheBox)
{
    engine::TqxDBDataSet &reportData = window->reportDataSet();
    EXPECT_EQ(reportData.name(), QStringLiteral("qxDBDataSet1"));
    const auto range = [&] {
        return std::make_pair(reportData.rangeEnd(), reportData.rangeEndCount());
    };
    EXPECT_EQ(range(), std::make_pair(engine::reLast, 0));
    window->SpinEdit1->setValue(7);
    window->applyRangeStep();
    EXPECT_EQ(range(), std::make_pair(engine::reCount, 7));
    window->SpinEdit1->setValue(-3);
    window->applyRangeStep();
    EXPECT_EQ(range(), std::make_pair(engine::reCount, 7));
    window->SpinEdit1->setValue(0);
    window->applyRangeStep();
    EXPECT_EQ(range(), std::make_pair(engine::reLast, 0));
    EXPECT_NE(window->components().findForm(u"Form1"), nullptr);
}

TEST_F(MainWindowTest, PreviewButtonBuildsTheCertificatesOfTheChosenRange)
{
    QList<int> pageCounts;
    QString label;
    window->setPreviewOpener([&](preview::TqxPreviewForm &preview) {
        pageCounts << preview.pageCount();
        label = preview.pageLabelText();
    });
    window->SpinEdit1->setValue(3);
    QTest::mouseClick(window->Button4, Qt::LeftButton);
    window->SpinEdit1->setValue(6);
    QTest::mouseClick(window->Button4, Qt::LeftButton);

    ASSERT_EQ(pageCounts.size(), 2)
        << (dialogs.messages.isEmpty() ? std::string()
                                       : dialogs.messages.first().text.toStdString());
    EXPECT_GT(pageCounts[0], 0);
    EXPECT_EQ(pageCounts[1], 2 * pageCounts[0]) << "one certificate set per record";
    EXPECT_EQ(label, QStringLiteral("页 1/%1").arg(pageCounts[1]));
    EXPECT_EQ(window->reportDataSet().rangeEndCount(), 6);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, GridAndNavigatorEditsReachTheTable)
{
    using Nav = app::DbNavigator;
    QAbstractItemModel *model = window->DBGrid1->model();
    ASSERT_TRUE(model->setData(model->index(2, 3), QStringLiteral("新名字"), Qt::EditRole));
    QTest::mouseClick(window->DBNavigator1->button(Nav::Post), Qt::LeftButton);

    db::TDbQuery check(*connection);
    check.setSql(QStringLiteral("Select * from info where Name = '新名字'"));
    check.open();
    EXPECT_EQ(check.recordCount(), 1);

    QTest::mouseClick(window->DBNavigator1->button(Nav::Insert), Qt::LeftButton);
    EXPECT_EQ(gridRows(), 13);
    QTest::mouseClick(window->DBNavigator1->button(Nav::Cancel), Qt::LeftButton);
    EXPECT_EQ(gridRows(), 12);

    dialogs.answers = {platform::mrNo};
    QTest::mouseClick(window->DBNavigator1->button(Nav::Delete), Qt::LeftButton);
    EXPECT_EQ(gridRows(), 12);
    dialogs.answers = {platform::mrYes};
    QTest::mouseClick(window->DBNavigator1->button(Nav::Delete), Qt::LeftButton);
    EXPECT_EQ(gridRows(), 11);
    EXPECT_EQ(dialogs.messages.size(), 2);

    // A value the column cannot hold is refused with a message and nothing is written.
    ASSERT_FALSE(model->setData(model->index(0, 0), QStringLiteral("abc"), Qt::EditRole));
    EXPECT_EQ(dialogs.messages.size(), 3);
}

TEST(MainWindowStartup, UnreachableStoreIsReportedAndTheWindowStillWorks)
{
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    db::TDbConnection connection(
        db::ConnectionSpec::parse(dir.filePath(QStringLiteral("no/store.db"))));
    app::TForm1 window(connection, dialogs);
    window.show();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].flags & platform::kMessageBoxIconMask, platform::mb_IconError);
    EXPECT_FALSE(window.query().isActive());
    EXPECT_EQ(window.DBGrid1->model()->rowCount(), 0);
    QTest::mouseClick(window.Button1, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.size(), 2);
}

TEST_F(MainWindowTest, ImportAddsRowsReportsTheCountAndUpdatesTheBox)
{
    const QString csv = dir.filePath(QStringLiteral("新生.csv"));
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Name,Birth,BirthMonth\n张三,1988/3/5,\n李四,1989-11-20,\n");
    }
    EXPECT_TRUE(window->Button6->isEnabled());
    QTest::mouseClick(window->Button6, Qt::LeftButton); // the file dialog is cancelled
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(gridRows(), 12);

    dialogs.fileNames = {csv};
    QTest::mouseClick(window->Button6, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("导入完成。增加新数据: 2"));
    EXPECT_EQ(dialogs.messages[0].caption, window->windowTitle());
    EXPECT_EQ(dialogs.messages[0].flags, platform::mb_Ok | platform::mb_IconInformation);
    EXPECT_EQ(gridRows(), 14);
    EXPECT_EQ(window->SpinEdit1->value(), 14);
    EXPECT_EQ(window->query().cellText(
                  13, window->query().fieldByName(QStringLiteral("BirthMonth")).index()),
              QStringLiteral("11"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";

    const QString broken = dir.filePath(QStringLiteral("坏.xlsx"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("PK\x03\x04 broken");
    }
    window->SpinEdit1->setValue(3);
    window->importWorkbook(broken);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("坏.xlsx")));
    EXPECT_EQ(window->SpinEdit1->value(), 3);
    EXPECT_EQ(gridRows(), 14);
}

TEST_F(MainWindowTest, HiddenBirthDateCommandsWorkWhenCalled)
{
    EXPECT_FALSE(window->Button2->isVisible());
    EXPECT_FALSE(window->Button2->isEnabled());
    window->Button2Click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(window->query().fieldByName(QStringLiteral("BirthMonth")).asString().size(), 2);
    window->Button3Click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text.count(u'\r'), 2);
}

TEST_F(MainWindowTest, ASaveAnotherDeskGotToFirstIsSettledByTheClerkWithoutLosingWhatWasTyped)
{
    db::TDbQuery &query = window->query();
    query.moveTo(2);
    const QVariant id = query.fieldByName(QStringLiteral("ID")).value();
    const auto storedCity = [&] {
        QSqlQuery read(connection->database());
        read.prepare(QStringLiteral("SELECT City FROM info WHERE ID = ?"));
        read.addBindValue(id);
        return read.exec() && read.next() ? read.value(0).toString() : QString();
    };
    const auto otherDeskSaves = [&](const QString &city) {
        QSqlQuery write(connection->database());
        write.prepare(QStringLiteral("UPDATE info SET City = ? WHERE ID = ?"));
        write.addBindValue(city);
        write.addBindValue(id);
        ASSERT_TRUE(write.exec());
    };
    const auto type = [&](const QString &city) {
        query.edit();
        query.fieldByName(QStringLiteral("City")).setAsString(city);
    };
    QList<std::pair<QString, QString>> shown;
    QList<app::RecordConflictDialog::Choice> answers;
    window->setConflictChooser([&](const db::EditConflict &conflict) {
        for (const db::ConflictingField &field : conflict.fields())
            shown << std::pair{field.theirs.toString(), field.mine.toString()};
        return answers.takeFirst();
    });

    otherDeskSaves(QStringLiteral("苏州"));
    type(QStringLiteral("无锡"));
    answers = {app::RecordConflictDialog::Choice::Undecided};
    window->DBNavigator1->click(app::DbNavigator::Post);
    ASSERT_EQ(shown, (QList<std::pair<QString, QString>>{{"苏州", "无锡"}}));
    EXPECT_EQ(storedCity(), QStringLiteral("苏州")) << "nothing is saved before the clerk chooses";
    EXPECT_EQ(query.state(), db::DataSetState::Edit);
    EXPECT_EQ(query.fieldByName(QStringLiteral("City")).asString(), QStringLiteral("无锡"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "the conflict is no error box";

    // Moving to another record saves too; keeping one's own writes over the other desk's.
    answers = {app::RecordConflictDialog::Choice::KeepMine};
    otherDeskSaves(QStringLiteral("常州"));
    window->DBNavigator1->click(app::DbNavigator::Next);
    EXPECT_EQ(shown.last(), (std::pair<QString, QString>{"常州", "无锡"}));
    EXPECT_EQ(storedCity(), QStringLiteral("无锡"));
    EXPECT_EQ(query.state(), db::DataSetState::Browse);

    query.moveTo(2);
    otherDeskSaves(QStringLiteral("南通"));
    type(QStringLiteral("扬州"));
    answers = {app::RecordConflictDialog::Choice::TakeTheirs};
    window->DBNavigator1->click(app::DbNavigator::Post);
    EXPECT_EQ(storedCity(), QStringLiteral("南通"));
    EXPECT_EQ(query.fieldByName(QStringLiteral("City")).asString(), QStringLiteral("南通"));
    EXPECT_TRUE(answers.isEmpty());
}
