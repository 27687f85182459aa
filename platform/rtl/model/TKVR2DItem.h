#pragma once
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVRBaseItem.h"

// A filled element: fill flag, back colour and the fill's screen opacity.
// Binary after the common header: filled (bool), back colour (uint32),
// alpha (byte).
class TKVR2DItem : public TKVRBaseItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    TJsonObject WriteJson() const override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    bool GetFilled() const { return fFilled; }
    void SetFilled(bool aValue) { fFilled = aValue; }
    TAlphaColor GetBackColor() const { return fBackColor; }
    void SetBackColor(TAlphaColor aValue) { fBackColor = aValue; }
    // 0 leaves the fill out on screen; paper always shows it.
    uint8_t Alpha() const { return fAlpha; }
    void SetAlpha(uint8_t aValue) { fAlpha = aValue; }

    // The box's size in pixels at aDpi (micrometres x dpi / 25,400, halves to even).
    int32_t WidthPx(int32_t aDpi) const;
    int32_t HeightPx(int32_t aDpi) const;

    // Boxes (points 1 and 2): the frame's eight sizing handles; dragging one
    // past the opposite edge flips the box.
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;

    // A quarter-turn setting after a quarter turn of its element; values from
    // 4 up, which do not turn, count as 0.
    static TKVRAngle TurnedAngle(TKVRAngle aAngle, bool aLeft);

protected:
    using TKVRBaseItem::TKVRBaseItem;

    // The ordered box of points 1 and 2.
    TKVRRect Box() const;
    // Frame handles of a box, and the box after sizing handle aType went to
    // (aX, aY); aType becomes the handle it is after a flip.
    static void FrameSelPoints(const TKVRRect& aBox, std::vector<TKVRSelPoint>& aPoints);
    static TKVRRect SizedBox(const TKVRRect& aBox, TKVRMoveType& aType, int64_t aX, int64_t aY);

    // Points 1 and 2 as the top-left and bottom-right corners of a box.
    void NormalizeBox();
    // The box of a circle or ellipse about a centre.
    void SetBox(int64_t aCX, int64_t aCY, int64_t aRX, int64_t aRY);

private:
    bool fFilled = false;
    TAlphaColor fBackColor = TAlphaColors::White;
    uint8_t fAlpha = 255;
};
