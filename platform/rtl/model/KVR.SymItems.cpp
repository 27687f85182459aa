#include "platform/rtl/model/KVR.SymItems.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseDraw.h"
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace {
constexpr const char* kNames[] = {"PenWidth", "Fill",     "RoundCap", "ScalePen", "FColor",    "BColor",
                                  "LineType", "FontColor", "FontHeight", "FontName", "Bold",      "Italic",
                                  "Underline", "Line",    "Circle",   "Ellipse",  "Rectangle", "Polyline",
                                  "Arc",      "Text",     "Bezier",   "Path",     "Sector",    "FontScale"};
static_assert(std::size(kNames) == KVRSymKind::Last + 1);

[[noreturn]] void Bad(const char* aKey, const std::string& aWhat)
{
    throw EKVRJsonError(std::string("Invalid JSON value for \"") + aKey + "\": " + aWhat);
}

const TJsonObject& Required(const TJsonObject& aJson, const char* aKey)
{
    const auto it = aJson.find(aKey);
    if (it == aJson.end())
        throw EKVRJsonError(std::string("Missing key \"") + aKey + "\"");
    return *it;
}

TKVRPto ReadPoint(const TJsonObject& aJson, const char* aKey, int64_t aUnit)
{
    const std::vector<TKVRPto> p = KVRSymJson::ReadPoints(aJson, aKey, aUnit, 1, 1);
    return p.front();
}

int64_t ReadLength(const TJsonObject& aJson, const char* aKey, int64_t aUnit, bool aRequired)
{
    const auto it = aJson.find(aKey);
    if (it == aJson.end()) {
        if (aRequired)
            throw EKVRJsonError(std::string("Missing key \"") + aKey + "\"");
        return 0;
    }
    const int64_t v = KVRSymJson::ToBase(*it, aUnit, aKey);
    if (v < 0)
        Bad(aKey, "a length cannot be negative");
    return v;
}

double ReadAngle(const TJsonObject& aJson, const char* aKey, double aDefault)
{
    const double v = KVRJson::GetDouble(aJson, aKey, aDefault);
    if (!std::isfinite(v) || std::fabs(v) > 1e6)
        Bad(aKey, "out of range");
    return v;
}

TKVRPto At(int64_t aX, int64_t aY)
{
    return TKVRPto{aX, aY};
}
}  // namespace

const char* KVRSymKind::Name(uint8_t aKind)
{
    return aKind <= Last ? kNames[aKind] : "";
}

// ---------------------------------------------------------------- conversions

int64_t KVRSymJson::ToBase(const TJsonObject& aValue, int64_t aUnit, const char* aKey)
{
    if (!aValue.is_number())
        Bad(aKey, "a number was expected");
    const double v = aValue.get<double>() * double(aUnit);
    if (!std::isfinite(v) || std::fabs(v) > double(KVRMaxCoordinate))
        Bad(aKey, "out of range");
    return int64_t(std::nearbyint(v));
}

double KVRSymJson::FromBase(int64_t aValue, int64_t aUnit)
{
    return double(aValue) / double(aUnit);
}

TJsonObject KVRSymJson::Coord(int64_t aValue, int64_t aUnit)
{
    if (aValue % aUnit == 0)
        return aValue / aUnit;
    return FromBase(aValue, aUnit);
}

double KVRSymJson::Single(float aValue)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, aValue);
    double d = 0.0;
    std::from_chars(buf, r.ptr, d);
    return d;
}

std::vector<TKVRPto> KVRSymJson::ReadPoints(const TJsonObject& aJson, const char* aKey, int64_t aUnit, int32_t aMin,
                                            int32_t aMax)
{
    const TJsonObject& a = Required(aJson, aKey);
    if (!a.is_array())
        Bad(aKey, "an array was expected");
    if (a.size() % 2 != 0)
        Bad(aKey, "x and y must come in pairs");
    const size_t n = a.size() / 2;
    if (n < size_t(aMin) || (aMax >= 0 && n > size_t(aMax)))
        Bad(aKey, std::to_string(n) + " points, " + std::to_string(aMin) +
                      (aMax >= 0 ? " to " + std::to_string(aMax) : std::string(" or more")) + " expected");
    std::vector<TKVRPto> points;
    points.reserve(n);
    for (size_t i = 0; i < n; ++i)
        points.push_back(At(ToBase(a[2 * i], aUnit, aKey), ToBase(a[2 * i + 1], aUnit, aKey)));
    return points;
}

void KVRSymJson::WritePoints(TJsonObject& aJson, const char* aKey, const std::vector<TKVRPto>& aPoints, int64_t aUnit)
{
    TJsonObject a = TJsonObject::array();
    for (const TKVRPto& p : aPoints) {
        a.push_back(Coord(p.X, aUnit));
        a.push_back(Coord(p.Y, aUnit));
    }
    aJson[aKey] = std::move(a);
}

// ---------------------------------------------------------------- base item

TKVRPto TKVRSymItem::GetPoint(int32_t aIndex) const
{
    if (aIndex < 1 || aIndex > GetNumPoints())
        return {};
    return fPoints[size_t(aIndex - 1)];
}

float TKVRSymItem::DrawX(int32_t aIndex, const TKVRBaseDraw* aDraw) const
{
    return aDraw->GetDrawX(GetPoint(aIndex).X);
}

int32_t TKVRSymItem::PrintX(int32_t aIndex, const TKVRBaseDraw* aDraw) const
{
    return GetPoint(aIndex).PrintX(aDraw);
}

float TKVRSymItem::DrawY(int32_t aIndex, const TKVRBaseDraw* aDraw) const
{
    return aDraw->GetDrawY(GetPoint(aIndex).Y);
}

int32_t TKVRSymItem::PrintY(int32_t aIndex, const TKVRBaseDraw* aDraw) const
{
    return GetPoint(aIndex).PrintY(aDraw);
}

float TKVRSymItem::GetValue(int32_t aIndex) const
{
    return float(KVRSymJson::FromBase(GetPoint(aIndex).X, fUnit));
}

void TKVRSymItem::WriteJson(TJsonObject& aJson, int64_t) const
{
    aJson["Type"] = KVRSymKind::Name(fKind);
}

void TKVRSymItem::ReadJson(const TJsonObject&, int64_t aUnit)
{
    fUnit = aUnit;
}

void TKVRSymItem::CheckFit(TKVRExtent& aExtent) const
{
    for (const TKVRPto& p : fPoints)
        aExtent.Include(p.X, p.Y);
}

std::unique_ptr<TKVRSymItem> TKVRSymItem::Create(uint8_t aKind)
{
    using namespace KVRSymKind;
    switch (aKind) {
    case PenWidth: return std::make_unique<TKVRSymNumber>(aKind, 0.1f);
    case FontHeight: return std::make_unique<TKVRSymNumber>(aKind, 3.0f);
    case FontScale: return std::make_unique<TKVRSymNumber>(aKind, 1.0f);
    case Fill:
    case RoundCap:
    case ScalePen:
    case Bold:
    case Italic:
    case Underline:
    case Path: return std::make_unique<TKVRSymFlag>(aKind, false);
    case FColor:
    case FontColor: return std::make_unique<TKVRSymColor>(aKind, TAlphaColors::Black);
    case BColor: return std::make_unique<TKVRSymColor>(aKind, TAlphaColors::White);
    case LineType: return std::make_unique<TKVRSymLineType>(aKind, TVXLineType(0));
    case FontName: return std::make_unique<TKVRSymFontName>(aKind, QStringLiteral("Arial"));
    case Line:
    case Circle:
    case Ellipse:
    case Rectangle: return std::make_unique<TKVRSymShape>(aKind);
    case Polyline:
    case Bezier: return std::make_unique<TKVRSymPolyline>(aKind);
    case Arc:
    case Sector: return std::make_unique<TKVRSymArc>(aKind);
    case Text: return std::make_unique<TKVRSymText>();
    default: return nullptr;
    }
}

// ---------------------------------------------------------------- state items

template <class T>
void TKVRSymState<T>::WriteJson(TJsonObject& aJson, int64_t aUnit) const
{
    TKVRSymItem::WriteJson(aJson, aUnit);
    if constexpr (std::is_same_v<T, QString>)
        aJson["Value"] = KVRJson::Str(fValue);
    else if constexpr (std::is_same_v<T, float>)
        aJson["Value"] = KVRSymJson::Single(fValue);
    else
        aJson["Value"] = fValue;
}

template <class T>
void TKVRSymState<T>::ReadJson(const TJsonObject& aJson, int64_t aUnit)
{
    TKVRSymItem::ReadJson(aJson, aUnit);
    Required(aJson, "Value");
    if constexpr (std::is_same_v<T, bool>)
        fValue = KVRJson::GetBool(aJson, "Value", fValue);
    else if constexpr (std::is_same_v<T, TAlphaColor>)
        fValue = KVRJson::GetCardinal(aJson, "Value", fValue);
    else if constexpr (std::is_same_v<T, TVXLineType>)
        fValue = KVRJson::GetByte(aJson, "Value", fValue);
    else if constexpr (std::is_same_v<T, QString>)
        fValue = KVRJson::GetString(aJson, "Value", fValue);
    else
        fValue = KVRJson::GetSingle(aJson, "Value", fValue);
}

template class TKVRSymState<bool>;
template class TKVRSymState<TAlphaColor>;
template class TKVRSymState<TVXLineType>;
template class TKVRSymState<QString>;
template class TKVRSymState<float>;

void TKVRSymNumber::ReadJson(const TJsonObject& aJson, int64_t aUnit)
{
    TKVRSymState<float>::ReadJson(aJson, aUnit);
    // A pen of width 0 is a hairline; heights and scales must be finite and
    // not negative (0 paints no text).
    if (!std::isfinite(fValue) || fValue < 0.0f || fValue > 1.0e6f)
        Bad("Value", "out of range");
}

// ---------------------------------------------------------------- shapes

void TKVRSymShape::SetLine(const TKVRPto& a, const TKVRPto& b)
{
    fPoints = {a, b};
}

void TKVRSymShape::SetCircle(const TKVRPto& aCentre, int64_t aRadius)
{
    fPoints = {aCentre, At(aCentre.X + aRadius, aCentre.Y), At(aRadius, aRadius)};
}

void TKVRSymShape::SetEllipse(const TKVRPto& aCentre, int64_t aRadiusX, int64_t aRadiusY)
{
    fPoints = {aCentre, At(aCentre.X + aRadiusX, aCentre.Y + aRadiusY), At(aRadiusX, aRadiusY)};
}

void TKVRSymShape::SetRect(const TKVRPto& a, const TKVRPto& b, int64_t aRadius)
{
    fPoints = {a, b, At(aRadius, aRadius)};
}

void TKVRSymShape::WriteJson(TJsonObject& aJson, int64_t aUnit) const
{
    TKVRSymItem::WriteJson(aJson, aUnit);
    const auto len = [&](int64_t v) { return KVRSymJson::Coord(v, aUnit); };
    switch (fKind) {
    case KVRSymKind::Line: KVRSymJson::WritePoints(aJson, "Points", {GetPoint(1), GetPoint(2)}, aUnit); break;
    case KVRSymKind::Circle:
        KVRSymJson::WritePoints(aJson, "Center", {GetPoint(1)}, aUnit);
        aJson["Radius"] = len(GetPoint(3).X);
        break;
    case KVRSymKind::Ellipse:
        KVRSymJson::WritePoints(aJson, "Center", {GetPoint(1)}, aUnit);
        aJson["RadiusX"] = len(GetPoint(3).X);
        aJson["RadiusY"] = len(GetPoint(3).Y);
        break;
    default:
        KVRSymJson::WritePoints(aJson, "Points", {GetPoint(1), GetPoint(2)}, aUnit);
        aJson["Radius"] = len(GetPoint(3).X);
        break;
    }
}

void TKVRSymShape::ReadJson(const TJsonObject& aJson, int64_t aUnit)
{
    TKVRSymItem::ReadJson(aJson, aUnit);
    switch (fKind) {
    case KVRSymKind::Line: {
        const auto p = KVRSymJson::ReadPoints(aJson, "Points", aUnit, 2, 2);
        SetLine(p[0], p[1]);
        break;
    }
    case KVRSymKind::Circle: SetCircle(ReadPoint(aJson, "Center", aUnit), ReadLength(aJson, "Radius", aUnit, true)); break;
    case KVRSymKind::Ellipse:
        SetEllipse(ReadPoint(aJson, "Center", aUnit), ReadLength(aJson, "RadiusX", aUnit, true),
                   ReadLength(aJson, "RadiusY", aUnit, true));
        break;
    default: {
        const auto p = KVRSymJson::ReadPoints(aJson, "Points", aUnit, 2, 2);
        SetRect(p[0], p[1], ReadLength(aJson, "Radius", aUnit, false));
        break;
    }
    }
}

void TKVRSymShape::CheckFit(TKVRExtent& aExtent) const
{
    if (fKind == KVRSymKind::Circle || fKind == KVRSymKind::Ellipse) {
        const TKVRPto c = GetPoint(1), r = GetPoint(3);
        const int64_t ry = fKind == KVRSymKind::Circle ? r.X : r.Y;
        aExtent.Include(c.X - r.X, c.Y - ry);
        aExtent.Include(c.X + r.X, c.Y + ry);
        return;
    }
    aExtent.Include(GetPoint(1).X, GetPoint(1).Y);
    aExtent.Include(GetPoint(2).X, GetPoint(2).Y);
}

void TKVRSymPolyline::SetPoints(std::vector<TKVRPto> aPoints, bool aClosed)
{
    fPoints = std::move(aPoints);
    fClosed = aClosed;
}

void TKVRSymPolyline::WriteJson(TJsonObject& aJson, int64_t aUnit) const
{
    TKVRSymItem::WriteJson(aJson, aUnit);
    KVRSymJson::WritePoints(aJson, "Points", fPoints, aUnit);
    aJson["Closed"] = fClosed;
}

void TKVRSymPolyline::ReadJson(const TJsonObject& aJson, int64_t aUnit)
{
    TKVRSymItem::ReadJson(aJson, aUnit);
    fPoints = KVRSymJson::ReadPoints(aJson, "Points", aUnit, 0, KVRSymMaxPoints);
    fClosed = KVRJson::GetBool(aJson, "Closed", false);
}

void TKVRSymArc::SetArc(int64_t aCX, int64_t aCY, int64_t aRadius, double aStart, double aSweep)
{
    fCX = aCX;
    fCY = aCY;
    fRadius = aRadius;
    fStart = aStart;
    fSweep = aSweep;
    if (fKind == KVRSymKind::Sector) {
        fPoints = {At(aCX, aCY), At(aCX + aRadius, aCY), At(aRadius, aRadius)};
        return;
    }
    const double a0 = aStart * std::numbers::pi / 180.0, a1 = (aStart + aSweep) * std::numbers::pi / 180.0;
    const double r = double(aRadius);
    const auto on = [&](double a) {
        return At(aCX + int64_t(std::nearbyint(r * std::cos(a))), aCY + int64_t(std::nearbyint(r * std::sin(a))));
    };
    fPoints = {At(aCX, aCY), on(a0), on(a1), At(aCX - aRadius, aCY - aRadius), At(aCX + aRadius, aCY + aRadius)};
}

void TKVRSymArc::WriteJson(TJsonObject& aJson, int64_t aUnit) const
{
    TKVRSymItem::WriteJson(aJson, aUnit);
    KVRSymJson::WritePoints(aJson, "Center", {At(fCX, fCY)}, aUnit);
    aJson["Radius"] = KVRSymJson::Coord(fRadius, aUnit);
    aJson["Start"] = fStart;
    aJson["Sweep"] = fSweep;
}

void TKVRSymArc::ReadJson(const TJsonObject& aJson, int64_t aUnit)
{
    TKVRSymItem::ReadJson(aJson, aUnit);
    const TKVRPto c = ReadPoint(aJson, "Center", aUnit);
    const int64_t r = ReadLength(aJson, "Radius", aUnit, true);
    // Centre +- radius stays within the coordinate range.
    KVRCheck::Coordinate(c.X + (c.X < 0 ? -r : r), "Radius");
    KVRCheck::Coordinate(c.Y + (c.Y < 0 ? -r : r), "Radius");
    SetArc(c.X, c.Y, r, ReadAngle(aJson, "Start", 0.0), ReadAngle(aJson, "Sweep", 90.0));
}

void TKVRSymArc::CheckFit(TKVRExtent& aExtent) const
{
    aExtent.Include(fCX - fRadius, fCY - fRadius);
    aExtent.Include(fCX + fRadius, fCY + fRadius);
}

void TKVRSymText::SetText(const TKVRPto& aAnchor, const QString& aText, float aAngle, uint8_t aHorz, uint8_t aVert)
{
    fPoints = {aAnchor};
    fText = aText;
    fAngle = aAngle;
    fHorz = aHorz;
    fVert = aVert;
}

void TKVRSymText::WriteJson(TJsonObject& aJson, int64_t aUnit) const
{
    TKVRSymItem::WriteJson(aJson, aUnit);
    aJson["Text"] = KVRJson::Str(fText);
    KVRSymJson::WritePoints(aJson, "Point", {GetPoint(1)}, aUnit);
    aJson["Angle"] = KVRSymJson::Single(fAngle);
    aJson["HAlign"] = fHorz;
    aJson["VAlign"] = fVert;
}

void TKVRSymText::ReadJson(const TJsonObject& aJson, int64_t aUnit)
{
    TKVRSymItem::ReadJson(aJson, aUnit);
    if (!Required(aJson, "Text").is_string())
        Bad("Text", "a string was expected");
    const QString text = KVRJson::GetString(aJson, "Text", QString());
    const TKVRPto p = ReadPoint(aJson, "Point", aUnit);
    const float angle = float(ReadAngle(aJson, "Angle", 0.0));
    const uint8_t h = KVRJson::GetByte(aJson, "HAlign", 0);
    const uint8_t v = KVRJson::GetByte(aJson, "VAlign", 0);
    if (h > 2)
        Bad("HAlign", "0, 1 or 2 expected");
    if (v > 2)
        Bad("VAlign", "0, 1 or 2 expected");
    SetText(p, text, angle, h, v);
}
