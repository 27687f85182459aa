#pragma once
#include "platform/rtl/text/KVR.RichText.h"
#include "platform/rtl/model/TKVRBasePara.h"

// A text box whose text is mark-up: runs with their own family, height,
// colour, bold, italic, underline and alignment, and explicit line breaks.
// The box, margins, turn, frame, fill and data binding are the paragraph's.
//
// Stored exactly as the paragraph (binary record and JSON keys) under kind
// 29; the text is the mark-up. Formats, runs and draw segments follow from
// the text and the element's font and are never stored.
class TKVRBaseRichText : public TKVRBasePara
{
public:
    TKVRBaseRichText(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseRichText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // The model's own step (the shown text refreshed), then the shown text
    // parsed again: the element's font may have changed.
    void CalcValues(int16_t aMode) override;

    // The text is the mark-up: storing it parses it.
    void SetText(const QString& aValue) override;
    void SetFontHeight(float aValue) override;

    // ---- mark-up
    QString GetRichText() const { return GetText(); }
    // Stores a new mark-up and parses it (the editor's road).
    void SetRichTextValue(const QString& aValue) { SetText(aValue); }
    // The text without tags, a line break counting one character.
    QString GetPlainText() const;
    int32_t PlainPosToRichPos(int32_t aPlainPos) const;
    int32_t RichPosToPlainPos(int32_t aRichPos) const;
    // Fills the formats and runs from the shown text (the record's value in a
    // per-cell copy of a data-bound element); the element's font is format 0.
    void ParseRichText();
    // The format of text outside every tag: the element's own font.
    TRichTextFormat BaseFormat() const;

    // ---- the one mapping between plain positions and draw segments
    bool GetSegmentAtPlainPos(int32_t aPlainPos, int32_t& oIndex, int32_t& oOffset) const;
    int32_t GetPlainPosAtSegment(int32_t aIndex, int32_t aOffset) const;

    const TRichTextFormats& GetFormats() const { return Formats; }
    const TRichTextRuns& GetRuns() const { return Runs; }
    const TRichTextDrawSegments& GetDrawSegments() const { return DrawSegments; }
    // The format at an index of the formats; the element's base format when
    // the index lies outside them (segments laid out before a new parse).
    TRichTextFormat FormatAt(int32_t aIndex) const;

    // ---- the element's font; each change reaches format 0 at once
    void SetRichFontName(const QString& aValue);
    void SetRichFontColor(TAlphaColor aValue);
    void SetRichBold(bool aValue);
    void SetRichItalic(bool aValue);
    // The paragraph's setters, hidden so that the formats follow them too.
    void SetFontName(const QString& aValue) { SetRichFontName(aValue); }
    void SetFontColor(TAlphaColor aValue) { SetRichFontColor(aValue); }
    void SetBold(bool aValue) { SetRichBold(aValue); }
    void SetItalic(bool aValue) { SetRichItalic(aValue); }
    void SetUnderline(bool aValue);
    void SetStrikeout(bool aValue);
    void SetBaseFontHeight(int32_t aValue);

    // In-place editing: 1 while the editor edits this element's text.
    uint8_t GetEditState() const { return fEditState; }
    void SetEditState(uint8_t aValue) { fEditState = aValue; }

protected:
    TRichTextFormats Formats;
    TRichTextRuns Runs;
    TRichTextDrawSegments DrawSegments;

private:
    uint8_t fEditState = 0;
};
