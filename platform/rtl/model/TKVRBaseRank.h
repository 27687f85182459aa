#pragma once
#include "platform/rtl/geometry/KVR.Rank.Geometry.h"
#include "platform/rtl/model/KVR.Model.DataField.h"
#include "platform/rtl/model/TKVR2DItem.h"

// A rating graphic: Maximum equal cells in the box of points 1 and 2, of
// which the first Position are reached, like a score of stars; optionally
// bound to a data field. Binary after the filled header: rank type, rank
// position (bytes), gap (Single, label units), empty colour (uint32), draw
// empty (bool), position, maximum (uint16), fill type (byte), field name,
// format (strings), the two corners.
class TKVRBaseRank : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    TKVRBaseRank(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseRank(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return fData.IsBound(); }
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    // The number of reached cells for the current record: Position when not
    // bound, else the record's field read as a whole number (0 when it is none).
    int32_t RecordPosition() const;

    TKVRRankType GetRankType() const { return fRankType; }
    void SetRankType(TKVRRankType aValue) { fRankType = aValue; }
    TKVRRankPos GetRankPos() const { return fRankPos; }
    void SetRankPos(TKVRRankPos aValue) { fRankPos = aValue; }
    // Between the cells and around them, label units.
    float GetGap() const { return fGap; }
    void SetGap(float aValue);
    TAlphaColor GetEmptyColor() const { return fEmptyColor; }
    void SetEmptyColor(TAlphaColor aValue) { fEmptyColor = aValue; }
    bool GetDrawEmpty() const { return fDrawEmpty; }
    void SetDrawEmpty(bool aValue) { fDrawEmpty = aValue; }
    uint16_t GetPosition() const { return fPosition; }
    void SetPosition(uint16_t aValue) { fPosition = aValue; }
    uint16_t GetMaximum() const { return fMaximum; }
    void SetMaximum(uint16_t aValue) { fMaximum = aValue; }
    // The box in label units; setting one moves point 2.
    float GetWidth() const;
    float GetHeight() const;
    void SetWidth(float aValue);
    void SetHeight(float aValue);

    uint8_t GetFillType() const { return fData.FillType; }
    void SetFillType(uint8_t aValue) { fData.FillType = aValue; }
    QString GetFillName() const { return fData.FillName; }
    void SetFillName(const QString& aValue) { fData.FillName = aValue; }
    QString GetFormat() const { return fData.Format; }
    void SetFormat(const QString& aValue) { fData.Format = aValue; }

private:
    void Init();

    TKVRRankType fRankType = 2;
    TKVRRankPos fRankPos = 0;
    float fGap = 1.0f;
    TAlphaColor fEmptyColor = 0xFFD3D3D3u;
    bool fDrawEmpty = true;
    uint16_t fPosition = 3;
    uint16_t fMaximum = 5;
    TKVRDataField fData;
};
