#include "platform/fmx/FMX.ImgList.h"
#include <gtest/gtest.h>

TEST(TImageList, SourcesAndDestinationsBuildAnEntry)
{
    TImageList list;
    EXPECT_EQ(list.Count(), 0);
    TSourceItem& source = list.Source().Add();
    TFixedBitmapItem& picture = source.MultiResBitmap().Add();
    EXPECT_EQ(picture.Scale(), 1.0f);
    picture.Bitmap().Assign(TBitmap(16, 8));

    TDestinationItem& entry = list.Destination().Add();
    TLayer& layer = entry.Layers().Add();
    layer.SetName(source.Name());
    layer.SetSourceRect({0, 0, 16, 8});

    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(entry.Index(), 0);
    const int32_t found = list.Source().IndexOf(list.Destination().Items(0).Layers().Items(0).Name());
    ASSERT_EQ(found, 0);
    EXPECT_EQ(list.Source().Items(found).MultiResBitmap().Items(0).Bitmap().Width(), 16);
    EXPECT_THROW(list.Destination().Items(1), std::out_of_range);
}

TEST(TImageList, SourceNamesStayUnique)
{
    TImageList list;
    TSourceItem& a = list.Source().Add();
    TSourceItem& b = list.Source().Add();
    EXPECT_FALSE(a.Name().isEmpty());
    EXPECT_NE(a.Name(), b.Name());
    a.SetName("Logo");
    EXPECT_THROW(b.SetName("logo"), std::invalid_argument);
    a.SetName("LOGO");  // its own name in other letters is fine
    b.SetName("Item 5");
    list.Source().Add();  // "Item 2"
    list.Source().Add();  // "Item 3"
    list.Source().Add();  // "Item 4"
    TSourceItem& sixth = list.Source().Add();  // skips the taken "Item 5"
    EXPECT_EQ(sixth.Name(), "Item 6");
    EXPECT_EQ(list.Source().IndexOf("item 5"), 1);
    EXPECT_EQ(list.Source().IndexOf("none"), -1);
}
