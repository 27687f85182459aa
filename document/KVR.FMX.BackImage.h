#pragma once
// The label's background image: the picture of one layer, painted inside the
// label cell less the layer's margins and turned with the label, before the
// elements.
#include "platform/rtl/System.Types.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

class TKVRBaseLabel;
class TKVRLayer;
class TKVRDraw;
class TSkCanvas;
class TSkImage;
using ISkCanvas = std::shared_ptr<TSkCanvas>;
using ISkImage = std::shared_ptr<TSkImage>;

// The layer whose picture the label shows in a drawing state; null when the
// index names none, the layer is hidden, or its bit for that state is clear.
// The editor needs the layer shown only; the preview and paper need the
// print bit, exports the export bit.
TKVRLayer* KVRBackImageLayer(const TKVRBaseLabel& aLabel, TKVRDrawState aState);

// Where the picture lies on the surface, in the unturned frame of the surface:
// Box is the label cell less the margins, the picture turned by -90 degrees
// per quarter turn fills it.
struct TKVRBackImagePlace
{
    TRectF Box;
    int32_t Turns = 0;
};

// The cell at (aLeft, aTop), aWidth by aHeight pixels; margins left, top,
// right, bottom as pixels along x (aDX) and along y (aDY). A label turned by
// k quarters has its margins turned with it. Nothing when the margins leave
// no room.
std::optional<TKVRBackImagePlace> KVRBackImagePlace(float aLeft, float aTop, float aWidth, float aHeight,
                                                    const float aDX[4], const float aDY[4], int32_t aTurns);

// The place of a label's background picture in a drawing context: the cell
// at the context's screen origin (aPrint false) or at the printed cell's
// origin (aPrint true). Sizes are paper sizes whatever the drawing scale.
std::optional<TKVRBackImagePlace> KVRBackImagePlace(const TKVRBaseLabel& aLabel, const TKVRLayer& aLayer,
                                                    const TKVRDraw& aDraw, bool aPrint);

// The decoded picture, kept between repaints. The views and an export thread
// share it: every look-up and decode holds the lock, and the picture handed
// out is immutable.
class TKVRBackImageCache
{
public:
    // Decodes when nothing is cached or the label asks for a reload, then
    // clears the label's flag; an embedded layer without bytes takes the
    // file's picture as PNG bytes. A source that cannot be had keeps what was
    // cached. Null when there is nothing to paint.
    ISkImage Get(TKVRBaseLabel& aLabel, TKVRLayer& aLayer);
    void Clear();

private:
    std::mutex fLock;
    ISkImage fImage;
};

// Paints the background picture on the Skia canvas; false, with nothing
// painted, when it is not shown, there is no picture, or no room.
bool KVRDrawBackImage(TKVRBaseLabel& aLabel, TKVRBackImageCache& aCache, const ISkCanvas& aCanvas,
                      const TKVRDraw& aDraw);
// The same on the printer canvas of the context, decoded for this call;
// undecodable bytes raise EBitmapLoadingFailed.
bool KVRPrintBackImage(const TKVRBaseLabel& aLabel, const TKVRDraw& aDraw);

// The file of a layer's picture in the label's image folder; empty when the
// layer names none.
QString KVRBackImageFile(const TKVRBaseLabel& aLabel, const TKVRLayer& aLayer);
