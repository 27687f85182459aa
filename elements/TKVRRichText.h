#pragma once
#include "elements/TKVRClassReaders.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/text/KVR.RichText.h"
#include "platform/rtl/System.Types.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include <QString>
#include <cstdint>
#include <vector>

class TKVRDraw;

// Rich-text element, kind 29: mark-up runs laid out by word wrapping into
// draw segments inside the box less its inner margins, painted run by run
// with their own fonts and colours, edited in place with caret and selection,
// and printed (a data-bound one with the record's value laid out anew).
//
// One text area serves every surface: the box less both margins on each
// axis, its lines at the layout's positions. Screen, export and paper break
// the same lines at the same places; caret and selection find their
// characters through the one plain-position mapping of the segments.
class TKVRRichText : public TKVRBaseRichText, public TKVRClassReaders<TKVRRichText>
{
public:
    // Both run IniRichPara after the model's constructor.
    explicit TKVRRichText(TKVRBaseLabel* aOwner);
    TKVRRichText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer);
    // The model's own constructor alone, for the class readers.
    TKVRRichText(TKVRBaseLabel* aOwner, bool aPreview);

    // IniRichPara, then the model reads the record.
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // Base font metrics, then the runs laid out into draw segments.
    void CalcValues(int16_t aMode) override;
    void Draw(TKVRBaseDraw* aDraw) override;
    void Print(TKVRBaseDraw* aDraw) override;

    // In-place feedback on the context's canvas, in the frame of the text
    // area (Draw has moved and turned the canvas there).
    void DrawCaretAtPosition(TKVRDraw* aDraw, int32_t aPosition);
    void DrawSelectionHighlight(TKVRDraw* aDraw, int32_t aStart, int32_t aEnd);

    // Their geometry in pixels of the text area: the caret as a vertical line
    // (Left = Right), the selection as one rectangle per segment it touches.
    // An empty rectangle / list when there is nothing to show.
    TRectF CaretLine(const TKVRDraw* aDraw, int32_t aPosition) const;
    std::vector<TRectF> SelectionRects(const TKVRDraw* aDraw, int32_t aStart, int32_t aEnd) const;

    // The text area in paper micrometres: the box less both inner margins on
    // each axis, width along the lines (swapped for quarter turns 1 and 3).
    // A side that the margins use up falls back to the whole box side.
    void WrapBox(int32_t& oWidth, int32_t& oHeight) const { TKVRBasePara::WrapBox(oWidth, oHeight, true); }

    // The segments of the last Print (its own, or the record's laid out anew).
    const TRichTextDrawSegments& GetPrintedSegments() const { return fPrintSegments; }

private:
    void IniRichPara();

    TRichTextDrawSegments fPrintSegments;
};
