#include "common/VgGlobal.h"
#include "platform/locale/FormatSettings.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

TEST(VgBorder, StartsInvisibleAndCopiesOnlyFromBorders)
{
    TvgBorder border;
    EXPECT_EQ(border.Style(), vgbrdNone);
    EXPECT_EQ(border.Width(), 1);
    EXPECT_EQ(border.Color(), clBlack);

    TvgBorder source;
    source.SetStyle(vgbrdDouble);
    source.SetWidth(3);
    source.SetColor(clRed);
    border.Assign(&source);
    EXPECT_TRUE(border.Equals(source));

    TStringList notABorder;
    EXPECT_THROW(border.Assign(&notABorder), EAssignError);
    EXPECT_THROW(border.Assign(nullptr), EAssignError);
    EXPECT_TRUE(border.Equals(source)) << "a refused assignment keeps the old values";
}

TEST(VgCellList, HoldsEachCellOnceWithUnambiguousKeys)
{
    TvgCellList cells;
    cells.Add(1, 2);
    cells.Add(1, 2);
    EXPECT_EQ(cells.Count(), 1);
    EXPECT_TRUE(cells.Remove(1, 2));
    EXPECT_FALSE(cells.Contains(1, 2));
    EXPECT_FALSE(cells.Remove(1, 2));

    EXPECT_EQ(TvgCellList::ColRowToStr(3, 12), "3:12");
    EXPECT_EQ(TvgCellList::ColRowToStr(-1, 0), "-1:0");
    cells.Add(1, 23);
    EXPECT_FALSE(cells.Contains(12, 3));
    cells.Add(12, 3);
    cells.Add(-1, -5);
    EXPECT_TRUE(cells.Contains(1, 23));
    EXPECT_TRUE(cells.Contains(12, 3));
    EXPECT_TRUE(cells.Contains(-1, -5));
    EXPECT_EQ(cells.Count(), 3);
}

TEST(VgGlobalHelpers, RectSizesCountTheFarEdgesAndPrefixesAreExact)
{
    EXPECT_EQ(RectWidth(Rect(0, 0, 10, 10)), 11);
    EXPECT_EQ(RectHeight(Rect(0, 5, 10, 10)), 6);
    EXPECT_EQ(RectWidth(Rect(4, 0, 4, 0)), 1);

    EXPECT_TRUE(StringBeginsWith("", "anything"));
    EXPECT_TRUE(StringBeginsWith("", ""));
    EXPECT_TRUE(StringBeginsWith("ab", "abc"));
    EXPECT_FALSE(StringBeginsWith("abc", "ab"));
    EXPECT_FALSE(StringBeginsWith("ab", "Abc"));
}

class VgDateOrderTest : public ::testing::Test {
protected:
    void TearDown() override { test::UseTestFormatSettings(); }
    static TvgDateOrder OrderOf(const QString& shortDateFormat)
    {
        TFormatSettings settings = FormatSettings();
        settings.ShortDateFormat = shortDateFormat;
        SetFormatSettings(settings);
        return VgDateOrder();
    }
};

TEST_F(VgDateOrderTest, FollowsTheFirstDateLetterAtEveryCall)
{
    EXPECT_EQ(OrderOf("dd.MM.yyyy"), vgdoDMY);
    EXPECT_EQ(OrderOf("yyyy-MM-dd"), vgdoYMD);
    EXPECT_EQ(OrderOf("M/d/yy"), vgdoMDY);
    EXPECT_EQ(OrderOf("/-."), vgdoMDY);
    EXPECT_EQ(OrderOf(""), vgdoMDY);
}

TEST(VgFormatTables, OnlyTheNumericRowsDependOnTheDateOrder)
{
    EXPECT_EQ(vgDateFormats[vgdoMDY][2], "mm/dd/yy");
    EXPECT_EQ(vgDateFormats[vgdoDMY][2], "dd/mm/yy");
    EXPECT_EQ(vgDateFormats[vgdoYMD][2], "yy/mm/dd");
    EXPECT_EQ(vgDateFormats[vgdoYMD][0], "m/d") << "a year-first locale shows month and day without the year";
    for (int i = 3; i <= 10; ++i) {
        EXPECT_EQ(vgDateFormats[vgdoMDY][i], vgDateFormats[vgdoDMY][i]);
        EXPECT_EQ(vgDateFormats[vgdoMDY][i], vgDateFormats[vgdoYMD][i]);
    }
    EXPECT_EQ(vgTimeFormats[3], "h:nn:ss ampm");
}
