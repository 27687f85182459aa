#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Paper micrometres of a model length, held within 32 bits.
int32_t ToPaper(int64_t aModel, int32_t aScale)
{
    const double v = double(aModel) / double(std::max(aScale, 1));
    return RoundHalfEven32(std::clamp(v, 0.0, double(std::numeric_limits<int32_t>::max())));
}

int64_t Distance(int64_t a, int64_t b)
{
    return a > b ? a - b : b - a;
}

float CheckedScale(float aValue)
{
    const float v = KVRCheck::Finite(aValue, "Scale");
    if (v < 0.0f)
        throw EKVRDataError("Invalid value for \"Scale\": negative");
    return v == 0.0f ? 1.0f : v;  // 0: not stored
}
}  // namespace

TKVRBaseFlow::TKVRBaseFlow(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::Flow, 2, aPreview)
{
    SetFilled(true);
}

TKVRBaseFlow::TKVRBaseFlow(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::Flow, 2, aPreview)
{
    SetFilled(true);
}

void TKVRBaseFlow::SetFontHeight(float aValue)
{
    if (std::isfinite(aValue) && aValue > 0.0f) {
        fFont.Height = RoundHalfEven32(double(aValue) * 1000.0);
        Changed();
    }
}

void TKVRBaseFlow::KeepFontHeight()
{
    // 0: not stored; the node keeps a text that can be seen.
    if (fFont.Height == 0)
        fFont.Height = DefaultFontHeight;
}

void TKVRBaseFlow::SetScaleX(float aValue)
{
    if (KVRAssignPositive(fScaleX, aValue))
        Changed();
}

TKVRPto TKVRBaseFlow::GetAnchor(uint16_t aIndex) const
{
    const TKVRPto a = fPoints[0], b = fPoints[1];
    const int64_t l = std::min(a.X, b.X), r = std::max(a.X, b.X);
    const int64_t t = std::min(a.Y, b.Y), bo = std::max(a.Y, b.Y);
    // Halves of each sum: coordinates stay within 2^53, so nothing overflows.
    const int64_t cx = l + (r - l) / 2, cy = t + (bo - t) / 2;
    switch (aIndex) {
    case 1: return {cx, t};
    case 2: return {r, cy};
    case 3: return {cx, bo};
    case 4: return {l, cy};
    default: return {cx, cy};
    }
}

int32_t TKVRBaseFlow::BaseScaleWidth() const
{
    return ToPaper(Distance(fPoints[0].X, fPoints[1].X), GetDrawScale());
}

int32_t TKVRBaseFlow::BaseScaleHeight() const
{
    return ToPaper(Distance(fPoints[0].Y, fPoints[1].Y), GetDrawScale());
}

int32_t TKVRBaseFlow::GetScalePadX() const
{
    return ToPaper(fPadX, GetDrawScale());
}

int32_t TKVRBaseFlow::GetScalePadY() const
{
    return ToPaper(fPadY, GetDrawScale());
}

TJsonObject TKVRBaseFlow::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["FlowType"] = fFlowType;
    fFont.WriteJson(j);
    j["Strikeout"] = fStrikeout;
    j["Text"] = KVRJson::Str(fText);
    j["PaddingX"] = fPadX;
    j["PaddingY"] = fPadY;
    j["Scale"] = fScaleX;
    j["Gradient"] = fGradient;
    j["GradientToColor"] = fGradColor;
    j["ShadowDX"] = fShadowDX;
    j["ShadowDY"] = fShadowDY;
    j["ShadowColor"] = fShadowColor;
    WriteJsonPoints(j, 1, 2);
    return j;
}

void TKVRBaseFlow::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    fFlowType = KVRJson::GetByte(aJson, "FlowType", fFlowType);
    fFont.ReadJson(aJson);
    KeepFontHeight();
    fStrikeout = KVRJson::GetBool(aJson, "Strikeout", fStrikeout);
    fText = KVRJson::GetString(aJson, "Text", fText);
    fPadX = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "PaddingX", fPadX), "PaddingX"));
    fPadY = int32_t(KVRCheck::NotNegative(KVRJson::GetInt32(aJson, "PaddingY", fPadY), "PaddingY"));
    fScaleX = CheckedScale(KVRJson::GetSingle(aJson, "Scale", fScaleX));
    fGradient = KVRJson::GetByte(aJson, "Gradient", fGradient);
    fGradColor = KVRJson::GetCardinal(aJson, "GradientToColor", fGradColor);
    fShadowDX = KVRCheck::Finite(KVRJson::GetSingle(aJson, "ShadowDX", fShadowDX), "ShadowDX");
    fShadowDY = KVRCheck::Finite(KVRJson::GetSingle(aJson, "ShadowDY", fShadowDY), "ShadowDY");
    fShadowColor = KVRJson::GetCardinal(aJson, "ShadowColor", fShadowColor);
    ReadJsonPoints(aJson, 1, 2, 2);
    Changed();
}

void TKVRBaseFlow::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteByte(fFlowType);
    fFont.Write(aWriter);
    aWriter.WriteBoolean(fStrikeout);
    aWriter.WriteString(fText);
    aWriter.WriteInt32(fPadX);
    aWriter.WriteInt32(fPadY);
    aWriter.WriteSingle(fScaleX);
    aWriter.WriteByte(fGradient);
    aWriter.WriteCardinal(fGradColor);
    aWriter.WriteSingle(fShadowDX);
    aWriter.WriteSingle(fShadowDY);
    aWriter.WriteCardinal(fShadowColor);
    WritePoints(aWriter, 1, 2);
}

void TKVRBaseFlow::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    fFlowType = aReader.ReadByte();
    fFont.Read(aReader);
    KeepFontHeight();
    fStrikeout = aReader.ReadBoolean();
    fText = aReader.ReadString();
    fPadX = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "PaddingX"));
    fPadY = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "PaddingY"));
    fScaleX = CheckedScale(KVRCheck::ReadSingle(aReader, "Scale"));
    fGradient = aReader.ReadByte();
    fGradColor = aReader.ReadCardinal();
    fShadowDX = KVRCheck::ReadSingle(aReader, "ShadowDX");
    fShadowDY = KVRCheck::ReadSingle(aReader, "ShadowDY");
    fShadowColor = aReader.ReadCardinal();
    ReadPoints(aReader, 1, 2, 2);
    Changed();
}
