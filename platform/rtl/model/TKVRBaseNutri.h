#pragma once
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/geometry/KVR.Nutri.Geometry.h"
#include "platform/rtl/model/KVR.Model.DataField.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include <QChar>

// A nutrition score: five lettered cells A to E in their own colours inside
// an optional frame, with an optional title; the current letter's cell stands
// out, grown over its neighbours. Binary after the filled header: nutri type
// (byte), gap, gap value, margin (Single, label units), title (string), title
// alignment (byte 0-2), show title (bool), colours of A to E, title, letters
// and current letter (uint32), current letter (uint16, 0 none), angle (byte
// 0-3), frame and cell radius (Single, label units), monochrome (bool), fill
// type (byte), field name, format (strings), the two corners.
class TKVRBaseNutri : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void TurnQuarter(bool aLeft, const TKVRPto& aOffset) override;
    TKVRBaseNutri(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseNutri(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return fData.IsBound(); }
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // The current letter for the current record: Value when not bound, else
    // the first character of the record's field (none when it is empty).
    QChar RecordLetter() const;

    TKVRNutriType GetNutriType() const { return fNutriType; }
    void SetNutriType(TKVRNutriType aValue) { fNutriType = aValue; }
    float GetGap() const { return fGap; }
    void SetGap(float aValue) { SetLength(fGap, aValue); }
    float GetGapValue() const { return fGapValue; }
    void SetGapValue(float aValue) { SetLength(fGapValue, aValue); }
    float GetMargin() const { return fMargin; }
    void SetMargin(float aValue) { SetLength(fMargin, aValue); }
    QString GetTitle() const { return fTitle; }
    void SetTitle(const QString& aValue) { fTitle = aValue; }
    TKVRHorzAlign GetTitleAlign() const { return fTitleAlign; }
    void SetTitleAlign(TKVRHorzAlign aValue) { fTitleAlign = aValue; }
    bool GetShowTitle() const { return fShowTitle; }
    void SetShowTitle(bool aValue) { fShowTitle = aValue; }
    // Fill of cell 0 (A) to 4 (E).
    TAlphaColor GetCellColor(int32_t aIndex) const;
    TAlphaColor GetAColor() const { return fCellColors[0]; }
    void SetAColor(TAlphaColor aValue) { fCellColors[0] = aValue; }
    TAlphaColor GetBColor() const { return fCellColors[1]; }
    void SetBColor(TAlphaColor aValue) { fCellColors[1] = aValue; }
    TAlphaColor GetCColor() const { return fCellColors[2]; }
    void SetCColor(TAlphaColor aValue) { fCellColors[2] = aValue; }
    TAlphaColor GetDColor() const { return fCellColors[3]; }
    void SetDColor(TAlphaColor aValue) { fCellColors[3] = aValue; }
    TAlphaColor GetEColor() const { return fCellColors[4]; }
    void SetEColor(TAlphaColor aValue) { fCellColors[4] = aValue; }
    TAlphaColor GetTitleColor() const { return fTitleColor; }
    void SetTitleColor(TAlphaColor aValue) { fTitleColor = aValue; }
    TAlphaColor GetCharColor() const { return fCharColor; }
    void SetCharColor(TAlphaColor aValue) { fCharColor = aValue; }
    TAlphaColor GetValueColor() const { return fValueColor; }
    void SetValueColor(TAlphaColor aValue) { fValueColor = aValue; }
    QChar GetValue() const { return fValue; }
    void SetValue(QChar aValue) { fValue = aValue; }
    TKVRAngle GetAngle() const { return fAngle; }
    void SetAngle(TKVRAngle aValue) { fAngle = uint8_t(aValue) <= 3 ? aValue : TKVRAngle::Angle0; }
    // Corner radius of the frame and of the cells, label units; 0 square.
    float GetRadio() const { return fRadio; }
    void SetRadio(float aValue) { SetLength(fRadio, aValue); }
    float GetInnerRadio() const { return fInnerRadio; }
    void SetInnerRadio(float aValue) { SetLength(fInnerRadio, aValue); }
    // The two radii in millimetres of paper (drawing scale applied).
    float GetMMRadio() const;
    float GetMMInnerRadio() const;
    bool GetMonochrome() const { return fMonochrome; }
    void SetMonochrome(bool aValue) { fMonochrome = aValue; }
    // The box in label units.
    float GetWidth() const;
    float GetHeight() const;

    uint8_t GetFillType() const { return fData.FillType; }
    void SetFillType(uint8_t aValue) { fData.FillType = aValue; }
    QString GetFillName() const { return fData.FillName; }
    void SetFillName(const QString& aValue) { fData.FillName = aValue; }
    QString GetFormat() const { return fData.Format; }
    void SetFormat(const QString& aValue) { fData.Format = aValue; }

private:
    // Setters keep only finite lengths.
    static void SetLength(float& aField, float aValue);
    float ToPaperMM(float aValue) const;

    TKVRNutriType fNutriType = 0;
    float fGap = 0.5f;
    float fGapValue = 1.0f;
    float fMargin = 1.0f;
    QString fTitle = QStringLiteral("NUTRITION");
    TKVRHorzAlign fTitleAlign = TKVRHorzAlign::Left;
    bool fShowTitle = true;
    TAlphaColor fCellColors[5] = {0xFF038141u, 0xFF85BB2Fu, 0xFFFECB02u, 0xFFEE8100u, 0xFFE63E11u};
    TAlphaColor fTitleColor = 0xFF7F7F7Fu;
    TAlphaColor fCharColor = 0xFFFFFFFFu;
    TAlphaColor fValueColor = 0xFFFFFFFFu;
    QChar fValue = QChar(u'C');
    TKVRAngle fAngle = TKVRAngle::Angle0;
    float fRadio = 2.0f;
    float fInnerRadio = 1.0f;
    bool fMonochrome = false;
    TKVRDataField fData;
};
