#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Outline.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include <algorithm>
#include <stdexcept>

TKVRBaseItem::TKVRBaseItem(TKVRBaseLabel* aOwner, int32_t aKind, int32_t aNumPoints, bool aPreview)
    : TKVRBaseItem(aOwner, aOwner ? aOwner->GetActiveLayer() : nullptr, aKind, aNumPoints, aPreview)
{
}

TKVRBaseItem::TKVRBaseItem(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, int32_t aKind, int32_t aNumPoints, bool aPreview)
    : fOwner(aOwner), fKind(aKind), fPreview(aPreview)
{
    fPoints.resize(size_t(aNumPoints > 0 ? aNumPoints : 0));
    if (aLayer)
        fLayer = aLayer->GetIndex();
    if (fOwner)
        fOwner->AttachItem(this);
}

void TKVRBaseItem::SetLayer(int32_t aValue)
{
    fLayer = aValue;
    LayerChanged();
}

void TKVRBaseItem::LayerChanged()
{
    // The owner's list may be out of layer order now.
    if (fOwner && fAttached)
        fOwner->fLayerSorted = 0;
}

TKVRBaseItem::~TKVRBaseItem()
{
    if (fOwner && fAttached)
        fOwner->ItemDestroyed(this);
}

void TKVRBaseItem::SetNumID(int32_t aValue)
{
    fNumID = aValue;
    if (fOwner && fAttached)
        fOwner->NoteNumID(aValue);
}

// ---------------------------------------------------------------- slots

float TKVRBaseItem::GetRefX(int32_t aIndex) const
{
    return float(double(GetPoint(aIndex).X) / (1000.0 * GetDrawScale()));
}

float TKVRBaseItem::GetRefY(int32_t aIndex) const
{
    return float(double(GetPoint(aIndex).Y) / (1000.0 * GetDrawScale()));
}

TJsonObject TKVRBaseItem::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["Type"] = fKind;
    j["Layer"] = fLayer;
    j["State"] = fState;
    j["Options"] = fOptions;
    j["Color"] = fColor;
    j["PenWidth"] = fPenWidth;
    j["LineType"] = fLineType;
    j["NumID"] = fNumID;
    j["ID"] = KVRJson::Str(fID);
    return j;
}

bool TKVRBaseItem::GetIsData() const
{
    return false;
}

void TKVRBaseItem::CheckFit(TKVRExtent& aExtent)
{
    const int64_t half = fPenWidth / 2;
    for (const TKVRPto& p : fPoints)
        aExtent.IncludeWide(p.X, p.Y, half);
}

void TKVRBaseItem::ReadJson(int32_t, const TJsonObject& aJson)
{
    fLayer = KVRJson::GetInt32(aJson, "Layer", fLayer);
    LayerChanged();
    fState = uint16_t(KVRJson::GetCardinal(aJson, "State", fState) & 0xFFFF);
    fOptions = KVRJson::GetCardinal(aJson, "Options", fOptions);
    fColor = KVRJson::GetCardinal(aJson, "Color", fColor);
    fPenWidth = KVRCheck::CheckPenWidth(KVRJson::GetInt32(aJson, "PenWidth", fPenWidth));
    fLineType = KVRJson::GetByte(aJson, "LineType", fLineType);
    SetNumID(KVRJson::GetInt32(aJson, "NumID", fNumID));
    fID = KVRJson::GetString(aJson, "ID", fID);
    Changed();
}

void TKVRBaseItem::UpdateBounds()
{
    TKVRExtent e;
    CheckFit(e);
    fBounds = e.Assigned ? TKVRRect{e.MinX, e.MinY, e.MaxX, e.MaxY} : TKVRRect{};
}

void TKVRBaseItem::UpdatePoints()
{
}

void TKVRBaseItem::FillData(bool)
{
}

void TKVRBaseItem::WriteData(TBinaryWriter& aWriter) const
{
    aWriter.WriteInt32(fLayer);
    aWriter.WriteWord(fState);
    aWriter.WriteCardinal(fOptions);
    aWriter.WriteCardinal(fColor);
    aWriter.WriteInt32(fPenWidth);
    aWriter.WriteByte(fLineType);
    aWriter.WriteInt32(fNumID);
    aWriter.WriteString(fID);
}

void TKVRBaseItem::ReadData(int32_t, TBinaryReader& aReader, TKVRReadType)
{
    fLayer = aReader.ReadInt32();
    LayerChanged();
    fState = aReader.ReadWord();
    fOptions = aReader.ReadCardinal();
    fColor = aReader.ReadCardinal();
    fPenWidth = KVRCheck::CheckPenWidth(aReader.ReadInt32());
    fLineType = aReader.ReadByte();
    SetNumID(aReader.ReadInt32());
    fID = aReader.ReadString();
    Changed();
}

namespace {

// The part of a move d that keeps [lo, hi] within the coordinate range.
int64_t HeldMove(int64_t d, int64_t lo, int64_t hi)
{
    if (d > 0 && hi + d > KVRMaxCoordinate)
        d = std::max<int64_t>(0, KVRMaxCoordinate - hi);
    if (d < 0 && lo + d < -KVRMaxCoordinate)
        d = std::min<int64_t>(0, -KVRMaxCoordinate - lo);
    return d;
}

}  // namespace

void TKVRBaseItem::CheckBaseBoundsMove(int64_t& aDx, int64_t& aDy, TKVRMoveOpt)
{
    aDx = KVRHeldDifference(aDx, 0);
    aDy = KVRHeldDifference(aDy, 0);
    if (fPoints.empty())
        return;
    int64_t x0 = fPoints[0].X, x1 = x0, y0 = fPoints[0].Y, y1 = y0;
    for (const TKVRPto& p : fPoints) {
        x0 = std::min(x0, p.X);
        x1 = std::max(x1, p.X);
        y0 = std::min(y0, p.Y);
        y1 = std::max(y1, p.Y);
    }
    aDx = HeldMove(aDx, x0, x1);
    aDy = HeldMove(aDy, y0, y1);
}

void TKVRBaseItem::BoundsMove(float& aDx, float& aDy)
{
    int64_t dx = ToBase(aDx), dy = ToBase(aDy);
    CheckBaseBoundsMove(dx, dy, 0);
    aDx = float(FromBase(dx));
    aDy = float(FromBase(dy));
}

void TKVRBaseItem::BaseMove(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, TKVRMoveOpt aOpt, bool aUpdate)
{
    if (fPreview)
        return;
    int64_t dx = KVRHeldDifference(aX2, aX1);
    int64_t dy = KVRHeldDifference(aY2, aY1);
    CheckBaseBoundsMove(dx, dy, aOpt);
    for (TKVRPto& p : fPoints) {
        p.X += dx;
        p.Y += dy;
    }
    fBounds.Left += dx;
    fBounds.Right += dx;
    fBounds.Top += dy;
    fBounds.Bottom += dy;
    Changed();
    if (aUpdate)
        CalcValues(0);
}

void TKVRBaseItem::CalcValues(int16_t)
{
    fNeedCalc = false;
    UpdatePoints();
    UpdateBounds();
}

int32_t TKVRBaseItem::NumPoints() const
{
    return int32_t(fPoints.size());
}

bool TKVRBaseItem::InsertPoint(int64_t, int64_t, int32_t)
{
    return false;
}

TKVRPto TKVRBaseItem::CenterPoint() const
{
    return {fBounds.Left + fBounds.Width() / 2, fBounds.Top + fBounds.Height() / 2};
}

void TKVRBaseItem::Move(float aDx, float aDy, TKVRMoveOpt aOpt)
{
    BaseMove(0, 0, ToBase(aDx), ToBase(aDy), aOpt, true);
}

// ---------------------------------------------------------------- editing

bool TKVRBaseItem::Pick(int64_t aX, int64_t aY, int64_t aTolerance, bool aOutlineOnly) const
{
    if (fPreview)
        return false;
    TKVROutline o;
    GetOutline(o);
    // The pen is paper: its ink reaches half its width beside the outline,
    // which the drawing scale makes longer in the model.
    const double ink = double(std::max(fPenWidth, 0)) / 2.0 * double(GetDrawScale());
    return o.Hit(double(aX), double(aY), double(std::max<int64_t>(aTolerance, 0)) + ink, aOutlineOnly);
}

bool TKVRBaseItem::SearchRect(const TKVRRect& aRect, bool aCrossing) const
{
    if (fPreview)
        return false;
    const TKVRRect r{std::min(aRect.Left, aRect.Right), std::min(aRect.Top, aRect.Bottom),
                     std::max(aRect.Left, aRect.Right), std::max(aRect.Top, aRect.Bottom)};
    TKVROutline o;
    GetOutline(o);
    return aCrossing ? o.TouchesRect(r) : o.InsideRect(r);
}

bool TKVRBaseItem::CheckPoint(int64_t aX, int64_t aY, int64_t aTolerance, TKVRSnap aSnap, TKVRRef& aRef) const
{
    if (fPreview)
        return false;
    TKVROutline o;
    GetOutline(o);
    TKVRPto at;
    if (!KVRNearestSnap(o, aSnap, aX, aY, aTolerance, double(aRef.RefX), double(aRef.RefY), aRef.HasReference(), at))
        return false;
    aRef.X = at.X;
    aRef.Y = at.Y;
    aRef.Found = true;
    switch (aSnap) {
    case KVRSnap::Centre:
    case KVRSnap::Tangent: aRef.Shape = TKVRRef::ShapeCircle; break;
    case KVRSnap::OnElement:
    case KVRSnap::Cross:
    case KVRSnap::Perpendicular: aRef.Shape = TKVRRef::ShapeCross; break;
    default: aRef.Shape = TKVRRef::ShapeSquare; break;
    }
    return true;
}

void TKVRBaseItem::CheckPosition()
{
    for (TKVRPto& p : fPoints)
        p = {KVRHeldCoordinate(p.X), KVRHeldCoordinate(p.Y)};
    CalcValues(0);
}

TKVRRect TKVRBaseItem::TurnBox() const
{
    TKVRExtent e;
    for (const TKVRPto& p : fPoints)
        e.Include(p.X, p.Y);
    return {e.MinX, e.MinY, e.MaxX, e.MaxY};
}

namespace {

// Offset of a quarter turn that keeps the box's centre. When width and height
// differ in parity the centre cannot stay on whole micrometres: it moves half
// a micrometre down-right from an odd width and back from an even one, so
// four turns, or a turn and its opposite, come back to where they started.
TKVRPto TurnOffset(const TKVRRect& b, bool aLeft)
{
    const int64_t sx = b.Left + b.Right, sy = b.Top + b.Bottom;
    int64_t d = aLeft ? sx - sy : sx + sy;  // twice the x offset
    int64_t e = aLeft ? sx + sy : sy - sx;  // twice the y offset
    if ((d & 1) != 0) {
        const int64_t half = ((b.Right - b.Left) & 1) != 0 ? 1 : -1;
        d += half;
        e += half;
    }
    return {d / 2, e / 2};
}

}  // namespace

void TKVRBaseItem::RotateLeft()
{
    if (fPreview)
        return;
    TurnQuarter(true, TurnOffset(TurnBox(), true));
}

void TKVRBaseItem::RotateRight()
{
    if (fPreview)
        return;
    TurnQuarter(false, TurnOffset(TurnBox(), false));
}

void TKVRBaseItem::TurnQuarter(bool aLeft, const TKVRPto& aOffset)
{
    if (fPreview)
        return;
    for (TKVRPto& p : fPoints)
        p = aLeft ? TKVRPto{p.Y + aOffset.X, -p.X + aOffset.Y} : TKVRPto{-p.Y + aOffset.X, p.X + aOffset.Y};
    Changed();
    CheckPosition();
}

void TKVRBaseItem::GetOutline(TKVROutline& aOutline) const
{
    aOutline.AddBox(fBounds, true);
}

void TKVRBaseItem::GetSelPoints(std::vector<TKVRSelPoint>& aPoints) const
{
    aPoints.push_back({fBounds.Left, fBounds.Top, fBounds.Right, fBounds.Bottom, KVRSelKind::Frame, 0});
}

bool TKVRBaseItem::MovePoint(TKVRMoveType&, int32_t, int64_t, int64_t)
{
    return false;
}

bool TKVRBaseItem::DeletePoint(int32_t)
{
    return false;
}

int32_t TKVRBaseItem::LeastPoints() const
{
    return 0;
}

// ---------------------------------------------------------------- the rest

void TKVRBaseItem::DrawElement(TKVRBaseDraw* aDraw)
{
    if (!aDraw)
        return;
    if (fNeedCalc) {
        CalcValues(0);
        fNeedCalc = false;  // the layout step may itself set derived points
    }
    Draw(aDraw);
}

void TKVRBaseItem::PrintElement(TKVRBaseDraw* aDraw)
{
    if (!aDraw)
        return;
    if (fNeedCalc) {
        CalcValues(0);
        fNeedCalc = false;
    }
    Print(aDraw);
}

void TKVRBaseItem::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteInt32(fKind);
    WriteData(aWriter);
}

TKVRPto TKVRBaseItem::GetPoint(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > int32_t(fPoints.size()))
        throw std::out_of_range("Point index out of range");
    return fPoints[size_t(aIndex - 1)];
}

void TKVRBaseItem::SetBase(int32_t aIndex, int64_t aX, int64_t aY)
{
    if (aIndex < 1 || aIndex > int32_t(fPoints.size()))
        throw std::out_of_range("Point index out of range");
    fPoints[size_t(aIndex - 1)] = {aX, aY};
    Changed();
}

void TKVRBaseItem::AssignPoints(const TKVRPto* aPoints, int32_t aCount)
{
    if (aCount < 0 || aCount > int32_t(fPoints.size()))
        throw std::out_of_range("Point count out of range");
    for (int32_t i = 0; i < aCount; ++i)
        fPoints[size_t(i)] = aPoints[i];
    Changed();
}

void TKVRBaseItem::SetPointX(int32_t aIndex, float aValue)
{
    SetBase(aIndex, ToBase(aValue), GetPoint(aIndex).Y);
}

void TKVRBaseItem::SetPointY(int32_t aIndex, float aValue)
{
    SetBase(aIndex, GetPoint(aIndex).X, ToBase(aValue));
}

void TKVRBaseItem::SetColor(TAlphaColor aValue)
{
    fColor = aValue;
}

void TKVRBaseItem::SetPenWidth(float aValue)
{
    SetBasePenWidth(RoundHalfEven32(double(aValue) * 1000.0));
}

void TKVRBaseItem::SetBasePenWidth(int32_t aValue)
{
    fPenWidth = aValue < 0 ? 0 : aValue;
    Changed();
}

void TKVRBaseItem::SetLineType(TVXLineType aValue)
{
    fLineType = aValue;
}

int32_t TKVRBaseItem::GetDrawScale() const
{
    const int32_t s = fOwner ? fOwner->GetMeasure().GetDrawScale() : 1;
    return s > 0 ? s : 1;
}

int64_t TKVRBaseItem::GetUnitSize() const
{
    return fOwner ? MicrometresPerUnit(fOwner->GetUnits()) : MicrometresPerUnit(TKVRUnits::Millimetre);
}

int64_t TKVRBaseItem::ToBase(double aValue) const
{
    return RoundHalfEven(aValue * double(GetUnitSize()));
}

double TKVRBaseItem::FromBase(int64_t aValue) const
{
    return double(aValue) / double(GetUnitSize());
}

void TKVRBaseItem::SetNumPoints(int32_t aCount)
{
    fPoints.resize(size_t(aCount > 0 ? aCount : 0));
    Changed();
}

void TKVRBaseItem::SetPoints(std::vector<TKVRPto> aPoints)
{
    fPoints = std::move(aPoints);
    Changed();
}

void TKVRBaseItem::WritePoints(TBinaryWriter& aWriter, int32_t aFirst, int32_t aCount) const
{
    WritePointList(aWriter, fPoints.data() + (aFirst - 1), aCount);
}

void TKVRBaseItem::WritePointList(TBinaryWriter& aWriter, const TKVRPto* aPoints, int32_t aCount)
{
    aWriter.WriteInt32(aCount);
    for (int32_t i = 0; i < aCount; ++i) {
        aWriter.WriteInt64(aPoints[i].X);
        aWriter.WriteInt64(aPoints[i].Y);
    }
}

void TKVRBaseItem::ReadPoints(TBinaryReader& aReader, int32_t aFirst, int32_t aMin, int32_t aMax)
{
    const int32_t n = aReader.ReadCount(16);
    KVRCheck::CheckPointCount(n, aMin, aMax);
    std::vector<TKVRPto> pts(static_cast<size_t>(n));
    for (TKVRPto& p : pts) {
        p.X = KVRCheck::Coordinate(aReader.ReadInt64(), "Points");
        p.Y = KVRCheck::Coordinate(aReader.ReadInt64(), "Points");
    }
    if (int32_t(fPoints.size()) < aFirst - 1 + n)
        fPoints.resize(size_t(aFirst - 1 + n));
    if (aMax < 0)  // a free list: the stored points are the whole list
        fPoints.resize(size_t(aFirst - 1 + n));
    for (int32_t i = 0; i < n; ++i)
        fPoints[size_t(aFirst - 1 + i)] = pts[size_t(i)];
    Changed();
}

void TKVRBaseItem::WriteJsonPoints(TJsonObject& aJson, int32_t aFirst, int32_t aCount) const
{
    TJsonObject arr = TJsonObject::array();
    for (int32_t i = 0; i < aCount; ++i) {
        const TKVRPto& p = fPoints[size_t(aFirst - 1 + i)];
        arr.push_back(TJsonObject::array({p.X, p.Y}));
    }
    aJson["Points"] = std::move(arr);
}

void TKVRBaseItem::ReadJsonPoints(const TJsonObject& aJson, int32_t aFirst, int32_t aMin, int32_t aMax)
{
    const TJsonObject* arr = KVRJson::GetArray(aJson, "Points");
    if (!arr)
        return;
    const int64_t n64 = int64_t(arr->size());
    if (n64 > INT32_MAX)
        throw EKVRJsonError("Invalid JSON value for \"Points\": too many points");
    const int32_t n = int32_t(n64);
    KVRCheck::CheckPointCount(n, aMin, aMax);
    std::vector<TKVRPto> pts;
    pts.reserve(size_t(n));
    for (const TJsonObject& e : *arr) {
        auto isCoordinate = [](const TJsonObject& v) {
            return v.is_number_integer() && !(v.is_number_unsigned() && v.get<uint64_t>() > uint64_t(INT64_MAX));
        };
        if (!e.is_array() || e.size() != 2 || !isCoordinate(e[0]) || !isCoordinate(e[1]))
            throw EKVRJsonError("Invalid JSON value for \"Points\": [x, y] pairs of 64-bit integers were expected");
        pts.push_back({KVRCheck::Coordinate(e[0].get<int64_t>(), "Points"),
                       KVRCheck::Coordinate(e[1].get<int64_t>(), "Points")});
    }
    if (int32_t(fPoints.size()) < aFirst - 1 + n || aMax < 0)
        fPoints.resize(size_t(aFirst - 1 + n));
    for (int32_t i = 0; i < n; ++i)
        fPoints[size_t(aFirst - 1 + i)] = pts[size_t(i)];
    Changed();
}
