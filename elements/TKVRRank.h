#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseRank.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include "platform/skia/TSkPath.h"

class TKVRDraw;

// Rating graphic element, kind 21: a row or column of equal cells, the first
// of them reached. The editor shows the stored Position; the preview, the
// export and paper show the current record's value of a bound graphic.
// Painting writes nothing into the element.
class TKVRRank : public TKVRBaseRank, public TKVRClassReaders<TKVRRank>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseRank::TKVRBaseRank;

    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // The outlines of one cell.
    static ISkPath GetPathStar(const TRectF& aCell);
    static ISkPath GetPathRhombus(const TRectF& aCell);

    // The number of reached cells a context shows: the stored Position in
    // the editor, the current record's value elsewhere.
    int32_t ShownPosition(TKVRDrawState aState) const;

private:
    std::vector<TRectF> Cells(const TKVRDraw* aDraw, const TPointF& aBase) const;
};
