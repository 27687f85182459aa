#include "platform/rtl/model/KVR.Model.TableRows.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

struct RowsCase
{
    const char* name;
    TKVRTableBands bands;
    std::vector<int32_t> heights;
    int32_t shown;
    std::vector<int64_t> positions;
};

class TableRows : public ::testing::TestWithParam<RowsCase>
{
};

}  // namespace

// Title 8, header 6, footer 5 (mm); rows that fit are kept, the first row
// that does not fit ends the body and the footer follows the last row kept.
TEST_P(TableRows, PlacesBandsAndKeepsTheRowsThatFit)
{
    const RowsCase& c = GetParam();
    const TKVRTableRows r = KVRTableRows(c.bands, c.heights);
    EXPECT_EQ(r.Shown, c.shown);
    EXPECT_EQ(r.Positions, c.positions);
    for (const int64_t p : r.Positions)
        EXPECT_GE(p, 0);  // never the "did not fit" mark as a coordinate
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableRows,
    ::testing::Values(
        // No title, no header: row 1 ends at index 0.
        RowsCase{"bare", {0, 0, 5000, 100000, false}, {6000, 6000}, 2, {6000, 12000, 17000}},
        // Title and header: row 1 ends at index 2.
        RowsCase{"titled", {8000, 6000, 5000, 100000, false}, {6000, 6000}, 2, {8000, 14000, 20000, 26000, 31000}},
        // 8 + 6 + 3 x 6 + 5 = 37 fits exactly in 37; a test that counts the
        // title and header twice would keep one row only.
        RowsCase{"exact", {8000, 6000, 5000, 37000, false}, {6000, 6000, 6000, 6000}, 3,
                 {8000, 14000, 20000, 26000, 32000, 37000}},
        // The third row (12 mm) does not fit; the fourth would, but the body ends.
        RowsCase{"stops", {8000, 6000, 5000, 40000, false}, {6000, 6000, 12000, 2000}, 2,
                 {8000, 14000, 20000, 26000, 31000}},
        // Nothing fits below the title and header: the footer follows the header.
        RowsCase{"none", {8000, 6000, 5000, 15000, false}, {6000}, 0, {8000, 14000, 19000}},
        // Fixed size 50: the gap before the footer is a band, the footer ends at 50.
        RowsCase{"fixed", {0, 6000, 5000, 50000, true}, {6000, 6000}, 2, {6000, 12000, 18000, 45000, 50000}},
        // Fixed size too small for a row: the footer is not pulled above the header.
        RowsCase{"fixed_small", {0, 6000, 5000, 8000, true}, {6000}, 0, {6000, 6000, 11000}},
        // Empty table: header and footer only.
        RowsCase{"empty", {0, 6000, 0, 100000, false}, {}, 0, {6000, 6000}}),
    [](const auto& info) { return std::string(info.param.name); });
