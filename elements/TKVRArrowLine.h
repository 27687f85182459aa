#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"

struct TKVRLineCaption;

// A straight line with a mark at each end and an optional one-line caption
// laid along it; positions 3 to 5 put the caption into a gap of the line.
class TKVRArrowLine : public TKVRBaseArrowLine, public TKVRClassReaders<TKVRArrowLine>
{
public:
    // The model's constructors, each only forwarding to the model base.
    using TKVRBaseArrowLine::TKVRBaseArrowLine;

    // Caption metrics and width (model micrometres), gap points 3 and 4,
    // anchors and angle.
    void CalcValues(int16_t aMode) override;
    // The line's ends, and the gap's ends when the caption sits in a gap.
    void CheckFit(TKVRExtent& aExtent) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // Caption on the Skia canvas; reads the layout, writes nothing.
    void DrawText(TKVRBaseDraw* aDraw);

private:
    bool CaptionInGap() const { return IsGapTextPos(GetTextPos()) && !GetText().isEmpty(); }
    TKVRLineCaption Caption() const;
};
