#pragma once
// Laid-out text lines: the tables that the line breakers fill and the text
// elements paint from.
#include <cstdint>
#include <vector>

// One laid-out line in micrometres. Start counts from 1 in the laid-out text;
// Length includes the blanks that ended the line and its line-break characters.
// X and Y are relative to the box's top-left corner; Y is the top of the line.
struct TKVRTxtInf
{
    int32_t Start = 0;
    int32_t Length = 0;
    int64_t X = 0;
    int64_t Y = 0;
    bool operator==(const TKVRTxtInf&) const = default;
};
using TxtLines = std::vector<TKVRTxtInf>;

// The printer twin: X and Y in printer device pixels, already corrected by the
// canvas's text offset.
struct TKVRFTxtInf
{
    int32_t Start = 0;
    int32_t Length = 0;
    float X = 0.0f;
    float Y = 0.0f;
    bool operator==(const TKVRFTxtInf&) const = default;
};
using TxtFLines = std::vector<TKVRFTxtInf>;

// Outline of a flowchart node, 0 to 14; other values lay out as a plain box.
using TKVRFlowType = uint8_t;
