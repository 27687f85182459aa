#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/skia/TSkImage.h"
#include "platform/skia/TSkPath.h"
#include <mutex>

class TKVRDraw;

// The image element (kind 16): a picture in the box of its two points, with
// an optional rectangular or round frame, colour filter, proportional fit and
// quarter turn. The screen decodes the picture once and keeps it; paper loads
// it afresh for every label. A data-bound picture comes from the current
// record everywhere but in the editor, decoded for every paint.
// Painting never changes the document: embedding happens when the picture is
// chosen (see TKVRBaseImage).
class TBitmap;

class TKVRImage : public TKVRBaseImage, public TKVRClassReaders<TKVRImage>
{
public:
    TKVRImage(TKVRBaseLabel* aOwner, bool aPreview);
    ~TKVRImage() override;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // Where the frame and the picture go, in pixels (screen origin) or printer
    // units (cell origin).
    struct TPlace
    {
        TRectF LImageDest;  // frame, then picture rectangle
        TRectF LImageDrw;   // picture rectangle handed to the canvas after the turn
        float w2 = 0.0f;    // picture length along the fitted axis
        float mid = 0.0f;   // slack along that axis
        float ra = 0.0f;    // radius of the round frame
        float x1 = 0.0f;    // top-left corner of its square
        float y1 = 0.0f;
    };

    // Frame rectangle: the box, or for the round frames the square of the
    // circle centred across the box's longer side.
    void DrawRect(TKVRDraw* aDraw, bool aPrint);
    // aInset: the frame's pen and the padding (for the round frame, the square
    // inscribed in the circle first). Otherwise the proportional fit of a
    // picture of aWidth x aHeight (turned) pixels inside the rectangle.
    void AdjustDrawRect(TKVRDraw* aDraw, bool aInset, int32_t aWidth, int32_t aHeight);
    // The oval inscribed in the current picture rectangle.
    ISkPath GetCirclePath() const;
    // Corner radius in millimetres of paper (0 when square).
    float GetDrawRadio() const;
    // The picture rectangle the last DrawRect and AdjustDrawRect calls placed.
    // Draw and Print place on their own and leave it alone: the export job
    // paints too.
    const TRectF& GetImageDest() const { return fPlace.LImageDest; }
    // The picture as paper gets it: turned, filtered and, in the circle mask
    // frame, cut to the ellipse of the rectangle it is drawn into, at its own
    // size.
    void PrintedPicture(TBitmap& aBitmap) const;

private:
    TPlace Place(const TKVRDraw* aDraw, bool aPrint) const;
    void Inset(const TKVRDraw* aDraw, TPlace& aPlace) const;
    void Fit(TPlace& aPlace, int32_t aWidth, int32_t aHeight) const;
    // The decoded picture, loaded when missing or when the model asks for a
    // reload; none when there is nothing to paint. Guarded: the screen and the
    // export job may both paint.
    ISkImage Picture();
    void LoadImage();
    // The current record's picture, decoded afresh (none when the record
    // names no picture that decodes): every cell may show another.
    ISkImage RecordPicture() const;
    void DrawFrame(TKVRDraw* aDraw, const TPlace& aPlace);
    void PrintFrame(TKVRDraw* aDraw, const TPlace& aPlace);
    // Corner radius in pixels of the context along x or y.
    float CornerRadius(const TKVRDraw* aDraw, bool aVertical) const;

    ISkImage LImage;  // decoded picture, kept between paints
    std::mutex fPictureLock;
    TPlace fPlace;
};
