// Property tables of the line and round kinds, connectors, dimensions and
// symbols. The polyline and Bézier curve take their line ends from
// TKVRLineChain; points are the base's.
#include "platform/rtl/geometry/KVR.Draw2D.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/KVR.Model.PropRows.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBaseCircle.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/model/TKVRBaseLink.h"
#include "platform/rtl/model/TKVRBaseSector.h"
#include "platform/rtl/model/TKVRBaseSymbol.h"
#include <numbers>

using namespace KVRProps;

namespace {

constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

void TKVRBaseArrowLine::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseArrowLine;
    TKVRBaseItem::DescribeProps(aTable);
    AddEndRows<T>(aTable);
    AddFontRows<T>(aTable);
    // Caption positions: 0 to 2 above the line, 3 to 5 in a gap, 6 to 8 below.
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Words<T>(KVRInsProp::Text, 182, "Caption", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetText(); },
                                       [](T& i, const QString& v) { i.SetText(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Whole<T>(KVRInsProp::Integer, 183, "Caption position", KVRInsCol::Whole, 0, 0, 8,
                                       [](const T& i) { return int32_t(i.GetTextPos()); },
                                       [](T& i, int32_t v) { i.SetTextPos(TKVRTextPos(v)); })}));
}

void TKVRBaseArc::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseArc;
    TKVRBaseItem::DescribeProps(aTable);
    AddEndRows<T>(aTable);
    aTable.push_back(BaseRow(KVRInsTypeBase::Size,
                             {RadiusPart<T>(*this, 262, "Radius", KVRInsCol::Whole,
                                            [](const T& i) { return i.GetBaseRadio(); },
                                            [](T& i, int64_t r) {
                                                i.SetCircle(i.GetBaseCenterX(), i.GetBaseCenterY(), r);
                                            })}));
    // Held in radians, shown in degrees within one turn.
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Angles,
        {Degrees<T>(310, "Start angle", KVRInsCol::Left, 0, 360,
                    [](const T& i) { return TDraw2D::NormalizeAngle(i.GetStartAngle()) * DegreesPerRadian; },
                    [](T& i, double v) { i.SetAngles(v / DegreesPerRadian, i.GetEndAngle()); }),
         Degrees<T>(311, "End angle", KVRInsCol::Right, 0, 360,
                    [](const T& i) { return TDraw2D::NormalizeAngle(i.GetEndAngle()) * DegreesPerRadian; },
                    [](T& i, double v) { i.SetAngles(i.GetStartAngle(), v / DegreesPerRadian); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Angles,
                             {Check<T>(316, "Anticlockwise", KVRInsCol::Whole,
                                       [](const T& i) { return i.GetDirection(); },
                                       [](T& i, bool v) {
                                           i.SetDirection(v);
                                           i.UpdatePoints();
                                       })}));
}

void TKVRBaseCircle::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseCircle;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(BaseRow(KVRInsTypeBase::Size,
                             {RadiusPart<T>(*this, 262, "Radius", KVRInsCol::Whole,
                                            [](const T& i) { return i.GetBaseRadio(); },
                                            [](T& i, int64_t r) {
                                                i.SetCircle(i.GetBaseCenterX(), i.GetBaseCenterY(), r);
                                            })}));
}

void TKVRBaseEllipse::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseEllipse;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Size,
        {RadiusPart<T>(*this, 263, "Radius X", KVRInsCol::Left, [](const T& i) { return i.GetBaseRadioX(); },
                       [](T& i, int64_t r) {
                           i.SetEllipse(i.GetBaseCenterX(), i.GetBaseCenterY(), r, i.GetBaseRadioY());
                       }),
         RadiusPart<T>(*this, 264, "Radius Y", KVRInsCol::Right, [](const T& i) { return i.GetBaseRadioY(); },
                       [](T& i, int64_t r) {
                           i.SetEllipse(i.GetBaseCenterX(), i.GetBaseCenterY(), i.GetBaseRadioX(), r);
                       })}));
}

void TKVRBaseSector::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseSector;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(BaseRow(KVRInsTypeBase::Size,
                             {RadiusPart<T>(*this, 262, "Radius", KVRInsCol::Whole,
                                            [](const T& i) { return i.GetBaseRadio(); },
                                            [](T& i, int64_t r) {
                                                i.SetSector(i.GetBaseCenterX(), i.GetBaseCenterY(), r,
                                                            i.AngleStart(), i.AngleGap());
                                            })}));
    // Degrees, clockwise from the start.
    aTable.push_back(BaseRow(KVRInsTypeBase::Angles,
                             {Degrees<T>(312, "Start angle", KVRInsCol::Left, -360, 360,
                                         [](const T& i) { return double(i.AngleStart()); },
                                         [](T& i, double v) {
                                             i.SetAngleStart(float(v));
                                             i.UpdatePoints();
                                         }),
                              Degrees<T>(313, "Extent", KVRInsCol::Right, -360, 360,
                                         [](const T& i) { return double(i.AngleGap()); },
                                         [](T& i, double v) {
                                             i.SetAngleGap(float(v));
                                             i.UpdatePoints();
                                         })}));
}

void TKVRBaseLink::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseLink;
    TKVRBaseItem::DescribeProps(aTable);
    aTable.push_back(KindRow(KVRInsType::Link,
                             {Whole<T>(KVRInsProp::List, 500, "Route", KVRInsCol::Whole, KVRListProp::LinkTypes, 0, 7,
                                       [](const T& i) { return int32_t(i.GetLinkType()); },
                                       [](T& i, int32_t v) { i.SetLinkType(TVXLinkType(v)); })}));
    AddEndRows<T>(aTable);
}

void TKVRBaseDim::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseDim;
    TKVRBaseItem::DescribeProps(aTable);
    // A kind changes only within its family: the points mean the same there.
    const int32_t first = KVRDimType::IsLinear(fDimType) ? KVRDimType::Aligned
                          : fDimType == KVRDimType::Angular ? KVRDimType::Angular
                                                            : KVRDimType::Radial1;
    const int32_t last = KVRDimType::IsLinear(fDimType) ? KVRDimType::Vertical
                         : fDimType == KVRDimType::Angular ? KVRDimType::Angular
                                                           : KVRDimType::Diameter2;
    const int32_t styles = GetOwner() ? std::max(1, GetOwner()->GetDimStyleCount()) : 1;
    aTable.push_back(KindRow(KVRInsType::Dim,
                             {Whole<T>(KVRInsProp::List, 560, "Dimension", KVRInsCol::Whole, KVRListProp::DimTypes,
                                       first, last, [](const T& i) { return int32_t(i.GetDimType()); },
                                       [](T& i, int32_t v) { i.SetDimType(TVXDimType(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Dim,
                             {Whole<T>(KVRInsProp::List, 561, "Style", KVRInsCol::Whole, KVRListProp::DimStyles, 0,
                                       styles - 1, [](const T& i) { return i.GetDimStyleIndex(); },
                                       [](T& i, int32_t v) { i.SetDimStyleIndex(v); })}));
    aTable.push_back(KindRow(KVRInsType::Dim,
                             {Check<T>(562, "Extension lines", KVRInsCol::Whole,
                                       [](const T& i) { return i.GetDimExt(); }, [](T& i, bool v) { i.SetDimExt(v); })}));
}

void TKVRBaseSymbol::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseSymbol;
    TKVRBaseItem::DescribeProps(aTable);
    aTable.push_back(KindRow(KVRInsType::Symbol,
                             {Number<T>(660, "Scale", KVRInsCol::Whole, SingleMin, 100, 0.1, "0.000",
                                        [](const T& i) { return i.GetScale(); },
                                        [](T& i, double v) { i.SetScale(float(v)); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Angles,
                             {Degrees<T>(314, "Angle", KVRInsCol::Whole, -360, 360,
                                         [](const T& i) { return double(i.GetAngleDeg()); },
                                         [](T& i, double v) { i.SetAngleRad(v / DegreesPerRadian); })}));
}
