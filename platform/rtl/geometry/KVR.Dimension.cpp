#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/text/KVR.FormatFloat.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

float PaperLength(float aValue, const char* aWhat)
{
    if (aValue < 0.0f)
        throw EKVRDataError(std::string("Invalid negative value for ") + aWhat);
    return aValue;
}

int32_t PaperMicrons(int32_t aValue, const char* aWhat)
{
    return int32_t(KVRCheck::NotNegative(aValue, aWhat));
}

}  // namespace

// ---------------------------------------------------------------- style

void TKVRDimStyle::SetFontHeight(float aValue)
{
    fFont.Height = KVRMillimetresToMicrometres(aValue);
}

void TKVRDimStyle::SetExtSize(float aValue)
{
    SetLeaderLength(KVRMillimetresToMicrometres(aValue));
    // The overshoot is part of the extension line: never longer than it.
    if (fExtBeyond > fLeaderLength)
        fExtBeyond = fLeaderLength;
}

void TKVRDimStyle::SetExtGap(float aValue)
{
    SetExtBeyond(KVRMillimetresToMicrometres(aValue));
}

void TKVRDimStyle::SetDimBreak(float aValue)
{
    SetExtOffset(KVRMillimetresToMicrometres(aValue));
}

void TKVRDimStyle::WriteData(TBinaryWriter& aWriter) const
{
    aWriter.WriteString(fName);
    aWriter.WriteCardinal(fDimColor);
    aWriter.WriteCardinal(fExtColor);
    aWriter.WriteCardinal(fHeadColor);
    aWriter.WriteCardinal(fFillColor);
    aWriter.WriteByte(fDimLineType);
    aWriter.WriteByte(fExtLineType);
    aWriter.WriteByte(fHeadType);
    aWriter.WriteInt16(fArrowOpen);
    aWriter.WriteSingle(fHeadSize);
    aWriter.WriteSingle(fDimPenWidth);
    aWriter.WriteSingle(fExtPenWidth);
    fFont.Write(aWriter);
    aWriter.WriteByte(fTextPos);
    aWriter.WriteString(fPrefix);
    aWriter.WriteString(fFormat);
    aWriter.WriteString(fSuffix);
    aWriter.WriteInt32(fExtOffset);
    aWriter.WriteInt32(fExtBeyond);
    aWriter.WriteInt32(fLeaderLength);
}

void TKVRDimStyle::ReadData(int32_t, TBinaryReader& aReader)
{
    TKVRDimStyle s;  // filled completely before it replaces this one
    s.fName = aReader.ReadString();
    s.fDimColor = aReader.ReadCardinal();
    s.fExtColor = aReader.ReadCardinal();
    s.fHeadColor = aReader.ReadCardinal();
    s.fFillColor = aReader.ReadCardinal();
    s.fDimLineType = aReader.ReadByte();
    s.fExtLineType = aReader.ReadByte();
    s.fHeadType = aReader.ReadByte();
    s.fArrowOpen = aReader.ReadInt16();
    s.fHeadSize = PaperLength(KVRCheck::ReadSingle(aReader, "HeadSize"), "HeadSize");
    s.fDimPenWidth = PaperLength(KVRCheck::ReadSingle(aReader, "DimPenWidth"), "DimPenWidth");
    s.fExtPenWidth = PaperLength(KVRCheck::ReadSingle(aReader, "ExtPenWidth"), "ExtPenWidth");
    s.fFont.Read(aReader);
    s.fTextPos = aReader.ReadByte();
    s.fPrefix = aReader.ReadString();
    s.fFormat = aReader.ReadString();
    s.fSuffix = aReader.ReadString();
    s.fExtOffset = PaperMicrons(aReader.ReadInt32(), "ExtOffset");
    s.fExtBeyond = PaperMicrons(aReader.ReadInt32(), "ExtBeyond");
    s.fLeaderLength = PaperMicrons(aReader.ReadInt32(), "LeaderLength");
    *this = s;
}

TJsonObject TKVRDimStyle::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["Name"] = KVRJson::Str(fName);
    j["DimColor"] = fDimColor;
    j["ExtColor"] = fExtColor;
    j["HeadColor"] = fHeadColor;
    j["FillColor"] = fFillColor;
    j["DimLineType"] = fDimLineType;
    j["ExtLineType"] = fExtLineType;
    j["HeadType"] = fHeadType;
    j["ArrowOpen"] = fArrowOpen;
    j["HeadSize"] = fHeadSize;
    j["DimPenWidth"] = fDimPenWidth;
    j["ExtPenWidth"] = fExtPenWidth;
    fFont.WriteJson(j);
    j["TextPos"] = fTextPos;
    j["Prefix"] = KVRJson::Str(fPrefix);
    j["Format"] = KVRJson::Str(fFormat);
    j["Suffix"] = KVRJson::Str(fSuffix);
    j["ExtOffset"] = fExtOffset;
    j["ExtBeyond"] = fExtBeyond;
    j["LeaderLength"] = fLeaderLength;
    return j;
}

void TKVRDimStyle::ReadJson(int32_t, const TJsonObject& aJson)
{
    TKVRDimStyle s = *this;
    s.fName = KVRJson::GetString(aJson, "Name", s.fName);
    s.fDimColor = KVRJson::GetCardinal(aJson, "DimColor", s.fDimColor);
    s.fExtColor = KVRJson::GetCardinal(aJson, "ExtColor", s.fExtColor);
    s.fHeadColor = KVRJson::GetCardinal(aJson, "HeadColor", s.fHeadColor);
    s.fFillColor = KVRJson::GetCardinal(aJson, "FillColor", s.fFillColor);
    s.fDimLineType = KVRJson::GetByte(aJson, "DimLineType", s.fDimLineType);
    s.fExtLineType = KVRJson::GetByte(aJson, "ExtLineType", s.fExtLineType);
    s.fHeadType = KVRJson::GetByte(aJson, "HeadType", s.fHeadType);
    s.fArrowOpen = KVRJson::GetInt16(aJson, "ArrowOpen", s.fArrowOpen);
    s.fHeadSize = PaperLength(KVRJson::GetSingle(aJson, "HeadSize", s.fHeadSize), "HeadSize");
    s.fDimPenWidth = PaperLength(KVRJson::GetSingle(aJson, "DimPenWidth", s.fDimPenWidth), "DimPenWidth");
    s.fExtPenWidth = PaperLength(KVRJson::GetSingle(aJson, "ExtPenWidth", s.fExtPenWidth), "ExtPenWidth");
    s.fFont.ReadJson(aJson);
    s.fTextPos = KVRJson::GetByte(aJson, "TextPos", s.fTextPos);
    s.fPrefix = KVRJson::GetString(aJson, "Prefix", s.fPrefix);
    s.fFormat = KVRJson::GetString(aJson, "Format", s.fFormat);
    s.fSuffix = KVRJson::GetString(aJson, "Suffix", s.fSuffix);
    s.fExtOffset = PaperMicrons(KVRJson::GetInt32(aJson, "ExtOffset", s.fExtOffset), "ExtOffset");
    s.fExtBeyond = PaperMicrons(KVRJson::GetInt32(aJson, "ExtBeyond", s.fExtBeyond), "ExtBeyond");
    s.fLeaderLength = PaperMicrons(KVRJson::GetInt32(aJson, "LeaderLength", s.fLeaderLength), "LeaderLength");
    *this = s;
}

// ---------------------------------------------------------------- geometry

namespace KVRDim {

namespace {

TKVRPto At(double aX, double aY)
{
    return {RoundHalfEven(aX), RoundHalfEven(aY)};
}

int Sign(double v)
{
    return v < 0 ? -1 : 1;
}

}  // namespace

TVXDimType ChooseLinearType(const TKVRPto& aP1, const TKVRPto& aP2, const TKVRPto& aPos)
{
    const int64_t minX = std::min(aP1.X, aP2.X), maxX = std::max(aP1.X, aP2.X);
    const int64_t minY = std::min(aP1.Y, aP2.Y), maxY = std::max(aP1.Y, aP2.Y);
    const bool besideX = aPos.X < minX || aPos.X > maxX;
    const bool besideY = aPos.Y < minY || aPos.Y > maxY;
    if (besideY && !besideX)
        return KVRDimType::Horizontal;
    if (besideX && !besideY)
        return KVRDimType::Vertical;
    return KVRDimType::Aligned;
}

void LinearPoints(TVXDimType aType, const TKVRPto& aP1, const TKVRPto& aP2, const TKVRPto& aPos,
                  const TKVRDimStyle& aStyle, int32_t aScale, TDimPoints& oPts)
{
    const double off = double(aStyle.GetExtOffset()) * aScale;
    const double beyond = double(aStyle.GetExtBeyond()) * aScale;
    // Direction of the extension lines (n) and where the dimension line lies along it.
    double nx, ny, d1, d2;
    if (aType == KVRDimType::Horizontal) {
        nx = 0.0;
        ny = 1.0;
        d1 = double(aPos.Y - aP1.Y);
        d2 = double(aPos.Y - aP2.Y);
    } else if (aType == KVRDimType::Vertical) {
        nx = 1.0;
        ny = 0.0;
        d1 = double(aPos.X - aP1.X);
        d2 = double(aPos.X - aP2.X);
    } else {
        const double dx = double(aP2.X - aP1.X), dy = double(aP2.Y - aP1.Y);
        const double len = std::hypot(dx, dy);
        nx = len > 0.0 ? -dy / len : 0.0;
        ny = len > 0.0 ? dx / len : 1.0;
        d1 = d2 = double(aPos.X - aP1.X) * nx + double(aPos.Y - aP1.Y) * ny;
    }
    oPts[0] = aP1;
    oPts[1] = aP2;
    const int s1 = Sign(d1), s2 = Sign(d2);
    oPts[2] = At(aP1.X + nx * s1 * std::min(off, std::fabs(d1)), aP1.Y + ny * s1 * std::min(off, std::fabs(d1)));
    oPts[3] = At(aP2.X + nx * s2 * std::min(off, std::fabs(d2)), aP2.Y + ny * s2 * std::min(off, std::fabs(d2)));
    oPts[4] = At(aP1.X + nx * d1, aP1.Y + ny * d1);
    oPts[5] = At(aP2.X + nx * d2, aP2.Y + ny * d2);
    oPts[6] = At(aP1.X + nx * (d1 + s1 * beyond), aP1.Y + ny * (d1 + s1 * beyond));
    oPts[7] = At(aP2.X + nx * (d2 + s2 * beyond), aP2.Y + ny * (d2 + s2 * beyond));
}

double DistanceAlong(const TKVRPto& aP5, const TKVRPto& aP6, const TKVRPto& aAt)
{
    const double dx = double(aP6.X - aP5.X), dy = double(aP6.Y - aP5.Y);
    const double len = std::hypot(dx, dy);
    if (len == 0.0)
        return 0.0;
    return (double(aAt.X - aP5.X) * dx + double(aAt.Y - aP5.Y) * dy) / len;
}

TKVRPto PointAlong(const TKVRPto& aP5, const TKVRPto& aP6, double aDistance)
{
    const double dx = double(aP6.X - aP5.X), dy = double(aP6.Y - aP5.Y);
    const double len = std::hypot(dx, dy);
    if (len == 0.0 || !(aDistance > 0.0))
        return aP5;
    if (aDistance >= len)
        return aP6;
    return At(double(aP5.X) + dx * aDistance / len, double(aP5.Y) + dy * aDistance / len);
}

void RadialPoints(TVXDimType aType, int64_t aCX, int64_t aCY, int64_t aRadius, double aAngle,
                  const TKVRDimStyle& aStyle, int32_t aScale, TDimPoints& oPts)
{
    const double ux = std::cos(aAngle), uy = std::sin(aAngle);
    const double r = double(aRadius);
    const bool diameter = aType == KVRDimType::Diameter1 || aType == KVRDimType::Diameter2;
    const bool leader = aType == KVRDimType::Radial2 || aType == KVRDimType::Diameter2;
    const TKVRPto p1 = diameter ? At(aCX - ux * r, aCY - uy * r) : TKVRPto{aCX, aCY};
    const TKVRPto p2 = At(aCX + ux * r, aCY + uy * r);
    oPts.fill(p2);
    oPts[0] = p1;
    if (leader) {
        const double l = double(aStyle.GetLeaderLength()) * aScale;
        const TKVRPto p3 = At(p2.X + ux * l, p2.Y + uy * l);
        const TKVRPto p4 = At(p3.X + (ux < 0 ? -l : l), double(p3.Y));
        oPts[2] = p3;
        oPts[3] = p4;
        oPts[4] = p3;
        oPts[5] = p4;
    } else {
        oPts[4] = p1;
        oPts[5] = p2;
    }
}

void RadialPointsFrom(TVXDimType aType, const TKVRPto& aP1, const TKVRPto& aP2, const TKVRDimStyle& aStyle,
                      int32_t aScale, TDimPoints& oPts)
{
    const bool diameter = aType == KVRDimType::Diameter1 || aType == KVRDimType::Diameter2;
    const double dx = double(aP2.X - aP1.X), dy = double(aP2.Y - aP1.Y);
    const double len = std::hypot(dx, dy);
    const double angle = len > 0.0 ? std::atan2(dy, dx) : 0.0;
    if (diameter) {
        const int64_t cx = RoundHalfEven((double(aP1.X) + double(aP2.X)) / 2.0);
        const int64_t cy = RoundHalfEven((double(aP1.Y) + double(aP2.Y)) / 2.0);
        RadialPoints(aType, cx, cy, RoundHalfEven(len / 2.0), angle, aStyle, aScale, oPts);
        oPts[0] = aP1;  // keep the stored ends exactly
        oPts[1] = aP2;
    } else {
        RadialPoints(aType, aP1.X, aP1.Y, RoundHalfEven(len), angle, aStyle, aScale, oPts);
        oPts[1] = aP2;
    }
    if (aType == KVRDimType::Radial1 || aType == KVRDimType::Diameter1) {
        oPts[2] = oPts[3] = oPts[6] = oPts[7] = aP2;
        oPts[4] = aP1;
        oPts[5] = aP2;
    }
}

void AngularPoints(const TKVRPto& aP1, const TKVRPto& aP2, const TKVRPto& aP3, const TKVRPto& aP4,
                   const TKVRPto& aPos, TDimPoints& oPts)
{
    oPts[0] = aP1;
    oPts[1] = aP2;
    oPts[2] = aP3;
    oPts[3] = aP4;
    oPts[4] = oPts[5] = oPts[6] = oPts[7] = aPos;
    const double ax = double(aP2.X - aP1.X), ay = double(aP2.Y - aP1.Y);
    const double bx = double(aP4.X - aP3.X), by = double(aP4.Y - aP3.Y);
    const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    const double den = ax * by - ay * bx;
    if (la == 0.0 || lb == 0.0 || den == 0.0)
        return;  // no crossing: no arc
    // Crossing of the two lines.
    const double t = (double(aP3.X - aP1.X) * by - double(aP3.Y - aP1.Y) * bx) / den;
    const double cx = aP1.X + t * ax, cy = aP1.Y + t * ay;
    // Lines so nearly parallel that they cross beyond any drawing are parallel.
    const double far = double(KVRMaxCoordinate);
    if (!(std::fabs(cx) <= far && std::fabs(cy) <= far))
        return;
    const double px = aPos.X - cx, py = aPos.Y - cy;
    const double r = std::hypot(px, py);
    const TKVRPto centre = At(cx, cy);
    oPts[7] = centre;
    if (r == 0.0) {
        oPts[4] = oPts[5] = oPts[6] = centre;
        return;
    }
    // Each side points towards the picked position.
    double d1x = ax / la, d1y = ay / la, d2x = bx / lb, d2y = by / lb;
    if (px * d1x + py * d1y < 0) {
        d1x = -d1x;
        d1y = -d1y;
    }
    if (px * d2x + py * d2y < 0) {
        d2x = -d2x;
        d2y = -d2y;
    }
    double mx = d1x + d2x, my = d1y + d2y;
    const double lm = std::hypot(mx, my);
    if (lm < 1e-12) {  // opposite sides: the middle is across, on the picked side
        mx = -d1y;
        my = d1x;
        if (mx * px + my * py < 0) {
            mx = -mx;
            my = -my;
        }
    } else {
        mx /= lm;
        my /= lm;
    }
    // The arc's middle goes onto the bisector at the picked distance; a
    // position already there (within the rounding of a whole micrometre)
    // stays, and the sides take the distance of the rounded middle, so a
    // second layout of these points gives them back unchanged.
    TKVRPto middle = aPos;
    if (std::fabs(px * my - py * mx) > 1.0 || px * mx + py * my <= 0.0)
        middle = At(cx + mx * r, cy + my * r);
    const double rm = std::hypot(double(middle.X) - cx, double(middle.Y) - cy);
    oPts[4] = At(cx + d1x * rm, cy + d1y * rm);
    oPts[5] = At(cx + d2x * rm, cy + d2y * rm);
    oPts[6] = middle;
}

double MeasuredValue(TVXDimType aType, const TDimPoints& aPts)
{
    const TKVRPto& a = aPts[0];
    const TKVRPto& b = aPts[1];
    switch (aType) {
    case KVRDimType::Horizontal: return std::fabs(double(b.X - a.X));
    case KVRDimType::Vertical: return std::fabs(double(b.Y - a.Y));
    case KVRDimType::Angular: {
        const TKVRPto& c = aPts[7];
        const double ux = double(aPts[4].X - c.X), uy = double(aPts[4].Y - c.Y);
        const double vx = double(aPts[5].X - c.X), vy = double(aPts[5].Y - c.Y);
        if ((ux == 0 && uy == 0) || (vx == 0 && vy == 0))
            return 0.0;
        return std::fabs(std::atan2(ux * vy - uy * vx, ux * vx + uy * vy)) * 180.0 / std::numbers::pi;
    }
    default: return std::hypot(double(b.X - a.X), double(b.Y - a.Y));
    }
}

QString ValueText(TVXDimType aType, double aValue, TKVRUnits aUnits, const TKVRDimStyle& aStyle)
{
    QString number;
    QString mark;
    if (aType == KVRDimType::Angular)
        number = FormatFloat(aStyle.GetFormat(), aValue) + QChar(0x00B0);
    else
        number = FormatFloat(aStyle.GetFormat(), aValue / double(MicrometresPerUnit(aUnits)));
    if (aType == KVRDimType::Radial1 || aType == KVRDimType::Radial2)
        mark = QStringLiteral("R");
    else if (aType == KVRDimType::Diameter1 || aType == KVRDimType::Diameter2)
        mark = QString(QChar(0x00D8));
    return aStyle.GetPrefix() + mark + number + aStyle.GetSuffix();
}

}  // namespace KVRDim
