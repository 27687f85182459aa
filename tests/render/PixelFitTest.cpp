// Whole-pixel modules chosen so that a symbol stays inside its box on paper.
#include "render/KVR.FMX.PixelFit.h"
#include <gtest/gtest.h>

TEST(PixelFit, ModulesAreRoundedWhereTheyFitAndRoundedDownWhereNot)
{
    struct TCase
    {
        const char* Name;
        double Start, Module;
        int Count;
        double Pad;
        TKVRFitAlign Align;
        double WantStart, WantModule;
    };
    const TCase cases[] = {
        // 30 PDF417 columns of 0.4 mm at 96 dpi: 579 modules of 1.51 pixels. Two
        // pixels would spill 283 pixels past the box; one stays inside.
        {"pdf417 96 dpi", 10.3, 1.511811, 579, 0.0, TKVRFitAlign::Start, 10, 1},
        // 2.36 pixels at 150 dpi round down anyway.
        {"pdf417 150 dpi", 10.3, 2.362205, 579, 0.0, TKVRFitAlign::Start, 10, 2},
        // Paddings give room to round up: 25 modules of 1.9 grow 2.5 pixels.
        {"qr padded", 20.2, 1.9, 25, 3.0, TKVRFitAlign::Start, 20, 2},
        {"qr padded centre", 20.2, 1.9, 25, 3.0, TKVRFitAlign::Centre, 19, 2},
        {"qr padded end", 20.2, 1.9, 25, 3.0, TKVRFitAlign::End, 18, 2},
        // Without them the same module rounds down, held where the alignment says.
        {"qr bare", 20.2, 1.9, 25, 0.0, TKVRFitAlign::Start, 20, 1},
        {"qr bare centre", 20.2, 1.9, 25, 0.0, TKVRFitAlign::Centre, 31, 1},
        {"qr bare end", 20.2, 1.9, 25, 0.0, TKVRFitAlign::End, 43, 1},
        // Below a pixel the exact module stays, from the exact start.
        {"tiny", 20.2, 0.38, 25, 0.0, TKVRFitAlign::Centre, 20.2, 0.38},
        // A whole module stays as it is.
        {"whole", 7.0, 3.0, 21, 0.0, TKVRFitAlign::End, 7, 3},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TKVRGridSide side = KVRFitGridSide(c.Start, c.Module, c.Count, c.Pad, c.Align, KVRWholeModules(c.Module));
        EXPECT_DOUBLE_EQ(side.Start, c.WantStart);
        EXPECT_DOUBLE_EQ(side.Module, c.WantModule);
        EXPECT_EQ(side.Whole, c.Module >= 1.0);
        // Every painted pixel's centre inside the box.
        EXPECT_GE(side.Start + 0.5, c.Start - c.Pad - 1e-9);
        EXPECT_LE(side.Start + side.Module * c.Count - 0.5, c.Start + c.Module * c.Count + c.Pad + 1e-9);
    }
}
