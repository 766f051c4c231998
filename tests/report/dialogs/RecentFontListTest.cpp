#include "report/dialogs/RecentFontList.h"

#include "report/platform/SettingsStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

constexpr int kTrueType = FontListEntry::kTrueType;

/// A recent-font store in an INI file, and the installed fonts in no particular order.
class RecentFontListTest : public ::testing::Test
{
protected:
    QStringList families() const
    {
        QStringList names;
        for (const FontListEntry &entry : list.entries())
            names << entry.family;
        return names;
    }
    QStringList storedFamilies() const
    {
        QStringList names;
        for (int slot = 0; slot < RecentFontList::kMaxRecent; ++slot)
            names << store.readString({}, RecentFontList::familyValueName(slot),
                                      QStringLiteral("?"));
        return names;
    }
    /// Chooses @p family from the alphabetical part, as a person scrolling past the recent ones.
    int chooseFromAlphabet(const QString &family)
    {
        const int recentCount = list.lastRecentIndex() + 1;
        const int index = int(families().indexOf(family, recentCount));
        EXPECT_GE(index, recentCount) << family.toStdString();
        return list.choose(index, &store);
    }

    QTemporaryDir dir;
    QString iniPath = dir.filePath(QStringLiteral("mru.ini"));
    platform::SettingsStore store{iniPath, QStringLiteral("MRUFont")};
    const QList<FontListEntry> installed = {
        {QStringLiteral("Gamma"), kTrueType}, {QStringLiteral("alpha"), kTrueType},
        {QStringLiteral("Beta"), 1},          {QStringLiteral("Delta"), kTrueType},
        {QStringLiteral("Eta"), kTrueType},   {QStringLiteral("Epsilon"), kTrueType},
        {QStringLiteral("Zeta"), kTrueType},  {QStringLiteral("Beta"), 1},
    };
    RecentFontList list;
};

TEST_F(RecentFontListTest, ChoicesKeepTheFiveLatestFontsOnTopAndInTheStore)
{
    list.fill(installed, &store);
    EXPECT_EQ(families(),
              (QStringList{"alpha", "Beta", "Delta", "Epsilon", "Eta", "Gamma", "Zeta"}));
    EXPECT_EQ(list.lastRecentIndex(), -1);
    EXPECT_EQ(storedFamilies(), QStringList(5, QString())) << "a missing list is created empty";

    // The first font of the alphabet counts like any other.
    EXPECT_EQ(list.choose(0, &store), 0);
    EXPECT_EQ(list.lastRecentIndex(), 0);
    EXPECT_EQ(families().mid(0, 2), (QStringList{"alpha", "alpha"}));

    for (const char *family : {"Zeta", "Beta", "Eta", "Delta"})
        EXPECT_EQ(chooseFromAlphabet(QString::fromLatin1(family)), 0);
    EXPECT_EQ(storedFamilies(), (QStringList{"Delta", "Eta", "Beta", "Zeta", "alpha"}));
    EXPECT_EQ(store.readInteger({}, QStringLiteral("FontType2"), -1), 1);
    EXPECT_EQ(store.readInteger({}, QStringLiteral("FontType0"), -1), kTrueType);

    // A sixth font pushes the oldest out; the alphabetical list is untouched.
    chooseFromAlphabet(QStringLiteral("Gamma"));
    EXPECT_EQ(list.lastRecentIndex(), 4);
    EXPECT_EQ(families(), (QStringList{"Gamma", "Delta", "Eta", "Beta", "Zeta", "alpha", "Beta",
                                       "Delta", "Epsilon", "Eta", "Gamma", "Zeta"}));
    EXPECT_EQ(storedFamilies(), (QStringList{"Gamma", "Delta", "Eta", "Beta", "Zeta"}));

    // A recent font, picked in either part of the list, moves to the top without a new entry.
    EXPECT_EQ(list.choose(3, &store), 0);
    EXPECT_EQ(chooseFromAlphabet(QStringLiteral("Zeta")), 0);
    EXPECT_EQ(list.lastRecentIndex(), 4);
    EXPECT_EQ(storedFamilies(), (QStringList{"Zeta", "Beta", "Gamma", "Delta", "Eta"}));

    // Another box, or the next run, starts from the same list.
    RecentFontList reread;
    reread.fill(installed, &store);
    EXPECT_EQ(reread.entries().mid(0, 5), list.entries().mid(0, 5));

    // Without a store nothing is recorded.
    RecentFontList plain;
    plain.fill(installed, nullptr);
    EXPECT_EQ(plain.choose(3, nullptr), 3);
    EXPECT_EQ(plain.lastRecentIndex(), -1);
    EXPECT_EQ(plain.entries().size(), 7);
}

TEST_F(RecentFontListTest, StoredFontsThatAreGoneOrRepeatedAreDroppedAndCleared)
{
    const QStringList stored = {"Gone", "eta", "", "Eta", "Beta"};
    for (int slot = 0; slot < stored.size(); ++slot) {
        store.writeString({}, RecentFontList::familyValueName(slot), stored[slot]);
        store.writeInteger({}, RecentFontList::typeValueName(slot), kTrueType);
    }
    list.fill(installed, &store);

    EXPECT_EQ(families().mid(0, 3), (QStringList{"Eta", "Beta", "alpha"}));
    EXPECT_EQ(list.lastRecentIndex(), 1);
    EXPECT_EQ(list.entries().at(1).fontType, 1) << "the installed font's type, not the stored one";
    EXPECT_EQ(storedFamilies(), (QStringList{"", "eta", "", "", "Beta"}));
    EXPECT_EQ(store.readInteger({}, QStringLiteral("FontType0"), -1), 0);

    // The next choice writes the list back without gaps.
    chooseFromAlphabet(QStringLiteral("Zeta"));
    EXPECT_EQ(storedFamilies(), (QStringList{"Zeta", "Eta", "Beta", "", ""}));
}

} // namespace
} // namespace tovren::dialogs
