#pragma once
// Element kind codes 1 to 29 and the class behind each: the readers of a
// binary record (the reader stands after the kind code) and of a JSON object.
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include <cstdint>

class TBinaryReader;
class TKVRBaseItem;
class TKVRBaseLabel;

struct TKVRKindReaders
{
    TKVRBaseItem* (*Read)(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType);
    TKVRBaseItem* (*ReadFromJson)(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);
};

// The readers of a kind code (1 to 29); null for any other code.
const TKVRKindReaders* KVRKindReaders(int32_t aKind);
