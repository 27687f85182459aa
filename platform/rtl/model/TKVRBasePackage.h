#pragma once
#include "platform/rtl/model/TKVR2DItem.h"
#include <vector>

// A drill hole of a flat box blank, in the units of the sizes: X along the
// length from the left edge, Y along the width from the bottom edge, D the diameter.
struct TDrillPoint
{
    double X = 0.0;
    double Y = 0.0;
    double D = 0.0;
    bool operator==(const TDrillPoint&) const = default;
};

// A straight slot: its centre line from (X1, Y1) to (X2, Y2) and its width.
struct TSlot
{
    double X1 = 0.0;
    double Y1 = 0.0;
    double X2 = 0.0;
    double Y2 = 0.0;
    double Width = 0.0;
    bool operator==(const TSlot&) const = default;
};

// Length, width and height of a box, in the units its captions show.
struct TKVRBoxSizes
{
    float Length = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;
    bool operator==(const TKVRBoxSizes&) const = default;
};

// A box given by length, width and height, drawn in its rectangle (points
// 1 and 2) as a flat blank (height 0) or an isometric view, with captions
// and an optional size table. Binary after the filled header: corner radius
// (int32 µm), length, width, height (Single), the three size names, style
// (byte), box colour, font colour (uint32), format (string), size-table and
// caption font heights (int32 µm), fill type (byte), field name (string),
// drill count and holes (3 doubles each), slot count and slots (5 doubles
// each), the two corners.
class TKVRBasePackage : public TKVR2DItem
{
public:
    // Property rows (KVR.Model.PropTables.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    TKVRBasePackage(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBasePackage(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    bool GetIsData() const override { return FillType != 0; }
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void UpdatePoints() override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;

    float GetRadio() const { return float(FromBase(fRadio)); }
    void SetRadio(float aValue) { SetBaseRadio(int32_t(ToBase(aValue))); }
    int32_t GetBaseRadio() const { return fRadio; }
    void SetBaseRadio(int32_t aValue) { fRadio = aValue < 0 ? 0 : aValue; }

    float SizeLength() const { return fSizeLength; }
    void SetSizeLength(float aValue) { fSizeLength = aValue; }
    float SizeWidth() const { return fSizeWidth; }
    void SetSizeWidth(float aValue) { fSizeWidth = aValue; }
    float SizeHeight() const { return fSizeHeight; }
    void SetSizeHeight(float aValue) { fSizeHeight = aValue; }
    QString NameLength() const { return fNameLength; }
    void SetNameLength(const QString& aValue) { fNameLength = aValue; }
    QString NameWidth() const { return fNameWidth; }
    void SetNameWidth(const QString& aValue) { fNameWidth = aValue; }
    QString NameHeight() const { return fNameHeight; }
    void SetNameHeight(const QString& aValue) { fNameHeight = aValue; }
    TKVRPackageStyle Style() const { return fStyle; }
    void SetStyle(TKVRPackageStyle aValue) { fStyle = aValue; Changed(); }
    TAlphaColor BoxColor() const { return fBoxColor; }
    void SetBoxColor(TAlphaColor aValue) { fBoxColor = aValue; }
    TAlphaColor GetFontColor() const { return fFontColor; }
    void SetFontColor(TAlphaColor aValue) { fFontColor = aValue; }
    QString GetFormat() const { return fFormat; }
    void SetFormat(const QString& aValue) { fFormat = aValue; }
    // Font heights in millimetres, and in micrometres for the layout.
    float GetFontHeightSizes() const { return float(SizesFontHeight) / 1000.0f; }
    float GetFontHeightBox() const { return float(BoxFontHeight) / 1000.0f; }
    int32_t GetSizesFontHeight() const { return SizesFontHeight; }
    void SetSizesFontHeight(int32_t aValue) { SizesFontHeight = aValue < 0 ? 0 : aValue; Changed(); }
    int32_t GetBoxFontHeight() const { return BoxFontHeight; }
    void SetBoxFontHeight(int32_t aValue) { BoxFontHeight = aValue < 0 ? 0 : aValue; Changed(); }

    int32_t GetNumDrills() const { return int32_t(fDrills.size()); }
    // Counted from 0.
    TDrillPoint GetDrillPoint(int32_t aIndex) const { return fDrills.at(size_t(aIndex)); }
    void SetDrills(std::vector<TDrillPoint> aValue) { fDrills = std::move(aValue); }
    int32_t GetNumSlots() const { return int32_t(fSlots.size()); }
    TSlot GetSlot(int32_t aIndex) const { return fSlots.at(size_t(aIndex)); }
    void SetSlots(std::vector<TSlot> aValue) { fSlots = std::move(aValue); }

    uint8_t GetFillType() const { return FillType; }
    void SetFillType(uint8_t aValue) { FillType = aValue; }
    QString GetFillName() const { return FillName; }
    void SetFillName(const QString& aValue) { FillName = aValue; }
    TKVRBoxSizes GetSizes() const { return {fSizeLength, fSizeWidth, fSizeHeight}; }
    // Sizes from a record's text: up to three numbers (length, width, height)
    // separated by 'x', '*', ';', '/' or blanks; each number that reads
    // replaces its size, the others stay.
    void SetDat(const QString& aText);
    // The sizes SetDat would set, leaving the element as it is.
    TKVRBoxSizes SizesOf(const QString& aText) const;

    int32_t GetSizesAscent() const { return SizesAscent; }
    int32_t GetSizesDescent() const { return SizesDescent; }
    double GetSizesRatio() const { return SizesRatio; }
    int32_t GetBoxAscent() const { return BoxAscent; }
    int32_t GetBoxDescent() const { return BoxDescent; }
    double GetBoxRatio() const { return BoxRatio; }

protected:
    uint8_t FillType = 0;
    QString FillName;
    int32_t SizesFontHeight = 2000;
    int32_t BoxFontHeight = 2500;
    // Font metrics of the last layout (not stored).
    int32_t SizesAscent = 0;
    int32_t SizesDescent = 0;
    double SizesRatio = 1.0;
    int32_t BoxAscent = 0;
    int32_t BoxDescent = 0;
    double BoxRatio = 1.0;

private:
    int32_t fRadio = 0;
    float fSizeLength = 100.0f;
    float fSizeWidth = 50.0f;
    float fSizeHeight = 30.0f;
    QString fNameLength = QStringLiteral("L");
    QString fNameWidth = QStringLiteral("W");
    QString fNameHeight = QStringLiteral("H");
    TKVRPackageStyle fStyle = 0;
    TAlphaColor fBoxColor = TAlphaColors::Black;
    TAlphaColor fFontColor = TAlphaColors::Black;
    QString fFormat;
    std::vector<TDrillPoint> fDrills;
    std::vector<TSlot> fSlots;
};
