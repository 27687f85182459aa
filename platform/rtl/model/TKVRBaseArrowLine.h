#pragma once
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseItem.h"

// A straight line with a mark at each end and a caption laid along it.
// Points 1 and 2 are the line; 3 and 4 the gap the caption leaves, set by
// the layout. Binary after the common header: line ends, caption font,
// caption (string), caption position (byte), points 1 and 2.
class TKVRBaseArrowLine : public TKVRBaseItem, public TKVRLineEndsPart, public TKVRFontPart
{
public:
    // Property rows (KVR.Model.PropTables*.cpp).
    void DescribeProps(TKVRPropTable& aTable) const override;
    // ---- editing (see TKVRBaseItem)
    void GetOutline(TKVROutline& aOutline) const override;
    void GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const override;
    bool MovePoint(TKVRMoveType& aType, int32_t aIndex, int64_t aX, int64_t aY) override;
    TKVRBaseArrowLine(TKVRBaseLabel* aOwner, bool aPreview);
    TKVRBaseArrowLine(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview);

    TJsonObject WriteJson() const override;
    // Points 1 and 2 only: the gap lies on the line and is set by the layout.
    void CheckFit(TKVRExtent& aExtent) override;
    void ReadJson(int32_t aVersion, const TJsonObject& aJson) override;
    void WriteData(TBinaryWriter& aWriter) const override;
    void ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType) override;
    int32_t NumPoints() const override { return 2; }
    // Points 3 and 4, the caption's gap, follow the line and the caption.
    bool IsLaidOutPoint(int32_t aIndex) const override { return aIndex > 2; }

    void SetFont(const TKVRFontInfo& aValue);
    QString GetText() const { return fText; }
    void SetText(const QString& aValue);
    TKVRTextPos GetTextPos() const { return fTextPos; }
    void SetTextPos(TKVRTextPos aValue);

    // Caption layout, written by the front end's CalcValues and DrawText.
    int32_t GetTxtAscent() const { return fTxtAscent; }
    int32_t GetTxtDescent() const { return fTxtDescent; }
    int32_t GetTxtWidth() const { return fTxtWidth; }
    double GetFontRatio() const { return fFontRatio; }
    float GetTxtAngle() const { return fTxtAngle; }
    TKVRPto GetTextAnchor() const { return {fTxtX, fTxtY}; }
    TKVRPto GetPrintAnchor() const { return {fPrintX, fPrintY}; }

protected:
    TKVRRect TurnBox() const override;
    int32_t fTxtAscent = 0;
    int32_t fTxtDescent = 0;
    int32_t fTxtWidth = 0;
    double fFontRatio = 1.0;
    float fTxtAngle = 0.0f;
    int64_t fTxtX = 0;
    int64_t fTxtY = 0;
    int64_t fPrintX = 0;
    int64_t fPrintY = 0;

private:
    QString fText;
    TKVRTextPos fTextPos = 1;
};
