// TBitmap, TIcon and the image list: sizes, painting on a bitmap's canvas, assignment
// between graphics and pictures, transparency, and drawing images normally, disabled and
// by a bad index.
#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Picture.h"

#include "support/ImageCanvas.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace vg {
namespace {

using namespace test;


QImage Filled(int w, int h, QRgb color, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(w, h, format);
    image.fill(color);
    return image;
}

// ---- TBitmap

TEST(Bitmap, ResizingKeepsThePixelsThatFitAndWhitensTheRest)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_FALSE(bitmap.Canvas().CanPaint());
    bitmap.SetWidth(10);
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetHeight(8);
    EXPECT_EQ(bitmap.Width(), 10) << "each side is kept while the other is still 0";
    EXPECT_EQ(bitmap.Height(), 8);

    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(0, 0, 10, 8));
    bitmap.SetSize(12, 4);
    const QImage image = bitmap.Image();
    EXPECT_EQ(image.size(), QSize(12, 4));
    EXPECT_EQ(image.pixel(9, 3), Red);
    EXPECT_EQ(image.pixel(10, 0), White);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);

    bitmap.Canvas().FillRect(Rect(11, 0, 12, 1)); // the canvas paints on the new pixels
    EXPECT_EQ(bitmap.Image().pixel(11, 0), Red);

    EXPECT_THROW(bitmap.SetSize(-1, 5), EInvalidOperation);
    EXPECT_EQ(bitmap.Width(), 12);
    EXPECT_THROW(bitmap.SetSize(1 << 20, 1 << 20), EInvalidOperation) << "too large to allocate";
    EXPECT_EQ(bitmap.Image().size(), QSize(12, 4));
}

TEST(Bitmap, AtADevicePixelRatioPaintsFinerAndCopiesOneToOne)
{
    TBitmap bitmap(10, 6);
    bitmap.SetDevicePixelRatio(2);
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.Image().size(), QSize(20, 12));
    // A line half a pixel of the sides thick: one device pixel.
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(2, 1, 4, 3));
    EXPECT_EQ(bitmap.Image().pixel(4, 2), Red);
    EXPECT_EQ(bitmap.Image().pixel(3, 2), White);

    // Copied onto an image of the same ratio, device pixel for device pixel.
    QImage target(12, 12, QImage::Format_RGB32);
    target.setDevicePixelRatio(2);
    target.fill(Qt::white);
    TCanvas canvas(&target);
    canvas.CopyRect(Rect(0, 0, 3, 3), bitmap.Canvas(), Rect(2, 1, 5, 4));
    canvas.Release();
    EXPECT_EQ(target.pixel(0, 0), Red);
    EXPECT_EQ(target.pixel(3, 3), Red);
    EXPECT_EQ(target.pixel(4, 0), White);

    for (const qreal bad : {0.0, -1.0, 17.0, qQNaN()})
        EXPECT_THROW(bitmap.SetDevicePixelRatio(bad), EInvalidOperation);
    EXPECT_EQ(bitmap.DevicePixelRatio(), 2);
    bitmap.SetDevicePixelRatio(1);
    EXPECT_EQ(bitmap.Image().size(), QSize(10, 6));
}

TEST(Bitmap, LoadsImagesKeepingAlphaOnlyWhenThereIsSome)
{
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.LoadFromImage(Filled(3, 2, Red, QImage::Format_RGB888));
    EXPECT_EQ(bitmap.Image().format(), QImage::Format_RGB32);
    EXPECT_FALSE(bitmap.Blends());
    bitmap.LoadFromImage(Filled(3, 2, qRgba(255, 0, 0, 128)));
    EXPECT_EQ(bitmap.Image().format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_TRUE(bitmap.Blends());
    bitmap.LoadFromImage(QImage());
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(changes, 3);
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel)
{
    TBitmap bitmap(3, 3);
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().FillRect(Rect(0, 2, 1, 3));
    EXPECT_EQ(bitmap.TransparentColor(), clBlue);
    bitmap.SetTransparent(true);
    const QImage drawn = bitmap.DrawnImage();
    EXPECT_EQ(qAlpha(drawn.pixel(0, 2)), 0);
    EXPECT_EQ(drawn.pixel(1, 1), White);

    bitmap.SetTransparentColor(clWhite);
    EXPECT_EQ(qAlpha(bitmap.DrawnImage().pixel(1, 1)), 0);
    EXPECT_EQ(bitmap.DrawnImage().pixel(0, 2), Blue);
}

TEST(Graphics, AssignCopiesBetweenBitmapsIconsAndPictures)
{
    TBitmap bitmap;
    bitmap.LoadFromImage(Filled(4, 3, Red));
    bitmap.SetTransparent(true);

    TBitmap copy;
    copy.Assign(&bitmap);
    EXPECT_EQ(copy.Image().pixel(3, 2), Red);
    EXPECT_TRUE(copy.Transparent());
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().FillRect(Rect(0, 0, 4, 3));
    EXPECT_EQ(copy.Image().pixel(0, 0), Red) << "the copy does not share later painting";

    TPicture picture;
    picture.Assign(&bitmap);
    EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
    EXPECT_EQ(picture.Image().pixel(0, 0), Blue);

    TIcon icon;
    icon.Assign(&picture);
    EXPECT_EQ(icon.Width(), 4);
    picture.Assign(&icon);
    EXPECT_EQ(picture.Kind(), TGraphicKind::Icon);
    copy.Assign(&picture);
    EXPECT_EQ(copy.Image().pixel(0, 0), Blue);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    TFont font;
    EXPECT_THROW(icon.Assign(&font), EAssignError);
    EXPECT_THROW(font.Assign(&icon), EAssignError);
}

// ---- Image lists

TEST(ImageList, AddsImagesAndCutsStrips)
{
    TImageList list;
    EXPECT_EQ(list.Width(), 16);
    list.SetSize(4, 4);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };

    QImage strip = Filled(12, 4, Red);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            strip.setPixel(x, y, Blue);
    EXPECT_EQ(list.Add(strip), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Image(1).pixel(0, 0), Blue);
    EXPECT_EQ(list.Image(2).pixel(3, 3), Red);

    EXPECT_EQ(list.Add(Filled(2, 2, Blue)), 3) << "a small image is padded";
    EXPECT_EQ(qAlpha(list.Image(3).pixel(3, 3)), 0);
    EXPECT_EQ(list.Add(QImage()), -1);

    TBitmap masked;
    masked.LoadFromImage(Filled(4, 4, Red));
    masked.SetTransparent(true);
    EXPECT_EQ(list.Add(masked), 4);
    EXPECT_EQ(qAlpha(list.Image(4).pixel(1, 1)), 0) << "added as drawn";

    list.Delete(1);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Image(1).pixel(0, 0), Red);
    EXPECT_EQ(changes, 4);

    list.SetWidth(8);
    EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
    EXPECT_THROW(list.SetHeight(0), EInvalidOperation);
    EXPECT_EQ(list.Height(), 4);
}

TEST(ImageList, DrawsNormallyOrGreyedAndRejectsBadIndices)
{
    TImageList list;
    list.SetSize(4, 4);
    QImage image = Filled(4, 4, Red);
    image.setPixel(3, 3, qRgba(0, 0, 0, 0));
    list.Add(image);

    TImageCanvas canvas(20, 20, Blue);
    list.Draw(canvas.Canvas, 2, 2, 0);
    EXPECT_EQ(canvas.At(2, 2), Red);
    EXPECT_EQ(canvas.At(5, 5), Blue) << "a transparent pixel shows the canvas";
    EXPECT_EQ(canvas.At(6, 6), Blue);

    list.Draw(canvas.Canvas, 10, 10, 0, false);
    const QRgb grey = canvas.At(10, 10);
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey)) << std::hex << grey;
    EXPECT_NE(grey, Red);
    EXPECT_EQ(canvas.At(13, 13), Blue);

    for (int bad : {-1, 1, 100}) {
        EXPECT_THROW(list.Draw(canvas.Canvas, 0, 0, bad), EListError) << bad;
        EXPECT_THROW(list.Image(bad), EListError);
        EXPECT_THROW(list.Delete(bad), EListError);
    }
    EXPECT_EQ(canvas.At(0, 0), Blue);
}

TEST(DisabledImage, GreysEveryPixelAndKeepsAlpha)
{
    QImage image = Filled(2, 1, qRgba(0, 0, 0, 255));
    image.setPixel(1, 0, qRgba(255, 255, 255, 0));
    const QImage grey = DisabledImage(image);
    EXPECT_EQ(grey.pixel(0, 0), qRgb(128, 128, 128));
    EXPECT_EQ(qAlpha(grey.pixel(1, 0)), 0);
}

} // namespace
} // namespace vg
