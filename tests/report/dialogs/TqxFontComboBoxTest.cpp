#include "report/dialogs/TqxFontComboBox.h"

#include "report/dialogs/TqxFontPreview.h"
#include "report/platform/SettingsStore.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

TEST(TqxFontComboBox, AFontPickedFromTheOpenListBecomesRecentAndIsShownInTheSample)
{
    QTemporaryDir dir;
    platform::SettingsStore store(dir.filePath(QStringLiteral("mru.ini")),
                                  QString::fromLatin1(TqxFontComboBox::kRecentFontsStoreTitle));
    store.writeString({}, QStringLiteral("Font0"), QStringLiteral("Liberation Serif"));

    QWidget window;
    window.setGeometry(20, 20, 400, 300);
    TqxFontComboBox box(store, &window);
    box.move(10, 10);
    box.setFontSource([] {
        return QList<FontListEntry>{{QStringLiteral("Liberation Sans"), FontListEntry::kTrueType},
                                    {QStringLiteral("Liberation Serif"), FontListEntry::kTrueType},
                                    {QStringLiteral("Liberation Mono"), FontListEntry::kTrueType}};
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(box.count(), 4);
    EXPECT_EQ(box.itemText(0), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(box.lastRecentIndex(), 0);

    box.showPopup();
    TqxFontPreview *sample = box.sampleWindow();
    ASSERT_TRUE(sample->isVisible());
    EXPECT_EQ(sample->pos(), box.mapToGlobal(QPoint(box.width(), box.height())));
    const int mono = box.findText(QStringLiteral("Liberation Mono"));
    box.view()->setCurrentIndex(box.model()->index(mono, 0));
    EXPECT_EQ(sample->sampleFamily(), QStringLiteral("Liberation Mono"));

    QSignalSpy chosen(&box, &TqxFontComboBox::fontChosen);
    QTest::keyClick(box.view(), Qt::Key_Return);
    EXPECT_FALSE(sample->isVisible());
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(box.currentText(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(box.lastRecentIndex(), 1);
    EXPECT_EQ(store.readString({}, QStringLiteral("Font0")), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(store.readString({}, QStringLiteral("Font1")), QStringLiteral("Liberation Serif"));

    // Stepping through the closed box with the keys applies fonts but records none of them.
    QTest::keyClick(&box, Qt::Key_Down);
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(chosen.at(1).at(0).toString(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(store.readString({}, QStringLiteral("Font0")), QStringLiteral("Liberation Mono"));

    // Without the recent list the same box lists each font once.
    box.setShowRecentFonts(false);
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.lastRecentIndex(), -1);
}

} // namespace
} // namespace tovren::dialogs
