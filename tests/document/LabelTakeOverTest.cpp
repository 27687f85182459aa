#include "document/KVR.FMX.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include <QBuffer>
#include <gtest/gtest.h>

// A loaded file takes over every setting of the document it names, and
// leaves the session's own (the map service key) alone.
TEST(LabelTakeOver, LoadingKeepsMapAndViewSettingsButNotTheSessionKey)
{
    TVXLabelFMX doc;
    ASSERT_TRUE(doc.GetMapping().SetZoom(7));
    doc.GetMapping().SetApiKey(QStringLiteral("theirs"));
    doc.AddLayer(QStringLiteral("Back"));
    doc.SetBackLayer(2);
    doc.SetLabelRotation(2);
    doc.AddDimStyle()->SetName(QStringLiteral("Second"));
    doc.SetActiveDimStyle(1);
    QBuffer file;
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    doc.SaveToStream(file);
    file.close();

    TVXLabelFMX back;
    back.GetMapping().SetApiKey(QStringLiteral("mine"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    back.LoadFromStream(file);
    EXPECT_EQ(back.GetMapping().GetZoom(), 7);
    EXPECT_EQ(back.GetMapping().GetApiKey(), QStringLiteral("mine"));
    EXPECT_EQ(back.GetBackLayer(), 2);
    EXPECT_EQ(back.GetLabelRotation(), 2);
    EXPECT_EQ(back.GetActiveDimStyle().GetName(), QStringLiteral("Second"));
}
