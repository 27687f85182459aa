#pragma once
// What print and export share of a label sheet: which cells a run fills and
// which elements go to an output. One rule for both, so paper and files agree.
#include "platform/rtl/label/KVR.SheetWalk.h"
#include <cstdint>

class TKVRBaseLabel;
class TKVRBaseItem;

// Whether an element goes to an output that needs aBits of the state words
// (print: printable; export: visible and exported): its own word and its
// layer's must carry them all. An element whose layer index names no layer
// answers by its own word: the editor shows it, and no output drops it.
bool KVRGoesToOutput(const TKVRBaseLabel& aLabel, const TKVRBaseItem& aItem, uint16_t aBits);
