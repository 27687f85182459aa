#pragma once
#include "elements/KVR.FMX.FlowOutline.h"
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/TKVRBaseFlow.h"

class TKVRDraw;

// Flowchart node, kind 17: the outline of its flow type over the box of its
// two points (ordered, whichever corner is first), filled and framed, with
// its text laid out inside the outline. Screen and paper draw one outline
// geometry and place the text at the same padded origin.
class TKVRFlow : public TKVRBaseFlow, public TKVRClassReaders<TKVRFlow>
{
public:
    using TKVRBaseFlow::TKVRBaseFlow;

    // Font metrics, then the lines of Text fitted to the outline (paper µm).
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // The outline in screen pixels and in printer pixels.
    TKVRFlowOutline ScreenOutline(const TKVRDraw* aDraw) const;
    TKVRFlowOutline PaperOutline(const TKVRDraw* aDraw) const;

private:
    void DrawText(TKVRDraw* aDraw, const TRectF& aBox);
    void PrintText(TKVRDraw* aDraw, const TRectF& aBox);
};
