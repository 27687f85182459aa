#pragma once
#include <cstdint>
#include <vector>

// A point of a connector's route in document micrometres, unrounded.
struct TKVRLinkPt
{
    double X = 0.0;
    double Y = 0.0;
    bool operator==(const TKVRLinkPt&) const = default;
};

// What a connector paints, in document micrometres, the same for the screen
// and for paper: the route and the end markers' placement.
struct TKVRLinkRoute
{
    enum class TShape : uint8_t
    {
        None,      // nothing painted, no markers
        Line,      // Points: from, to
        Polyline,  // Points: from, link points, to
        Arc,       // circle (CX, CY, Radius), from Start sweeping Sweep
        Curves,    // Points: from, then (control, control, end) per cubic
    };

    // An end marker on At. Arrows point from Toward to At, or with ByAngle
    // along Angle (radians, clockwise from +x on the y-down page: the
    // direction in which the route runs into the end).
    struct TEnd
    {
        TKVRLinkPt At;
        TKVRLinkPt Toward;
        bool ByAngle = false;
        double Angle = 0.0;
    };

    TShape Shape = TShape::None;
    std::vector<TKVRLinkPt> Points;
    // Arc: angles in radians, clockwise from +x; a positive sweep runs clockwise.
    double CX = 0.0, CY = 0.0, Radius = 0.0, Start = 0.0, Sweep = 0.0;
    TEnd From, To;
};
