#include "document/KVR.FMX.SheetWalk.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/TKVRBaseItem.h"

bool KVRGoesToOutput(const TKVRBaseLabel& aLabel, const TKVRBaseItem& aItem, uint16_t aBits)
{
    if ((aItem.GetState() & aBits) != aBits)
        return false;
    const TKVRLayer* layer = aLabel.FindLayer(aItem.GetLayer());
    return !layer || (layer->GetState() & aBits) == aBits;
}
