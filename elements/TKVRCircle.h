#pragma once
#include "platform/rtl/KVR.Model.Json.h"
#include "platform/rtl/KVR.Model.Types.h"
#include "platform/rtl/TKVRBaseCircle.h"
#include <cstdint>

class TBinaryReader;
class TKVR2DItem;
class TKVRBaseDraw;
class TKVRBaseLabel;
class TKVRDraw;
class TKVRLayer;

// The painting that circles, ellipses and whole sectors share: the oval
// inscribed in the box of points 1 and 2, filled with the back colour and
// outlined in the line colour when the pen width is above 0. The outline is
// centred on the box. Alpha 0 hides the fill on screen only.
class TKVROvalPaint
{
public:
    static void Draw(const TKVR2DItem& aItem, TKVRDraw* aDraw);
    static void Print(const TKVR2DItem& aItem, TKVRDraw* aDraw);
};

// A circle, optionally filled.
class TKVRCircle : public TKVRBaseCircle
{
public:
    TKVRCircle(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRCircle(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    static TKVRBaseItem* Read(TKVRBaseLabel* aLabel, int32_t aVersion, TBinaryReader& aReader,
                              TKVRReadType aReadType);
    static TKVRBaseItem* ReadFromJson(TKVRBaseLabel* aLabel, int32_t aVersion, const TJsonObject& aJson);

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
};
