#pragma once
// Row shapes the property tables of the kinds share: each group that several
// kinds show is built here once, so a property keeps its position number,
// caption, bounds and format in every kind.
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/KVR.Types.h"
#include "platform/rtl/model/KVR.Model.Props.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/TKVRBaseItem.h"
#include <algorithm>
#include <cmath>

namespace KVRProps {

constexpr double FontMin = 0.1, FontMax = 1000;  // millimetres of paper
// Lengths the model holds as Single in the document's unit (gaps, margins,
// package sizes): bounds no drawing needs to pass.
constexpr double FloatLengthMax = 1e6;
// The least module or scale, as the model's Single holds it: a bound the
// stored value cannot reach exactly would show a value below it.
inline const double SingleMin = double(0.01f);

inline TKVRPropRow BaseRow(TKVRInsTypeBase aGroup, std::vector<TKVRPropPart> aParts, bool aOneOnly = false)
{
    return {0, aGroup, aGroup, true, aOneOnly, std::move(aParts)};
}

inline TKVRPropRow KindRow(TKVRInsType aGroup, std::vector<TKVRPropPart> aParts, bool aOneOnly = false)
{
    return {1, aGroup, aGroup, false, aOneOnly, std::move(aParts)};
}

// Micrometre lengths shown in the document's unit.
template <class T, class G, class S>
TKVRPropPart Length(const TKVRBaseItem& aItem, int32_t aPos, const char* aName, TKVRInsCol aCol, double aMaxMicrometres,
                    G aGet, S aSet)
{
    return Number<T>(aPos, aName, aCol, 0, aItem.FromBase(int64_t(aMaxMicrometres)), 0.1, "0.000",
                     [aGet](const T& i) { return i.FromBase(aGet(i)); },
                     [aSet](T& i, double v) { aSet(i, i.ToBase(v)); });
}

// Lengths held as Single in the document's unit.
template <class T, class G, class S>
TKVRPropPart FloatLength(int32_t aPos, const char* aName, TKVRInsCol aCol, G aGet, S aSet)
{
    return Number<T>(aPos, aName, aCol, 0, FloatLengthMax, 0.1, "0.000", aGet,
                     [aSet](T& i, double v) { aSet(i, float(v)); });
}

// Angles in degrees, shown within one turn so that the value sent back is
// the value shown.
template <class T, class G, class S>
TKVRPropPart Degrees(int32_t aPos, const char* aName, TKVRInsCol aCol, double aMin, double aMax, G aGet, S aSet)
{
    return Number<T>(aPos, aName, aCol, aMin, aMax, 1, "0.00",
                     [aGet](const T& i) {
                         const double d = aGet(i);
                         return std::isfinite(d) ? std::fmod(d, 360.0) : 0.0;
                     },
                     aSet);
}

// Pens and fonts: micrometres of paper shown in millimetres.
inline int32_t ToMicrometres(double aMillimetres) { return int32_t(RoundHalfEven(aMillimetres * 1000.0)); }

template <class T>
TKVRPropPart TurnPart()
{
    return Whole<T>(KVRInsProp::List, 200, "Turn", KVRInsCol::Whole, KVRListProp::Turns, 0, 3,
                    [](const T& i) { return int32_t(i.GetAngle()); }, [](T& i, int32_t v) { i.SetAngle(TKVRAngle(v)); });
}

// The option boxes: alignment with vertical position (code 13) and alignment
// alone (code 12) carry the numbers the grid always sends.
template <class T>
TKVRPropRow AlignPosRow()
{
    return {KVRInsType::AlignPosKind, KVRInsType::AlignPosType, KVRInsTypeBase::Align, true, false,
            {Whole<T>(KVRInsProp::AlignPos, 1, "Alignment", KVRInsCol::Wide, 0, 0, 2,
                      [](const T& i) { return int32_t(i.GetHorzAlign()); },
                      [](T& i, int32_t v) { i.SetHorzAlign(TKVRHorzAlign(v)); }),
             Whole<T>(KVRInsProp::AlignPos, 2, "Position", KVRInsCol::Wide, 0, 0, 2,
                      [](const T& i) { return int32_t(i.GetVertAlign()); },
                      [](T& i, int32_t v) { i.SetVertAlign(TKVRVertAlign(v)); })}};
}

template <class T>
TKVRPropRow AlignRow()
{
    return {KVRInsType::AlignPosKind, KVRInsType::AlignType, KVRInsTypeBase::Align, true, false,
            {Whole<T>(KVRInsProp::HorzAlign, 1, "Alignment", KVRInsCol::Wide, 0, 0, 2,
                      [](const T& i) { return int32_t(i.GetHorzAlign()); },
                      [](T& i, int32_t v) { i.SetHorzAlign(TKVRHorzAlign(v)); })}};
}

// Paddings held in micrometres (texts, flowchart nodes), shown in the document's unit.
template <class T>
TKVRPropRow BasePaddingRow(const T& aItem)
{
    return BaseRow(KVRInsTypeBase::Padding,
                   {Length<T>(aItem, 210, "Padding X", KVRInsCol::Left, 1e9, [](const T& i) { return i.GetBasePadX(); },
                              [](T& i, int64_t v) { i.SetBasePadX(int32_t(v)); }),
                    Length<T>(aItem, 211, "Padding Y", KVRInsCol::Right, 1e9, [](const T& i) { return i.GetBasePadY(); },
                              [](T& i, int64_t v) { i.SetBasePadY(int32_t(v)); })});
}

// Paddings held as Single millimetres (the codes).
template <class T>
TKVRPropRow PaddingRow()
{
    return BaseRow(KVRInsTypeBase::Padding,
                   {Number<T>(212, "Padding X", KVRInsCol::Left, 0, 1000, 0.1, "0.000",
                              [](const T& i) { return i.GetPaddingX(); }, [](T& i, double v) { i.SetPaddingX(float(v)); }),
                    Number<T>(213, "Padding Y", KVRInsCol::Right, 0, 1000, 0.1, "0.000",
                              [](const T& i) { return i.GetPaddingY(); }, [](T& i, double v) { i.SetPaddingY(float(v)); })});
}

// How a kind's font changes: by default the whole record through SetFont;
// the text kinds specialise it (rich text re-reads its mark-up).
template <class T>
struct TFontAccess
{
    static TKVRFontInfo Get(const T& aItem) { return aItem.GetFont(); }
    template <class F>
    static void Edit(T& aItem, F aEdit)
    {
        TKVRFontInfo font = aItem.GetFont();
        aEdit(font);
        aItem.SetFont(font);
    }
};

// The font group: family; height and colour; bold and italic; underline
// and, where the kind has it, strikeout.
template <class T>
void AddFontRows(TKVRPropTable& aTable)
{
    using A = TFontAccess<T>;
    aTable.push_back(BaseRow(KVRInsTypeBase::Font,
                             {Words<T>(KVRInsProp::List, 160, "Font", KVRInsCol::Whole, KVRListProp::Fonts,
                                       [](const T& i) { return A::Get(i).Name; },
                                       [](T& i, const QString& v) { A::Edit(i, [&](TKVRFontInfo& f) { f.Name = v; }); })}));
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Font,
        {Number<T>(161, "Font height", KVRInsCol::Left, FontMin, FontMax, 0.5, "0.000",
                   [](const T& i) { return A::Get(i).Height / 1000.0; },
                   [](T& i, double v) { A::Edit(i, [&](TKVRFontInfo& f) { f.Height = ToMicrometres(v); }); }),
         Colour<T>(162, "Font colour", KVRInsCol::Right, [](const T& i) { return A::Get(i).Color; },
                   [](T& i, TAlphaColor v) { A::Edit(i, [&](TKVRFontInfo& f) { f.Color = v; }); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Font,
                             {Check<T>(163, "Bold", KVRInsCol::Left, [](const T& i) { return A::Get(i).Bold; },
                                       [](T& i, bool v) { A::Edit(i, [&](TKVRFontInfo& f) { f.Bold = v; }); }),
                              Check<T>(164, "Italic", KVRInsCol::Right, [](const T& i) { return A::Get(i).Italic; },
                                       [](T& i, bool v) { A::Edit(i, [&](TKVRFontInfo& f) { f.Italic = v; }); })}));
    std::vector<TKVRPropPart> last{Check<T>(165, "Underline", KVRInsCol::Left,
                                            [](const T& i) { return A::Get(i).Underline; },
                                            [](T& i, bool v) { A::Edit(i, [&](TKVRFontInfo& f) { f.Underline = v; }); })};
    if constexpr (requires(T& i) { i.SetStrikeout(true); })
        last.push_back(Check<T>(166, "Strikeout", KVRInsCol::Right, [](const T& i) { return i.GetStrikeout(); },
                                [](T& i, bool v) { i.SetStrikeout(v); }));
    aTable.push_back(BaseRow(KVRInsTypeBase::Font, std::move(last)));
}

// Line ends: markers, their colours and, where the kind holds them, sizes.
template <class T>
void AddEndRows(TKVRPropTable& aTable)
{
    constexpr bool record = std::is_base_of_v<TKVRLineEndsPart, T>;
    auto edit = [](T& i, auto f) {
        if constexpr (record) {
            TKVRLineEnds e = i.GetEnds();
            f(e);
            i.SetEnds(e);
        }
    };
    auto fromType = [=](T& i, int32_t v) {
        if constexpr (record)
            edit(i, [v](TKVRLineEnds& e) { e.FromType = TKVRTermType(v); });
        else
            i.SetFromType(TKVRTermType(v));
    };
    auto toType = [=](T& i, int32_t v) {
        if constexpr (record)
            edit(i, [v](TKVRLineEnds& e) { e.ToType = TKVRTermType(v); });
        else
            i.SetToType(TKVRTermType(v));
    };
    auto fromColor = [=](T& i, TAlphaColor v) {
        if constexpr (record)
            edit(i, [v](TKVRLineEnds& e) { e.FromColor = v; });
        else
            i.SetFromColor(v);
    };
    auto toColor = [=](T& i, TAlphaColor v) {
        if constexpr (record)
            edit(i, [v](TKVRLineEnds& e) { e.ToColor = v; });
        else
            i.SetToColor(v);
    };
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Ends,
        {Whole<T>(KVRInsProp::List, 300, "Start", KVRInsCol::Left, KVRListProp::LineEnds, 0, 11,
                  [](const T& i) { return int32_t(i.GetFromType()); }, fromType),
         Whole<T>(KVRInsProp::List, 301, "End", KVRInsCol::Right, KVRListProp::LineEnds, 0, 11,
                  [](const T& i) { return int32_t(i.GetToType()); }, toType)}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Ends,
                             {Colour<T>(302, "Start colour", KVRInsCol::Left,
                                        [](const T& i) { return i.GetFromColor(); }, fromColor),
                              Colour<T>(303, "End colour", KVRInsCol::Right, [](const T& i) { return i.GetToColor(); },
                                        toColor)}));
    if constexpr (record)
        aTable.push_back(BaseRow(
            KVRInsTypeBase::Ends,
            {Number<T>(304, "Start size", KVRInsCol::Left, 0, 100, 0.5, "0.000",
                       [](const T& i) { return i.GetSizeFrom(); },
                       [edit](T& i, double v) { edit(i, [v](TKVRLineEnds& e) { e.SizeFrom = float(v); }); }),
             Number<T>(305, "End size", KVRInsCol::Right, 0, 100, 0.5, "0.000",
                       [](const T& i) { return i.GetSizeTo(); },
                       [edit](T& i, double v) { edit(i, [v](TKVRLineEnds& e) { e.SizeTo = float(v); }); })}));
}

// Data binding: how the element is bound, the field (from aFields) and the
// number format. An element holds a fill type beyond 1 as bound too: it
// shows as bound and is kept while the choice does not change.
template <class T>
void AddDataRows(TKVRPropTable& aTable, TVXListProp aFields, bool aFormat = true)
{
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Data,
        {Whole<T>(KVRInsProp::List, 230, "Data", KVRInsCol::Left, KVRListProp::FillTypes, 0, 1,
                  [](const T& i) { return std::min<int32_t>(i.GetFillType(), 1); },
                  [](T& i, int32_t v) { i.SetFillType(uint8_t(v)); }),
         // A field chosen for an unbound element binds it: the choice says so,
         // and a field left beside "None" would print nothing of it.
         Words<T>(KVRInsProp::List, 231, "Field", KVRInsCol::Right, aFields, [](const T& i) { return i.GetFillName(); },
                  [](T& i, const QString& v) {
                      i.SetFillName(v);
                      if (!v.isEmpty() && i.GetFillType() == 0)
                          i.SetFillType(1);
                  })}));
    if (aFormat)
        aTable.push_back(BaseRow(KVRInsTypeBase::Data,
                                 {Words<T>(KVRInsProp::Text, 232, "Format", KVRInsCol::Whole, 0,
                                           [](const T& i) { return i.GetFormat(); },
                                           [](T& i, const QString& v) { i.SetFormat(v); })}));
}

// Width and height of a box from corner 1 to corner 2: they move corner 2.
TKVRPropRow SizeRow(const TKVRBaseItem& aItem);

// The radius of a round kind about its centre, held so that the shape stays
// within the coordinate range; aSet takes micrometres.
template <class T, class G, class S>
TKVRPropPart RadiusPart(const T& aItem, int32_t aPos, const char* aName, TKVRInsCol aCol, G aGet, S aSet)
{
    const int64_t room =
        KVRMaxCoordinate - std::max(std::llabs(aItem.GetBaseCenterX()), std::llabs(aItem.GetBaseCenterY()));
    return Number<T>(aPos, aName, aCol, 0, aItem.FromBase(std::max<int64_t>(room, 0)), 0.1, "0.000",
                     [aGet](const T& i) { return i.FromBase(aGet(i)); },
                     [aSet](T& i, double v) { aSet(i, i.ToBase(v)); });
}

}  // namespace KVRProps
