#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/System.Types.h"
#include <functional>
#include <vector>

struct TKVRLineCaption;

// A dimension line (linear, radius, diameter or angle) in the look of one
// dimension style of the document: extension lines, the dimension line or
// arc, heads and the value text.
class TKVRDim : public TKVRBaseDim, public TKVRClassReaders<TKVRDim, TVXDimType(0)>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseDim::TKVRBaseDim;

    // Points (unless aMode is 3), then the text: width, ratio, anchors,
    // angle and the gap points 9 and 10. Does nothing when called again
    // while it runs.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // The value text on the Skia canvas.
    void DrawText(TKVRBaseDraw* aDraw);

private:
    // Circle of the angle's arc through points 5, 7 and 6.
    struct TArc
    {
        int64_t CX = 0, CY = 0, Radius = 0;
        double Start = 0, End = 0, Sweep = 0;  // radians
        bool Flag = false;                     // counter-clockwise
        bool Exists = false;
    };
    TArc GetArc() const;
    // Direction (radians) from an arc end into the arc, for its head.
    double HeadDirection(const TKVRPto& aEnd, const TArc& aArc) const;
    // A line from A to B, or a head on A turned away from B.
    struct TStroke
    {
        TPointF A, B;
    };
    // The lines and heads of the kind, placed by aAt. The angle draws its arc
    // (oArc, when one exists) and takes its heads' second points from the
    // direction rule, aReach pixels away.
    void Strokes(const std::function<TPointF(const TKVRPto&)>& aAt, float aReach, TArc& oArc,
                 std::vector<TStroke>& oLines, std::vector<TStroke>& oHeads) const;
    TKVRLineCaption Caption() const;
};
