#include "FmxTestImage.h"
#include "platform/fmx/FMX.Graphics.h"
#include "tests/support/FileSizeLimit.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {
// A small picture with opaque, translucent and transparent pixels.
TBitmap Sample()
{
    QImage image(5, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgba(40 * x, 60 * y, 255 - 30 * x, (x + y) % 3 == 0 ? 255 : 40 * (x + y)));
    TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

bool SamePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}
}

TEST(TBitmapMap, WritesAndReadsBlueGreenRedAlphaBytes)
{
    TBitmap bitmap(4, 3);
    EXPECT_EQ(bitmap.Image().pixel(0, 0), 0u);  // new pixels are transparent
    TBitmapData data;
    ASSERT_TRUE(bitmap.Map(TMapAccess::Write, data));
    EXPECT_EQ(data.Width, 4);
    EXPECT_EQ(data.Height, 3);
    uint8_t* px = data.GetScanline(1) + 2 * 4;
    px[0] = 0x10;  // blue
    px[1] = 0x20;  // green
    px[2] = 0x30;  // red
    px[3] = 0x80;  // alpha, colours not premultiplied
    bitmap.Unmap(data);
    EXPECT_EQ(data.Data, nullptr);
    EXPECT_EQ(bitmap.Image().pixel(2, 1), qRgba(0x30, 0x20, 0x10, 0x80));

    const TBitmap sample = Sample();
    TBitmap copy = sample;
    ASSERT_TRUE(copy.Map(TMapAccess::Read, data));
    const uint8_t* q = data.GetScanline(2) + 3 * 4;
    const QRgb expected = sample.Image().pixel(3, 2);
    EXPECT_EQ(q[0], qBlue(expected));
    EXPECT_EQ(q[1], qGreen(expected));
    EXPECT_EQ(q[2], qRed(expected));
    EXPECT_EQ(q[3], qAlpha(expected));
    copy.Unmap(data);
}

TEST(TBitmapMap, RefusesEmptyBusyAndDoesNotTouchCopies)
{
    TBitmap empty;
    TBitmapData data;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(empty.Map(TMapAccess::ReadWrite, data));
    TBitmap zero(0, 7);
    EXPECT_TRUE(zero.IsEmpty());
    EXPECT_FALSE(zero.Map(TMapAccess::Read, data));

    TBitmap original = Sample();
    TBitmap copy = original;
    ASSERT_TRUE(copy.Map(TMapAccess::Write, data));
    TBitmapData second;
    EXPECT_FALSE(copy.Map(TMapAccess::Write, second));
    EXPECT_THROW(copy.SetSize(2, 2), std::logic_error);  // would pull the pixels away
    data.GetScanline(0)[3] = 7;
    copy.Unmap(data);
    EXPECT_EQ(qAlpha(copy.Image().pixel(0, 0)), 7);
    EXPECT_EQ(qAlpha(original.Image().pixel(0, 0)), 255);

    ASSERT_TRUE(copy.Canvas().BeginScene());
    EXPECT_FALSE(copy.Map(TMapAccess::Read, data));
    copy.Canvas().EndScene();
    EXPECT_TRUE(copy.Map(TMapAccess::Read, data));
    copy.Unmap(data);
}

TEST(TBitmapFiles, PngRoundTripsEveryPixel)
{
    const TBitmap sample = Sample();
    QByteArray png;
    sample.SaveToStream(png);
    EXPECT_TRUE(png.startsWith("\x89PNG"));
    TBitmap loaded;
    loaded.LoadFromStream(png);
    EXPECT_TRUE(SamePixels(loaded.Image(), sample.Image()));

    QTemporaryDir dir;
    const QString file = dir.filePath("sample.png");
    sample.SaveToFile(file);
    EXPECT_TRUE(SamePixels(QImage(file), sample.Image()));  // Qt's own reader
    TBitmap fromFile;
    fromFile.LoadFromFile(file);
    EXPECT_TRUE(SamePixels(fromFile.Image(), sample.Image()));

    QFile device(file);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    TBitmap fromDevice;
    fromDevice.LoadFromStream(device);
    EXPECT_TRUE(SamePixels(fromDevice.Image(), sample.Image()));
}

TEST(TBitmapFiles, GarbageRaisesAndKeepsThePicture)
{
    TBitmap bitmap = Sample();
    EXPECT_THROW(bitmap.LoadFromStream(QByteArray("this is not a picture")), EBitmapLoadingFailed);
    EXPECT_TRUE(SamePixels(bitmap.Image(), Sample().Image()));
    QByteArray png;
    Sample().SaveToStream(png);
    EXPECT_THROW(bitmap.LoadFromStream(png.left(png.size() / 2)), EBitmapLoadingFailed);  // cut short
    EXPECT_THROW(bitmap.LoadFromFile("/nonexistent/picture.png"), EBitmapLoadingFailed);
    EXPECT_EQ(bitmap.Width(), 5);

    // No bytes at all: no picture, not damage.
    bitmap.LoadFromStream(QByteArray());
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(TBitmapFiles, FailedSaveRaisesAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("keep.png");
    Sample().SaveToFile(file);
    const QByteArray before = [&] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();

    try {
        TBitmap().SaveToFile(file);
        FAIL() << "saving an empty bitmap succeeded";
    } catch (const EBitmapSavingFailed& e) {
        EXPECT_STREQ(e.what(), "Error saving Bitmap to png");
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);

    QByteArray bytes;
    EXPECT_THROW(TBitmap().SaveToStream(bytes), EBitmapSavingFailed);
    EXPECT_THROW(Sample().SaveToFile(dir.filePath("missing/dir/x.png")), EBitmapSavingFailed);
}

// A disk that fills while the picture is written: the save raises and the
// earlier file stays, in each format, also when the picture is small.
TEST(TBitmapFiles, AFullDiskRaisesAndKeepsTheOldFile)
{
    QImage noise(40, 40, QImage::Format_ARGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            noise.setPixel(x, y, qRgba((x * 73 + y * 151) % 256, (x * 31 + y * 17) % 256, (x * y * 7) % 256, 255));
    TBitmap bitmap;
    bitmap.SetImage(noise);
    QTemporaryDir dir;
    for (const char* name : {"keep.png", "keep.bmp", "keep.jpg"}) {
        SCOPED_TRACE(name);
        const QString file = dir.filePath(QString::fromLatin1(name));
        Sample().SaveToFile(file);
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        {
            TFileSizeLimit limit(std::max<rlim_t>(before.size(), 64) + 16);
            EXPECT_THROW(bitmap.SaveToFile(file), EBitmapSavingFailed);
        }
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no temporary left
}

TEST(TBitmapRotate, QuarterTurnsSwapTheSides)
{
    TBitmap bitmap(3, 2);
    bitmap.Clear(TAlphaColors::White);
    TBitmapData data;
    ASSERT_TRUE(bitmap.Map(TMapAccess::Write, data));
    data.GetScanline(0)[2] = 0xFF;  // top-left pixel: red on the blue channel cleared below
    data.GetScanline(0)[0] = 0x00;
    data.GetScanline(0)[1] = 0x00;
    bitmap.Unmap(data);

    TBitmap turned = bitmap;
    turned.Rotate(-90);  // a quarter turn counter-clockwise
    EXPECT_EQ(turned.Width(), 2);
    EXPECT_EQ(turned.Height(), 3);
    EXPECT_EQ(turned.Image().pixel(0, 2), qRgba(255, 0, 0, 255));  // top-left went to bottom-left
    EXPECT_EQ(turned.Image().pixel(0, 0), qRgba(255, 255, 255, 255));

    turned = bitmap;
    turned.Rotate(-180);
    EXPECT_EQ(turned.Width(), 3);
    EXPECT_EQ(turned.Image().pixel(2, 1), qRgba(255, 0, 0, 255));
    EXPECT_EQ(turned.Image().format(), QImage::Format_ARGB32);

    // A turn that is no number keeps the picture.
    for (float odd : {std::nanf(""), std::numeric_limits<float>::infinity()}) {
        turned = bitmap;
        turned.Rotate(odd);
        EXPECT_EQ(turned.Image(), bitmap.Image());
    }
}

TEST(TBitmapCanvas, PaintsIntoItsPixelsAndIsDrawnBack)
{
    TBitmap bitmap(2, 2);
    TCanvas& canvas = bitmap.Canvas();
    ASSERT_TRUE(canvas.BeginScene());
    canvas.Fill().SetColor(TAlphaColors::Red);
    canvas.FillRect({0, 0, 1, 1}, 0, 0, NoCorners, 1.0f);
    canvas.Fill().SetColor(TAlphaColors::Blue);
    canvas.FillRect({1, 1, 2, 2}, 0, 0, NoCorners, 1.0f);
    EXPECT_THROW(bitmap.LoadFromStream(QByteArray("x")), std::logic_error);
    canvas.EndScene();
    EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(bitmap.Image().pixel(1, 0), 0u);

    CanvasImage c(40, 40);
    c.canvas->DrawBitmap(bitmap, {0, 0, 2, 2}, {0, 0, 40, 40}, 1.0f, true);
    const QImage& img = c.Done();
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));  // blocks, not blends
    EXPECT_EQ(img.pixel(19, 19), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(20, 20), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(30, 5), qRgb(255, 255, 255));  // transparent pixels let the page show
}
