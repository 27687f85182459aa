#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/skia/TSkPath.h"
#include <QString>
#include <cstdint>

class TKVRDraw;

// How much of a gauge's scale a value fills.
enum class TKVRLevelFill : uint8_t {
    Empty,  // at or below the minimum (0)
    Part,   // between the minimum and the maximum
    Full,   // at or above the maximum
};

// Round gauge element, kind 23: a disc filled up to the level (types 0, 1)
// or a ring along the circle (types 2, 3), with a caption in the middle.
// Painting writes nothing into the element (the export paints on its own
// thread): the layout keeps the arc of the stored value and the caption's
// metrics, and the screen works out what a record shows in locals.
class TKVRLevel : public TKVRBaseLevel, public TKVRClassReaders<TKVRLevel>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseLevel::TKVRBaseLevel;

    // The model's layout, then the caption's size ratio and metrics from the
    // font cache and the arc (StartAngle, SweepAngle) of the stored value.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // The level part of types 0 and 1: the arc StartAngle..SweepAngle on the
    // oval of the box, closed by its chord.
    ISkPath GetPath(TKVRBaseDraw* aDraw) const;
    // The caption centred in the box, turned by the element's quarter turn.
    void DrawText(const QString& aCaption, TKVRDraw* aDraw) const;

    // A value below 0 is an empty gauge and one at or above the maximum a
    // full one (the disc stays full above it); with a maximum of 0 only the
    // value 0 is full, any other shows no level.
    static TKVRLevelFill LevelFill(float aValue, float aMaxValue);
    // The share of the scale shown, in 0..1.
    static double LevelShare(float aValue, float aMaxValue);
    // The ring's sweep in degrees: the value's share of 360 − gap, running
    // into the gap above the maximum; the whole scale for any value above 0
    // when the maximum is 0.
    static float RingSweep(float aValue, float aMaxValue, float aGap);
    static constexpr double kMaxRingSweep = 3600.0;
    // Start and sweep (degrees, clockwise from +x) of the level of a gauge of
    // the given type; false, outputs untouched, for an unknown type.
    static bool LevelArc(TKVRLevelType aType, float aValue, float aMaxValue, float aGap, float& oStart,
                         float& oSweep);

private:
    ISkPath LevelPath(TKVRBaseDraw* aDraw, float aStart, float aSweep) const;
};
