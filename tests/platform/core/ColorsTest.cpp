// Colour names and text forms, and the resolution of colours through a palette.
#include "platform/core/Colors.h"
#include "platform/core/Exceptions.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

namespace vg {
namespace {

QStringList AllColorNames()
{
    QStringList names;
    GetColorValues([&](const QString& name) { names << name; });
    return names;
}

TEST(ColorNames, EveryNameRoundTripsThroughTextAndIdent)
{
    const QStringList names = AllColorNames();
    ASSERT_EQ(names.size(), 52); // 20 standard, 30 system, clNone, clDefault

    QSet<TColor> values;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        TColor color = 0;
        ASSERT_TRUE(IdentToColor(name, color));
        EXPECT_EQ(StringToColor(name), color);
        EXPECT_EQ(ColorToString(color), name);
        QString ident;
        ASSERT_TRUE(ColorToIdent(color, ident));
        EXPECT_EQ(ident, name);
        values.insert(color);
    }
    EXPECT_EQ(values.size(), names.size()) << "two names share one colour";
}

TEST(ColorNames, EnumerationListsStandardThenSystemColoursByNumber)
{
    const QStringList names = AllColorNames();
    EXPECT_EQ(names.first(), "clBlack");
    EXPECT_EQ(names.at(15), "clWhite");
    EXPECT_EQ(names.at(19), "clMedGray");
    EXPECT_EQ(names.at(20), "clScrollBar");
    EXPECT_EQ(names.at(49), "clMenuBar");
    EXPECT_EQ(names.mid(50), QStringList({"clNone", "clDefault"}));

    int previous = -1;
    for (const QString& name : names.mid(20, 30)) {
        const TColor color = StringToColor(name);
        ASSERT_TRUE(IsSystemColor(color)) << name.toStdString();
        EXPECT_GT(color & 0xFF, previous) << name.toStdString();
        previous = color & 0xFF;
    }
}

TEST(ColorNames, ValuesFollowTheBgrAndSystemLayout)
{
    EXPECT_EQ(clRed, RGBColor(255, 0, 0));
    EXPECT_EQ(clBlue, RGBColor(0, 0, 255));
    EXPECT_EQ(clWindow, static_cast<TColor>(0xFF000005u));
    EXPECT_EQ(clHighlight, static_cast<TColor>(0xFF00000Du));
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000Fu));
    EXPECT_LT(clBtnFace, 0) << "system colours are negative 32-bit values";
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_FALSE(IsSystemColor(clDefault));
}

TEST(ColorNames, LookupIgnoresCaseButNotSpelling)
{
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
    TColor color = clWhite;
    EXPECT_FALSE(IdentToColor("clReddish", color));
    EXPECT_FALSE(IdentToColor("", color));
    EXPECT_EQ(color, clWhite) << "a failed lookup leaves the output alone";
    QString ident = "kept";
    EXPECT_FALSE(ColorToIdent(RGBColor(1, 2, 3), ident));
    EXPECT_EQ(ident, "kept");
}

TEST(ColorText, UnnamedColoursUseEightHexDigits)
{
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ColorToString(RGBColor(0xAB, 0xCD, 0xEF)), "$00EFCDAB");
    EXPECT_EQ(ColorToString(1), "$00000001");
    // System colour 25 is unassigned, so it has no name but still its text form.
    EXPECT_EQ(ColorToString(SystemColor(25)), "$FF000019");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x02FFFFFFu)), "$02FFFFFF");

    for (TColor color : {0x00123456, static_cast<TColor>(0xFF000019u), static_cast<TColor>(0x80000000u), -1})
        EXPECT_EQ(StringToColor(ColorToString(color)), color) << ColorToString(color).toStdString();
}

TEST(ColorText, IntegerFormsAreAccepted)
{
    EXPECT_EQ(StringToColor("$00ff00"), clLime);
    EXPECT_EQ(StringToColor("0xFF0000"), clBlue);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
    EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
    EXPECT_EQ(StringToColor("$FFFFFFFF"), -1);
    EXPECT_EQ(StringToColor("-$10"), -16);
    EXPECT_EQ(StringToColor("2147483647"), 2147483647);
    EXPECT_EQ(StringToColor("-2147483648"), static_cast<TColor>(0x80000000u));
    EXPECT_EQ(StringToColor("  42 "), 42);
}

TEST(ColorText, BadTextRaisesConvertError)
{
    for (const char* text : {"", " ", "clNoSuchColour", "$", "0x", "-", "$1G", "12abc", "--1", "1.5",
                             "$100000000", "2147483648", "-2147483649", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(StringToColor(QString::fromLatin1(text)), EConvertError);
    }
    try {
        StringToColor("bogus");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains("'bogus'")) << e.what();
    }
}

// A palette in which every role of every group has a colour of its own, so a test can
// tell exactly which entry a system colour was taken from.
QPalette DistinctPalette()
{
    QPalette palette;
    int n = 1;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (int role = 0; role < QPalette::NColorRoles; ++role, ++n)
            palette.setColor(group, static_cast<QPalette::ColorRole>(role), QColor(n, 255 - n, (n * 7) % 256));
    palette.setCurrentColorGroup(QPalette::Active);
    return palette;
}

TEST(ColorResolution, DirectColoursIgnoreThePalette)
{
    const QPalette palette = DistinctPalette();
    EXPECT_EQ(ColorToQColor(clRed, palette), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(RGBColor(1, 2, 3), palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clNavy, palette), qRgb(0, 0, 0x80));
    EXPECT_EQ(QColorToColor(QColor(0x12, 0x34, 0x56, 10)), RGBColor(0x12, 0x34, 0x56));
    EXPECT_EQ(QColorToColor(ColorToQColor(clMoneyGreen, palette)), clMoneyGreen);
}

TEST(ColorResolution, SystemColoursComeFromPaletteRoles)
{
    const QPalette p = DistinctPalette();
    const struct {
        TColor Color;
        QPalette::ColorGroup Group;
        QPalette::ColorRole Role;
    } cases[] = {
        {clWindow, QPalette::Active, QPalette::Base},
        {clWindowText, QPalette::Active, QPalette::Text},
        {clHighlight, QPalette::Active, QPalette::Highlight},
        {clHighlightText, QPalette::Active, QPalette::HighlightedText},
        {clBtnFace, QPalette::Active, QPalette::Button},
        {clBtnText, QPalette::Active, QPalette::ButtonText},
        {clBtnShadow, QPalette::Active, QPalette::Dark},
        {clBtnHighlight, QPalette::Active, QPalette::Light},
        {cl3DDkShadow, QPalette::Active, QPalette::Shadow},
        {cl3DLight, QPalette::Active, QPalette::Midlight},
        {clGrayText, QPalette::Disabled, QPalette::Text},
        {clInfoBk, QPalette::Active, QPalette::ToolTipBase},
        {clInfoText, QPalette::Active, QPalette::ToolTipText},
        {clHotLight, QPalette::Active, QPalette::Link},
        {clMenu, QPalette::Active, QPalette::Window},
        {clMenuText, QPalette::Active, QPalette::WindowText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ColorToString(c.Color).toStdString());
        EXPECT_EQ(ColorToQColor(c.Color, p), p.color(c.Group, c.Role));
    }
    // Every assigned system colour resolves; the default is the window colour.
    for (const QString& name : AllColorNames())
        EXPECT_NO_THROW(ColorToQColor(StringToColor(name), p)) << name.toStdString();
    EXPECT_EQ(ColorToQColor(clDefault, p), ColorToQColor(clWindow, p));
    EXPECT_EQ(ColorToQColor(clNone, p).alpha(), 0);
}

TEST(ColorResolution, FollowsTheCurrentGroupAndDarkThemes)
{
    QPalette p = DistinctPalette();
    p.setCurrentColorGroup(QPalette::Inactive);
    EXPECT_EQ(ColorToQColor(clWindow, p), p.color(QPalette::Inactive, QPalette::Base));

    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(ColorToQColor(clWindow, dark), QColor(0x20, 0x20, 0x20));
    EXPECT_EQ(ColorToQColor(clWindowText, dark), QColor(0xE0, 0xE0, 0xE0));
}

TEST(ColorResolution, ValuesOfNoKnownFormRaise)
{
    const QPalette p = DistinctPalette();
    for (TColor bad : {SystemColor(25), SystemColor(31), SystemColor(255), static_cast<TColor>(0xFF000105u),
                       static_cast<TColor>(0x02FFFFFFu), static_cast<TColor>(0x80000000u)}) {
        SCOPED_TRACE(ColorToString(bad).toStdString());
        EXPECT_THROW(ColorToQColor(bad, p), EConvertError);
        EXPECT_THROW(ColorToRGB(bad, p), EConvertError);
    }
}

} // namespace
} // namespace vg
