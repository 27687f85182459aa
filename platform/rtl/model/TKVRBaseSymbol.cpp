#include "platform/rtl/model/TKVRBaseSymbol.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <cmath>
#include <numbers>

namespace {
std::shared_ptr<const TKVRBaseLibSymbol> ReadDefinition(const TJsonObject& aJson)
{
    auto symbol = std::make_shared<TKVRBaseLibSymbol>();
    QString error;
    if (!symbol->ReadJson(aJson, error))
        throw EKVRDataError("Invalid symbol definition: " + error.toStdString());
    return symbol;
}

int64_t Clamped(double aValue)
{
    const double m = double(KVRMaxCoordinate);
    return std::isfinite(aValue) ? int64_t(std::nearbyint(std::clamp(aValue, -m, m))) : 0;
}
}  // namespace

TKVRBaseSymbol::TKVRBaseSymbol(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBaseItem(aOwner, KVRItemKind::Symbol, 1, aPreview)
{
}

TKVRBaseSymbol::TKVRBaseSymbol(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBaseItem(aOwner, aLayer, KVRItemKind::Symbol, 1, aPreview)
{
}

void TKVRBaseSymbol::SetScale(float aValue)
{
    fScale = aValue;
    UpdateBounds();
}

void TKVRBaseSymbol::SetAngleRad(double aValue)
{
    fAngle = aValue;
    UpdateBounds();
}

float TKVRBaseSymbol::GetAngleDeg() const
{
    // An angle that is not a number turns nothing, on screen, on paper and in the anchors.
    const double deg = fAngle * 180.0 / std::numbers::pi;
    return std::isfinite(deg) ? float(std::fmod(deg, 360.0)) : 0.0f;
}

void TKVRBaseSymbol::SetSymbol(std::shared_ptr<const TKVRBaseLibSymbol> aSymbol)
{
    fSymbol = std::move(aSymbol);
    UpdateBounds();
}

bool TKVRBaseSymbol::HasPaintableScale() const
{
    return KVRSymPaintableScale(fScale);
}

TKVRPto TKVRBaseSymbol::ToDocument(const TKVRPto& aSymbolPoint) const
{
    const TKVRPto p1 = GetPoint(1);
    const double rx = fSymbol ? double(fSymbol->GetRefX()) : 0.0;
    const double ry = fSymbol ? double(fSymbol->GetRefY()) : 0.0;
    const double s = HasPaintableScale() ? double(fScale) : 0.0;
    const double a = double(GetAngleDeg()) * std::numbers::pi / 180.0;
    const double dx = (double(aSymbolPoint.X) - rx) * s, dy = (double(aSymbolPoint.Y) - ry) * s;
    const double c = std::cos(a), sn = std::sin(a);
    return TKVRPto{Clamped(double(p1.X) + dx * c - dy * sn), Clamped(double(p1.Y) + dx * sn + dy * c)};
}

TKVRPto TKVRBaseSymbol::GetAnchor(uint16_t aIndex) const
{
    // Links made by name store the link point plus the offset, which also
    // tells the curve helpers that a symbol's anchor has no side.
    const int32_t link = aIndex >= KVRSymAnchorOffset ? aIndex - KVRSymAnchorOffset : aIndex;
    if (!fSymbol || link < 1 || link > fSymbol->GetNumLinks())
        return GetPoint(1);
    return ToDocument(fSymbol->GetLink(link));
}

void TKVRBaseSymbol::CheckFit(TKVRExtent& aExtent)
{
    const TKVRPto p1 = GetPoint(1);
    aExtent.Include(p1.X, p1.Y);
    if (!fSymbol || fSymbol->GetItemsCount() == 0)
        return;
    const int64_t half = GetBasePenWidth() / 2;
    for (const TKVRPto& corner : {TKVRPto{fSymbol->GetLeft(), fSymbol->GetTop()},
                                  TKVRPto{fSymbol->GetRight(), fSymbol->GetTop()},
                                  TKVRPto{fSymbol->GetRight(), fSymbol->GetBottom()},
                                  TKVRPto{fSymbol->GetLeft(), fSymbol->GetBottom()}}) {
        const TKVRPto p = ToDocument(corner);
        aExtent.IncludeWide(p.X, p.Y, half);
    }
}

TJsonObject TKVRBaseSymbol::WriteJson() const
{
    TJsonObject j = TKVRBaseItem::WriteJson();
    j["Scale"] = fScale;
    j["Angle"] = fAngle;
    if (fSymbol)
        j["Symbol"] = fSymbol->WriteJson();
    WriteJsonPoints(j, 1, 1);
    return j;
}

void TKVRBaseSymbol::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBaseItem::ReadJson(aVersion, aJson);
    const float scale = KVRJson::GetSingle(aJson, "Scale", fScale);
    const double angle = KVRJson::GetDouble(aJson, "Angle", fAngle);
    std::shared_ptr<const TKVRBaseLibSymbol> symbol;
    if (auto it = aJson.find("Symbol"); it != aJson.end() && !it->is_null())
        symbol = ReadDefinition(*it);
    ReadJsonPoints(aJson, 1, 1, 1);
    fScale = scale;
    fAngle = KVRCheck::Finite(angle, "Angle");
    fSymbol = std::move(symbol);
    UpdateBounds();
}

void TKVRBaseSymbol::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBaseItem::WriteData(aWriter);
    aWriter.WriteSingle(fScale);
    aWriter.WriteDouble(fAngle);
    aWriter.WriteBoolean(fSymbol != nullptr);
    if (fSymbol)
        aWriter.WriteString(QString::fromStdString(fSymbol->WriteJson().dump()));
    WritePoints(aWriter, 1, 1);
}

void TKVRBaseSymbol::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBaseItem::ReadData(aVersion, aReader, aReadType);
    const float scale = KVRCheck::ReadSingle(aReader, "Scale");
    const double angle = KVRCheck::ReadDouble(aReader, "Angle");
    std::shared_ptr<const TKVRBaseLibSymbol> symbol;
    if (aReader.ReadBoolean()) {
        const QByteArray text = aReader.ReadString().toUtf8();
        TJsonObject def;
        try {
            def = TJsonObject::parse(text.constBegin(), text.constEnd());
        } catch (const nlohmann::json::exception& e) {
            throw EKVRDataError(std::string("Invalid symbol definition: ") + e.what());
        }
        symbol = ReadDefinition(def);
    }
    ReadPoints(aReader, 1, 1, 1);
    fScale = scale;
    fAngle = angle;
    fSymbol = std::move(symbol);
    UpdateBounds();
}
