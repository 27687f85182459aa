#pragma once
// Geometry of the package box: the isometric view fitted into its content
// rectangle, and where drill holes and slots of the flat blank land on its
// outline. Screen pixels are floating point; paper works in whole micrometres.
#include "platform/rtl/System.Types.h"
#include "platform/rtl/TKVRBasePackage.h"
#include "platform/rtl/TKVRPto.h"
#include <cstdint>

// Isometric projection at 30 degrees: x (the length) runs up to the right,
// y (the width) up to the left, z (the height) down the screen; (0, 0, 0) is
// the front top corner.
class TKVRIsoView
{
public:
    double CX = 0.0;
    double CY = 0.0;
    double S = 1.0;

    float X(double aX, double aY) const;
    float Y(double aX, double aY, double aZ) const;
    // Scales the box's silhouette to the largest size that fits aRect and
    // centres it there. False when nothing can be fitted: a size that is no
    // number, a silhouette without extent, or a rectangle without room.
    bool Fit(double aL, double aW, double aH, const TRectF& aRect);
};

// The same on paper: micrometres, each projected offset rounded.
class TKVRPrintIsoView
{
public:
    int64_t CX = 0;
    int64_t CY = 0;
    double S = 1.0;

    int64_t X(double aX, double aY) const;
    int64_t Y(double aX, double aY, double aZ) const;
    bool Fit(double aL, double aW, double aH, const TKVRRect& aRect);
};

// Drill holes and slots of a flat blank of aL x aW drawn as the outline aO
// (pixels): X runs along the length from the left edge, Y along the width up
// from the bottom edge. Nothing maps when a size is not above 0 or the
// outline has no room; a hole or slot maps only when it lands at a usable
// place (a hole also needs a diameter above 0).
class TKVRBlankMap
{
public:
    TKVRBlankMap(const TRectF& aO, double aL, double aW);
    bool IsValid() const { return fValid; }
    bool Hole(const TDrillPoint& aHole, TPointF& oCentre, float& oRadius) const;
    bool Slot(const TSlot& aSlot, TPointF& oStart, TPointF& oEnd, float& oWidth) const;

private:
    bool Along(double aX, double& o) const;  // O.width x aX / L
    bool Up(double aY, double& o) const;     // O.height x aY / W

    TRectF fO;
    double fL = 0.0;
    double fW = 0.0;
    bool fValid = false;
};

// The paper form: offsets from the outline's left and bottom edges in whole
// micrometres, Round(O.width x X / L) and Round(O.height x Y / W).
class TKVRPrintBlankMap
{
public:
    TKVRPrintBlankMap(const TKVRRect& aO, double aL, double aW);
    bool IsValid() const { return fValid; }
    bool Along(double aX, int64_t& o) const;
    bool Up(double aY, int64_t& o) const;

private:
    TKVRRect fO;
    double fL = 0.0;
    double fW = 0.0;
    bool fValid = false;
};
