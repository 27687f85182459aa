#include "platform/fmx/FMX.ImgList.h"
#include "platform/fmx/TBitmap.h"
#include "render/KVR.FMX.Types.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
TBitmap FromImage(const QImage& image)
{
    TBitmap b;
    b.SetImage(image.convertToFormat(QImage::Format_ARGB32));
    return b;
}

QImage Sample()
{
    QImage img(3, 2, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(255, 0, 0, 255));
    img.setPixel(1, 0, qRgba(0, 255, 0, 200));
    img.setPixel(2, 0, qRgba(0, 0, 255, 255));
    img.setPixel(0, 1, qRgba(128, 128, 128, 255));
    img.setPixel(1, 1, qRgba(0, 0, 0, 0));
    img.setPixel(2, 1, qRgba(255, 255, 255, 10));
    return img;
}
}

TEST(BitmapFilters, GreyUsesRoundedLumaAndKeepsAlpha)
{
    TBitmap b = FromImage(Sample());
    ConvertGrayScale(b);
    const QImage& out = b.Image();
    EXPECT_EQ(out.pixel(0, 0), qRgba(76, 76, 76, 255));     // 76.245
    EXPECT_EQ(out.pixel(1, 0), qRgba(150, 150, 150, 200));  // 149.685
    EXPECT_EQ(out.pixel(2, 0), qRgba(29, 29, 29, 255));     // 29.07
    EXPECT_EQ(out.pixel(0, 1), qRgba(128, 128, 128, 255));
    EXPECT_EQ(qAlpha(out.pixel(2, 1)), 10);
}

TEST(BitmapFilters, BlackWhiteThresholds)
{
    TBitmap b = FromImage(Sample());
    ConvertBlackWhite(b, 128);
    const QImage& out = b.Image();
    EXPECT_EQ(out.pixel(0, 0), qRgba(0, 0, 0, 255));
    EXPECT_EQ(out.pixel(1, 0), qRgba(255, 255, 255, 200));
    EXPECT_EQ(out.pixel(0, 1), qRgba(255, 255, 255, 255));  // 128 >= 128

    TBitmap all = FromImage(Sample());
    ConvertBlackWhite(all, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(qRed(all.Image().pixel(x, y)) + qGreen(all.Image().pixel(x, y)), 510) << x << "," << y;
}

TEST(BitmapFilters, CircularMaskOnFourByTwo)
{
    QImage img(4, 2, QImage::Format_ARGB32);
    img.fill(qRgba(10, 20, 30, 255));
    TBitmap b = FromImage(img);
    ApplyCircularMask(b);
    // Centre (2, 1), radius 1: only pixels within 1.0 of it keep their alpha.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool keep = (x == 2 && y == 1) || (x == 1 && y == 1) || (x == 3 && y == 1) || (x == 2 && y == 0);
            const QRgb p = b.Image().pixel(x, y);
            EXPECT_EQ(qAlpha(p), keep ? 255 : 0) << x << "," << y;
            EXPECT_EQ(qRed(p), 10);  // colour bytes untouched
        }
}

TEST(BitmapFilters, UnmappableBitmapIsLeftAlone)
{
    TBitmap empty;
    ConvertGrayScale(empty);
    ConvertBlackWhite(empty, 0);
    ApplyCircularMask(empty);
    EXPECT_TRUE(empty.IsEmpty());

    TBitmap b = FromImage(Sample());
    TBitmapData held;
    ASSERT_TRUE(b.Map(TMapAccess::Read, held));  // a second map must fail
    ConvertBlackWhite(b, 0);
    b.Unmap(held);
    EXPECT_EQ(b.Image().pixel(0, 0), qRgba(255, 0, 0, 255));
}

TEST(ImageListHelper, AddBitmapAddsOneEntryWithOneLayer)
{
    TImageList list;
    TBitmap empty;
    EXPECT_EQ(TImageListHelper::AddBitmap(list, nullptr), -1);
    EXPECT_EQ(TImageListHelper::AddBitmap(list, &empty), -1);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Source().Count(), 0);

    TBitmap pic = FromImage(Sample());
    EXPECT_EQ(TImageListHelper::AddBitmap(list, &pic), 0);
    EXPECT_EQ(TImageListHelper::AddBitmap(list, &pic), 1);
    ASSERT_EQ(list.Count(), 2);
    const TSourceItem& src = list.Source().Items(1);
    const TLayer& layer = list.Destination().Items(1).Layers().Items(0);
    EXPECT_EQ(layer.Name(), src.Name());
    EXPECT_EQ(layer.SourceRect(), TRectF(0, 0, 3, 2));
    EXPECT_EQ(src.MultiResBitmap().Count(), 1);
    EXPECT_EQ(src.MultiResBitmap().Items(0).Bitmap().Image(), pic.Image());
    EXPECT_NE(list.Source().Items(0).Name(), src.Name());
}
