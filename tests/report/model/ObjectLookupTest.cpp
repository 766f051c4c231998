#include "report/model/ObjectLookup.h"

#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"

#include <gtest/gtest.h>

namespace tovren::model {
namespace {

/// A view with a font, as text objects have.
class FontedView : public TqxLineView
{
public:
    void RegisterProperties() override
    {
        TqxLineView::RegisterProperties();
        addProperty("Font", pkHasEditor);
    }
};

class ObjectLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pages.Add();
        pages.Add();
        auto line = std::make_unique<TqxLineView>();
        line->Name = "Line1";
        pages.page(1)->addObject(std::move(line));
    }
    TqxPages pages;
    FontedView current;
};

TEST_F(ObjectLookup, PagesByNumberObjectsByNameAndTheCurrentObject)
{
    ObjectPath found = FindObjectByPath("Page2.Memo1", pages, &current);
    EXPECT_EQ(found.object, pages.page(1));
    EXPECT_EQ(found.propertyPath, "Memo1");

    found = FindObjectByPath("line1.Left", pages, &current);
    EXPECT_EQ(found.object, pages.page(1)->object(0));
    EXPECT_EQ(found.propertyPath, "Left");
    EXPECT_FALSE(found.object->Properties().empty()); // built on demand

    found = FindObjectByPath("Font.Name", pages, &current);
    EXPECT_EQ(found.object, &current);
    EXPECT_EQ(found.propertyPath, "Font.Name");

    found = FindObjectByPath("Visible", pages, &current);
    EXPECT_EQ(found.object, &current);
    EXPECT_EQ(found.propertyPath, "Visible");
}

TEST_F(ObjectLookup, UnknownNamesAndPagesFindNothing)
{
    EXPECT_EQ(FindObjectByPath("Page9.Width", pages, &current).object, nullptr);
    EXPECT_EQ(FindObjectByPath("Nobody.Left", pages, &current).object, nullptr);
    EXPECT_EQ(FindObjectByPath("Pagex.Left", pages, nullptr).object, nullptr);
}

TEST(ObjectCopy, CopiesThroughTheRecord)
{
    TqxBandView source;
    source.Name = "Band7";
    source.setBandType(btGroupHeader);
    source.CustomFormat = "Aqy.Class";
    source.Selected = true;
    source.RecordMode = 1;
    TqxBandView copy;
    copyObject(source, copy);
    EXPECT_EQ(copy.Name, "Band7");
    EXPECT_TRUE(copy.Selected);
    EXPECT_EQ(copy.bandType(), btGroupHeader);
    EXPECT_EQ(copy.CustomFormat, "Aqy.Class"); // template record, whatever the source's mode
    EXPECT_EQ(source.RecordMode, 1);
}

} // namespace
} // namespace tovren::model
