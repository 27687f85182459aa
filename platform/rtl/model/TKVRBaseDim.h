#pragma once
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/model/TKVRBaseItem.h"

// Dimension line. Points 1 to 8 come from the stored inputs (the measured
// points 1, 2 and point 5 for the linear kinds; points 1, 2 for radii and
// diameters; the lines 1-2 and 3-4 and point 7 for the angle), points 9 and
// 10 from the text layout.
// Binary after the header: kind (byte), extension flag (bool), style index
// (int32), text (string), points 1 to 8. Of a linear kind's point 5 only its
// offset from the measured points lays the line out; the files keep it where
// the position handle sits along the line, so a handle stays where the user
// dropped it and any reader still finds the line's offset in it.
class TKVRBaseDim : public TKVRBaseItem
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    static constexpr int32_t PointCount = 10;

    TKVRBaseDim(TKVRBaseLabel* aOwner, TVXDimType aType, bool aPreview);
    TKVRBaseDim(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, TVXDimType aType, bool aPreview);

    TJsonObject WriteJson() const override;
    void CheckFit(TKVRExtent& aExtent) override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // Points 3 to 8 and the value text from the inputs, then the bounds.
    void CalcValues(int16_t aMode) override;

    TVXDimType GetDimType() const { return fDimType; }
    // The measured points and the position; the rest are laid out.
    bool IsInputPoint(int32_t aIndex) const override
    {
        if (fDimType == KVRDimType::Angular)
            return aIndex <= 4 || aIndex == 7;
        if (fDimType >= KVRDimType::Radial1)
            return aIndex <= 2;
        return aIndex <= 2 || aIndex == 5;
    }
    void SetDimType(TVXDimType aValue);
    bool GetDimExt() const { return fDimExt; }
    void SetDimExt(bool aValue) { fDimExt = aValue; }
    QString GetText() const { return fText; }
    int32_t GetDimStyleIndex() const { return fDimStyle; }
    void SetDimStyleIndex(int32_t aValue);
    // The style of the document (a default one without a document).
    const TKVRDimStyle& GetDimStyle() const;
    // The measured value: micrometres, or degrees for the angle.
    double GetValue() const;

    // Lay a new dimension out (the label and the factory use these).
    void SetLinear(TVXDimType aType, int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aPX, int64_t aPY);
    void SetRadial(TVXDimType aType, int64_t aCenterX, int64_t aCenterY, int64_t aRadius, float aAngle);
    void SetAngular(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3, int64_t aX4,
                    int64_t aY4, int64_t aPX, int64_t aPY);
    // Points 1 to 8 and the text from the stored inputs.
    void UpdateDimPoints();
    // Where the position handle sits: on a linear dimension line where it
    // was put (held between the line's ends), on an angle the arc's point 7.
    TKVRPto GetPositionPoint() const;

    // Text layout, written by the front end's CalcValues.
    int32_t GetTextWidth() const { return fTextWidth; }
    float GetTextAngle() const { return fTextAngle; }
    double GetFontRatio() const { return fFontRatio; }
    TKVRPto GetTextAnchor() const { return {fTextX, fTextY}; }
    TKVRPto GetPrintAnchor() const { return {fPrintX, fPrintY}; }

protected:
    TKVRRect TurnBox() const override;
    void ReadDimBody(TBinaryReader& aReader);
    // The stored points 1 to 8, point 5 where the position handle sits.
    std::array<TKVRPto, 8> StoredPoints() const;
    // A read point 5: the handle's place along the line, the line's end laid out.
    void TakeStoredPosition();

    bool fBusy = false;
    int32_t fTextWidth = 0;
    float fTextAngle = 0.0f;
    double fFontRatio = 1.0;
    int64_t fTextX = 0;
    int64_t fTextY = 0;
    int64_t fPrintX = 0;
    int64_t fPrintY = 0;

private:
    TVXDimType fDimType = 0;
    bool fDimExt = false;
    int32_t fDimStyle = 0;
    QString fText;
    // Distance of the position handle from point 5 towards point 6 (linear kinds).
    double fAlong = 0.0;
};
