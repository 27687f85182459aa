#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/skia/TSkFont.h"
#include <QString>
#include <cstdint>

class TKVRDraw;

// Package box element, kind 28: a frame with a flat blank (height 0) or an
// isometric box inside, captions with the sizes and, in styles 1 and 3, a
// size table in the left 35 % of the element. A data-bound box shows the
// sizes of the current record outside the editor and keeps its stored ones:
// painting writes nothing into the element.
class TKVRPackage : public TKVRBasePackage, public TKVRClassReaders<TKVRPackage>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBasePackage::TKVRBasePackage;

    // The model's layout, then the metrics of the size-table and caption fonts.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;
    // The size table (styles 1 and 3) on screen and on paper, of the stored sizes.
    void DrawSizes(TKVRDraw* aDraw);
    void PrintSizes(TKVRDraw* aDraw);
    // The sizes paper, exports and the preview show: the current record's for a data-bound box.
    TKVRBoxSizes PrintedSizes() const;

    // A size as the captions show it: by the element's format, or as a whole number.
    QString SizeText(float aValue) const;

private:
    // Margins, gaps and caption metrics are lengths on paper; the model's
    // coordinates are the drawing's, so they grow with the drawing scale.
    int64_t Paper(int64_t aPaperMicrometres) const { return aPaperMicrometres * GetDrawScale(); }
    void DrawFlat(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TRectF& aContent, const ISkFont& aFont,
                  int32_t aAscent, int32_t aDescent);
    void DrawIso(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TRectF& aContent, const ISkFont& aFont);
    void DrawSizeTable(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes);
    void PrintFrame(TKVRDraw* aDraw);
    void PrintSizeTable(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes);
    void PrintFlat(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TKVRRect& aContent, int32_t aAscent,
                   int32_t aDescent);
    void PrintIso(TKVRDraw* aDraw, const TKVRBoxSizes& aSizes, const TKVRRect& aContent);
    // A text centred on the device point (aX, aY), turned by aAngle degrees.
    void PrintRotatedText(TKVRDraw* aDraw, const QString& aText, float aX, float aY, float aAngle);
};
