#pragma once
// An element that runs in one of four directions: the editor picks the cursor
// of its slider handle (kind 27) by it.
#include <cstdint>

class IKVROrientation
{
public:
    virtual ~IKVROrientation() = default;
    // The quarter turn: 0 along x, 1 and 3 along y, 2 against x.
    virtual int32_t GetOrientation() const = 0;
};
