#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/KVR.Math.h"
#include <algorithm>

TJsonObject TKVR2DItem::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    j["Filled"] = fFilled;
    j["BackColor"] = fBackColor;
    j["Alpha"] = fAlpha;
    return j;
}

void TKVR2DItem::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    fFilled = KVRJson::GetBool(aJson, "Filled", fFilled);
    fBackColor = KVRJson::GetCardinal(aJson, "BackColor", fBackColor);
    fAlpha = KVRJson::GetByte(aJson, "Alpha", fAlpha);
}

void TKVR2DItem::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    aWriter.WriteBoolean(fFilled);
    aWriter.WriteCardinal(fBackColor);
    aWriter.WriteByte(fAlpha);
}

void TKVR2DItem::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    fFilled = aReader.ReadBoolean();
    fBackColor = aReader.ReadCardinal();
    fAlpha = aReader.ReadByte();
}

void TKVR2DItem::NormalizeBox()
{
    if (fPoints.size() < 2)
        return;
    TKVRPto& a = fPoints[0];
    TKVRPto& b = fPoints[1];
    if (a.X > b.X)
        std::swap(a.X, b.X);
    if (a.Y > b.Y)
        std::swap(a.Y, b.Y);
}

void TKVR2DItem::SetBox(int64_t aCX, int64_t aCY, int64_t aRX, int64_t aRY)
{
    aRX = aRX < 0 ? -aRX : aRX;
    aRY = aRY < 0 ? -aRY : aRY;
    SetBase(1, aCX - aRX, aCY - aRY);
    SetBase(2, aCX + aRX, aCY + aRY);
}

// ---------------------------------------------------------------- editing

TKVRAngle TKVR2DItem::TurnedAngle(TKVRAngle aAngle, bool aLeft)
{
    const int a = uint8_t(aAngle) <= 3 ? int(uint8_t(aAngle)) : 0;
    return TKVRAngle((a + (aLeft ? 1 : 3)) % 4);
}

int32_t TKVR2DItem::WidthPx(int32_t aDpi) const
{
    return RoundHalfEven32(double(Box().Width()) * aDpi / 25400.0);
}

int32_t TKVR2DItem::HeightPx(int32_t aDpi) const
{
    return RoundHalfEven32(double(Box().Height()) * aDpi / 25400.0);
}

TKVRRect TKVR2DItem::Box() const
{
    if (fPoints.size() < 2)
        return fBounds;
    const TKVRPto& a = fPoints[0];
    const TKVRPto& b = fPoints[1];
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

void TKVR2DItem::FrameSelPoints(const TKVRRect& b, std::vector<TKVRSelPoint>& aPoints)
{
    const int64_t mx = b.Left + b.Width() / 2, my = b.Top + b.Height() / 2;
    const int64_t xs[8] = {b.Left, mx, b.Right, b.Left, b.Right, b.Left, mx, b.Right};
    const int64_t ys[8] = {b.Top, b.Top, b.Top, my, my, b.Bottom, b.Bottom, b.Bottom};
    for (int i = 0; i < 8; ++i)
        aPoints.push_back({xs[i], ys[i], xs[i], ys[i], TKVRSelKind(KVRSelKind::SizeTopLeft + i), 0});
}

TKVRRect TKVR2DItem::SizedBox(const TKVRRect& aBox, TKVRMoveType& aType, int64_t aX, int64_t aY)
{
    // Handles 0..7: top-left, top, top-right, left, right, bottom-left, bottom, bottom-right.
    static constexpr int8_t Col[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
    static constexpr int8_t Row[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    const int h = aType - KVRMoveType::SizeTopLeft;
    int col = Col[h], row = Row[h];
    aX = KVRHeldCoordinate(aX);
    aY = KVRHeldCoordinate(aY);
    TKVRRect r = aBox;
    if (col < 0)
        r.Left = aX;
    if (col > 0)
        r.Right = aX;
    if (row < 0)
        r.Top = aY;
    if (row > 0)
        r.Bottom = aY;
    if (r.Left > r.Right) {
        std::swap(r.Left, r.Right);
        col = -col;
    }
    if (r.Top > r.Bottom) {
        std::swap(r.Top, r.Bottom);
        row = -row;
    }
    for (int i = 0; i < 8; ++i)
        if (Col[i] == col && Row[i] == row)
            aType = TKVRMoveType(KVRMoveType::SizeTopLeft + i);
    return r;
}

void TKVR2DItem::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    FrameSelPoints(Box(), aPoints);
}

bool TKVR2DItem::MovePoint(TKVRMoveType& aType, int32_t, int64_t aX, int64_t aY)
{
    if (GetPreview() || !KVRMoveType::IsSizing(aType) || fPoints.size() < 2)
        return false;
    TKVRMoveType t = aType;
    const TKVRRect r = SizedBox(Box(), t, aX, aY);
    fPoints[0] = {r.Left, r.Top};
    fPoints[1] = {r.Right, r.Bottom};
    aType = t;
    Changed();
    CheckPosition();
    return true;
}
