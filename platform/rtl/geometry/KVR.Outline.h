#pragma once
// The outline of an element for hit tests and snapping: contours of straight
// segments and elliptic arcs (circles when both radii agree), axis-parallel
// because elements only turn by quarters. Coordinates are micrometres held as
// doubles, exact up to 2^53, the model's coordinate limit.
#include "platform/rtl/geometry/TKVRPto.h"
#include <cstdint>
#include <vector>

struct TKVRGPoint
{
    double X = 0.0;
    double Y = 0.0;
};

// One cubic span (anchors P[0], P[3], controls P[1], P[2]) in doubles.
struct TKVRCubic
{
    TKVRGPoint P[4];

    TKVRCubic(const TKVRGPoint& a, const TKVRGPoint& b, const TKVRGPoint& c, const TKVRGPoint& d) : P{a, b, c, d} {}
    TKVRCubic(const TKVRPto& a, const TKVRPto& b, const TKVRPto& c, const TKVRPto& d);
    TKVRGPoint At(double t) const;
    // Distance from q to the curve's nearest point, whose parameter goes to
    // oT: the best of a sampling, narrowed down far below a micrometre.
    double Nearest(const TKVRGPoint& q, double& oT) const;
    // De Casteljau at t: the two halves, each from its start to its end.
    void Split(double t, TKVRGPoint (&oLeft)[4], TKVRGPoint (&oRight)[4]) const;
};

// One piece: a segment A to B, or an arc of the ellipse about C with radii
// RX, RY from angle Start sweeping Sweep (radians, clockwise on screen, so
// the point at t is C + (RX cos t, RY sin t) with y downwards).
struct TKVROutlinePiece
{
    bool IsArc = false;
    TKVRGPoint A;
    TKVRGPoint B;
    TKVRGPoint C;
    double RX = 0.0;
    double RY = 0.0;
    double Start = 0.0;
    double Sweep = 0.0;
    // A chord of a flattened curve: its ends and middle are no snap points
    // (the curve's own are, see CubicTo).
    bool Chord = false;

    TKVRGPoint At(double aAngle) const;
    TKVRGPoint First() const { return IsArc ? At(Start) : A; }
    TKVRGPoint Last() const { return IsArc ? At(Start + Sweep) : B; }
    bool FullCircle() const;
};

struct TKVRContour
{
    std::vector<TKVROutlinePiece> Pieces;
    bool Solid = false;  // the inside hits too (filled shapes, boxes)
};

class TKVROutline
{
public:
    // Building: a contour starts at MoveTo; Close joins it to its start.
    void MoveTo(double aX, double aY);
    void LineTo(double aX, double aY);
    // An elliptic arc, joined to the current point by a segment.
    void ArcTo(double aCX, double aCY, double aRX, double aRY, double aStart, double aSweep);
    // A cubic from the current point, flattened finely enough for picking;
    // its two anchors are its end snaps and its point halfway along its
    // length its middle snap.
    void CubicTo(double aX1, double aY1, double aX2, double aY2, double aX3, double aY3);
    void Close();
    // The current contour's inside counts as a hit.
    void SetSolid(bool aSolid);
    // Whole closed contours.
    void AddBox(const TKVRRect& aBox, bool aSolid);
    void AddPolygon(const std::vector<TKVRPto>& aPoints, bool aClosed, bool aSolid);
    void AddEllipse(double aCX, double aCY, double aRX, double aRY, bool aSolid);
    // Snap points that no piece gives: a box's centre, a symbol's insertion point.
    void AddCentre(double aX, double aY) { fCentres.push_back({aX, aY}); }
    void AddReference(double aX, double aY) { fReferences.push_back({aX, aY}); }

    const std::vector<TKVRContour>& Contours() const { return fContours; }
    bool Empty() const;

    // Distance from a point to the nearest piece, and that nearest point.
    double Distance(double aX, double aY, TKVRGPoint* aNearest = nullptr) const;
    // Inside a solid contour (non-zero winding).
    bool Contains(double aX, double aY) const;
    // Within aTolerance of a piece, or inside a solid contour.
    bool Hit(double aX, double aY, double aTolerance, bool aOutlineOnly) const;
    // Bounding box of every piece (arcs by their extremes).
    bool Extent(double& aMinX, double& aMinY, double& aMaxX, double& aMaxY) const;
    // The rectangle holds the whole outline, or touches it (a piece crosses
    // it, a piece lies in it, or it lies inside a solid contour).
    bool InsideRect(const TKVRRect& aRect) const;
    bool TouchesRect(const TKVRRect& aRect) const;

    // Candidate snap points of one kind (KVRSnap numbers); tangent and
    // perpendicular measure from (aRefX, aRefY).
    void SnapPoints(uint8_t aSnap, double aRefX, double aRefY, bool aHasRef, double aX, double aY,
                    std::vector<TKVRGPoint>& aOut) const;
    // Crossings of the pieces of this outline with those of another (the
    // same outline: crossings of pieces that are not neighbours).
    void Crossings(const TKVROutline& aOther, std::vector<TKVRGPoint>& aOut) const;

private:
    TKVRContour& Current();
    std::vector<TKVRContour> fContours;
    std::vector<TKVRGPoint> fCentres;
    std::vector<TKVRGPoint> fReferences;
    std::vector<TKVRGPoint> fCurveEnds;
    std::vector<TKVRGPoint> fCurveMiddles;
    TKVRGPoint fStart;
    TKVRGPoint fPen;
    bool fOpen = false;
};

// The snap point of kind aSnap nearest to (aX, aY) within aTolerance.
bool KVRNearestSnap(const TKVROutline& aOutline, uint8_t aSnap, int64_t aX, int64_t aY, int64_t aTolerance,
                    double aRefX, double aRefY, bool aHasRef, TKVRPto& aFound);
