#pragma once
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseItem.h"

// A circular arc: centre, radius, start angle and signed sweep (radians,
// clockwise on screen when positive). Points 1, 2 and 3 are where it starts,
// its middle and where it ends, kept from those values. Binary after the
// common header: line ends, start, end and sweep angle (double), direction
// flag (bool), centre x, centre y, radius (int64).
class TKVRBaseArc : public TKVRBaseItem, public TKVRLineEndsPart
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    TKVRPto CenterPoint() const override;
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    TKVRBaseArc(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseArc(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);
    // Centre, radius and the start and end angles (radians); the arc runs
    // clockwise from start to end, a whole circle when they are equal.
    TKVRBaseArc(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aStart, float aEnd,
                bool aPreview);
    // The arc from the first point through the second to the third; raises
    // EKVRDataError (and leaves the document as it was) when no arc fits.
    TKVRBaseArc(TKVRBaseLabel* aOwner, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3,
                bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    // Points 1 to 3 from centre, radius and angles; a point already within
    // PointSlack micrometres of its place (the rounding of a whole centre and
    // radius) keeps where it was put.
    void UpdatePoints() override;
    static constexpr int64_t PointSlack = 2;
    // Points 1 to 3 follow the centre, radius and angles.
    bool IsLaidOutPoint(int32_t) const override { return true; }
    // The three points and every extreme of the circle that the arc passes.
    void CheckFit(TKVRExtent& aExtent) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    void BaseMove(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, TKVRMoveOpt aOpt, bool aUpdate) override;
    void CheckBaseBoundsMove(int64_t& aDx, int64_t& aDy, TKVRMoveOpt aOpt) override;

    // Point 1 (start), 2 (middle) or 3 (end).
    TKVRPto GetPto(int32_t aIndex) const { return GetPoint(aIndex); }
    double GetStartAngle() const { return fStart; }
    double GetEndAngle() const { return fEnd; }
    double GetSweepAngle() const { return fSweep; }
    bool GetDirection() const { return fDirection; }
    void SetDirection(bool aValue) { fDirection = aValue; }
    // Start and end (radians); the sweep runs clockwise between them.
    void SetAngles(double aStart, double aEnd);
    void SetSweepAngle(double aValue);
    int64_t GetBaseCenterX() const { return fCenterX; }
    int64_t GetBaseCenterY() const { return fCenterY; }
    int64_t GetBaseRadio() const { return fRadius; }
    void SetCircle(int64_t aCenterX, int64_t aCenterY, int64_t aRadius);


protected:
    TKVRRect TurnBox() const override;

private:
    double fStart = 0.0;
    double fEnd = 0.0;
    double fSweep = 0.0;
    bool fDirection = false;
    int64_t fCenterX = 0;
    int64_t fCenterY = 0;
    int64_t fRadius = 0;
};
