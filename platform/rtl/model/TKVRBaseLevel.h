#pragma once
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/TKVR2DItem.h"

// A round gauge showing a value against a maximum, in the ellipse of its box
// (points 1 and 2), with a caption in the middle; optionally bound to a data
// field. Binary after the filled header: level type (byte), value, maximum
// (Single), level colour (uint32), angle gap (Single), caption turn (byte),
// caption (string), caption font, fill type (byte), field name, format
// (strings), the two corners.
class TKVRBaseLevel : public TKVR2DItem, public TKVRFontPart
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    TKVRBaseLevel(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseLevel(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return FillType != 0; }
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    // aEmpty (or a gauge bound to no field): the record fields show the stored
    // caption and value; otherwise the current record's field, its number
    // (0 when it holds none) and its text.
    void FillData(bool aEmpty) override;
    // The value and caption FillData(false) would take, without taking them.
    void RecordOf(float& oValue, QString& oText) const;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    // Box and record fields; the element class measures the caption's Ratio.
    void CalcValues(int16_t aMode) override;

    void SetLevelCircle(int64_t aCenterX, int64_t aCenterY, int64_t aRadius) { SetBox(aCenterX, aCenterY, aRadius, aRadius); }
    // Centre of the box and radius of the largest circle in it.
    int64_t GetBaseCenterX() const { return fPoints[0].X + (fPoints[1].X - fPoints[0].X) / 2; }
    int64_t GetBaseCenterY() const { return fPoints[0].Y + (fPoints[1].Y - fPoints[0].Y) / 2; }
    int64_t GetBaseRadio() const;
    float GetCenterX() const { return float(FromBase(GetBaseCenterX())); }
    float GetCenterY() const { return float(FromBase(GetBaseCenterY())); }
    float GetRadio() const { return float(FromBase(GetBaseRadio())); }

    void SetFont(const TKVRFontInfo& aValue) { fFont = aValue; Changed(); }
    TKVRLevelType GetLevelType() const { return fLevelType; }
    void SetLevelType(TKVRLevelType aValue) { fLevelType = aValue; }
    QString GetText() const { return fText; }
    void SetText(const QString& aValue) { fText = aValue; Changed(); }
    TKVRAngle GetAngle() const { return fAngle; }
    void SetAngle(TKVRAngle aValue) { fAngle = aValue; }
    float GetAngleGap() const { return fAngleGap; }
    void SetAngleGap(float aValue) { fAngleGap = aValue; }
    float GetValue() const { return Value; }
    void SetValue(float aValue) { Value = aValue; Changed(); }
    float GetMaxValue() const { return MaxValue; }
    void SetMaxValue(float aValue) { MaxValue = aValue; }
    TAlphaColor GetLevelColor() const { return LevelColor; }
    void SetLevelColor(TAlphaColor aValue) { LevelColor = aValue; }
    uint8_t GetFillType() const { return FillType; }
    void SetFillType(uint8_t aValue) { FillType = aValue; Changed(); }
    QString GetFillName() const { return FillName; }
    void SetFillName(const QString& aValue) { FillName = aValue; Changed(); }
    QString GetFormat() const { return fFormat; }
    void SetFormat(const QString& aValue) { fFormat = aValue; }

    float GetRecordValue() const { return RecordValue; }
    QString GetRecordText() const { return RecordText; }
    double GetRatio() const { return Ratio; }
    float GetStartAngle() const { return StartAngle; }
    float GetSweepAngle() const { return SweepAngle; }

protected:
    float Value = 0.0f;
    float MaxValue = 100.0f;
    TAlphaColor LevelColor = 0xFF1E90FFu;
    uint8_t FillType = 0;
    QString FillName;
    // Working values (not stored).
    float RecordValue = 0.0f;
    QString RecordText;
    double Ratio = 1.0;
    int32_t Ascent = 0;
    int32_t Descent = 0;
    float StartAngle = 0.0f;
    float SweepAngle = 0.0f;

private:
    TKVRLevelType fLevelType = 0;
    QString fText;
    TKVRAngle fAngle = TKVRAngle::Angle0;
    float fAngleGap = 60.0f;
    QString fFormat;
};
