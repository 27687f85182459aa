#pragma once
// The records an editor keeps of its view: where the label lies on the
// surface and what the next paint has to renew.
#include <cstdint>

// Geometry of an editor's surface, in pixels unless said otherwise.
struct TKVRDimScroll
{
    int32_t PixW = 200, PixH = 200;           // label at zoom 1
    int64_t BaseW = 200000, BaseH = 200000;   // label, micrometres
    int64_t ScaledW = 200000, ScaledH = 200000; // label times the drawing scale
    float SizeMMW = 200.0f, SizeMMH = 200.0f; // label, millimetres
    int32_t ZoomW = 200, ZoomH = 200;         // label at the current zoom
    float RulerMM = 0.0f;                     // ruler thickness in label millimetres at zoom 1
    uint16_t RulerL = 0, RulerT = 0, RulerR = 0, RulerB = 0; // 0 when hidden
    int16_t GapL = 0, GapT = 0, GapR = 0, GapB = 0;          // blank space around the label
    int32_t TotalW = 0, TotalH = 0;           // scrollable content
    int32_t ScrollX = 0, ScrollY = 0;         // scroll position
    int32_t ViewW = 0, ViewH = 0;             // the surface
    bool Ready = false;                       // painting enabled
};

// What the next paint of an editor renews, as bits.
using TKVRChanges = uint8_t;
namespace KVRChanges {
constexpr TKVRChanges VertScroll = 1 << 1;   // the view moved up or down
constexpr TKVRChanges HorzScroll = 1 << 2;   // the view moved sideways
constexpr TKVRChanges Rulers = 1 << 3;
constexpr TKVRChanges Grid = 1 << 4;
constexpr TKVRChanges Layout = 1 << 5;
constexpr TKVRChanges Scroll = VertScroll | HorzScroll;            // 6: scroll or relayout
constexpr TKVRChanges All = VertScroll | HorzScroll | Rulers | Grid | Layout; // 62
}
