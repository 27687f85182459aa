#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/TKVRBaseDim.h"
#include <vector>

class TBinaryReader;
class TKVRBaseLabel;
class TKVRLayer;

// A dimension line (linear, radius, diameter or angle) in the look of one
// dimension style of the document: extension lines, the dimension line or
// arc, heads and the value text.
class TKVRDim : public TKVRBaseDim
{
public:
    TKVRDim(TKVRBaseLabel* aOwner, TVXDimType aType, bool aPreview);
    TKVRDim(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, TVXDimType aType, bool aPreview);

    // Points (unless aMode is 3), then the text: width, ratio, anchors,
    // angle and the gap points 9 and 10. Does nothing when called again
    // while it runs.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // The value text on the Skia canvas.
    void DrawText(TKVRBaseDraw* aDraw);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

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
    // Lines and heads of the kinds other than the angle, as index pairs.
    struct TSegment
    {
        int32_t A, B;
    };
    void KindLines(std::vector<TSegment>& oLines, std::vector<TSegment>& oHeads) const;
};
