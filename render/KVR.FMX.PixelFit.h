#pragma once
// Where a symbol's modules go on a raster surface. Readers need every module
// the same whole number of pixels, but the symbol must stay inside the box it
// has on paper: a module is the exact one rounded to whole pixels where that
// fits, rounded down where it does not, and exact (unrounded) below a pixel.
#include "platform/rtl/KVR.Types.h"
#include <vector>

// Which part of its box a symbol holds on to along one side.
enum class TKVRFitAlign { Start, Centre, End };

TKVRFitAlign KVRFitAlignOf(TKVRHorzAlign aAlign);
TKVRFitAlign KVRFitAlignOf(TKVRVertAlign aAlign);

// One side of a symbol on pixels. Lengths are device pixels along the side,
// whole numbers on pixel edges.
struct TKVRSideFit
{
    int Choice = -1;     // the candidate taken; -1: none fits, the exact sizes stay
    double Start = 0.0;  // where the painted symbol starts
};

// The first candidate of aWidths (painted widths of whole-pixel layouts, in
// the order they are preferred) that, started on a whole pixel where aAlign
// holds the exact symbol, keeps the centre of every painted pixel inside the
// box: the exact symbol from aStart, aExact long, with aPadBefore before it
// and aPadAfter after it. None fitting, the exact symbol from aStart.
TKVRSideFit KVRFitSide(double aStart, double aExact, double aPadBefore, double aPadAfter, TKVRFitAlign aAlign,
                       const std::vector<double>& aWidths);

// The whole-pixel modules to try for an exact module of aModule pixels: the
// rounded one, then the one rounded down; none below one pixel.
std::vector<double> KVRWholeModules(double aModule);

// A row or column of aCount equal modules fitted as KVRFitSide fits it, with
// aModules the whole modules to try: where the first module starts and the
// module, both in pixels.
struct TKVRGridSide
{
    double Start = 0.0;
    double Module = 0.0;
    bool Whole = false;  // false: the exact module
};
TKVRGridSide KVRFitGridSide(double aStart, double aModule, int aCount, double aPad, TKVRFitAlign aAlign,
                            const std::vector<double>& aModules);
