// Property tables of the diagram and infographic kinds: flowchart nodes,
// level gauges, ratings, nutrition scores and packages.
#include "platform/rtl/model/KVR.Model.PropRows.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBaseRank.h"

using namespace KVRProps;

namespace {

// Grades of the score: list entry 0 is none, 1 to 5 the letters A to E.
constexpr char16_t FirstGrade = u'A';
constexpr int32_t GradeCount = 5;

int32_t GradeIndex(QChar aValue)
{
    const int32_t k = aValue.unicode() - FirstGrade;
    return k >= 0 && k < GradeCount ? k + 1 : 0;
}

}  // namespace

void TKVRBaseFlow::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseFlow;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    aTable.push_back(KindRow(KVRInsType::Flow,
                             {Words<T>(KVRInsProp::Text, 480, "Caption", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetText(); },
                                       [](T& i, const QString& v) { i.SetText(v); })}));
    aTable.push_back(KindRow(KVRInsType::Flow,
                             {Whole<T>(KVRInsProp::List, 481, "Shape", KVRInsCol::Left, KVRListProp::FlowTypes, 0, 14,
                                       [](const T& i) { return int32_t(i.GetFlowType()); },
                                       [](T& i, int32_t v) { i.SetFlowType(TKVRFlowType(v)); }),
                              Number<T>(482, "Scale", KVRInsCol::Right, SingleMin, 100, 0.1, "0.000",
                                        [](const T& i) { return i.GetScaleX(); },
                                        [](T& i, double v) { i.SetScaleX(float(v)); })}));
    AddFontRows<T>(aTable);
    aTable.push_back(BasePaddingRow<T>(*this));
}

void TKVRBaseLevel::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseLevel;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    aTable.push_back(KindRow(KVRInsType::Level,
                             {Whole<T>(KVRInsProp::List, 600, "Gauge", KVRInsCol::Left, KVRListProp::LevelTypes, 0, 3,
                                       [](const T& i) { return int32_t(i.GetLevelType()); },
                                       [](T& i, int32_t v) { i.SetLevelType(TKVRLevelType(v)); }),
                              Colour<T>(603, "Level colour", KVRInsCol::Right,
                                        [](const T& i) { return i.GetLevelColor(); },
                                        [](T& i, TAlphaColor v) { i.SetLevelColor(v); })}));
    aTable.push_back(KindRow(KVRInsType::Level,
                             {Number<T>(601, "Value", KVRInsCol::Left, -1e9, 1e9, 1, "0.000",
                                        [](const T& i) { return i.GetValue(); },
                                        [](T& i, double v) { i.SetValue(float(v)); }),
                              Number<T>(602, "Maximum", KVRInsCol::Right, -1e9, 1e9, 1, "0.000",
                                        [](const T& i) { return i.GetMaxValue(); },
                                        [](T& i, double v) { i.SetMaxValue(float(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Level,
                             {Words<T>(KVRInsProp::Text, 604, "Caption", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetText(); },
                                       [](T& i, const QString& v) { i.SetText(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Angles,
                             {Degrees<T>(315, "Opening", KVRInsCol::Whole, -360, 360,
                                         [](const T& i) { return double(i.GetAngleGap()); },
                                         [](T& i, double v) { i.SetAngleGap(float(v)); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    AddFontRows<T>(aTable);
    AddDataRows<T>(aTable, KVRListProp::NumFields);
}

void TKVRBaseRank::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseRank;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    // Cells: 0 rectangle, 1 ellipse, 2 star, 3 rhombus.
    aTable.push_back(KindRow(KVRInsType::Rank,
                             {Whole<T>(KVRInsProp::Integer, 620, "Cell", KVRInsCol::Left, 0, 0, 3,
                                       [](const T& i) { return int32_t(i.GetRankType()); },
                                       [](T& i, int32_t v) { i.SetRankType(TKVRRankType(v)); }),
                              Whole<T>(KVRInsProp::List, 621, "Direction", KVRInsCol::Right, KVRListProp::Directions,
                                       0, 3, [](const T& i) { return int32_t(i.GetRankPos()); },
                                       [](T& i, int32_t v) { i.SetRankPos(TKVRRankPos(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Rank,
                             {Whole<T>(KVRInsProp::Integer, 625, "Position", KVRInsCol::Left, 0, 0, 65535,
                                       [](const T& i) { return int32_t(i.GetPosition()); },
                                       [](T& i, int32_t v) { i.SetPosition(uint16_t(v)); }),
                              Whole<T>(KVRInsProp::Integer, 626, "Maximum", KVRInsCol::Right, 0, 0, 65535,
                                       [](const T& i) { return int32_t(i.GetMaximum()); },
                                       [](T& i, int32_t v) { i.SetMaximum(uint16_t(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Rank,
                             {FloatLength<T>(622, "Gap", KVRInsCol::Left, [](const T& i) { return i.GetGap(); },
                                             [](T& i, float v) { i.SetGap(v); }),
                              Colour<T>(623, "Empty colour", KVRInsCol::Right,
                                        [](const T& i) { return i.GetEmptyColor(); },
                                        [](T& i, TAlphaColor v) { i.SetEmptyColor(v); })}));
    aTable.push_back(KindRow(KVRInsType::Rank,
                             {Check<T>(624, "Show empty", KVRInsCol::Whole, [](const T& i) { return i.GetDrawEmpty(); },
                                       [](T& i, bool v) { i.SetDrawEmpty(v); })}));
    AddDataRows<T>(aTable, KVRListProp::IntFields);
}

void TKVRBaseNutri::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseNutri;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    // Layouts: 0 horizontal, 1 vertical.
    aTable.push_back(KindRow(KVRInsType::Nutri,
                             {Whole<T>(KVRInsProp::List, 641, "Grade", KVRInsCol::Left, KVRListProp::Grades, 0,
                                       GradeCount, [](const T& i) { return GradeIndex(i.GetValue()); },
                                       [](T& i, int32_t v) {
                                           i.SetValue(v == 0 ? QChar() : QChar(char16_t(FirstGrade + v - 1)));
                                       }),
                              Whole<T>(KVRInsProp::Integer, 640, "Layout", KVRInsCol::Right, 0, 0, 1,
                                       [](const T& i) { return std::min<int32_t>(i.GetNutriType(), 1); },
                                       [](T& i, int32_t v) { i.SetNutriType(TKVRNutriType(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Nutri,
                             {Words<T>(KVRInsProp::Text, 642, "Title", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetTitle(); },
                                       [](T& i, const QString& v) { i.SetTitle(v); })}));
    aTable.push_back(KindRow(KVRInsType::Nutri,
                             {Check<T>(643, "Show title", KVRInsCol::Left, [](const T& i) { return i.GetShowTitle(); },
                                       [](T& i, bool v) { i.SetShowTitle(v); }),
                              Whole<T>(KVRInsProp::List, 644, "Title alignment", KVRInsCol::Right,
                                       KVRListProp::HorzAlign, 0, 2,
                                       [](const T& i) { return std::min<int32_t>(int32_t(i.GetTitleAlign()), 2); },
                                       [](T& i, int32_t v) { i.SetTitleAlign(TKVRHorzAlign(v)); })}));
    using G = TAlphaColor (T::*)() const;
    using S = void (T::*)(TAlphaColor);
    struct TCell
    {
        int32_t Pos;
        const char* Name;
        G Get;
        S Set;
    };
    const TCell cells[] = {{645, "Colour A", &T::GetAColor, &T::SetAColor},
                           {646, "Colour B", &T::GetBColor, &T::SetBColor},
                           {647, "Colour C", &T::GetCColor, &T::SetCColor},
                           {648, "Colour D", &T::GetDColor, &T::SetDColor},
                           {649, "Colour E", &T::GetEColor, &T::SetEColor},
                           {650, "Title colour", &T::GetTitleColor, &T::SetTitleColor},
                           {651, "Letter colour", &T::GetCharColor, &T::SetCharColor},
                           {652, "Grade colour", &T::GetValueColor, &T::SetValueColor}};
    for (size_t k = 0; k < std::size(cells); k += 2) {
        std::vector<TKVRPropPart> parts;
        for (size_t c = k; c < std::min(k + 2, std::size(cells)); ++c) {
            const TCell cell = cells[c];
            parts.push_back(Colour<T>(cell.Pos, cell.Name, c == k ? KVRInsCol::Left : KVRInsCol::Right,
                                      [cell](const T& i) { return (i.*cell.Get)(); },
                                      [cell](T& i, TAlphaColor v) { (i.*cell.Set)(v); }));
        }
        aTable.push_back(KindRow(KVRInsType::Nutri, std::move(parts)));
    }
    aTable.push_back(KindRow(KVRInsType::Nutri,
                             {Check<T>(653, "Monochrome", KVRInsCol::Left, [](const T& i) { return i.GetMonochrome(); },
                                       [](T& i, bool v) { i.SetMonochrome(v); }),
                              FloatLength<T>(656, "Margin", KVRInsCol::Right, [](const T& i) { return i.GetMargin(); },
                                             [](T& i, float v) { i.SetMargin(v); })}));
    aTable.push_back(KindRow(KVRInsType::Nutri,
                             {FloatLength<T>(654, "Gap", KVRInsCol::Left, [](const T& i) { return i.GetGap(); },
                                             [](T& i, float v) { i.SetGap(v); }),
                              FloatLength<T>(655, "Grade gap", KVRInsCol::Right,
                                             [](const T& i) { return i.GetGapValue(); },
                                             [](T& i, float v) { i.SetGapValue(v); })}));
    aTable.push_back(KindRow(KVRInsType::Nutri,
                             {FloatLength<T>(657, "Frame radius", KVRInsCol::Left, [](const T& i) { return i.GetRadio(); },
                                             [](T& i, float v) { i.SetRadio(v); }),
                              FloatLength<T>(658, "Cell radius", KVRInsCol::Right,
                                             [](const T& i) { return i.GetInnerRadio(); },
                                             [](T& i, float v) { i.SetInnerRadio(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    AddDataRows<T>(aTable, KVRListProp::TxtFields);
}

void TKVRBasePackage::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBasePackage;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    aTable.push_back(BaseRow(KVRInsTypeBase::Corner,
                             {Length<T>(*this, 220, "Corner radius", KVRInsCol::Whole, 1e9,
                                        [](const T& i) { return i.GetBaseRadio(); },
                                        [](T& i, int64_t v) { i.SetBaseRadio(int32_t(v)); })}));
    // Each size beside the name the package writes for it.
    using GF = float (T::*)() const;
    using SF = void (T::*)(float);
    using GN = QString (T::*)() const;
    using SN = void (T::*)(const QString&);
    struct TSide
    {
        int32_t Pos;
        const char *Size, *Name;
        GF GetSize;
        SF SetSize;
        GN GetName;
        SN SetName;
    };
    // The box's sides have captions of their own ("Width" and "Height" are
    // the element's frame on the label); each name stands beside its size.
    const TSide sides[] = {
        {680, "BoxLength", "Name", &T::SizeLength, &T::SetSizeLength, &T::NameLength, &T::SetNameLength},
        {682, "BoxWidth", "Name", &T::SizeWidth, &T::SetSizeWidth, &T::NameWidth, &T::SetNameWidth},
        {684, "BoxHeight", "Name", &T::SizeHeight, &T::SetSizeHeight, &T::NameHeight, &T::SetNameHeight}};
    for (const TSide& side : sides)
        aTable.push_back(KindRow(
            KVRInsType::Package,
            {FloatLength<T>(side.Pos, side.Size, KVRInsCol::Left, [side](const T& i) { return (i.*side.GetSize)(); },
                            [side](T& i, float v) { (i.*side.SetSize)(v); }),
             Words<T>(KVRInsProp::Text, side.Pos + 1, side.Name, KVRInsCol::Right, 0,
                      [side](const T& i) { return (i.*side.GetName)(); },
                      [side](T& i, const QString& v) { (i.*side.SetName)(v); })}));
    aTable.push_back(KindRow(KVRInsType::Package,
                             {Whole<T>(KVRInsProp::Integer, 686, "Style", KVRInsCol::Whole, 0, 0, 5,
                                       [](const T& i) { return int32_t(i.Style()); },
                                       [](T& i, int32_t v) { i.SetStyle(TKVRPackageStyle(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Package,
                             {Colour<T>(687, "Box colour", KVRInsCol::Left, [](const T& i) { return i.BoxColor(); },
                                        [](T& i, TAlphaColor v) { i.SetBoxColor(v); }),
                              Colour<T>(688, "Font colour", KVRInsCol::Right, [](const T& i) { return i.GetFontColor(); },
                                        [](T& i, TAlphaColor v) { i.SetFontColor(v); })}));
    aTable.push_back(KindRow(
        KVRInsType::Package,
        {Number<T>(689, "Sizes font", KVRInsCol::Left, 0, FontMax, 0.5, "0.000",
                   [](const T& i) { return i.GetSizesFontHeight() / 1000.0; },
                   [](T& i, double v) { i.SetSizesFontHeight(ToMicrometres(v)); }),
         Number<T>(690, "Box font", KVRInsCol::Right, 0, FontMax, 0.5, "0.000",
                   [](const T& i) { return i.GetBoxFontHeight() / 1000.0; },
                   [](T& i, double v) { i.SetBoxFontHeight(ToMicrometres(v)); })}));
    AddDataRows<T>(aTable, KVRListProp::TxtFields);
}
