#pragma once
#include "platform/rtl/model/IKVRLinkTarget.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/model/TKVRLinkRoute.h"
#include <cstdint>
#include <vector>

// Connector route: 0 straight, 1 elbow leaving horizontally, 2 elbow leaving
// vertically, 3 two elbows in the middle, 4 circular arc through link point
// 1, 5 one cubic curve, 6 free polyline through the link points as they
// stand, 7 five cubic curves through 14 link points; others paint nothing.
using TVXLinkType = uint8_t;

// A connector between two elements of the document that offer anchors
// (IKVRLinkTarget), named by their numeric ids, with link points (the
// element's points, numbered from 1) and a marker at each end.
//
// Binary after the common header: link type (byte), from id, to id (int32),
// from index, to index (int16), from type, to type (bytes), from colour, to
// colour (uint32), link points (count, then x and y as int64).
class TKVRBaseLink : public TKVRBaseItem
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    bool DeletePoint(int32_t aIndex) override;
    int32_t LeastPoints() const override;
    bool InsertPoint(int64_t aX, int64_t aY, int32_t aIndex) override;
    // Link points of a chain of curves (type 7).
    static constexpr int32_t ChainPoints = 14;
    // Types whose link points are the user's and are painted: the arc's pass
    // point (4) and the free polyline's bends (6). Types 0 and 5 keep points
    // they were given but paint none of them; the others derive theirs.
    static bool FreeLinkPoints(TVXLinkType aType) { return aType == 4 || aType == 6; }
    // Types whose link points shape the painted route (and so the bounds).
    static bool PaintsLinkPoints(TVXLinkType aType) { return aType != 0 && aType != 5; }
    // Only the user's link points take an edit: the others follow the ends
    // or are not painted.
    bool IsLaidOutPoint(int32_t) const override { return !FreeLinkPoints(fLinkType); }

    TKVRBaseLink(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseLink(TKVRBaseLabel* aOwner, int32_t aNumPoints, bool aPreview);
    TKVRBaseLink(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // The link points that shape the route and both stored end points, each by half the pen
    // width; with both ends resolved also the route as painted (an arc's or
    // curve's bulge beyond its points) and the end markers.
    void CheckFit(TKVRExtent& aExtent) override;

    // ---- ends
    int32_t GetFromID() const { return fFromID; }
    void SetFromID(int32_t aValue) { fFromID = aValue; Changed(); }
    int32_t GetToID() const { return fToID; }
    void SetToID(int32_t aValue) { fToID = aValue; Changed(); }
    int16_t GetFromIndex() const { return fFromIndex; }
    void SetFromIndex(int16_t aValue) { fFromIndex = aValue; Changed(); }
    int16_t GetToIndex() const { return fToIndex; }
    void SetToIndex(int16_t aValue) { fToIndex = aValue; Changed(); }
    // The elements at the ends, found through the document by id; null while
    // an end names no element that offers anchors.
    IKVRLinkTarget* FromTarget() const;
    IKVRLinkTarget* ToTarget() const;
    // Both anchors as the end elements stand now; false (outputs untouched)
    // when an end does not resolve.
    bool ResolveAnchors(TKVRPto& oFrom, TKVRPto& oTo) const;

    TVXLinkType GetLinkType() const { return fLinkType; }
    void SetLinkType(TVXLinkType aValue) { fLinkType = aValue; Changed(); }
    TKVRTermType GetFromType() const { return fFromType; }
    void SetFromType(TKVRTermType aValue) { fFromType = aValue; }
    TKVRTermType GetToType() const { return fToType; }
    void SetToType(TKVRTermType aValue) { fToType = aValue; }
    TAlphaColor GetFromColor() const { return fFromColor; }
    void SetFromColor(TAlphaColor aValue) { fFromColor = aValue; }
    TAlphaColor GetToColor() const { return fToColor; }
    void SetToColor(TAlphaColor aValue) { fToColor = aValue; }

    // ---- link points, counted from 1
    int32_t GetNumLinkPoints() const { return int32_t(fPoints.size()); }
    // Below 1 the From point, above the count the To point (as last stored).
    TKVRPto GetLinkPoint(int32_t aIndex) const;
    // An index outside 1..count raises std::out_of_range.
    void SetLinkPoint(int32_t aIndex, const TKVRPto& aPoint);
    void SetLinkPoints(std::vector<TKVRPto> aPoints);
    // Resolves the ends that resolve into FromPoint / ToPoint, then recomputes
    // the link points of types 1, 2, 3 and 7 from the end points; with aNew
    // also places the pass point of an arc that has none.
    void CalcLinkPoints(bool aNew);
    // The link points types 1, 2, 3 and 7 take between two end points (empty
    // for the other types).
    std::vector<TKVRPto> LinkPointsFor(const TKVRPto& aFrom, const TKVRPto& aTo) const;

    // ---- geometry the layout stores (CalcValues of the element class)
    TKVRPto FromPoint, ToPoint;
    TKVRPto ControlPoint1, ControlPoint2;
    int64_t ArcRadius = 0, ArcCenterX = 0, ArcCenterY = 0;
    double ArcStartAngle = 0.0, ArcEndAngle = 0.0, ArcSweepAngle = 0.0;
    bool ArcDirection = false;
    // False when the arc has no pass point or its three points lie on a line.
    bool ArcValid = false;

    // Resolves each end that resolves into FromPoint / ToPoint (an end that
    // does not keeps its stored point), recomputes the link points, the arc
    // and the control points, then the bounds.
    void UpdateRoute();

    // The route between two end points, computed afresh (nothing of the
    // element is written): Draw and Print paint it, so screen and paper agree.
    // Types 1, 2, 3 and 7 take their stored link points while the ends are
    // where the layout stored them, and follow ends that have moved since.
    TKVRLinkRoute Route(const TKVRPto& aFrom, const TKVRPto& aTo) const;

    // Barb points of an arrow head of side aSize whose tip is aEnd, coming
    // from aDir; when the two coincide it comes from the side the anchor
    // index aIndex names (1 up, 2 right, 3 down, 4 left). aFromIndex and
    // aToIndex are the connector's own indices (kept for the callers).
    static void Arrow(const TKVRPto& aEnd, const TKVRPto& aDir, uint16_t aIndex, uint16_t aFromIndex,
                      uint16_t aToIndex, int32_t aSize, float& oX1, float& oY1, float& oX2, float& oY2);

private:
    TVXLinkType fLinkType = 0;
    int32_t fFromID = 0;
    int32_t fToID = 0;
    int16_t fFromIndex = 0;
    int16_t fToIndex = 0;
    TKVRTermType fFromType = 0;
    TKVRTermType fToType = 4;
    TAlphaColor fFromColor = TAlphaColors::Black;
    TAlphaColor fToColor = TAlphaColors::Black;
};
