#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRArc.h"
#include "elements/TKVRArrowLine.h"
#include "elements/TKVRBarcode.h"
#include "elements/TKVRBezier.h"
#include "elements/TKVRCircle.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRDim.h"
#include "elements/TKVREllipse.h"
#include "elements/TKVRFlow.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRLine.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRNutriScore.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPackage.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRPolyLine.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRPolygon.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRank.h"
#include "elements/TKVRRectangle.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRSector.h"
#include "elements/TKVRSymbol.h"
#include "elements/TKVRTable.h"
#include "elements/TKVRText.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/IKVRLinkTarget.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <stdexcept>

int32_t TKVRFactory::fDPIX = 96;
int32_t TKVRFactory::fDPIY = 96;

void InitializeKVRFMXSharedFactory()
{
    TKVRFactory::fDPIX = 96;
    TKVRFactory::fDPIY = 96;
}

void TKVRFactory::SetDPI(int32_t aDPIX, int32_t aDPIY)
{
    fDPIX = aDPIX;
    fDPIY = aDPIY;
}

// ---------------------------------------------------------------- geometry

namespace KVRFactoryGeometry {

TCircle CircleOf2(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2)
{
    TCircle c;
    if (!TDraw2D::CircleTwoPoints(aX1, aY1, aX2, aY2, c.CX, c.CY, c.R))
        c = {aX1, aY1, 0};  // one point: a circle of no size on it
    return c;
}

TCircle CircleOf3(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2, int64_t aX3, int64_t aY3)
{
    TCircle c;
    if (TDraw2D::CircleThreePoints(aX1, aY1, aX2, aY2, aX3, aY3, c.CX, c.CY, c.R))
        return c;
    // On one line: the third point lies between the two farthest apart, so
    // the circle over them holds all three.
    auto dist2 = [](int64_t ax, int64_t ay, int64_t bx, int64_t by) {
        const double dx = double(bx) - double(ax), dy = double(by) - double(ay);
        return dx * dx + dy * dy;
    };
    const double d12 = dist2(aX1, aY1, aX2, aY2), d13 = dist2(aX1, aY1, aX3, aY3), d23 = dist2(aX2, aY2, aX3, aY3);
    if (d13 >= d12 && d13 >= d23)
        return CircleOf2(aX1, aY1, aX3, aY3);
    if (d12 >= d23)
        return CircleOf2(aX1, aY1, aX2, aY2);
    return CircleOf2(aX2, aY2, aX3, aY3);
}

std::optional<std::array<TKVRPto, 8>> DimAnglePoints(int64_t aX1, int64_t aY1, int64_t aX2, int64_t aY2,
                                                      int64_t aX3, int64_t aY3, int64_t aX4, int64_t aY4,
                                                      int64_t aPX, int64_t aPY)
{
    // Crossing of the two unbounded lines.
    const double ax = double(aX2) - double(aX1), ay = double(aY2) - double(aY1);
    const double bx = double(aX4) - double(aX3), by = double(aY4) - double(aY3);
    const double den = ax * by - ay * bx;
    if (den == 0.0)
        return std::nullopt;
    const double t = ((double(aX3) - double(aX1)) * by - (double(aY3) - double(aY1)) * bx) / den;
    const double ix = double(aX1) + t * ax, iy = double(aY1) + t * ay;
    const double far = double(KVRMaxCoordinate);
    if (!(std::fabs(ix) <= far && std::fabs(iy) <= far))
        return std::nullopt;  // so nearly parallel that they cross beyond any drawing
    const int64_t cx = RoundHalfEven(ix), cy = RoundHalfEven(iy);
    const double dx = double(aPX) - double(cx), dy = double(aPY) - double(cy);

    // Every angle in [0, 2 pi), so one full-turn correction compares them.
    const double aP = TDraw2D::NormalizeAngle(std::atan2(dy, dx));
    double a1 = std::atan2(ay, ax);
    if (ax * dx + ay * dy < 0.0)
        a1 += std::numbers::pi;
    a1 = TDraw2D::NormalizeAngle(a1);
    double a2 = std::atan2(by, bx);
    if (bx * dx + by * dy < 0.0)
        a2 += std::numbers::pi;
    a2 = TDraw2D::NormalizeAngle(a2);
    const double sweep = TDraw2D::NormalizeAngle(a2 - a1);
    const double d = TDraw2D::NormalizeAngle(aP - a1);
    const double s = sweep >= d ? a1 : a2;
    const double e = sweep >= d ? a2 : a1;

    double r = std::sqrt(dx * dx + dy * dy);
    if (r < 1.0)
        r = 1.0;
    auto on = [&](double aAngle) {
        return TKVRPto{cx + RoundHalfEven(r * std::cos(aAngle)), cy + RoundHalfEven(r * std::sin(aAngle))};
    };
    return std::array<TKVRPto, 8>{TKVRPto{aX1, aY1}, TKVRPto{aX2, aY2}, TKVRPto{aX3, aY3}, TKVRPto{aX4, aY4},
                                  on(s), on(e), on(aP), TKVRPto{aPX, aPY}};
}

}  // namespace KVRFactoryGeometry

// ---------------------------------------------------------------- common steps

namespace {

using namespace KVRFactoryGeometry;

TKVRLayer& Layer(TKVRBaseLabel* aOwner)
{
    TKVRLayer* layer = aOwner->GetActiveLayer();
    if (!layer)
        throw std::logic_error("The document has no layer");
    return *layer;
}

void Colour(TKVRBaseLabel* aOwner, TKVRBaseItem* aItem)
{
    aItem->SetColor(Layer(aOwner).Color);
}

void Pen(TKVRBaseLabel* aOwner, TKVRBaseItem* aItem)
{
    aItem->SetPenWidth(Layer(aOwner).GetPenWidth());
}

void Back(TKVRBaseLabel* aOwner, TKVR2DItem* aItem)
{
    aItem->SetBackColor(Layer(aOwner).BackColor);
}

// Colour, pen and back colour, the defaults of a filled shape.
void Filled(TKVRBaseLabel* aOwner, TKVR2DItem* aItem)
{
    Colour(aOwner, aItem);
    Pen(aOwner, aItem);
    Back(aOwner, aItem);
}

// The five font values through the element's own setters.
template <class T>
void Font(TKVRBaseLabel* aOwner, T* aItem)
{
    aItem->SetFontName(Layer(aOwner).FontName);
    aItem->SetFontHeight(Layer(aOwner).GetFontHeight());
    aItem->SetFontColor(Layer(aOwner).FontColor);
    aItem->SetBold(Layer(aOwner).GetBold());
    aItem->SetItalic(Layer(aOwner).GetItalic());
}

// The element is the document's from here on; until then a failing step
// frees it, which takes it off the document's list.
template <class T>
T* Done(TKVRBaseLabel* aOwner, std::unique_ptr<T>& aItem)
{
    aOwner->SortItemsZLayer();
    return aItem.release();
}

// Coordinates stay within what files can hold (KVRMaxCoordinate), so an
// element made here always reads back; a corner summed past 64 bits is
// refused the same way, never wrapped.
int64_t Checked(int64_t aValue)
{
    return KVRCheck::Coordinate(aValue, "Coordinate");
}

int64_t Plus(int64_t a, int64_t b)
{
    int64_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        throw EKVRDataError("Invalid value for Coordinate: out of range");
    return r;
}

int64_t Minus(int64_t a, int64_t b)
{
    int64_t r = 0;
    if (__builtin_sub_overflow(a, b, &r))
        throw EKVRDataError("Invalid value for Coordinate: out of range");
    return r;
}

TKVRPto CheckedPto(int64_t x, int64_t y)
{
    return TKVRPto::DefineBase(Checked(x), Checked(y));
}

template <class T>
void Box(T* aItem, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    const TKVRPto p[2] = {CheckedPto(x1, y1), CheckedPto(x2, y2)};
    aItem->AssignPoints(p, 2);
}

template <class T>
void CircleBox(T* aItem, const TCircle& c)
{
    Box(aItem, Minus(c.CX, c.R), Minus(c.CY, c.R), Plus(c.CX, c.R), Plus(c.CY, c.R));
}

template <class T>
void One(T* aItem, const TKVRPto& p)
{
    const TKVRPto q = CheckedPto(p.X, p.Y);
    aItem->AssignPoints(&q, 1);
}

// Coordinate lists: the polygon's own minimum first, then an even count.
template <class V>
int32_t PointCount(std::span<const V> aPoints, bool aPolygon)
{
    if (aPolygon && aPoints.size() < 6)
        throw std::runtime_error(TKVRMsg::GetErrorValue(QStringLiteral("Polygon")).toStdString());
    if (aPoints.size() % 2 != 0)
        throw std::runtime_error(TKVRMsg::GetErrorValue(QStringLiteral("EventNumber")).toStdString());
    if (aPoints.size() / 2 > size_t(INT32_MAX))
        throw std::length_error("Too many points");
    return int32_t(aPoints.size() / 2);
}

template <class T>
void SetBasePoints(T* aItem, std::span<const int64_t> aPoints)
{
    for (int32_t i = 1; i <= int32_t(aPoints.size() / 2); ++i)
        aItem->SetBase(i, CheckedPto(aPoints[size_t(2 * i - 2)], aPoints[size_t(2 * i - 1)]));
}

template <class T>
void SetUnitPoints(T* aItem, std::span<const float> aPoints)
{
    for (int32_t i = 1; i <= int32_t(aPoints.size() / 2); ++i) {
        aItem->SetPointX(i, aPoints[size_t(2 * i - 2)]);
        aItem->SetPointY(i, aPoints[size_t(2 * i - 1)]);
        CheckedPto(aItem->GetPoint(i).X, aItem->GetPoint(i).Y);
    }
}

// The inputs of a shape made from points.
void CheckAll(std::initializer_list<int64_t> aValues)
{
    for (int64_t v : aValues)
        Checked(v);
}

// The chain's points and bounds from its new points.
void Update(TKVRBaseItem* aItem)
{
    aItem->UpdatePoints();
    aItem->UpdateBounds();
}

// A value in the document's unit to micrometres.
int64_t Base(TKVRBaseLabel* aOwner, float aValue)
{
    return RoundHalfEven(double(aValue) * double(MicrometresPerUnit(aOwner->GetUnits())));
}

// A point of the document's unit; a derived coordinate is summed in double
// precision and taken back to single precision first.
TKVRPto At(TKVRBaseLabel* aOwner, double aX, double aY)
{
    return TKVRPto::Define(float(aX), float(aY), aOwner->GetUnits());
}

template <class T>
void UnitBox(TKVRBaseLabel* aOwner, T* aItem, double x1, double y1, double x2, double y2)
{
    const TKVRPto a = At(aOwner, x1, y1), b = At(aOwner, x2, y2);
    Box(aItem, a.X, a.Y, b.X, b.Y);
}

double Radians(float aDegrees)
{
    return double(aDegrees) * std::numbers::pi / 180.0;
}

TKVRDim* Radial(TKVRBaseLabel* aOwner, TVXDimType aType, int64_t aCX, int64_t aCY, int64_t aRadius, float aAngle)
{
    auto g = std::unique_ptr<TKVRDim>(new TKVRDim(aOwner, aType, false));
    auto* d = g.get();
    d->SetDimStyleIndex(aOwner->GetActiveDimStyleIndex());
    d->SetRadial(aType, Checked(aCX), Checked(aCY), Checked(aRadius), float(double(aAngle) * 180.0 / std::numbers::pi));
    Colour(aOwner, d);
    Pen(aOwner, d);
    return Done(aOwner, g);
}

// Id of a link end named aName: an element (never a per-cell copy) that
// offers anchors, with its anchor offset.
int32_t LinkEnd(TKVRBaseLabel* aOwner, const QString& aName, int16_t& oOffset)
{
    TKVRBaseItem* item = aOwner->SearchItem(aName, false);
    oOffset = 0;
    if (!item || item->GetPreview() || !item->QueryInterface<IKVRLinkTarget>())
        return 0;
    if (item->GetKind() == KVRItemKind::Symbol)
        oOffset = int16_t(KVRSymAnchorOffset);
    return item->GetNumID();
}

void LinkEnds(TKVRBaseLabel* aOwner, TKVRLink* aLink, int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2,
              TVXLinkType aType)
{
    aLink->SetLinkType(aType);
    aLink->SetFromID(Id1);
    aLink->SetToID(Id2);
    aLink->SetFromIndex(Idx1);
    aLink->SetToIndex(Idx2);
    aLink->CalcLinkPoints(true);
    Colour(aOwner, aLink);
    Pen(aOwner, aLink);
}

}  // namespace

// ---------------------------------------------------------------- micrometres

TKVRPoint* TKVRFactory::AddBasePoint(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1)
{
    auto g = std::unique_ptr<TKVRPoint>(new TKVRPoint(aOwner, false));
    auto* e = g.get();
    One(e, TKVRPto::DefineBase(x1, y1));
    Colour(aOwner, e);
    return Done(aOwner, g);
}

TKVRLine* TKVRFactory::AddBaseLine(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    auto g = std::unique_ptr<TKVRLine>(new TKVRLine(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, x2, y2);
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRArrowLine* TKVRFactory::AddBaseArrowLine(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    auto g = std::unique_ptr<TKVRArrowLine>(new TKVRArrowLine(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, x2, y2);
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRPolyLine* TKVRFactory::AddBasePolyLine(TKVRBaseLabel* aOwner, std::span<const int64_t> aPoints)
{
    const int32_t count = PointCount(aPoints, false);
    auto g = std::unique_ptr<TKVRPolyLine>(new TKVRPolyLine(aOwner, count, false));
    auto* e = g.get();
    SetBasePoints(e, aPoints);
    Update(e);
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRBezier* TKVRFactory::AddBaseBezier(TKVRBaseLabel* aOwner, std::span<const int64_t> aPoints)
{
    const int32_t count = PointCount(aPoints, false);
    auto g = std::unique_ptr<TKVRBezier>(new TKVRBezier(aOwner, count, false));
    auto* e = g.get();
    SetBasePoints(e, aPoints);
    Update(e);
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRArc* TKVRFactory::AddBaseArc(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio, float aStart,
                                 float aEnd)
{
    auto g = std::unique_ptr<TKVRArc>(new TKVRArc(aOwner, false));
    auto* e = g.get();
    e->SetCircle(Checked(x1), Checked(y1), Checked(Radio));
    Colour(aOwner, e);
    Pen(aOwner, e);
    // The arc holds radians: start, end and the clockwise sweep between them.
    e->SetAngles(Radians(aStart), Radians(aEnd));
    return Done(aOwner, g);
}

TKVRArc* TKVRFactory::AddBaseArc(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3,
                                 int64_t y3)
{
    int64_t cx, cy, r;
    double s, en, sw;
    bool flag;
    CheckAll({x1, y1, x2, y2, x3, y3});
    std::unique_ptr<TKVRArc> g;
    if (TDraw2D::ArcThreePoints(x1, y1, x2, y2, x3, y3, cx, cy, r, s, en, sw, flag)) {
        g.reset(new TKVRArc(aOwner, x1, y1, x2, y2, x3, y3, false));
    } else {
        // Points on one line: half of the circle over the two outer points,
        // clockwise from the first point to the third (all of it when they meet).
        const TCircle c = CircleOf3(x1, y1, x2, y2, x3, y3);
        g.reset(new TKVRArc(aOwner, false));
        g->SetCircle(c.CX, c.CY, c.R);
        const double a1 = std::atan2(double(y1) - double(c.CY), double(x1) - double(c.CX));
        const double a3 = std::atan2(double(y3) - double(c.CY), double(x3) - double(c.CX));
        g->SetAngles(TDraw2D::NormalizeAngle(a1), TDraw2D::NormalizeAngle(a3));
    }
    TKVRArc* e = g.get();
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRRectangle* TKVRFactory::AddBaseRectangle(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                             int64_t Height)
{
    auto g = std::unique_ptr<TKVRRectangle>(new TKVRRectangle(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVRPackage* TKVRFactory::AddBasePackage(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                         int64_t Height)
{
    auto g = std::unique_ptr<TKVRPackage>(new TKVRPackage(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    Filled(aOwner, e);
    e->SetFontColor(Layer(aOwner).FontColor);
    return Done(aOwner, g);
}

TKVRPolygon* TKVRFactory::AddBasePolygon(TKVRBaseLabel* aOwner, std::span<const int64_t> aPoints)
{
    const int32_t count = PointCount(aPoints, true);
    auto g = std::unique_ptr<TKVRPolygon>(new TKVRPolygon(aOwner, count, false));
    auto* e = g.get();
    SetBasePoints(e, aPoints);
    Update(e);
    Colour(aOwner, e);
    Back(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRCircle* TKVRFactory::AddBaseCircle(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio)
{
    auto g = std::unique_ptr<TKVRCircle>(new TKVRCircle(aOwner, false));
    auto* e = g.get();
    CircleBox(e, {x1, y1, Radio});
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVRCircle* TKVRFactory::AddBaseCircle2P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    CheckAll({x1, y1, x2, y2});
    auto g = std::unique_ptr<TKVRCircle>(new TKVRCircle(aOwner, false));
    auto* e = g.get();
    CircleBox(e, CircleOf2(x1, y1, x2, y2));
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVRCircle* TKVRFactory::AddBaseCircle3P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                         int64_t x3, int64_t y3)
{
    CheckAll({x1, y1, x2, y2, x3, y3});
    auto g = std::unique_ptr<TKVRCircle>(new TKVRCircle(aOwner, false));
    auto* e = g.get();
    CircleBox(e, CircleOf3(x1, y1, x2, y2, x3, y3));
    Filled(aOwner, e);
    return Done(aOwner, g);
}

namespace {
TKVRSector* MakeSector(TKVRBaseLabel* aOwner, const TCircle& c, float aStart, float aSweep)
{
    auto g = std::unique_ptr<TKVRSector>(new TKVRSector(aOwner, false));
    auto* e = g.get();
    CircleBox(e, c);
    Filled(aOwner, e);
    e->SetAngleStart(aStart);
    e->SetAngleGap(aSweep);
    return Done(aOwner, g);
}
}  // namespace

TKVRSector* TKVRFactory::AddBaseSector(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio, float aStart,
                                       float aSweep)
{
    return MakeSector(aOwner, {x1, y1, Radio}, aStart, aSweep);
}

TKVRSector* TKVRFactory::AddBaseSector2P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                         float aStart, float aSweep)
{
    CheckAll({x1, y1, x2, y2});
    return MakeSector(aOwner, CircleOf2(x1, y1, x2, y2), aStart, aSweep);
}

TKVRSector* TKVRFactory::AddBaseSector3P(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                         int64_t x3, int64_t y3, float aStart, float aSweep)
{
    CheckAll({x1, y1, x2, y2, x3, y3});
    return MakeSector(aOwner, CircleOf3(x1, y1, x2, y2, x3, y3), aStart, aSweep);
}

TKVRLevel* TKVRFactory::AddBaseLevel(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Radio)
{
    auto g = std::unique_ptr<TKVRLevel>(new TKVRLevel(aOwner, false));
    auto* e = g.get();
    CircleBox(e, {x1, y1, Radio});
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVREllipse* TKVRFactory::AddBaseEllipse(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t RadioX,
                                         int64_t RadioY)
{
    auto g = std::unique_ptr<TKVREllipse>(new TKVREllipse(aOwner, false));
    auto* e = g.get();
    Box(e, Minus(x1, RadioX), Minus(y1, RadioY), Plus(x1, RadioX), Plus(y1, RadioY));
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVRText* TKVRFactory::AddBaseText(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1)
{
    auto g = std::unique_ptr<TKVRText>(new TKVRText(aOwner));
    auto* e = g.get();
    One(e, TKVRPto::DefineBase(x1, y1));
    Colour(aOwner, e);
    Font(aOwner, e);
    return Done(aOwner, g);
}

TKVRParagraph* TKVRFactory::AddBaseParagraph(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                             int64_t Height)
{
    auto g = std::unique_ptr<TKVRParagraph>(new TKVRParagraph(aOwner));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    Filled(aOwner, e);
    Font(aOwner, e);
    return Done(aOwner, g);
}

TKVRRichText* TKVRFactory::AddBaseRichText(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                           int64_t Height)
{
    auto g = std::unique_ptr<TKVRRichText>(new TKVRRichText(aOwner));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    Filled(aOwner, e);
    Font(aOwner, e);
    return Done(aOwner, g);
}

TKVRBarcode* TKVRFactory::AddBaseBarcode(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode,
                                         TKVRBarType aType)
{
    auto g = std::unique_ptr<TKVRBarcode>(new TKVRBarcode(aOwner, false));
    auto* e = g.get();
    One(e, TKVRPto::DefineBase(x1, y1));
    Colour(aOwner, e);
    e->SetCode(aCode);
    e->SetCodeType(aType);
    return Done(aOwner, g);
}

TKVRPDF417* TKVRFactory::AddBasePDF417(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode)
{
    auto g = std::unique_ptr<TKVRPDF417>(new TKVRPDF417(aOwner, false));
    auto* e = g.get();
    One(e, TKVRPto::DefineBase(x1, y1));
    Colour(aOwner, e);
    e->SetCode(aCode);
    return Done(aOwner, g);
}

TKVRDataMatrix* TKVRFactory::AddBaseDataMatrix(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode)
{
    auto g = std::unique_ptr<TKVRDataMatrix>(new TKVRDataMatrix(aOwner, false));
    auto* e = g.get();
    One(e, TKVRPto::DefineBase(x1, y1));
    Colour(aOwner, e);
    e->SetCode(aCode);
    return Done(aOwner, g);
}

TKVRQRCode* TKVRFactory::AddBaseQRCode(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, const QString& aCode)
{
    auto g = std::unique_ptr<TKVRQRCode>(new TKVRQRCode(aOwner, false));
    auto* e = g.get();
    One(e, TKVRPto::DefineBase(x1, y1));
    Colour(aOwner, e);
    e->SetCode(aCode);
    return Done(aOwner, g);
}

TKVRImage* TKVRFactory::AddBaseImage(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height,
                                     const QString& aFileName)
{
    auto g = std::unique_ptr<TKVRImage>(new TKVRImage(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    e->SetFileName(aFileName);
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRFlow* TKVRFactory::AddBaseFlow(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height,
                                   TKVRFlowType aType)
{
    auto g = std::unique_ptr<TKVRFlow>(new TKVRFlow(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    e->SetFlowType(aType);
    Filled(aOwner, e);
    Font(aOwner, e);
    return Done(aOwner, g);
}

TKVRLink* TKVRFactory::AddBaseLink(TKVRBaseLabel* aOwner, int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2,
                                   TVXLinkType aType)
{
    auto g = std::unique_ptr<TKVRLink>(new TKVRLink(aOwner, false));
    auto* e = g.get();
    LinkEnds(aOwner, e, Id1, Id2, Idx1, Idx2, aType);
    return Done(aOwner, g);
}

TKVRLink* TKVRFactory::AddBasePolyLink(TKVRBaseLabel* aOwner, int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2,
                                       TVXLinkType aType, std::span<const int64_t> aPoints)
{
    const int32_t count = PointCount(aPoints, false);
    auto g = std::unique_ptr<TKVRLink>(new TKVRLink(aOwner, count, false));
    auto* e = g.get();
    for (int32_t i = 1; i <= e->GetNumLinkPoints(); ++i)
        e->SetLinkPoint(i, CheckedPto(aPoints[size_t(2 * i - 2)], aPoints[size_t(2 * i - 1)]));
    LinkEnds(aOwner, e, Id1, Id2, Idx1, Idx2, aType);
    return Done(aOwner, g);
}

TKVRTable* TKVRFactory::AddBaseTable(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    auto g = std::unique_ptr<TKVRTable>(new TKVRTable(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVRPolyText* TKVRFactory::AddBasePolyText(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1)
{
    auto g = std::unique_ptr<TKVRPolyText>(new TKVRPolyText(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, x1, y1);
    Colour(aOwner, e);
    return Done(aOwner, g);
}

TKVRRank* TKVRFactory::AddBaseRank(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width, int64_t Height)
{
    auto g = std::unique_ptr<TKVRRank>(new TKVRRank(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVRNutriScore* TKVRFactory::AddBaseNutriScore(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t Width,
                                               int64_t Height)
{
    auto g = std::unique_ptr<TKVRNutriScore>(new TKVRNutriScore(aOwner, false));
    auto* e = g.get();
    Box(e, x1, y1, Plus(x1, Width), Plus(y1, Height));
    Filled(aOwner, e);
    return Done(aOwner, g);
}

TKVRSymbol* TKVRFactory::AddBaseSymbol(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1)
{
    auto g = std::unique_ptr<TKVRSymbol>(new TKVRSymbol(aOwner, false));
    auto* e = g.get();
    e->SetSymbol(aOwner->GetCurSymbol());
    One(e, TKVRPto::DefineBase(x1, y1));
    return Done(aOwner, g);
}

TKVRDim* TKVRFactory::AddBaseDim(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t pX,
                                 int64_t pY)
{
    auto g = std::unique_ptr<TKVRDim>(new TKVRDim(aOwner, KVRDimType::Aligned, false));
    auto* e = g.get();
    e->SetDimStyleIndex(aOwner->GetActiveDimStyleIndex());
    aOwner->CalcDimPoints(e, Checked(x1), Checked(y1), Checked(x2), Checked(y2), Checked(pX), Checked(pY));
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRDim* TKVRFactory::AddBaseDimAngle(TKVRBaseLabel* aOwner, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
                                      int64_t x3, int64_t y3, int64_t x4, int64_t y4, int64_t pX, int64_t pY)
{
    CheckAll({x1, y1, x2, y2, x3, y3, x4, y4, pX, pY});
    const auto pts = DimAnglePoints(x1, y1, x2, y2, x3, y3, x4, y4, pX, pY);
    if (!pts)
        return nullptr;
    for (const TKVRPto& p : *pts)
        CheckedPto(p.X, p.Y);
    auto g = std::unique_ptr<TKVRDim>(new TKVRDim(aOwner, KVRDimType::Angular, false));
    auto* e = g.get();
    e->SetDimStyleIndex(aOwner->GetActiveDimStyleIndex());
    e->AssignPoints(pts->data(), int32_t(pts->size()));
    Colour(aOwner, e);
    Pen(aOwner, e);
    return Done(aOwner, g);
}

TKVRDim* TKVRFactory::AddBaseDimRadial1(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius,
                                        float aAngle)
{
    return Radial(aOwner, KVRDimType::Radial1, aCenterX, aCenterY, aRadius, aAngle);
}

TKVRDim* TKVRFactory::AddBaseDimRadial2(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY, int64_t aRadius,
                                        float aAngle)
{
    return Radial(aOwner, KVRDimType::Radial2, aCenterX, aCenterY, aRadius, aAngle);
}

TKVRDim* TKVRFactory::AddBaseDimDiameter1(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY,
                                          int64_t aRadius, float aAngle)
{
    return Radial(aOwner, KVRDimType::Diameter1, aCenterX, aCenterY, aRadius, aAngle);
}

TKVRDim* TKVRFactory::AddBaseDimDiameter2(TKVRBaseLabel* aOwner, int64_t aCenterX, int64_t aCenterY,
                                          int64_t aRadius, float aAngle)
{
    return Radial(aOwner, KVRDimType::Diameter2, aCenterX, aCenterY, aRadius, aAngle);
}

// ---------------------------------------------------------------- the document's unit

TKVRPoint* TKVRFactory::AddPoint(TKVRBaseLabel* aOwner, float x1, float y1)
{
    auto g = std::unique_ptr<TKVRPoint>(new TKVRPoint(aOwner, false));
    One(g.get(), At(aOwner, x1, y1));
    Colour(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRLine* TKVRFactory::AddLine(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2)
{
    auto g = std::unique_ptr<TKVRLine>(new TKVRLine(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, x2, y2);
    Colour(aOwner, g.get());
    Pen(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRArrowLine* TKVRFactory::AddArrowLine(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2)
{
    auto g = std::unique_ptr<TKVRArrowLine>(new TKVRArrowLine(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, x2, y2);
    Colour(aOwner, g.get());
    Pen(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRPolyLine* TKVRFactory::AddPolyLine(TKVRBaseLabel* aOwner, std::span<const float> aPoints)
{
    const int32_t count = PointCount(aPoints, false);
    auto g = std::unique_ptr<TKVRPolyLine>(new TKVRPolyLine(aOwner, count, false));
    SetUnitPoints(g.get(), aPoints);
    Update(g.get());
    Colour(aOwner, g.get());
    Pen(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRBezier* TKVRFactory::AddBezier(TKVRBaseLabel* aOwner, std::span<const float> aPoints)
{
    const int32_t count = PointCount(aPoints, false);
    auto g = std::unique_ptr<TKVRBezier>(new TKVRBezier(aOwner, count, false));
    SetUnitPoints(g.get(), aPoints);
    Update(g.get());
    Colour(aOwner, g.get());
    Pen(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRArc* TKVRFactory::AddArc(TKVRBaseLabel* aOwner, float cx, float cy, float Radio, float aStart, float aEnd)
{
    return AddBaseArc(aOwner, Base(aOwner, cx), Base(aOwner, cy), Base(aOwner, Radio), aStart, aEnd);
}

TKVRArc* TKVRFactory::AddArc(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3, float y3)
{
    return AddBaseArc(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, x2), Base(aOwner, y2),
                      Base(aOwner, x3), Base(aOwner, y3));
}

TKVRRectangle* TKVRFactory::AddRectangle(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height)
{
    auto g = std::unique_ptr<TKVRRectangle>(new TKVRRectangle(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    Filled(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRPackage* TKVRFactory::AddPackage(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height)
{
    auto g = std::unique_ptr<TKVRPackage>(new TKVRPackage(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    Filled(aOwner, g.get());
    g->SetFontColor(Layer(aOwner).FontColor);
    return Done(aOwner, g);
}

TKVRPolygon* TKVRFactory::AddPolygon(TKVRBaseLabel* aOwner, std::span<const float> aPoints)
{
    // Only the even count is checked here: two points make a polygon too.
    const int32_t count = PointCount(aPoints, false);
    auto g = std::unique_ptr<TKVRPolygon>(new TKVRPolygon(aOwner, count, false));
    SetUnitPoints(g.get(), aPoints);
    Update(g.get());
    Colour(aOwner, g.get());
    Back(aOwner, g.get());
    Pen(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRCircle* TKVRFactory::AddCircle(TKVRBaseLabel* aOwner, float x1, float y1, float Radio)
{
    auto g = std::unique_ptr<TKVRCircle>(new TKVRCircle(aOwner, false));
    UnitBox(aOwner, g.get(), double(x1) - Radio, double(y1) - Radio, double(x1) + Radio, double(y1) + Radio);
    Filled(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRCircle* TKVRFactory::AddCircle2P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2)
{
    return AddBaseCircle2P(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, x2), Base(aOwner, y2));
}

TKVRCircle* TKVRFactory::AddCircle3P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3,
                                     float y3)
{
    return AddBaseCircle3P(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, x2), Base(aOwner, y2),
                           Base(aOwner, x3), Base(aOwner, y3));
}

TKVRSector* TKVRFactory::AddSector(TKVRBaseLabel* aOwner, float x1, float y1, float Radio, float aStart,
                                   float aSweep)
{
    return AddBaseSector(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, Radio), aStart, aSweep);
}

TKVRSector* TKVRFactory::AddSector2P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float aStart,
                                     float aSweep)
{
    return AddBaseSector2P(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, x2), Base(aOwner, y2), aStart,
                           aSweep);
}

TKVRSector* TKVRFactory::AddSector3P(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3,
                                     float y3, float aStart, float aSweep)
{
    return AddBaseSector3P(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, x2), Base(aOwner, y2),
                           Base(aOwner, x3), Base(aOwner, y3), aStart, aSweep);
}

TKVRLevel* TKVRFactory::AddLevel(TKVRBaseLabel* aOwner, float x1, float y1, float Radio)
{
    auto g = std::unique_ptr<TKVRLevel>(new TKVRLevel(aOwner, false));
    UnitBox(aOwner, g.get(), double(x1) - Radio, double(y1) - Radio, double(x1) + Radio, double(y1) + Radio);
    Filled(aOwner, g.get());
    return Done(aOwner, g);
}

TKVREllipse* TKVRFactory::AddEllipse(TKVRBaseLabel* aOwner, float x1, float y1, float RadioX, float RadioY)
{
    auto g = std::unique_ptr<TKVREllipse>(new TKVREllipse(aOwner, false));
    UnitBox(aOwner, g.get(), double(x1) - RadioX, double(y1) - RadioY, double(x1) + RadioX, double(y1) + RadioY);
    Filled(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRText* TKVRFactory::AddText(TKVRBaseLabel* aOwner, float x1, float y1)
{
    auto g = std::unique_ptr<TKVRText>(new TKVRText(aOwner));
    One(g.get(), At(aOwner, x1, y1));
    Colour(aOwner, g.get());
    Font(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRParagraph* TKVRFactory::AddParagraph(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height)
{
    auto g = std::unique_ptr<TKVRParagraph>(new TKVRParagraph(aOwner));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    Filled(aOwner, g.get());
    Font(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRRichText* TKVRFactory::AddRichText(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height)
{
    auto g = std::unique_ptr<TKVRRichText>(new TKVRRichText(aOwner));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    Filled(aOwner, g.get());
    Font(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRBarcode* TKVRFactory::AddBarcode(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode,
                                     TKVRBarType aType)
{
    auto g = std::unique_ptr<TKVRBarcode>(new TKVRBarcode(aOwner, false));
    One(g.get(), At(aOwner, x1, y1));
    Colour(aOwner, g.get());
    g->SetFontName(Layer(aOwner).FontName);
    g->SetFontHeight(Layer(aOwner).GetFontHeight());
    g->SetCode(aCode);
    g->SetCodeType(aType);
    return Done(aOwner, g);
}

TKVRPDF417* TKVRFactory::AddPDF417(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode)
{
    auto g = std::unique_ptr<TKVRPDF417>(new TKVRPDF417(aOwner, false));
    One(g.get(), At(aOwner, x1, y1));
    Colour(aOwner, g.get());
    g->SetCode(aCode);
    return Done(aOwner, g);
}

TKVRDataMatrix* TKVRFactory::AddDataMatrix(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode)
{
    auto g = std::unique_ptr<TKVRDataMatrix>(new TKVRDataMatrix(aOwner, false));
    One(g.get(), At(aOwner, x1, y1));
    Colour(aOwner, g.get());
    g->SetCode(aCode);
    return Done(aOwner, g);
}

TKVRQRCode* TKVRFactory::AddQRCode(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aCode)
{
    auto g = std::unique_ptr<TKVRQRCode>(new TKVRQRCode(aOwner, false));
    One(g.get(), At(aOwner, x1, y1));
    Colour(aOwner, g.get());
    g->SetCode(aCode);
    return Done(aOwner, g);
}

TKVRImage* TKVRFactory::AddImage(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height,
                                 const QString& aFileName)
{
    auto g = std::unique_ptr<TKVRImage>(new TKVRImage(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    g->SetFileName(aFileName);
    Colour(aOwner, g.get());
    Pen(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRFlow* TKVRFactory::AddFlow(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height,
                               TKVRFlowType aType)
{
    auto g = std::unique_ptr<TKVRFlow>(new TKVRFlow(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    g->SetFlowType(aType);
    Filled(aOwner, g.get());
    Font(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRLink* TKVRFactory::AddLink(TKVRBaseLabel* aOwner, const QString& Id1, const QString& Id2, int16_t Idx1,
                               int16_t Idx2, TVXLinkType aType)
{
    int16_t offset1 = 0, offset2 = 0;
    const int32_t from = LinkEnd(aOwner, Id1, offset1);
    if (from <= 0)
        return nullptr;
    const int32_t to = LinkEnd(aOwner, Id2, offset2);
    if (to <= 0)
        return nullptr;
    auto g = std::unique_ptr<TKVRLink>(new TKVRLink(aOwner, false));
    LinkEnds(aOwner, g.get(), from, to, int16_t(Idx1 + offset1), int16_t(Idx2 + offset2), aType);
    return Done(aOwner, g);
}

TKVRLink* TKVRFactory::AddPolyLink(TKVRBaseLabel* aOwner, int32_t Id1, int32_t Id2, int16_t Idx1, int16_t Idx2,
                                   TVXLinkType aType, std::span<const float> aPoints)
{
    const int32_t count = PointCount(aPoints, false);
    auto g = std::unique_ptr<TKVRLink>(new TKVRLink(aOwner, count, false));
    for (int32_t i = 1; i <= count; ++i)
    {
        const TKVRPto p = At(aOwner, aPoints[size_t(2 * i - 2)], aPoints[size_t(2 * i - 1)]);
        g->SetLinkPoint(i, CheckedPto(p.X, p.Y));
    }
    LinkEnds(aOwner, g.get(), Id1, Id2, Idx1, Idx2, aType);
    return Done(aOwner, g);
}

TKVRTable* TKVRFactory::AddTable(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height)
{
    auto g = std::unique_ptr<TKVRTable>(new TKVRTable(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    Filled(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRPolyText* TKVRFactory::AddPolyText(TKVRBaseLabel* aOwner, float x1, float y1)
{
    auto g = std::unique_ptr<TKVRPolyText>(new TKVRPolyText(aOwner, false));
    One(g.get(), At(aOwner, x1, y1));
    Colour(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRRank* TKVRFactory::AddRank(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height)
{
    auto g = std::unique_ptr<TKVRRank>(new TKVRRank(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    Filled(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRNutriScore* TKVRFactory::AddNutriScore(TKVRBaseLabel* aOwner, float x1, float y1, float Width, float Height)
{
    auto g = std::unique_ptr<TKVRNutriScore>(new TKVRNutriScore(aOwner, false));
    UnitBox(aOwner, g.get(), x1, y1, double(x1) + Width, double(y1) + Height);
    Filled(aOwner, g.get());
    return Done(aOwner, g);
}

TKVRSymbol* TKVRFactory::AddSymbol(TKVRBaseLabel* aOwner, float x1, float y1)
{
    auto g = std::unique_ptr<TKVRSymbol>(new TKVRSymbol(aOwner, false));
    g->SetSymbol(aOwner->GetCurSymbol());
    One(g.get(), At(aOwner, x1, y1));
    return Done(aOwner, g);
}

TKVRSymbol* TKVRFactory::AddSymbol(TKVRBaseLabel* aOwner, float x1, float y1, const QString& aFileName,
                                   const QString& aName)
{
    if (!aOwner->LoadSymbolByName(aFileName, aName))
        return nullptr;
    return AddSymbol(aOwner, x1, y1);
}

TKVRDim* TKVRFactory::AddDim(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float pX, float pY)
{
    return AddBaseDim(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, x2), Base(aOwner, y2),
                      Base(aOwner, pX), Base(aOwner, pY));
}

TKVRDim* TKVRFactory::AddDimAngle(TKVRBaseLabel* aOwner, float x1, float y1, float x2, float y2, float x3, float y3,
                                  float x4, float y4, float pX, float pY)
{
    return AddBaseDimAngle(aOwner, Base(aOwner, x1), Base(aOwner, y1), Base(aOwner, x2), Base(aOwner, y2),
                           Base(aOwner, x3), Base(aOwner, y3), Base(aOwner, x4), Base(aOwner, y4), Base(aOwner, pX),
                           Base(aOwner, pY));
}

TKVRDim* TKVRFactory::AddDimRadial1(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                    float aAngle)
{
    return AddBaseDimRadial1(aOwner, Base(aOwner, aCenterX), Base(aOwner, aCenterY), Base(aOwner, aRadius), aAngle);
}

TKVRDim* TKVRFactory::AddDimRadial2(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                    float aAngle)
{
    return AddBaseDimRadial2(aOwner, Base(aOwner, aCenterX), Base(aOwner, aCenterY), Base(aOwner, aRadius), aAngle);
}

TKVRDim* TKVRFactory::AddDimDiameter1(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                      float aAngle)
{
    return AddBaseDimDiameter1(aOwner, Base(aOwner, aCenterX), Base(aOwner, aCenterY), Base(aOwner, aRadius),
                               aAngle);
}

TKVRDim* TKVRFactory::AddDimDiameter2(TKVRBaseLabel* aOwner, float aCenterX, float aCenterY, float aRadius,
                                      float aAngle)
{
    return AddBaseDimDiameter2(aOwner, Base(aOwner, aCenterX), Base(aOwner, aCenterY), Base(aOwner, aRadius),
                               aAngle);
}

