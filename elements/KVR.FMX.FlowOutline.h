#pragma once
// The outline of a flowchart node by flow type, in pixels of any surface:
// one geometry for the screen and for paper, so that both draw the same
// shape. Pure geometry, no canvas.
#include "platform/rtl/System.Types.h"
#include "platform/rtl/text/KVR.TextLines.h"
#include <array>
#include <cstdint>
#include <vector>

struct TKVRFlowPathOp
{
    enum class TKind : uint8_t
    {
        Move,   // P[0]
        Line,   // P[0]
        Cubic,  // controls P[0], P[1], end P[2]
        Close,
    };
    TKind Kind = TKind::Move;
    std::array<TPointF, 3> P{};
};

struct TKVRFlowOutline
{
    enum class TShape : uint8_t
    {
        None,       // flow types from 15 up: no outline
        Path,       // the figures of Ops
        Rect,       // Box
        RoundRect,  // Box with corner radii RadiusX, RadiusY
        Oval,       // inscribed in Box
    };
    TShape Shape = TShape::None;
    TRectF Box;
    float RadiusX = 0.0f;
    float RadiusY = 0.0f;
    std::vector<TKVRFlowPathOp> Ops;
    // Lines stroked with the outline but not filled (flow type 7).
    std::vector<std::array<TPointF, 2>> StrokeLines;
};

// The box of two corners, ordered so that Left <= Right and Top <= Bottom.
TRectF OrderedBox(const TPointF& a, const TPointF& b);

// The outline of aType over an ordered box. Quadratic arcs are given as the
// equal cubic curves (the printer's path has no quadratic segment).
TKVRFlowOutline FlowOutline(TKVRFlowType aType, const TRectF& aBox);
