#include "platform/skia/KVR.PaintRoad.h"
#include <atomic>

namespace {
std::atomic<bool> gReference{false};
}

void TKVRPaintRoad::SetReference(bool aOn)
{
    gReference.store(aOn);
}

bool TKVRPaintRoad::Reference()
{
    return gReference.load(std::memory_order_relaxed);
}
