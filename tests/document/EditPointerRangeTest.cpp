// Pointer positions at the ends of the 64-bit range reach the editing calls
// unchanged from a host: the element stays within the coordinate range and
// nothing overflows on the way (the sanitizers stop the test if it does).
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <limits>

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

struct TRow
{
    const char* Name;
    int64_t X, Y, GX, GY;
    bool Nudge;
    bool Grid;
};

}  // namespace

TEST(EditPointerRange, ExtremePositionsKeepTheElementInRange)
{
    const TRow rows[] = {
        {"drag to the low end", kMin, kMin, -1, -1, false, false},
        {"drag to the high end", kMax, kMax, -1, -1, false, false},
        {"nudge by the widest step", kMin, kMax, kMax, kMax, true, false},
        {"grid to the low end", kMin, kMin, 5000, 5000, false, true},
        {"grid to the high end", kMax, kMax, kMax, 5000, false, true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TVXLabelFMX doc;
        TKVRBaseItem* r = doc.AddBaseRectangle(10000, 10000, 20000, 10000);
        doc.PickEditor(10000, 15000, 2000, 0, false);
        ASSERT_EQ(doc.GetAction(), TAct::ActDrag);
        if (row.Grid)
            doc.MoveGridEditor(row.X, row.Y, row.GX, row.GY, false);
        else
            doc.MoveEditor(row.X, row.Y, row.GX, row.GY, false, row.Nudge);
        doc.UpEditor(0, 0);
        for (int32_t i = 1; i <= r->NumPoints(); ++i) {
            EXPECT_LE(std::abs(r->GetPoint(i).X), KVRMaxCoordinate);
            EXPECT_LE(std::abs(r->GetPoint(i).Y), KVRMaxCoordinate);
        }
        // A rectangle from one end of the range to the other takes the element.
        doc.ClearSelection();
        doc.PickEditor(kMin, kMax, 2000, 0, false);
        doc.MoveEditor(kMax, kMin, -1, -1, false, false);
        doc.UpEditor(kMax, kMin);
        EXPECT_EQ(doc.GetSelectionCount(), 1);
    }
}
