#pragma once
// Laid-out text lines: the tables that the line breakers fill and the text
// elements paint from.
#include <cstdint>
#include <vector>

// One laid-out line. Start counts from 1 in the laid-out text; Length includes
// the blanks that ended the line and its line-break characters; Y is the top
// of the line.
template <class TCoord>
struct TKVRTextLine
{
    int32_t Start = 0;
    int32_t Length = 0;
    TCoord X{};
    TCoord Y{};
    bool operator==(const TKVRTextLine&) const = default;
};

// Micrometres relative to the box's top-left corner.
using TKVRTxtInf = TKVRTextLine<int64_t>;
using TxtLines = std::vector<TKVRTxtInf>;

// The printer twin: printer device pixels, already corrected by the canvas's
// text offset.
using TKVRFTxtInf = TKVRTextLine<float>;
using TxtFLines = std::vector<TKVRFTxtInf>;

// Outline of a flowchart node, 0 to 14; other values lay out as a plain box.
using TKVRFlowType = uint8_t;
