#include "report/dialogs/TqxComboBox.h"

#include "report/dialogs/TqxPopupListBox.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

const QStringList kFontSizes = {"5",  "6",  "7",  "8",  "9",  "10", "11", "12", "14", "16",
                                "18", "20", "22", "24", "26", "28", "36", "48", "72"};

TEST(TqxComboBox, ListDropsAsWideAsTheBoxAndUpwardWhereTheScreenEnds)
{
    QWidget window;
    const QRect screenRect = window.screen()->geometry();
    window.setGeometry(screenRect);
    TqxComboBox box(&window);
    box.addItems(kFontSizes);
    box.setGeometry(40, 40, 100, 21);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget *list = box.view()->window();

    // The text set by the designer, not an earlier pick, decides the highlighted entry.
    box.setEditText(QStringLiteral("18"));
    box.showPopup();
    EXPECT_EQ(box.view()->currentIndex().row(), 10);
    const QRect boxOnScreen(box.mapToGlobal(QPoint(0, 0)), box.size());
    EXPECT_FALSE(box.dropsUpward());
    EXPECT_EQ(list->geometry(), QRect(boxOnScreen.left(), boxOnScreen.bottom() + 1, 99,
                                      8 * box.itemHeightPixels() + 4));
    EXPECT_TRUE(
        box.view()->viewport()->rect().contains(box.view()->visualRect(box.model()->index(10, 0))));
    box.hidePopup();

    // Back to an entry of the first page: the list opens at its start, not where it was left.
    box.setCurrentIndex(4);
    box.move(40, screenRect.height() - 30);
    box.showPopup();
    EXPECT_TRUE(box.dropsUpward());
    EXPECT_EQ(list->geometry().bottom() + 1, box.mapToGlobal(QPoint(0, 0)).y());
    EXPECT_EQ(box.view()->verticalScrollBar()->value(), 0);
    box.hidePopup();
    EXPECT_FALSE(box.dropsUpward());
}

TEST(TqxComboBox, LiesFlatUntilTheMouseIsOverIt)
{
    TqxComboBox box;
    box.resize(100, 21);
    const QRgb face = box.palette().color(QPalette::Button).rgb();
    const QRgb shadow = box.palette().color(QPalette::Dark).rgb();
    EXPECT_EQ(box.grab().toImage().pixel(0, 0), face);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&box, &enter);
    EXPECT_TRUE(box.isHot());
    EXPECT_EQ(box.grab().toImage().pixel(0, 0), shadow);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&box, &leave);
    EXPECT_FALSE(box.isHot());
}

TEST(TqxPopupListBox, ReportsTheConfirmedEntryOrADismissal)
{
    QWidget owner;
    TqxPopupListBox popup(&owner);
    QSignalSpy chosen(&popup, &TqxPopupListBox::entryChosen);
    QSignalSpy dismissed(&popup, &TqxPopupListBox::dismissed);
    popup.setEntries({QStringLiteral("False"), QStringLiteral("True")}, QStringLiteral("True"));
    EXPECT_EQ(popup.listBox()->currentRow(), 1);
    EXPECT_GE(popup.itemHeightPixels(), TqxPopupListBox::kMinItemHeightPixels);

    popup.popUp(QRect(100, 100, 80, popup.heightForRows(2)));
    EXPECT_EQ(popup.listBox()->viewport()->height(), 2 * popup.itemHeightPixels());
    QTest::keyClick(popup.listBox(), Qt::Key_Up);
    QTest::keyClick(popup.listBox(), Qt::Key_Return);
    EXPECT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 0);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(dismissed.size(), 0);

    popup.popUp(QRect(100, 100, 80, popup.heightForRows(2)));
    QTest::keyClick(popup.listBox(), Qt::Key_Escape);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(dismissed.size(), 1);
    EXPECT_EQ(chosen.size(), 1);
}

} // namespace
} // namespace tovren::dialogs
