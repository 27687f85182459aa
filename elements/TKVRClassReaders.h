#pragma once
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <cstdint>

class TBinaryReader;
class TKVRBaseLabel;

// The class-level readers of the element class T, which derives from this.
// Read builds the element with (label, aLead..., preview) and reads its binary
// record (the reader stands after the kind code; preview only for the
// per-cell copy, read type 2); ReadFromJson builds it with preview false and
// reads the JSON object. A record that cannot be read leaves the document as
// it was.
template <class T, auto... aLead>
class TKVRClassReaders
{
public:
    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
    {
        return KVRReadItem<T>([&](T& e) { e.ReadData(aVersion, aReader, aReadType); }, aLabel, aLead...,
                              aReadType == KVRReadType::CellCopy);
    }

    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson)
    {
        return KVRReadItem<T>([&](T& e) { e.ReadJson(aVersion, aJson); }, aLabel, aLead..., false);
    }
};
