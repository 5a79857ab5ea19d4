#include "grid/VgGrid.h"

#include "platform/locale/FormatSettings.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vg;

namespace {

// A grid whose cell (1, 1) is shown through the display format of its column 1. Every
// call of OnConversionError is logged with the text it was given.
struct DisplayTextTest : ::testing::Test {
    TVelkoGrid Grid;
    TvgColumn* Column = Grid.GetVisibleColumn(1);
    std::vector<QString> ConversionErrors;

    void TearDown() override { test::UseTestFormatSettings(); }

    void LogConversionErrors(const QString& replacement = QString())
    {
        Grid.OnConversionError = [this, replacement](TObject* sender, int col, int row, TvgColumn* column, QString& S) {
            EXPECT_TRUE(sender == &Grid && col == 1 && row == 1 && column == Column);
            ConversionErrors.push_back(S);
            if (!replacement.isNull())
                S = replacement;
        };
    }

    QString Show(const QString& text)
    {
        Grid.SetCells(1, 1, text);
        const QString shown = Grid.GetDisplayText(1, 1);
        EXPECT_EQ(Grid.Cells(1, 1), text) << "the stored text is never changed";
        return shown;
    }
};

// Reads cells of the form "=a*b" as the product.
class TFormulaGrid : public TVelkoGrid {
protected:
    QString SolveFormula(const QString& S) override
    {
        if (!S.startsWith(u'='))
            return S;
        const QStringList factors = S.mid(1).split(u'*');
        return QString::number(factors.value(0).toInt() * factors.value(1).toInt());
    }
};

TEST_F(DisplayTextTest, NumbersShowPrefixGroupingDecimalsParenthesesOrAnExponent)
{
    Column->SetFormatType(vgfmtNumeric);
    EXPECT_EQ(Show("1234.5"), "1,234.50");
    EXPECT_EQ(Show("-1234.5"), "-1,234.50");
    Column->SetPrefix("$");
    Column->SetParenNegative(true);
    EXPECT_EQ(Show("-1234.5"), "($1,234.50)");
    Column->SetThousands(false);
    Column->SetDecimals(0);
    EXPECT_EQ(Show("1234.5"), "$1235");

    Column->SetFormatType(vgfmtScientific);
    Column->SetDecimals(2);
    EXPECT_EQ(Show("1234.5"), "1.23E+03");
    Column->SetDecimals(-1);
    EXPECT_EQ(Show("-0.00042"), "-4E-04");
}

TEST_F(DisplayTextTest, NumbersAreReadAndWrittenInTheLocaleInForce)
{
    TFormatSettings settings = FormatSettings();
    settings.DecimalSeparator = u',';
    settings.ThousandSeparator = u'.';
    SetFormatSettings(settings);
    Column->SetFormatType(vgfmtNumeric);
    EXPECT_EQ(Show("1234,5"), "1.234,50");
    EXPECT_EQ(Show("1234.5"), "1234.5") << "the point is no decimal separator here";
}

TEST_F(DisplayTextTest, DatesAndTimesAreReadAsTheirPatternsPartsAndShownInThem)
{
    Column->SetFormatType(vgfmtDateTime);
    EXPECT_EQ(Show("3/7/2024"), "03/07/24") << "a new column shows dates as mm/dd/yy";
    Column->SetTimeFormat(2);
    EXPECT_EQ(Show("3/7/2024 14:05:09"), "03/07/24 14:05:09");
    Column->SetDateFormat(-1);
    Column->SetTimeFormat(1);
    EXPECT_EQ(Show("14:05"), "2:05 PM");

    TFormatSettings settings = FormatSettings();
    settings.ShortDateFormat = "d/m/yyyy";
    SetFormatSettings(settings);
    Column->SetDateFormat(2);
    Column->SetTimeFormat(-1);
    EXPECT_EQ(Show("7/3/2024"), "07/03/24") << "day-first locales read and show the day first";
}

TEST_F(DisplayTextTest, EmptyCellsAndDateTimeColumnsWithoutAPatternShowTheTextUnparsed)
{
    LogConversionErrors("never");
    for (TvgFormatType type : {vgfmtNone, vgfmtNumeric, vgfmtScientific, vgfmtDateTime}) {
        Column->SetFormatType(type);
        EXPECT_EQ(Show(""), "");
    }
    for (const auto& [date, time] : {std::pair{-1, -1}, {11, -1}, {2, 4}, {-1, 4}}) {
        Column->SetDateFormat(date);
        Column->SetTimeFormat(time);
        EXPECT_EQ(Show("3/7/2024 x"), "3/7/2024 x") << date << ' ' << time;
    }
    EXPECT_TRUE(ConversionErrors.empty());
}

TEST_F(DisplayTextTest, UnconvertibleTextIsShownAsItIsOrAsTheHandlerLeavesIt)
{
    Column->SetFormatType(vgfmtNumeric);
    EXPECT_EQ(Show("1,234.5"), "1,234.5") << "grouped input is not a number";
    LogConversionErrors();
    EXPECT_EQ(Show("abc"), "abc");
    LogConversionErrors("#N/A");
    EXPECT_EQ(Show("abc"), "#N/A");
    Column->SetFormatType(vgfmtDateTime);
    EXPECT_EQ(Show("13/45/2024"), "#N/A");
    Column->SetFormatType(vgfmtScientific);
    EXPECT_EQ(Show("1e"), "#N/A");
    EXPECT_EQ(ConversionErrors, (std::vector<QString>{"abc", "abc", "13/45/2024", "1e"}));
}

TEST_F(DisplayTextTest, OnDisplayTextMayReplaceTheTextAndSwitchConversionOff)
{
    Column->SetFormatType(vgfmtNumeric);
    LogConversionErrors();
    QString replacement;
    bool convert = true;
    Grid.OnDisplayText = [&](TObject* sender, int col, int row, TvgColumn* column, QString& S, bool& Convert) {
        EXPECT_TRUE(sender == &Grid && col == 1 && row == 1 && column == Column && Convert);
        if (!replacement.isNull())
            S = replacement;
        Convert = convert;
    };
    EXPECT_EQ(Show("1234.5"), "1,234.50");
    replacement = "-2";
    EXPECT_EQ(Show("1234.5"), "-2.00");
    replacement = "";
    EXPECT_EQ(Show("1234.5"), "");
    replacement = "xyz";
    EXPECT_EQ(Show("1234.5"), "xyz");
    EXPECT_EQ(ConversionErrors, std::vector<QString>{"xyz"}) << "the handler's text is what failed";

    convert = false;
    EXPECT_EQ(Show("1234.5"), "xyz");
    replacement = QString();
    EXPECT_EQ(Show("1234.5"), "1234.5");
    EXPECT_EQ(ConversionErrors.size(), 1u);
}

TEST_F(DisplayTextTest, ConversionErrorsFromOnDisplayTextAreHandledOthersPropagate)
{
    Column->SetFormatType(vgfmtNumeric);
    bool invalid = false;
    Grid.OnDisplayText = [&](TObject*, int, int, TvgColumn*, QString& S, bool&) {
        S = "half done";
        if (invalid)
            throw EInvalidOperation("not a conversion");
        throw EConvertError("could not read it");
    };
    EXPECT_EQ(Show("12"), "half done");
    LogConversionErrors("handled");
    EXPECT_EQ(Show("12"), "handled");
    EXPECT_EQ(ConversionErrors, std::vector<QString>{"half done"});

    invalid = true;
    EXPECT_THROW(Grid.GetDisplayText(1, 1), EInvalidOperation);
    EXPECT_EQ(ConversionErrors.size(), 1u);
}

TEST(DisplayTextFormula, ADescendantsSolvedValueIsWhatGetsFormatted)
{
    TFormulaGrid grid;
    TvgColumn* column = grid.GetVisibleColumn(2);
    column->SetFormatType(vgfmtScientific);
    column->SetDecimals(1);
    QString handed;
    grid.OnDisplayText = [&](TObject*, int, int, TvgColumn*, QString& S, bool&) { handed = S; };
    grid.SetCells(2, 3, "=6*7");
    EXPECT_EQ(grid.GetDisplayText(2, 3), "4.2E+01");
    EXPECT_EQ(handed, "42");
}

TEST(DisplayTextRange, CellsOutsideTheGridRaise)
{
    TVelkoGrid grid;
    EXPECT_THROW(grid.GetDisplayText(-1, 1), Exception);
    EXPECT_THROW(grid.GetDisplayText(grid.ColCount(), 1), Exception);
    EXPECT_THROW(grid.GetDisplayText(1, grid.RowCount()), Exception);
}

} // namespace
