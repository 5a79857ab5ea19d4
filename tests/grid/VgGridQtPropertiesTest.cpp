// The grid's settings as Qt properties: what Qt Designer stores and what forms built by
// uic or QUiLoader set, in the order the class declares them.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"
#include "platform/core/FormFile.h"

#include <QMetaProperty>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

// Every stored Qt property the grid itself declares whose value differs from a new grid's,
// copied in declaration order, as a form stores and sets them.
void CopyDeclaredProperties(const TVelkoGrid& from, TVelkoGrid& to)
{
    const TVelkoGrid fresh;
    const QMetaObject& meta = TVelkoGrid::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty p = meta.property(i);
        if (p.isStored() && p.isWritable() && p.read(&from) != p.read(&fresh))
            ASSERT_TRUE(p.write(&to, p.read(&from))) << p.name();
    }
}

QString FormText(TVelkoGrid& grid)
{
    grid.SetName(QStringLiteral("Grid1"));
    return WriteComponentToText(grid);
}

struct GridQtProperties : ::testing::Test {
    QStringList Errors;
    void SetUp() override
    {
        Application().OnException = [this](const std::exception& e) { Errors << TApplication::MessageOf(e); };
    }
    void TearDown() override { Application().OnException = nullptr; }
};

} // namespace

TEST_F(GridQtProperties, ACopyThroughTheQtPropertiesIsTheSameGrid)
{
    TVelkoGrid original;
    original.SetColumnCount(6);
    original.SetRowCount(9);
    original.SetFixedCols(2);
    original.SetDefaultRowHeight(22);
    original.SetOptions(original.Options() + TGridOptions{goEditing, goColSizing});
    original.SetVelkoOptions({vgoptHighlightSelection});
    original.SetVelkoHighlightColor(clRed);
    original.SetColumnsRegistryKey(QStringLiteral("Software\\Orders\\Grid"));
    original.SetVelkoAdjustRowHeight(true);
    original.Headings()->Add()->SetCaption(QStringLiteral("Amounts 'net'"));
    TvgColumn* price = original.GetVisibleColumn(3);
    price->SetCaption(QStringLiteral("Price\nin \u20ac"));
    price->SetFormatType(vgfmtNumeric);
    price->SetHeadingIndex(0);
    price->SetControlType({vgctlComboBox});
    const TStringList items(QStringList{QStringLiteral("1.00"), QStringLiteral("2.50")});
    price->SetItems(&items);
    original.GetVisibleColumn(5)->SetVisible(false);
    original.SetColWidths(2, 91);
    original.SetRowHeights(4, 40);

    TVelkoGrid copy;
    CopyDeclaredProperties(original, copy);
    EXPECT_EQ(Errors, QStringList());
    EXPECT_EQ(FormText(copy), FormText(original));
    EXPECT_EQ(copy.property("Columns"), original.property("Columns"));
    EXPECT_EQ(copy.property("Headings"), original.property("Headings"));
    EXPECT_EQ(copy.ColCount(), 5);
    EXPECT_EQ(copy.ColWidths(2), 91);
}

TEST_F(GridQtProperties, RefusedValuesAreReportedAndChangeNothing)
{
    TVelkoGrid grid;
    const QString before = FormText(grid);
    const std::pair<const char*, QVariant> refused[] = {
        {"Columns", QByteArray("<\n  item\n    Caption = 'unclosed\n  end>")},
        {"Columns", QByteArray("<\n  item\n    Visible = False\n  end>")}, // no visible column
        {"Columns", QByteArray("<\n  item\n    Nonsense = 1\n  end>")},
        {"Headings", QByteArray("42")},
        {"ColWidths", QByteArray("64,64")},       // five columns
        {"RowHeights", QByteArray("24,x,24,24,24")},
        {"Options", QVariant(1u << 20)},     // a bit of no option
        {"VelkoOptions", QVariant(1u << 2)},
        {"RowCount", 0},
        {"FixedCols", 7},
    };
    for (const auto& [name, value] : refused) {
        Errors.clear();
        EXPECT_TRUE(grid.setProperty(name, value)) << name;
        EXPECT_EQ(Errors.size(), 1) << name;
        EXPECT_EQ(FormText(grid), before) << name;
    }
}

TEST_F(GridQtProperties, ColoursReadAsPaintedAndResetToTheirSystemColours)
{
    TVelkoGrid grid;
    EXPECT_EQ(grid.property("VelkoHighlightColor").value<QColor>(), grid.palette().color(QPalette::Highlight));
    grid.setProperty("VelkoHighlightColor", QColor(1, 2, 3));
    EXPECT_EQ(grid.VelkoHighlightColor(), RGBColor(1, 2, 3));
    const QMetaObject& meta = TVelkoGrid::staticMetaObject;
    ASSERT_TRUE(meta.property(meta.indexOfProperty("VelkoHighlightColor")).reset(&grid));
    EXPECT_EQ(grid.VelkoHighlightColor(), clHighlight);

    // Version and Author are shown, never written or stored.
    for (const char* name : {"Version", "Author"}) {
        const QMetaProperty p = meta.property(meta.indexOfProperty(name));
        EXPECT_FALSE(p.isWritable()) << name;
        EXPECT_FALSE(p.isStored()) << name;
    }
    EXPECT_EQ(grid.property("Version").toString(), QStringLiteral("2.12"));
}
