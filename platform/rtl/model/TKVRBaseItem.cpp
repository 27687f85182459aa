#include "platform/rtl/model/TKVRBaseItem.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
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

void TKVRBaseItem::BaseMove(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, TKVRMoveOpt, bool aUpdate)
{
    const int64_t dx = aX2 - aX1;
    const int64_t dy = aY2 - aY1;
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

TKVRPto TKVRBaseItem::CenterPoint() const
{
    return {fBounds.Left + fBounds.Width() / 2, fBounds.Top + fBounds.Height() / 2};
}

void TKVRBaseItem::Move(float aDx, float aDy, TKVRMoveOpt aOpt)
{
    BaseMove(0, 0, ToBase(aDx), ToBase(aDy), aOpt, true);
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
    aWriter.WriteInt32(aCount);
    for (int32_t i = 0; i < aCount; ++i) {
        const TKVRPto& p = fPoints[size_t(aFirst - 1 + i)];
        aWriter.WriteInt64(p.X);
        aWriter.WriteInt64(p.Y);
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
