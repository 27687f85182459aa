// The property tables of the kinds, each beside the one it extends. A
// property's position number means the same property in every kind, so a
// row that several selected kinds share shows once and edits them all.
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVR2DItem.h"
#include "platform/rtl/model/TKVRBase2DCode.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseFlow.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBaseRank.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "platform/rtl/model/TKVRBaseTextItem.h"

using namespace KVRProps;

namespace {

constexpr double FontMin = 0.1, FontMax = 1000;  // millimetres of paper
// The least module of the codes, as the model's Single holds it: a bound the
// stored value cannot reach exactly would show a value below it.
const double ModuleMin = double(0.01f);

TKVRPropRow BaseRow(TKVRInsTypeBase aGroup, std::vector<TKVRPropPart> aParts, bool aOneOnly = false)
{
    return {0, aGroup, aGroup, true, aOneOnly, std::move(aParts)};
}

TKVRPropRow KindRow(TKVRInsType aGroup, std::vector<TKVRPropPart> aParts, bool aOneOnly = false)
{
    return {1, aGroup, aGroup, false, aOneOnly, std::move(aParts)};
}

// The option boxes: alignment with vertical position (code 13) and
// alignment alone (code 12) carry the numbers the grid always sends.
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

template <class T>
TKVRPropPart TurnPart()
{
    return Whole<T>(KVRInsProp::List, 200, "Turn", KVRInsCol::Whole, KVRListProp::Turns, 0, 3,
                    [](const T& i) { return int32_t(i.GetAngle()); }, [](T& i, int32_t v) { i.SetAngle(TKVRAngle(v)); });
}

template <class T>
TKVRPropPart FontNamePart()
{
    return Words<T>(KVRInsProp::List, 160, "Font", KVRInsCol::Whole, KVRListProp::Fonts,
                    [](const T& i) { return i.GetFontName(); }, [](T& i, const QString& v) { i.SetFontName(v); });
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

// Width and height of a box from corner 1 to corner 2: they move corner 2.
TKVRPropRow SizeRow(const TKVRBaseItem& aItem)
{
    using T = TKVRBaseItem;
    const double limit = MaxLength(aItem);
    return BaseRow(KVRInsTypeBase::Size,
                   {Number<T>(260, "Width", KVRInsCol::Left, 0, limit, 1, "0.000",
                              [](const T& i) { return i.FromBase(i.GetPoint(2).X - i.GetPoint(1).X); },
                              [](T& i, double v) {
                                  i.SetBase(2, i.GetPoint(1).X + i.ToBase(v), i.GetPoint(2).Y);
                              }),
                    Number<T>(261, "Height", KVRInsCol::Right, 0, limit, 1, "0.000",
                              [](const T& i) { return i.FromBase(i.GetPoint(2).Y - i.GetPoint(1).Y); },
                              [](T& i, double v) {
                                  i.SetBase(2, i.GetPoint(2).X, i.GetPoint(1).Y + i.ToBase(v));
                              })});
}

}  // namespace

void TKVR2DItem::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVR2DItem;
    TKVRBaseItem::DescribeProps(aTable);
    aTable.push_back(BaseRow(KVRInsTypeBase::Fill,
                             {Check<T>(150, "Filled", KVRInsCol::Left, [](const T& i) { return i.GetFilled(); },
                                       [](T& i, bool v) { i.SetFilled(v); }),
                              Colour<T>(151, "Back colour", KVRInsCol::Right, [](const T& i) { return i.GetBackColor(); },
                                        [](T& i, TAlphaColor v) { i.SetBackColor(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Fill,
                             {Whole<T>(KVRInsProp::Integer, 152, "Opacity", KVRInsCol::Whole, 0, 0, 255,
                                       [](const T& i) { return i.Alpha(); },
                                       [](T& i, int32_t v) { i.SetAlpha(uint8_t(v)); })}));
}

void TKVRBaseTextItem::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseTextItem;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(BaseRow(KVRInsTypeBase::Font, {FontNamePart<T>()}));
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Font,
        {Number<T>(161, "Font height", KVRInsCol::Left, FontMin, FontMax, 0.5, "0.000",
                   [](const T& i) { return i.GetBaseFontHeight() / 1000.0; },
                   [](T& i, double v) {
                       // Rich text sets its mark-up's sizes too.
                       if (auto* para = dynamic_cast<TKVRBasePara*>(&i))
                           para->SetFontHeight(float(v));
                       else
                           i.SetBaseFontHeight(int32_t(RoundHalfEven(v * 1000.0)));
                   }),
         Colour<T>(162, "Font colour", KVRInsCol::Right, [](const T& i) { return i.GetFontColor(); },
                   [](T& i, TAlphaColor v) { i.SetFontColor(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Font,
                             {Check<T>(163, "Bold", KVRInsCol::Left, [](const T& i) { return i.GetBold(); },
                                       [](T& i, bool v) { i.SetBold(v); }),
                              Check<T>(164, "Italic", KVRInsCol::Right, [](const T& i) { return i.GetItalic(); },
                                       [](T& i, bool v) { i.SetItalic(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Font,
                             {Check<T>(165, "Underline", KVRInsCol::Left, [](const T& i) { return i.GetUnderline(); },
                                       [](T& i, bool v) { i.SetUnderline(v); }),
                              Check<T>(166, "Strikeout", KVRInsCol::Right, [](const T& i) { return i.GetStrikeout(); },
                                       [](T& i, bool v) { i.SetStrikeout(v); })}));
    aTable.push_back(AlignPosRow<T>());
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Padding,
        {Length<T>(*this, 210, "Padding X", KVRInsCol::Left, 1e9, [](const T& i) { return i.GetBasePadX(); },
                   [](T& i, int64_t v) { i.SetBasePadX(int32_t(v)); }),
         Length<T>(*this, 211, "Padding Y", KVRInsCol::Right, 1e9, [](const T& i) { return i.GetBasePadY(); },
                   [](T& i, int64_t v) { i.SetBasePadY(int32_t(v)); })}));
}

void TKVRBaseText::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseText;
    TKVRBaseTextItem::DescribeProps(aTable);
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Words<T>(KVRInsProp::Text, 180, "Text", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetText(); },
                                       [](T& i, const QString& v) { i.SetText(v); })}));
}

void TKVRBasePara::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBasePara;
    TKVRBaseTextItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Words<T>(KVRInsProp::LongText, 181, "Text", KVRInsCol::Wide, 0,
                                       [](const T& i) { return i.GetText(); },
                                       [](T& i, const QString& v) { i.SetText(v); })}));
}

void TKVRBaseRectangle::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseRectangle;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    aTable.push_back(BaseRow(KVRInsTypeBase::Corner,
                             {Length<T>(*this, 220, "Corner radius", KVRInsCol::Whole, 1e9,
                                        [](const T& i) { return i.GetBaseRadio(); },
                                        [](T& i, int64_t v) { i.SetBaseRadio(int32_t(v)); })}));
}

void TKVRBaseBarcode::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseBarcode;
    TKVR2DItem::DescribeProps(aTable);
    // The value keeps what the symbology refuses: the element then shows invalid.
    aTable.push_back(KindRow(KVRInsType::Barcode,
                             {Words<T>(KVRInsProp::BarValue, 400, "Value", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetCode(); },
                                       [](T& i, const QString& v) { i.SetCode(v); })},
                             true));
    aTable.push_back(KindRow(KVRInsType::Barcode,
                             {Whole<T>(KVRInsProp::List, 401, "Symbology", KVRInsCol::Whole, KVRListProp::BarTypes, 0,
                                       22, [](const T& i) { return int32_t(i.GetBarType()); },
                                       [](T& i, int32_t v) { i.SetCodeType(TKVRBarType(v)); })}));
    aTable.push_back(KindRow(
        KVRInsType::Barcode,
        {Number<T>(402, "Bar width", KVRInsCol::Left, ModuleMin, 10, 0.01, "0.000",
                   [](const T& i) { return i.GetBarWidth(); }, [](T& i, double v) { i.SetBarWidth(float(v)); }),
         Number<T>(403, "Bar height", KVRInsCol::Right, 0, 1000, 0.5, "0.000",
                   [](const T& i) { return i.GetBarHeight(); }, [](T& i, double v) { i.SetBarHeight(float(v)); })}));
    aTable.push_back(KindRow(
        KVRInsType::Barcode,
        {Number<T>(404, "Wide to narrow", KVRInsCol::Left, 2, 3, 0.1, "0.000",
                   [](const T& i) { return i.GetBarWidthFactor(); },
                   [](T& i, double v) { i.SetBarWidthFactor(float(v)); }),
         Check<T>(405, "Check digit", KVRInsCol::Right, [](const T& i) { return i.GetChecksum(); },
                  [](T& i, bool v) { i.SetChecksum(v); })}));
    aTable.push_back(KindRow(KVRInsType::Barcode,
                             {Check<T>(406, "Show number", KVRInsCol::Left, [](const T& i) { return i.GetShowNumber(); },
                                       [](T& i, bool v) { i.SetShowNumber(v); }),
                              Number<T>(407, "Text gap", KVRInsCol::Right, 0, 100, 0.1, "0.000",
                                        [](const T& i) { return i.GetDistance(); },
                                        [](T& i, double v) { i.SetDistance(float(v)); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Font, {FontNamePart<T>()}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Font,
                             {Number<T>(161, "Font height", KVRInsCol::Left, FontMin, FontMax, 0.5, "0.000",
                                        [](const T& i) { return i.GetBaseFontHeight() / 1000.0; },
                                        [](T& i, double v) { i.SetBaseFontHeight(int32_t(RoundHalfEven(v * 1000.0))); })}));
    aTable.push_back(AlignRow<T>());
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Padding,
        {Number<T>(212, "Padding X", KVRInsCol::Left, 0, 1000, 0.1, "0.000", [](const T& i) { return i.GetPaddingX(); },
                   [](T& i, double v) { i.SetPaddingX(float(v)); }),
         Number<T>(213, "Padding Y", KVRInsCol::Right, 0, 1000, 0.1, "0.000", [](const T& i) { return i.GetPaddingY(); },
                   [](T& i, double v) { i.SetPaddingY(float(v)); })}));
}

void TKVRBase2DCode::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBase2DCode;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(KindRow(KVRInsType::Code2D,
                             {Words<T>(KVRInsProp::Text, 440, "Value", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetCode(); },
                                       [](T& i, const QString& v) { i.SetCode(v); })}));
    aTable.push_back(KindRow(
        KVRInsType::Code2D,
        {Number<T>(441, "Module width", KVRInsCol::Left, ModuleMin, 100, 0.01, "0.000",
                   [](const T& i) { return i.GetBarWidth(); }, [](T& i, double v) { i.SetBarWidth(float(v)); }),
         Number<T>(442, "Module height", KVRInsCol::Right, ModuleMin, 100, 0.01, "0.000",
                   [](const T& i) { return i.GetBarHeight(); }, [](T& i, double v) { i.SetBarHeight(float(v)); })}));
    aTable.push_back(AlignPosRow<T>());
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    aTable.push_back(BaseRow(
        KVRInsTypeBase::Padding,
        {Number<T>(212, "Padding X", KVRInsCol::Left, 0, 1000, 0.1, "0.000", [](const T& i) { return i.GetPaddingX(); },
                   [](T& i, double v) { i.SetPaddingX(float(v)); }),
         Number<T>(213, "Padding Y", KVRInsCol::Right, 0, 1000, 0.1, "0.000", [](const T& i) { return i.GetPaddingY(); },
                   [](T& i, double v) { i.SetPaddingY(float(v)); })}));
}

void TKVRBaseImage::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseImage;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    // The file dialog and the map button work on the one selected picture.
    aTable.push_back(KindRow(KVRInsType::Image,
                             {Words<T>(KVRInsProp::Picture, 460, "Picture", KVRInsCol::Wide, 0,
                                       [](const T& i) { return i.GetFileName(); },
                                       [](T& i, const QString& v) { i.SetFileName(v); })},
                             true));
    aTable.push_back(KindRow(KVRInsType::Image,
                             {Check<T>(461, "Embedded", KVRInsCol::Whole, [](const T& i) { return i.GetEmbeded(); },
                                       [](T& i, bool v) { i.SetEmbeded(v); })}));
}

// The dialog parts: their "..." opens an editor that works on the one
// selected element; the row shows the count and takes no value itself.
namespace {
template <class T, class G>
TKVRPropPart DialogPart(TKVRInsProp aCode, int32_t aPos, const char* aName, G aGet)
{
    TKVRPropPart p;
    p.Code = aCode;
    p.Pos = aPos;
    p.Name = QString::fromUtf8(aName);
    p.Col = KVRInsCol::Wide;
    p.Get = [aGet](const TKVRBaseItem& i) { return TJsonObject(int32_t(aGet(static_cast<const T&>(i)))); };
    p.Set = [](TKVRBaseItem&, const TJsonObject&) {};
    return p;
}
}  // namespace

void TKVRBaseTable::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseTable;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    aTable.push_back(KindRow(KVRInsType::Table,
                             {DialogPart<T>(KVRInsProp::Columns, 520, "Columns",
                                            [](const T& i) { return i.GetColumnCount(); })},
                             true));
}

void TKVRBasePoly::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBasePoly;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(KindRow(KVRInsType::PolyText,
                             {DialogPart<T>(KVRInsProp::PolyItems, 540, "Items",
                                            [](const T& i) { return i.GetItemCount(); })},
                             true));
}

void TKVRBaseFlow::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseFlow;
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
    aTable.push_back(KindRow(KVRInsType::Flow,
                             {Words<T>(KVRInsProp::Text, 480, "Caption", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetText(); },
                                       [](T& i, const QString& v) { i.SetText(v); })}));
}

void TKVRBasePackage::DescribeProps(TKVRPropTable& aTable) const
{
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
}

void TKVRBaseRank::DescribeProps(TKVRPropTable& aTable) const
{
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
}

void TKVRBaseNutri::DescribeProps(TKVRPropTable& aTable) const
{
    TKVR2DItem::DescribeProps(aTable);
    aTable.push_back(SizeRow(*this));
}
