#pragma once
#include "platform/rtl/geometry/TKVRPto.h"
#include <cstdint>

// What a connector reaches at each of its ends: an element that offers
// anchors. Flowchart nodes and library symbols implement it; each kind
// numbers its own anchors (platform/rtl/README.md).
class IKVRLinkTarget
{
public:
    virtual ~IKVRLinkTarget() = default;
    // Document position (micrometres) of the anchor with that index.
    virtual TKVRPto GetAnchor(uint16_t aIndex) const = 0;
};
