// The text layout routine on images: placement, word breaks, line breaks, tabs, measuring,
// no prefix processing, end ellipsis, clipping and vertical placement. Layouts are
// compared with drawings of the text they should produce.
#include "platform/graphics/TextLayout.h"

#include "support/ImageCanvas.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace vg {
namespace {

using test::TImageCanvas;

class TextLayout : public ::testing::Test {
protected:
    int LineHeight() const { return QFontMetrics(TFont().ToQFont()).height(); }
    int Width(const QString& text) const { return QFontMetrics(TFont().ToQFont()).horizontalAdvance(text); }

    // The image of text drawn with flags into r.
    QImage Drawn(const QString& text, TRect r, unsigned flags) const
    {
        TImageCanvas image(200, 80);
        DrawText(image.Canvas, text, r, flags);
        return image.Image;
    }
    // The extent DT_CALCRECT gives, and its returned height.
    std::pair<TRect, int> Measured(const QString& text, TRect r, unsigned flags) const
    {
        TImageCanvas image(200, 80);
        const int height = DrawText(image.Canvas, text, r, flags | DT_CALCRECT);
        EXPECT_EQ(image.CountPainted(), 0) << "measuring draws nothing";
        return {r, height};
    }
};

TEST_F(TextLayout, PlacesEachLineLeftCentredOrRight)
{
    const TRect r = Rect(20, 10, 180, 30);
    const int w = Width(QStringLiteral("Hello"));
    TImageCanvas left(200, 80), centred(200, 80), right(200, 80);
    TRect box = r;
    DrawText(left.Canvas, QStringLiteral("Hello"), box, DT_LEFT);
    DrawText(centred.Canvas, QStringLiteral("Hello"), box, DT_CENTER);
    DrawText(right.Canvas, QStringLiteral("Hello"), box, DT_RIGHT);
    EXPECT_EQ(box, r) << "drawing leaves the rectangle as it is";

    const auto l = left.InkedColumns(), c = centred.InkedColumns(), rr = right.InkedColumns();
    ASSERT_TRUE(l && c && rr);
    EXPECT_LE(std::abs(l->first - 20), 2);
    EXPECT_LE(std::abs(rr->second - 179), 2);
    EXPECT_EQ(c->first - l->first, (160 - w) / 2) << "the same ink, moved";
    EXPECT_EQ(rr->first - l->first, 160 - w);
}

TEST_F(TextLayout, WordBreakWrapsAtSpacesAndNeverSplitsAWord)
{
    const QString text = QStringLiteral("one two three");
    const int fits = Width(QStringLiteral("one two"));
    // Breaks before the word that would cross the right edge; the space at the break goes.
    EXPECT_EQ(Drawn(text, Rect(10, 5, 10 + fits, 75), DT_WORDBREAK),
              Drawn(QStringLiteral("one two\nthree"), Rect(10, 5, 10 + fits, 75), 0));
    EXPECT_EQ(Drawn(text, Rect(10, 5, 10 + fits - 1, 75), DT_WORDBREAK),
              Drawn(QStringLiteral("one\ntwo\nthree"), Rect(10, 5, 10 + fits - 1, 75), 0));

    // A word wider than the rectangle stands alone, whole, and is cut at the edge.
    const QString longWord = QStringLiteral("Incomprehensibilities");
    const auto [extent, height] = Measured(QStringLiteral("a ") + longWord + QStringLiteral(" b"), Rect(10, 5, 40, 75),
                                           DT_WORDBREAK);
    EXPECT_EQ(height, 3 * LineHeight());
    EXPECT_EQ(extent, Rect(10, 5, 10 + Width(longWord), 5 + 3 * LineHeight()));
    TImageCanvas image(200, 80);
    TRect r = Rect(10, 5, 40, 75);
    DrawText(image.Canvas, longWord, r, DT_WORDBREAK);
    EXPECT_EQ(image.InkedRows()->second < 5 + LineHeight(), true) << "not broken onto a second line";
    EXPECT_LE(image.InkedColumns()->second, 39);
}

TEST_F(TextLayout, LineBreaksAlwaysStartLinesExceptOnASingleLine)
{
    const QString text = QStringLiteral("a\r\nb\nc\rd");
    EXPECT_EQ(Measured(text, Rect(0, 0, 100, 10), 0).second, 4 * LineHeight());
    EXPECT_EQ(Measured(text, Rect(0, 0, 100, 10), DT_WORDBREAK | DT_END_ELLIPSIS).second, 4 * LineHeight());
    EXPECT_EQ(Measured(text, Rect(0, 0, 100, 10), DT_SINGLELINE).second, LineHeight());
    EXPECT_EQ(Drawn(text, Rect(5, 5, 195, 75), DT_SINGLELINE), Drawn(QStringLiteral("a b c d"), Rect(5, 5, 195, 75), 0));
    EXPECT_EQ(Measured(QStringLiteral("a b c d e f"), Rect(0, 0, 1, 10), DT_SINGLELINE | DT_WORDBREAK).second,
              LineHeight()) << "a single line does not wrap";
    EXPECT_EQ(Measured(QString(), Rect(0, 0, 100, 10), 0), std::pair(Rect(0, 0, 0, LineHeight()), LineHeight()))
        << "an empty text is one empty line";
    EXPECT_EQ(Measured(QStringLiteral("x\n"), Rect(0, 0, 100, 10), 0).second, 2 * LineHeight());
}

TEST_F(TextLayout, TabsExpandToStopsEveryEightAverageCharacters)
{
    const int stop = 8 * QFontMetrics(TFont().ToQFont()).averageCharWidth();
    const int x = Width(QStringLiteral("x"));
    EXPECT_EQ(Measured(QStringLiteral("\tx"), Rect(0, 0, 300, 10), DT_EXPANDTABS).first.Right, stop + x);
    EXPECT_EQ(Measured(QStringLiteral("ab\tx"), Rect(0, 0, 300, 10), DT_EXPANDTABS).first.Right, stop + x);
    EXPECT_EQ(Measured(QStringLiteral("\t\tx"), Rect(0, 0, 300, 10), DT_EXPANDTABS).first.Right, 2 * stop + x);
    EXPECT_EQ(Measured(QStringLiteral("ab\tx"), Rect(0, 0, 300, 10), 0).first.Right,
              Width(QStringLiteral("ab")) + Width(QStringLiteral(" ")) + x) << "without expansion a tab is a space";

    TImageCanvas image(200, 80);
    TRect r = Rect(10, 10, 190, 30);
    DrawText(image.Canvas, QStringLiteral("\tx"), r, DT_EXPANDTABS);
    EXPECT_GE(image.InkedColumns()->first, 10 + stop);
    EXPECT_LE(image.InkedColumns()->first, 10 + stop + 1);
}

TEST_F(TextLayout, MeasuringMovesRightAndBottomToTheTextsExtent)
{
    const auto [extent, height] = Measured(QStringLiteral("short\nthe longest line\nmid"), Rect(7, 9, 12, 11), 0);
    EXPECT_EQ(height, 3 * LineHeight());
    EXPECT_EQ(extent, Rect(7, 9, 7 + Width(QStringLiteral("the longest line")), 9 + 3 * LineHeight()));
}

TEST_F(TextLayout, AmpersandsAreShownAsTheyAre)
{
    TImageCanvas expected(200, 80);
    expected.Canvas.Brush().SetStyle(bsClear);
    expected.Canvas.TextOut(10, 10, QStringLiteral("&File && more"));
    for (unsigned flags : {0u, DT_NOPREFIX}) {
        EXPECT_EQ(Drawn(QStringLiteral("&File && more"), Rect(10, 10, 190, 40), flags), expected.Image);
        EXPECT_EQ(Measured(QStringLiteral("&File && more"), Rect(10, 10, 190, 40), flags).first.Right,
                  10 + Width(QStringLiteral("&File && more")));
    }
}

TEST_F(TextLayout, EndEllipsisCutsTheLineToFitWithThreeDots)
{
    const QString text = QStringLiteral("The quick brown fox jumps");
    const TRect r = Rect(10, 10, 90, 30);
    const QImage drawn = Drawn(text, r, DT_END_ELLIPSIS);
    // It is the drawing of some beginning of the text (its trailing blanks dropped) with "...".
    int match = -1;
    for (int length = 0; length <= text.size(); ++length) {
        if (Drawn(text.left(length).trimmed() + QStringLiteral("..."), r, 0) == drawn)
            match = length;
    }
    ASSERT_GT(match, 0);
    EXPECT_LE(Width(text.left(match).trimmed() + QStringLiteral("...")), 80);
    EXPECT_GT(Width(text.left(match + 1) + QStringLiteral("...")), 80) << "as much of the text as fits";

    const auto [extent, height] = Measured(text, r, DT_END_ELLIPSIS);
    EXPECT_LE(extent.Right, r.Right) << "measured with its cut width";
    EXPECT_EQ(height, LineHeight());
    EXPECT_EQ(Drawn(QStringLiteral("fits"), r, DT_END_ELLIPSIS), Drawn(QStringLiteral("fits"), r, 0));
    EXPECT_EQ(Drawn(text, Rect(10, 10, 12, 30), DT_END_ELLIPSIS), Drawn(QStringLiteral("..."), Rect(10, 10, 12, 30), 0))
        << "nothing but the dots when not even they fit";
}

TEST_F(TextLayout, DrawingIsClippedToTheRectangleUnlessNoClip)
{
    const QString text = QStringLiteral("A line much wider than its box\nand a second");
    TImageCanvas clipped(200, 80), unclipped(200, 80);
    TRect r = Rect(20, 10, 60, 10 + LineHeight() / 2);
    DrawText(clipped.Canvas, text, r, 0);
    DrawText(unclipped.Canvas, text, r, DT_NOCLIP);
    EXPECT_GE(clipped.InkedColumns()->first, 20);
    EXPECT_LE(clipped.InkedColumns()->second, 59);
    EXPECT_LE(clipped.InkedRows()->second, r.Bottom - 1);
    EXPECT_GT(unclipped.InkedColumns()->second, 100);
    EXPECT_GT(unclipped.InkedRows()->second, 10 + LineHeight());
}

TEST_F(TextLayout, VerticalPlacementMovesTheWholeBlock)
{
    const int h = LineHeight();
    for (const QString& text : {QStringLiteral("one line"), QStringLiteral("two\nlines")}) {
        const int block = int(text.count(u'\n') + 1) * h;
        EXPECT_EQ(Drawn(text, Rect(10, 5, 190, 75), DT_VCENTER), Drawn(text, Rect(10, 5 + (70 - block) / 2, 190, 75), 0));
        EXPECT_EQ(Drawn(text, Rect(10, 5, 190, 75), DT_BOTTOM), Drawn(text, Rect(10, 75 - block, 190, 75), 0));
    }
}

TEST_F(TextLayout, PaintsInTheFontColourWithoutFillingTheBackground)
{
    TImageCanvas image(200, 80);
    image.Canvas.Brush().SetColor(clBlue); // a solid brush the routine must not use
    image.Canvas.Font().SetColor(clRed);
    TRect r = Rect(10, 10, 190, 40);
    EXPECT_EQ(DrawText(image.Canvas, QStringLiteral("Hill"), r, 0), LineHeight());
    // Red blended into white: full red, equal green and blue.
    int inked = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QRgb c = image.At(x, y);
            if (!image.Painted(x, y))
                continue;
            ++inked;
            EXPECT_TRUE(qRed(c) == 255 && qGreen(c) == qBlue(c)) << std::hex << c;
        }
    }
    EXPECT_GT(inked, 10);
    EXPECT_EQ(image.At(150, 20), qRgb(255, 255, 255));
}

// What DrawText paints at a device pixel ratio, on an image of 160 x 60 logical pixels.
struct TDrawing {
    QString Text = QStringLiteral("Value 12\tx");
    TFontStyles Style;
    int Height = TFont::DefaultHeight;
    unsigned Flags = DT_EXPANDTABS;
    int Width = 150;
    qreal Ratio = 1;
};

QImage Paint(const TDrawing& d)
{
    QImage image(QSize(160, 60) * d.Ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(d.Ratio);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    canvas.Font().SetStyle(d.Style);
    canvas.Font().SetHeight(d.Height);
    TRect r = Rect(4, 4, 4 + d.Width, 56);
    DrawText(canvas, d.Text, r, d.Flags);
    return image;
}

// Laid-out texts are kept between calls: a text drawn once must not stand in for another
// that differs in anything that shows. Each case draws a first text, then a second that
// differs from it in one thing, and compares that with the second drawn with no cache.
TEST(TextLayoutCache, ATextDifferingInAnythingThatShowsIsLaidOutAgain)
{
    struct TCase {
        const char* What;
        TDrawing First;
        TDrawing Second;
    };
    const TDrawing plain;
    const auto with = [&](auto change) {
        TDrawing d = plain;
        change(d);
        return d;
    };
    const TCase cases[] = {
        {"text", plain, with([](TDrawing& d) { d.Text = QStringLiteral("Value 13\tx"); })},
        {"bold", plain, with([](TDrawing& d) { d.Style = {fsBold}; })},
        {"italic", plain, with([](TDrawing& d) { d.Style = {fsItalic}; })},
        {"underline", plain, with([](TDrawing& d) { d.Style = {fsUnderline}; })},
        {"height", plain, with([](TDrawing& d) { d.Height = -16; })},
        {"right-aligned", plain, with([](TDrawing& d) { d.Flags |= DT_RIGHT; })},
        {"tabs not expanded", plain, with([](TDrawing& d) { d.Flags = 0; })},
        {"width, centred", with([](TDrawing& d) { d.Flags |= DT_CENTER; }),
         with([](TDrawing& d) { d.Flags |= DT_CENTER; d.Width = 90; })},
        {"width, ellipsis", with([](TDrawing& d) { d.Flags |= DT_END_ELLIPSIS; }),
         with([](TDrawing& d) { d.Flags |= DT_END_ELLIPSIS; d.Width = 40; })},
        {"width, word break", with([](TDrawing& d) { d.Text = QStringLiteral("one two three"); d.Flags = DT_WORDBREAK; }),
         with([](TDrawing& d) { d.Text = QStringLiteral("one two three"); d.Flags = DT_WORDBREAK; d.Width = 50; })},
        {"single line", with([](TDrawing& d) { d.Text = QStringLiteral("one\ntwo"); }),
         with([](TDrawing& d) { d.Text = QStringLiteral("one\ntwo"); d.Flags |= DT_SINGLELINE; })},
        {"device pixel ratio", plain, with([](TDrawing& d) { d.Ratio = 2; })},
    };
    TTextLayoutCache& cache = TTextLayoutCache::Instance();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        cache.SetCapacity(0);
        const QImage expected = Paint(c.Second);
        ASSERT_NE(Paint(c.First).scaled(expected.size()), expected) << "the case changes what shows";

        cache.SetCapacity(TTextLayoutCache::DefaultCapacity);
        cache.Clear();
        Paint(c.First);
        EXPECT_EQ(Paint(c.Second), expected);
        EXPECT_EQ(Paint(c.First), Paint(c.First)) << "drawn again from the cache";
        EXPECT_EQ(cache.Count(), 2);
    }
    // A left-aligned text that is neither wrapped nor cut is the same at every width.
    cache.Clear();
    Paint(plain);
    Paint(with([](TDrawing& d) { d.Width = 60; }));
    EXPECT_EQ(cache.Count(), 1);
    // Fonts added to or removed from the application may change what a font stands for.
    emit qGuiApp->fontDatabaseChanged();
    EXPECT_EQ(cache.Count(), 0);
    // Only so many texts are kept.
    cache.SetCapacity(3);
    for (int i = 0; i < 10; ++i)
        Paint(with([i](TDrawing& d) { d.Text = QString::number(i); }));
    EXPECT_EQ(cache.Count(), 3);
    cache.SetCapacity(TTextLayoutCache::DefaultCapacity);
}

// The kept glyphs land exactly where QPainter::drawText puts the text, in every style and
// at device pixel ratios 1 and 2, whether the text fits its rectangle (drawn without a
// clip) or crosses its edge (drawn clipped); a large italic text leans past its advance.
TEST(TextLayoutCache, KeptGlyphsPaintAsPainterTextDoes)
{
    struct TText {
        QString Text;
        int Height;
    };
    const TText texts[] = {{QStringLiteral("Quick & brown 1,234.50 \u00e9\u0301"), TFont::DefaultHeight},
                           {QStringLiteral("Value 12"), TFont::DefaultHeight},
                           {QStringLiteral("jolly Wj"), TFont::DefaultHeight},
                           {QStringLiteral("  "), TFont::DefaultHeight},
                           {QStringLiteral("ff"), -40}};
    const TFontStyles styles[] = {{}, {fsBold}, {fsItalic}, {fsBold, fsItalic}, {fsUnderline}, {fsStrikeOut}};
    for (const qreal ratio : {1.0, 2.0})
        for (const TText& text : texts)
            for (const int width : {150, 60, 20, 0})
                for (size_t style = 0; style < std::size(styles); ++style) {
                    SCOPED_TRACE(QStringLiteral("%1 at ratio %2, %3 wide, style %4")
                                     .arg(text.Text)
                                     .arg(ratio)
                                     .arg(width)
                                     .arg(style)
                                     .toStdString());
                    TDrawing d;
                    d.Text = text.Text;
                    d.Height = text.Height;
                    d.Style = styles[style];
                    d.Ratio = ratio;
                    d.Width = width;
                    QImage expected(QSize(160, 60) * ratio, QImage::Format_RGB32);
                    expected.setDevicePixelRatio(ratio);
                    expected.fill(Qt::white);
                    {
                        TFont font;
                        font.SetStyle(d.Style);
                        font.SetHeight(d.Height);
                        QPainter p(&expected);
                        p.setClipRect(QRect(4, 4, width, 52));
                        p.setFont(font.ToQFont());
                        p.setPen(Qt::black);
                        p.drawText(QPoint(4, 4 + QFontMetrics(font.ToQFont()).ascent()), d.Text);
                    }
                    Paint(d); // the second drawing comes from the cache
                    EXPECT_EQ(Paint(d), expected);
                }
}

} // namespace
} // namespace vg
