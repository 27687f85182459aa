#pragma once
// Which road painting takes. The short road writes less into documents: plain
// rectangles for opaque fills, state set only when it changes, text placed
// without a transform of its own. The reference road leaves every short form
// out; its pictures are the same, and tests compare the two.
class TKVRPaintRoad
{
public:
    static void SetReference(bool aOn);
    static bool Reference();
};
