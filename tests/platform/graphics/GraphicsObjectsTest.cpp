// TFont and TPicture: change reports, assignment, conversion to Qt, loading from files
// and the binary form pictures take in form files.
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace vg {
namespace {

// ---- TFont

TEST(Font, EveryChangeIsReportedAndNoChangeIsNot)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    font.SetColor(clRed);
    font.SetHeight(-20);
    font.SetName(QStringLiteral("Serif"));
    font.SetStyle({fsBold});
    font.SetSize(12);
    EXPECT_EQ(changes, 5);

    font.SetColor(clRed);
    font.SetHeight(-16); // the height SetSize(12) gave
    font.SetName(QStringLiteral("Serif"));
    font.SetStyle({fsBold});
    font.SetSize(12);
    EXPECT_EQ(changes, 5);
}

TEST(Font, SizeAndHeightConvertAtNinetySixPixelsPerInch)
{
    TFont font;
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 9);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    EXPECT_EQ(font.Size(), 10);
    font.SetHeight(-24);
    EXPECT_EQ(font.Size(), 18);
}

TEST(Font, AssignCopiesOnlyWhenDifferent)
{
    TFont source;
    source.SetName(QStringLiteral("Mono"));
    source.SetStyle({fsItalic, fsStrikeOut});
    source.SetColor(clNavy);
    source.SetHeight(-30);

    TFont dest;
    int changes = 0;
    dest.OnChange = [&](TObject*) { ++changes; };
    dest.Assign(&source);
    EXPECT_TRUE(dest.Equals(source));
    EXPECT_EQ(changes, 1) << "one report for the whole copy";
    dest.Assign(&source);
    EXPECT_EQ(changes, 1) << "assigning an equal font reports nothing";
    dest.Assign(&dest);
    EXPECT_EQ(changes, 1);

    TStringList strings;
    EXPECT_THROW(dest.Assign(&strings), EAssignError);
    EXPECT_TRUE(dest.Equals(source)) << "a refused Assign changes nothing";
}

TEST(Font, ToQFontCarriesNamePixelsAndStyle)
{
    TFont font;
    font.SetName(QStringLiteral("DejaVu Serif"));
    font.SetHeight(-15);
    font.SetStyle({fsBold, fsUnderline});
    QFont q = font.ToQFont();
    EXPECT_EQ(q.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(q.pixelSize(), 15);
    EXPECT_TRUE(q.bold());
    EXPECT_FALSE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.strikeOut());

    font.SetHeight(20); // a line height: the characters are a little smaller
    EXPECT_EQ(font.ToQFont().pixelSize(), 16);
    font.SetHeight(0); // the family's default size
    EXPECT_EQ(font.ToQFont().pixelSize(), QFont(font.Name()).pixelSize());
}

// ---- TPicture

QImage TestImage(QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(5, 4, format);
    image.fill(qRgba(0, 128, 255, 255));
    image.setPixel(2, 1, qRgba(255, 0, 0, 255));
    return image;
}

struct TPictureFiles {
    QTemporaryDir Dir;
    QString Path(const QString& name) const { return Dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& data) const
    {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly);
        file.write(data);
        return Path(name);
    }
};

TEST(Picture, HoldsNothingABitmapOrAnIconAndReportsEachChange)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(picture.Width(), 0);

    picture.SetBitmap(TestImage());
    EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 4);
    picture.SetIcon(TestImage());
    EXPECT_EQ(picture.Kind(), TGraphicKind::Icon);
    picture.SetBitmap(QImage());
    EXPECT_TRUE(picture.IsEmpty()) << "a null image empties the picture";
    picture.SetIcon(TestImage());
    picture.Clear();
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_TRUE(picture.Image().isNull());
    EXPECT_EQ(changes, 5);
}

TEST(Picture, AssignCopiesAPictureAndNullEmptiesIt)
{
    TPicture source;
    source.SetIcon(TestImage());
    TPicture dest;
    dest.Assign(&source);
    EXPECT_TRUE(dest.Equals(source));
    EXPECT_EQ(dest.Kind(), TGraphicKind::Icon);

    TPicture bitmap;
    bitmap.SetBitmap(TestImage());
    EXPECT_FALSE(bitmap.Equals(source)) << "the same image as another kind is another picture";

    dest.Assign(nullptr);
    EXPECT_TRUE(dest.IsEmpty());
    TFont font;
    EXPECT_THROW(dest.Assign(&font), EAssignError);
}

TEST(Picture, DataRoundTripsKindAndPixels)
{
    for (TGraphicKind kind : {TGraphicKind::Bitmap, TGraphicKind::Icon}) {
        for (QImage::Format format : {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            TPicture picture;
            kind == TGraphicKind::Icon ? picture.SetIcon(TestImage(format)) : picture.SetBitmap(TestImage(format));
            const QByteArray data = picture.Data();
            ASSERT_FALSE(data.isEmpty());
            TPicture copy;
            copy.SetData(data);
            EXPECT_EQ(copy.Kind(), kind);
            EXPECT_TRUE(copy.Equals(picture)) << "format " << format;
        }
    }
    TPicture empty;
    EXPECT_TRUE(empty.Data().isEmpty());
    TPicture picture;
    picture.SetBitmap(TestImage());
    picture.SetData(QByteArray());
    EXPECT_TRUE(picture.IsEmpty()) << "no data is no picture";
}

TEST(Picture, BadDataRaisesInvalidGraphicAndKeepsTheContents)
{
    TPicture valid;
    valid.SetBitmap(TestImage());
    const QByteArray good = valid.Data();
    const QByteArray bad[] = {
        QByteArray("\x07TBitmap"),           // no image after the class name
        QByteArray("\x09TBitmap"),           // the class name is cut off
        QByteArray("\x07TBitmap") + "garbage", // not an image
        QByteArray("\x06TImage") + good.mid(8), // an unknown graphic class
        good.left(good.size() / 2),           // the image is cut off
        QByteArray(1, '\0'),
        QByteArray("\xff") + QByteArray(10, 'x'),
    };
    TPicture picture;
    picture.SetIcon(TestImage());
    for (const QByteArray& data : bad) {
        EXPECT_THROW(picture.SetData(data), EInvalidGraphic) << data.toHex().toStdString();
        EXPECT_EQ(picture.Kind(), TGraphicKind::Icon);
        EXPECT_EQ(picture.Width(), 5);
    }
}

TEST(Picture, LoadFromFileTakesTheKindFromTheExtension)
{
    TPictureFiles files;
    ASSERT_TRUE(TestImage().save(files.Path(QStringLiteral("a.png"))));
    ASSERT_TRUE(TestImage().save(files.Path(QStringLiteral("b.bmp"))));
    ASSERT_TRUE(TestImage().save(files.Path(QStringLiteral("c.ico"))));
    ASSERT_TRUE(TestImage().save(files.Path(QStringLiteral("d.PNG")), "PNG"));

    TPicture picture;
    picture.LoadFromFile(files.Path(QStringLiteral("a.png")));
    EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
    EXPECT_EQ(picture.Image().pixel(2, 1), qRgb(255, 0, 0));
    picture.LoadFromFile(files.Path(QStringLiteral("c.ico")));
    EXPECT_EQ(picture.Kind(), TGraphicKind::Icon);
    EXPECT_EQ(picture.Width(), 5);
    picture.LoadFromFile(files.Path(QStringLiteral("b.bmp")));
    EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
    picture.LoadFromFile(files.Path(QStringLiteral("d.PNG")));
    EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap) << "extensions compare without case";

    picture.SaveToFile(files.Path(QStringLiteral("e.png")));
    TPicture reloaded;
    reloaded.LoadFromFile(files.Path(QStringLiteral("e.png")));
    EXPECT_TRUE(reloaded.Equals(picture));
}

TEST(Picture, UnloadableFilesRaiseAndKeepTheContents)
{
    TPictureFiles files;
    const QString wrongExtension = files.Write(QStringLiteral("image.txt"), QByteArray("not an image"));
    const QString garbage = files.Write(QStringLiteral("broken.png"), QByteArray("\x89PNG garbage"));
    const QString empty = files.Write(QStringLiteral("empty.bmp"), QByteArray());
    const QString missing = files.Path(QStringLiteral("missing.png"));
    const QString noExtension = files.Write(QStringLiteral("image"), QByteArray());

    TPicture picture;
    picture.SetIcon(TestImage());
    for (const QString& path : {wrongExtension, garbage, empty, missing, noExtension}) {
        EXPECT_THROW(picture.LoadFromFile(path), EInvalidGraphic) << path.toStdString();
        EXPECT_EQ(picture.Kind(), TGraphicKind::Icon);
        EXPECT_EQ(picture.Width(), 5);
    }

    TPicture nothing;
    EXPECT_THROW(nothing.SaveToFile(files.Path(QStringLiteral("out.png"))), EStreamError);
    EXPECT_THROW(picture.SaveToFile(files.Path(QStringLiteral("no/such/dir/out.png"))), EStreamError);
}

} // namespace
} // namespace vg
