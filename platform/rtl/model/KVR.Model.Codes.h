#pragma once
// Geometry shared by the barcode and two-dimensional symbol elements: the box
// a code (or a single-line text) takes about its anchor, and a symbol's dark
// modules as rectangles in module units, built once for screen and printer.
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/geometry/TKVRPto.h"
#include <cstdint>
#include <vector>

// Paper size of a code that has nothing encoded (a new element without a
// value, a value that does not encode): large enough to show its cross.
constexpr int32_t KVRNoCodeSize = 10000;  // µm

// A box of aWidth x aHeight micrometres aligned about aAnchor (left and top
// start at it, right and bottom end at it, centre centres it) and turned about
// it by a quarter turn, -90 degrees per step; normalised.
TKVRRect KVRCodeBox(const TKVRPto& aAnchor, int64_t aWidth, int64_t aHeight, TKVRHorzAlign aHorz,
                    TKVRVertAlign aVert, TKVRAngle aAngle);

// A run of dark modules: X, Y and sizes in modules (Y in rows of the symbol).
struct TKVRModuleRun
{
    int32_t X = 0;
    int32_t Y = 0;
    int32_t W = 0;
    int32_t H = 0;
    bool operator==(const TKVRModuleRun&) const = default;
};

// The dark modules of an encoded symbol, unturned, from its top-left corner.
struct TKVRSymbolLayout
{
    int32_t Columns = 0;  // the symbol's own count (PDF417: data columns)
    int32_t Rows = 0;
    int32_t Width = 0;    // modules across
    int32_t Height = 0;   // module rows down
    std::vector<TKVRModuleRun> Runs;

    void Clear() { *this = TKVRSymbolLayout{}; }
    // Adds the dark modules of one row given by aDark(column), joined into runs.
    template <class F>
    void AddRow(int32_t aRow, int32_t aCount, F&& aDark)
    {
        int32_t start = -1;
        for (int32_t c = 0; c <= aCount; ++c) {
            const bool dark = c < aCount && aDark(c);
            if (dark && start < 0)
                start = c;
            else if (!dark && start >= 0) {
                Runs.push_back({start, aRow, c - start, 1});
                start = -1;
            }
        }
    }
};

// Read checks of the code elements: lengths that are finite and not negative,
// module sizes and ratios that are finite and greater than 0.
namespace KVRCodeCheck {
float NotNegativeLength(float aValue, const char* aWhat);
float PositiveLength(float aValue, const char* aWhat);
// A byte of a list of aCount values (0 .. aCount - 1); others raise EKVRDataError.
uint8_t InList(uint8_t aValue, uint8_t aCount, const char* aWhat);
// Setters: a length that is not finite or negative becomes 0.
float ClampLength(float aValue);
// Millimetres to whole micrometres, halves to even, at most INT32_MAX.
int32_t ToMicrometres(double aMillimetres);
}
