#pragma once
// The items of a library symbol: state items that change the drawing
// configuration and shape items with numbered points. Points are
// micrometres in the symbol's own coordinates; the accessors turn them into
// pixels of a context, so the caller's canvas transform places the symbol.
#include "platform/rtl/geometry/TKVRPto.h"
#include "platform/rtl/model/KVR.Model.Json.h"
#include "platform/rtl/model/KVR.Model.Types.h"
#include "platform/rtl/System.UITypes.h"
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TKVRBaseDraw;

namespace KVRSymKind {
constexpr uint8_t PenWidth = 0;
constexpr uint8_t Fill = 1;
constexpr uint8_t RoundCap = 2;
constexpr uint8_t ScalePen = 3;
constexpr uint8_t FColor = 4;
constexpr uint8_t BColor = 5;
constexpr uint8_t LineType = 6;
constexpr uint8_t FontColor = 7;
constexpr uint8_t FontHeight = 8;
constexpr uint8_t FontName = 9;
constexpr uint8_t Bold = 10;
constexpr uint8_t Italic = 11;
constexpr uint8_t Underline = 12;
constexpr uint8_t Line = 13;
constexpr uint8_t Circle = 14;
constexpr uint8_t Ellipse = 15;
constexpr uint8_t Rectangle = 16;
constexpr uint8_t Polyline = 17;
constexpr uint8_t Arc = 18;
constexpr uint8_t Text = 19;
constexpr uint8_t Bezier = 20;
constexpr uint8_t Path = 21;
constexpr uint8_t Sector = 22;
constexpr uint8_t FontScale = 23;
constexpr uint8_t Last = FontScale;
// The "Type" text of a kind in definitions; empty for an unknown kind.
const char* Name(uint8_t aKind);
}

// Limits of one definition, so a damaged file cannot ask for unbounded memory.
constexpr int32_t KVRSymMaxItems = 100000;
constexpr int32_t KVRSymMaxPoints = 100000;  // per item
constexpr int32_t KVRSymMaxLinks = 32767;

class TKVRSymItem
{
public:
    explicit TKVRSymItem(uint8_t aKind) : fKind(aKind) {}
    virtual ~TKVRSymItem() = default;

    uint8_t GetKind() const { return fKind; }
    int32_t GetNumPoints() const { return int32_t(fPoints.size()); }
    // Point aIndex from 1; (0, 0) outside the item's points.
    TKVRPto GetPoint(int32_t aIndex) const;
    const std::vector<TKVRPto>& GetPoints() const { return fPoints; }

    // Point i in pixels of the context (screen or printer), and in whole printer units.
    float DrawX(int32_t aIndex, const TKVRBaseDraw* aDraw) const;
    int32_t PrintX(int32_t aIndex, const TKVRBaseDraw* aDraw) const;
    float DrawY(int32_t aIndex, const TKVRBaseDraw* aDraw) const;
    int32_t PrintY(int32_t aIndex, const TKVRBaseDraw* aDraw) const;
    // The stored value behind point i: the x coordinate in the symbol's unit
    // (for a rectangle's point 3, its corner radius).
    virtual float GetValue(int32_t aIndex) const;

    // Definition form: "Type" and the kind's own keys; aUnit is micrometres
    // per unit of the definition's coordinates. Reading raises EKVRJsonError
    // or EKVRDataError with the key at fault.
    virtual void WriteJson(TJsonObject& aJson, int64_t aUnit) const;
    virtual void ReadJson(const TJsonObject& aJson, int64_t aUnit);
    // Widens the extent by what the item covers (micrometres).
    virtual void CheckFit(TKVRExtent& aExtent) const;

    // A new item of that kind, nullptr for an unknown one.
    static std::unique_ptr<TKVRSymItem> Create(uint8_t aKind);

protected:
    uint8_t fKind;
    std::vector<TKVRPto> fPoints;
    int64_t fUnit = 1000;
};

// A state item with one value ("Value").
template <class T>
class TKVRSymState : public TKVRSymItem
{
public:
    TKVRSymState(uint8_t aKind, T aValue) : TKVRSymItem(aKind), fValue(aValue) {}
    T Value() const { return fValue; }
    void SetValue(T aValue) { fValue = aValue; }
    void WriteJson(TJsonObject& aJson, int64_t aUnit) const override;
    void ReadJson(const TJsonObject& aJson, int64_t aUnit) override;
    void CheckFit(TKVRExtent&) const override {}

protected:
    T fValue;
};

// Kinds 1, 2, 3, 10, 11, 12 and 21 (true opens a path, false closes it).
using TKVRSymFlag = TKVRSymState<bool>;
using TKVRSymFill = TKVRSymFlag;
using TKVRSymRoundCap = TKVRSymFlag;
using TKVRSymScalePen = TKVRSymFlag;
using TKVRSymBold = TKVRSymFlag;
using TKVRSymItalic = TKVRSymFlag;
using TKVRSymUnderline = TKVRSymFlag;
using TKVRSymPath = TKVRSymFlag;
// Kinds 4, 5 and 7: ARGB colours.
using TKVRSymColor = TKVRSymState<TAlphaColor>;
using TKVRSymFColor = TKVRSymColor;
using TKVRSymBColor = TKVRSymColor;
using TKVRSymFontColor = TKVRSymColor;
using TKVRSymLineType = TKVRSymState<TVXLineType>;
using TKVRSymFontName = TKVRSymState<QString>;

// Kinds 0, 8 and 23: a number, millimetres of paper for widths and heights.
class TKVRSymNumber : public TKVRSymState<float>
{
public:
    using TKVRSymState<float>::TKVRSymState;
    void ReadJson(const TJsonObject& aJson, int64_t aUnit) override;
    float GetPenWidth() const { return fValue; }
    float GetFontHeight() const { return fValue; }
    float GetFontScale() const { return fValue; }
};
using TKVRSymPenWidth = TKVRSymNumber;
using TKVRSymFontHeight = TKVRSymNumber;
using TKVRSymFontScale = TKVRSymNumber;

// Line (points 1, 2), circle (centre 1, point 2 on the circle, radius as
// point 3), ellipse (centre 1, corner 2, radii as point 3), rectangle
// (corners 1 and 2, corner radius as point 3).
class TKVRSymShape : public TKVRSymItem
{
public:
    using TKVRSymItem::TKVRSymItem;
    void SetLine(const TKVRPto& a, const TKVRPto& b);
    void SetCircle(const TKVRPto& aCentre, int64_t aRadius);
    void SetEllipse(const TKVRPto& aCentre, int64_t aRadiusX, int64_t aRadiusY);
    void SetRect(const TKVRPto& a, const TKVRPto& b, int64_t aRadius);
    void WriteJson(TJsonObject& aJson, int64_t aUnit) const override;
    void ReadJson(const TJsonObject& aJson, int64_t aUnit) override;
    void CheckFit(TKVRExtent& aExtent) const override;
};

// Polyline (17) and Bezier curve (20): points and a closed flag. A curve is
// its start point and three points per cubic segment.
class TKVRSymPolyline : public TKVRSymItem
{
public:
    using TKVRSymItem::TKVRSymItem;
    bool GetClosed() const { return fClosed; }
    void SetPoints(std::vector<TKVRPto> aPoints, bool aClosed);
    void WriteJson(TJsonObject& aJson, int64_t aUnit) const override;
    void ReadJson(const TJsonObject& aJson, int64_t aUnit) override;

private:
    bool fClosed = false;
};
using TKVRSymBezier = TKVRSymPolyline;

// Arc (18) and sector (22): centre, radius, start and sweep angles (degrees,
// clockwise on screen). Points: 1 centre, 2 the start, 3 the end of the arc,
// 4 and 5 the corners of its circle's box; a sector has 1 centre, 2 the
// point right of it on the circle and the radius as point 3.
class TKVRSymArc : public TKVRSymItem
{
public:
    using TKVRSymItem::TKVRSymItem;
    int64_t GetCenterX() const { return fCX; }
    int64_t GetCenterY() const { return fCY; }
    int64_t GetRadius() const { return fRadius; }
    double GetStartAngle() const { return fStart; }
    double GetSweepAngle() const { return fSweep; }
    void SetArc(int64_t aCX, int64_t aCY, int64_t aRadius, double aStart, double aSweep);
    void WriteJson(TJsonObject& aJson, int64_t aUnit) const override;
    void ReadJson(const TJsonObject& aJson, int64_t aUnit) override;
    void CheckFit(TKVRExtent& aExtent) const override;

private:
    int64_t fCX = 0, fCY = 0, fRadius = 0;
    double fStart = 0.0, fSweep = 90.0;
};
using TKVRSymSector = TKVRSymArc;

// Text (19): anchor point 1, angle in degrees (anticlockwise as read),
// alignments 0 left/top, 1 centre/middle, 2 right/bottom.
class TKVRSymText : public TKVRSymItem
{
public:
    TKVRSymText() : TKVRSymItem(KVRSymKind::Text) {}
    QString GetText() const { return fText; }
    float GetAngle() const { return fAngle; }
    uint8_t GetHorzAlign() const { return fHorz; }
    uint8_t GetVertAlign() const { return fVert; }
    void SetText(const TKVRPto& aAnchor, const QString& aText, float aAngle, uint8_t aHorz, uint8_t aVert);
    void WriteJson(TJsonObject& aJson, int64_t aUnit) const override;
    void ReadJson(const TJsonObject& aJson, int64_t aUnit) override;

private:
    QString fText;
    float fAngle = 0.0f;
    uint8_t fHorz = 0;
    uint8_t fVert = 0;
};

// Definition coordinates (numbers in the symbol's unit) to micrometres and back.
namespace KVRSymJson {
int64_t ToBase(const TJsonObject& aValue, int64_t aUnit, const char* aKey);
double FromBase(int64_t aValue, int64_t aUnit);
// The written form: a whole number of units as an integer (0, not 0.0).
TJsonObject Coord(int64_t aValue, int64_t aUnit);
// A Single as the shortest decimal that reads back to it (0.1f is written 0.1).
double Single(float aValue);
// A flat array [x1, y1, x2, y2, ...] of aMin..aMax points (aMax < 0: no limit).
std::vector<TKVRPto> ReadPoints(const TJsonObject& aJson, const char* aKey, int64_t aUnit, int32_t aMin,
                                int32_t aMax);
void WritePoints(TJsonObject& aJson, const char* aKey, const std::vector<TKVRPto>& aPoints, int64_t aUnit);
}
