#pragma once
#include "platform/rtl/text/KVR.TextLines.h"
#include "platform/rtl/model/TKVRBaseTextItem.h"

// A block of word-wrapped text in the box of points 1 and 2: font, line
// spacing, quarter turn, alignment, inner margins, an optional filled and
// framed box with rounded corners, and an optional binding to a data field
// whose value is printed per record, growing or shrinking the printed box.
//
// Binary after the filled header: the text fields (TKVRBaseTextItem; the
// scale is the line spacing), fill type (byte), field name, format
// (strings), auto-grow, auto-shrink (bools), the two corners.
class TKVRBasePara : public TKVRBaseTextItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    static constexpr int32_t DefaultFontHeight = 6000;

    // A new element, also one about to be read, has a 6 mm font and single
    // line spacing.
    TKVRBasePara(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // The operations that follow the element interface: the setters of the
    // text and of the font height.
    virtual void SetText(const QString& aValue) { StoreText(aValue); }
    virtual void SetFontHeight(float aValue) { TKVRBaseTextItem::SetFontHeight(aValue); }

    // Line spacing: lines stand Scale font heights apart.
    float GetScaleX() const { return Scale; }
    void SetScaleX(float aValue) { StoreScale(aValue); }

    // The box (points 1 and 2) on paper: model micrometres over the drawing scale.
    int32_t BaseScaleWidth() const;
    int32_t BaseScaleHeight() const;
    // The inner margins the same way.
    int32_t GetScalePadX() const;
    int32_t GetScalePadY() const;
    // The text area in paper µm, one rule for every surface: the box less an
    // inner margin on each side, its width along the lines (the two swapped
    // for quarter turns 1 and 3). A side the margins use up is 0, or with
    // aWholeSide the whole box side.
    void WrapBox(int32_t& oWidth, int32_t& oHeight, bool aWholeSide = false) const;

    // Only the printed box of a data-bound paragraph grows or shrinks.
    bool GetAutoGrow() const { return AutoGrow; }
    void SetAutoGrow(bool aValue) { AutoGrow = aValue; }
    bool GetAutoShrink() const { return AutoShrink; }
    void SetAutoShrink(bool aValue) { AutoShrink = aValue; }

    const TxtLines& GetLines() const { return Lines; }

protected:
    // For the kinds that keep the paragraph's data under their own kind code.
    TKVRBasePara(TKVRBaseLabel* aOwner, int32_t aKind, bool aPreview);
    TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, bool aPreview);

    TxtLines Lines;
    bool AutoGrow = false;
    bool AutoShrink = false;
};
