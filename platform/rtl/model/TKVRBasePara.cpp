#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <limits>

namespace {
// Paper micrometres of a model length; a length past what a layout can hold
// counts as the most it can.
int32_t ToPaper(int64_t aModel, int32_t aScale)
{
    const double v = double(aModel) / double(std::max(aScale, 1));
    return RoundHalfEven32(std::clamp(v, double(std::numeric_limits<int32_t>::min()),
                                      double(std::numeric_limits<int32_t>::max())));
}

// The box less two margins, never below what an int32 holds.
int32_t Inner(int32_t aSide, int32_t aMargin)
{
    return int32_t(std::max<int64_t>(int64_t(aSide) - 2 * int64_t(aMargin), std::numeric_limits<int32_t>::min()));
}
}  // namespace

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseTextItem(aOwner, KVRItemKind::Paragraph, 2, aPreview, DefaultFontHeight)
{
}

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseTextItem(aOwner, aLayer, KVRItemKind::Paragraph, 2, aPreview, DefaultFontHeight)
{
}

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, int32_t aKind, bool aPreview)
    : TKVRBaseTextItem(aOwner, aKind, 2, aPreview, DefaultFontHeight)
{
}

TKVRBasePara::TKVRBasePara(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, bool aPreview)
    : TKVRBaseTextItem(aOwner, aLayer, aKind, 2, aPreview, DefaultFontHeight)
{
}

int32_t TKVRBasePara::BaseScaleWidth() const
{
    return ToPaper(fPoints[1].X - fPoints[0].X, GetDrawScale());
}

int32_t TKVRBasePara::BaseScaleHeight() const
{
    return ToPaper(fPoints[1].Y - fPoints[0].Y, GetDrawScale());
}

int32_t TKVRBasePara::GetScalePadX() const
{
    return ToPaper(GetBasePadX(), GetDrawScale());
}

int32_t TKVRBasePara::GetScalePadY() const
{
    return ToPaper(GetBasePadY(), GetDrawScale());
}

void TKVRBasePara::WrapBox(int32_t& oWidth, int32_t& oHeight, bool aWholeSide) const
{
    const int32_t bw = BaseScaleWidth();
    const int32_t bh = BaseScaleHeight();
    int32_t w = Inner(bw, GetScalePadX());
    int32_t h = Inner(bh, GetScalePadY());
    if (aWholeSide) {
        if (w < 1)
            w = bw;
        if (h < 1)
            h = bh;
    }
    const bool turned = GetAngle() == TKVRAngle::Angle90 || GetAngle() == TKVRAngle::Angle270;
    oWidth = turned ? h : w;
    oHeight = turned ? w : h;
}

void TKVRBasePara::UpdatePoints()
{
    NormalizeBox();
}

TJsonObject TKVRBasePara::WriteJson() const
{
    TJsonObject j = TKVRBaseTextItem::WriteJson();
    WriteTextJson(j);
    fData.WriteJson(j);
    j["AutoGrow"] = AutoGrow;
    j["AutoShrink"] = AutoShrink;
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBasePara::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseTextItem::ReadJson(aVersion, aJson);
    ReadTextJson(aJson);
    fData.ReadJson(aJson);
    AutoGrow = KVRJson::GetBool(aJson, "AutoGrow", AutoGrow);
    AutoShrink = KVRJson::GetBool(aJson, "AutoShrink", AutoShrink);
    ReadJsonPoints(aJson, 1, 2, 2);
    FillData(!GetPreview());
}

void TKVRBasePara::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseTextItem::WriteData(aWriter);
    WriteTextFields(aWriter);
    fData.Write(aWriter);
    aWriter.WriteBoolean(AutoGrow);
    aWriter.WriteBoolean(AutoShrink);
    WritePoints(aWriter, 1, 2);
}

void TKVRBasePara::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseTextItem::ReadData(aVersion, aReader, aReadType);
    ReadTextFields(aReader);
    fData.Read(aReader);
    AutoGrow = aReader.ReadBoolean();
    AutoShrink = aReader.ReadBoolean();
    ReadPoints(aReader, 1, 2, 2);
    FillData(!GetPreview());
}
