#include "SkiaTestUtil.h"
#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace SkTest;

namespace {
// Left half red, right half green.
QImage TwoColours(int w = 20, int h = 10)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(0xFFFF0000u);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            img.setPixel(x, y, 0xFF00FF00u);
    return img;
}

QByteArray Png(const QImage& img)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}
}

TEST(SkImage, UndecodableInputGivesNoImage)
{
    EXPECT_EQ(TSkImage::MakeFromEncoded(QByteArray()), nullptr);
    EXPECT_EQ(TSkImage::MakeFromEncoded(QByteArray("definitely not a picture \x01\x02\x03", 27)), nullptr);
    QByteArray png = Png(TwoColours());
    png[1] = 'X';  // broken signature
    EXPECT_EQ(TSkImage::MakeFromEncoded(png), nullptr);
    EXPECT_EQ(TSkImage::MakeFromEncodedFile("/nonexistent/picture.png"), nullptr);
    EXPECT_EQ(TSkImage::MakeFromRaster(QImage()), nullptr);
}

TEST(SkImage, DecodesAndEncodesPngAndJpeg)
{
    const ISkImage img = TSkImage::MakeFromEncoded(Png(TwoColours()));
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->Width(), 20);
    EXPECT_EQ(img->Height(), 10);

    QTemporaryDir dir;
    const QString file = dir.filePath("p.png");
    ASSERT_TRUE(TwoColours().save(file));
    const ISkImage fromFile = TSkImage::MakeFromEncodedFile(file);
    ASSERT_NE(fromFile, nullptr);

    // Qt reads back exactly what was encoded.
    const QImage back = QImage::fromData(img->EncodeToBytes(TSkEncodedImageFormat::PNG, 80), "PNG");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), TwoColours());
    const QImage jpeg = QImage::fromData(img->EncodeToBytes(TSkEncodedImageFormat::JPEG, 90), "JPEG");
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_EQ(jpeg.size(), QSize(20, 10));
    EXPECT_GT(qRed(jpeg.pixel(2, 5)), 200);
}

TEST(SkImage, ColourMatrixTurnsThePictureGrey)
{
    const ISkImage img = TSkImage::MakeFromRaster(TwoColours());
    const TSkColorMatrix grey = {0.299f, 0.587f, 0.114f, 0, 0,  //
                                 0.299f, 0.587f, 0.114f, 0, 0,  //
                                 0.299f, 0.587f, 0.114f, 0, 0,  //
                                 0,      0,      0,      1, 0};
    auto paint = std::make_shared<TSkPaint>();
    paint->SetColorFilter(TSkColorFilter::MakeMatrix(grey));
    ISkCanvas c = TSkCanvas::MakeRaster(40, 20);
    c->DrawImageRect(img, TRectF(0, 0, 40, 20), TSkSamplingOptions::Nearest(), paint);
    const QImage out = Pixels(c);
    const QRgb red = out.pixel(5, 10), green = out.pixel(35, 10);
    EXPECT_EQ(qRed(red), qGreen(red));
    EXPECT_EQ(qGreen(red), qBlue(red));
    EXPECT_NEAR(qRed(red), 76, 1);  // 0.299 x 255
    EXPECT_NEAR(qRed(green), 150, 1);  // 0.587 x 255
    EXPECT_EQ(qAlpha(red), 255);
    // Without the filter the colours stay.
    c->DrawImageRect(img, TRectF(0, 0, 40, 20), TSkSamplingOptions::Nearest());
    EXPECT_EQ(Pixels(c).pixel(5, 10), 0xFFFF0000u);
}

TEST(SkImage, RectangleScalingAlphaAndSourceRect)
{
    const ISkImage img = TSkImage::MakeFromRaster(TwoColours(2, 2));
    ISkCanvas c = TSkCanvas::MakeRaster(40, 20);
    c->DrawImageRect(img, TRectF(0, 0, 20, 20), TSkSamplingOptions::Nearest());
    auto half = std::make_shared<TSkPaint>();
    half->SetAlphaF(0.5f);
    c->DrawImageRect(img, TRectF(1, 0, 2, 2), TRectF(20, 0, 40, 20), TSkSamplingOptions::Nearest(), half);
    const QImage out = Pixels(c);
    EXPECT_EQ(out.pixel(9, 10), 0xFFFF0000u);  // nearest sampling: a crisp edge
    EXPECT_EQ(out.pixel(10, 10), 0xFF00FF00u);
    EXPECT_EQ(qGreen(out.pixel(25, 10)), 255);  // the right column only
    EXPECT_NEAR(qAlpha(out.pixel(25, 10)), 128, 2);
}
