#include "platform/rtl/model/KVR.Model.Utils.h"
#include <gtest/gtest.h>

namespace {

struct PlaceCase
{
    TKVRHorzAlign horz;
    TKVRVertAlign vert;
    TKVRAngle angle;
    TRectF box;     // where a 100 x 40 box anchored at (0, 0) lands
    TPointF start;  // corner of its text frame, paddings 10 across and 5 down
};

class RowPlacement : public ::testing::TestWithParam<PlaceCase>
{
};

}  // namespace

// The box and the corner of its text frame come back in the anchor's own
// coordinates: the caller adds no origin to them.
TEST_P(RowPlacement, BoxAndTextFrameAboutTheAnchor)
{
    const PlaceCase& c = GetParam();
    TRectF box(0, 0, 100, 40);
    const TPointF start = AdjustRectPos(box, 10, 5, c.horz, c.vert, c.angle);
    EXPECT_FLOAT_EQ(box.Left, c.box.Left);
    EXPECT_FLOAT_EQ(box.Top, c.box.Top);
    EXPECT_FLOAT_EQ(box.Right, c.box.Right);
    EXPECT_FLOAT_EQ(box.Bottom, c.box.Bottom);
    EXPECT_FLOAT_EQ(start.X, c.start.X);
    EXPECT_FLOAT_EQ(start.Y, c.start.Y);
    // The screen's row origin for the same row (80 x 30 inside the paddings).
    const TPointF row = DrawPolyPos(0, 0, 10, 5, 80, 30, c.horz, c.vert, c.angle);
    EXPECT_FLOAT_EQ(row.X, c.start.X);
    EXPECT_FLOAT_EQ(row.Y, c.start.Y);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowPlacement,
    ::testing::Values(
        PlaceCase{TKVRHorzAlign::Left, TKVRVertAlign::Top, TKVRAngle::Angle0, {0, 0, 100, 40}, {10, 5}},
        PlaceCase{TKVRHorzAlign::Right, TKVRVertAlign::Bottom, TKVRAngle::Angle0, {-100, -40, 0, 0}, {-90, -35}},
        PlaceCase{TKVRHorzAlign::Center, TKVRVertAlign::Center, TKVRAngle::Angle0, {-50, -20, 50, 20}, {-40, -15}},
        // A quarter turn (-90 degrees): the row runs up the page from the anchor.
        PlaceCase{TKVRHorzAlign::Left, TKVRVertAlign::Top, TKVRAngle::Angle90, {0, -100, 40, 0}, {5, -10}},
        PlaceCase{TKVRHorzAlign::Left, TKVRVertAlign::Top, TKVRAngle::Angle180, {-100, -40, 0, 0}, {-10, -5}},
        PlaceCase{TKVRHorzAlign::Left, TKVRVertAlign::Top, TKVRAngle::Angle270, {-40, 0, 0, 100}, {-5, 10}}));
