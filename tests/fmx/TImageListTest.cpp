#include "platform/fmx/FMX.ImgList.h"
#include <gtest/gtest.h>

TEST(TImageList, EntriesFindTheirPicturesByUniqueNames)
{
    TImageList list;
    TSourceItem& source = list.Source().Add();
    TFixedBitmapItem& picture = source.MultiResBitmap().Add();
    EXPECT_EQ(picture.Scale(), 1.0f);
    picture.Bitmap().Assign(TBitmap(16, 8));
    TLayer& layer = list.Destination().Add().Layers().Add();
    layer.SetName(source.Name());
    EXPECT_EQ(list.Count(), 1);
    const int32_t found = list.Source().IndexOf(list.Destination().Items(0).Layers().Items(0).Name().toUpper());
    ASSERT_EQ(found, 0);
    EXPECT_EQ(list.Source().Items(found).MultiResBitmap().Items(0).Bitmap().Width(), 16);
    EXPECT_THROW(list.Destination().Items(1), std::out_of_range);
    EXPECT_EQ(list.Source().IndexOf("none"), -1);

    // Names stay unique ignoring case; a new item takes the first free "Item n".
    TSourceItem& b = list.Source().Add();
    EXPECT_NE(source.Name(), b.Name());
    source.SetName("Logo");
    EXPECT_THROW(b.SetName("logo"), std::invalid_argument);
    source.SetName("LOGO");  // its own name in other letters is fine
    b.SetName("Item 3");
    list.Source().Add();  // "Item 2"
    EXPECT_EQ(list.Source().Add().Name(), "Item 4");  // skips the taken "Item 3"
}
