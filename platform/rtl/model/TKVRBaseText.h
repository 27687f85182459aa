#pragma once
#include "platform/rtl/model/IKVROrientation.h"
#include "platform/rtl/model/TKVRBaseTextItem.h"

// One line of text about its reference point (point 1): font, horizontal
// stretch, quarter turn, alignment, paddings, an optional filled and framed
// box with rounded corners, and an optional binding to a data field.
//
// Binary after the filled header: the text fields (TKVRBaseTextItem),
// maximum width (int32 µm), fill type (byte), field name, format (strings),
// the reference point.
class TKVRBaseText : public TKVRBaseTextItem, public IKVROrientation
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    static constexpr int32_t DefaultFontHeight = 10000;

    // A new element, also one about to be read, measures 10 mm with scale 1.0.
    TKVRBaseText(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseText(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    // The text's box (paddings included), placed by alignment and turn.
    void CheckFit(TKVRExtent& aExtent) override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // The first operation of the text branch: the horizontal stretch.
    virtual float GetScale() const { return Scale; }
    void SetScale(float aValue) { StoreScale(aValue); }
    void SetText(const QString& aValue) { StoreText(aValue); }

    // Micrometres of paper; 0 for none. Only the editor clips to it.
    int32_t GetMaxWidth() const { return MaxWidth; }
    void SetMaxWidth(int32_t aValue) { MaxWidth = aValue < 0 ? 0 : aValue; }
    // Laid-out width of the shown text, scale included (paper µm).
    int32_t GetTextWidth() const { return TextWidth; }
    // The quarter turn the text reads in (values from 4 up do not turn).
    int32_t GetOrientation() const override;


protected:
    TKVRRect TurnBox() const override;
    // The maximum width's slider (TKVRBaseText.Slider.cpp): a handle of kind
    // 27 at the end of the shown part, dragged along the text.
    void AddSliderPoint(std::vector<TKVRSelPoint>& aPoints) const;
    bool MoveSlider(int64_t aX, int64_t aY);
    int32_t TextWidth = 0;
    int32_t MaxWidth = 0;
    // Set while Draw measures the text being edited.
    bool Measuring = false;
};
