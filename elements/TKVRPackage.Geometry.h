#pragma once
// Geometry of the package box: the isometric view fitted into its content
// rectangle, and where drill holes and slots of the flat blank land on its
// outline. Screen pixels are floating point; paper works in whole micrometres.
#include "platform/rtl/System.Types.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/geometry/TKVRPto.h"
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

// Where drill holes and slots of a flat blank of aL x aW land on its
// outline of aWidth x aHeight (pixels on screen, micrometres on paper): X
// runs along the length from the left edge, Y along the width up from the
// bottom edge. Nothing maps when a size is not above 0 or the outline has no
// room, nor any offset that is no number or lies beyond aLimit (farther than
// any page reaches), so the painters are never handed one they cannot hold.
class TKVRBlankMap
{
public:
    // Farther than any page reaches: pixels on screen, micrometres on paper.
    static constexpr double PixelLimit = 1.0e7;
    static constexpr double MicrometreLimit = 1.0e9;

    TKVRBlankMap(double aWidth, double aHeight, double aL, double aW, double aLimit);
    bool IsValid() const { return fValid; }
    bool Along(double aX, double& o) const;  // width x aX / L
    bool Up(double aY, double& o) const;     // height x aY / W

private:
    double fWidth = 0.0;
    double fHeight = 0.0;
    double fL = 0.0;
    double fW = 0.0;
    double fLimit = 0.0;
    bool fValid = false;
};
