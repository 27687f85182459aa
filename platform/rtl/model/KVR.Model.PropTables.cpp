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
#include "platform/rtl/model/KVR.Model.PropRows.h"
#include "platform/rtl/model/TKVRBasePDF417.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "platform/rtl/model/TKVRBaseRichText.h"

using namespace KVRProps;

// The text kinds' fonts: rich text re-reads its mark-up, whose base format
// is the element's font, and a paragraph's height goes through its own setter.
template <>
struct KVRProps::TFontAccess<TKVRBaseTextItem>
{
    using T = TKVRBaseTextItem;
    static TKVRFontInfo Get(const T& i)
    {
        return {i.GetFontName(), i.GetFontColor(), i.GetBaseFontHeight(), i.GetBold(), i.GetItalic(),
                i.GetUnderline()};
    }
    template <class F>
    static void Edit(T& aItem, F aEdit)
    {
        const TKVRFontInfo was = Get(aItem);
        TKVRFontInfo font = was;
        aEdit(font);
        if (auto* rich = dynamic_cast<TKVRBaseRichText*>(&aItem))
            Apply(*rich, was, font);
        else
            Apply(aItem, was, font);
    }

private:
    template <class X>
    static void Apply(X& aItem, const TKVRFontInfo& aWas, const TKVRFontInfo& aNow)
    {
        if (aNow.Name != aWas.Name)
            aItem.SetFontName(aNow.Name);
        if (aNow.Color != aWas.Color)
            aItem.SetFontColor(aNow.Color);
        if (aNow.Bold != aWas.Bold)
            aItem.SetBold(aNow.Bold);
        if (aNow.Italic != aWas.Italic)
            aItem.SetItalic(aNow.Italic);
        if (aNow.Underline != aWas.Underline)
            aItem.SetUnderline(aNow.Underline);
        if (aNow.Height != aWas.Height) {
            // Rich text sets its mark-up's sizes too.
            if (auto* para = dynamic_cast<TKVRBasePara*>(&aItem))
                para->SetFontHeight(float(aNow.Height / 1000.0));
            else
                aItem.SetBaseFontHeight(aNow.Height);
        }
    }
};

TKVRPropRow KVRProps::SizeRow(const TKVRBaseItem& aItem)
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
    AddFontRows<T>(aTable);
    aTable.push_back(AlignPosRow<T>());
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    aTable.push_back(BasePaddingRow<T>(*this));
    aTable.push_back(BaseRow(KVRInsTypeBase::Corner,
                             {Length<T>(*this, 220, "Corner radius", KVRInsCol::Whole, 1e9,
                                        [](const T& i) { return i.GetBaseRadio(); },
                                        [](T& i, int64_t v) { i.SetBaseRadio(int32_t(v)); })}));
    AddDataRows<T>(aTable, KVRListProp::DataFields);
}

void TKVRBaseText::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseText;
    TKVRBaseTextItem::DescribeProps(aTable);
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Words<T>(KVRInsProp::Text, 180, "Text", KVRInsCol::Whole, 0,
                                       [](const T& i) { return i.GetText(); },
                                       [](T& i, const QString& v) { i.SetText(v); })}));
    // Width scale of the glyphs; a text wider than its maximum width (0: none) wraps.
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Number<T>(184, "Scale", KVRInsCol::Left, SingleMin, 100, 0.1, "0.000",
                                        [](const T& i) { return i.GetScale(); },
                                        [](T& i, double v) { i.SetScale(float(v)); }),
                              Length<T>(*this, 185, "Maximum width", KVRInsCol::Right, 1e9,
                                        [](const T& i) { return i.GetMaxWidth(); },
                                        [](T& i, int64_t v) { i.SetMaxWidth(int32_t(v)); })}));
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
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Number<T>(186, "Line spacing", KVRInsCol::Whole, SingleMin, 100, 0.1, "0.000",
                                        [](const T& i) { return i.GetScaleX(); },
                                        [](T& i, double v) { i.SetScaleX(float(v)); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Text,
                             {Check<T>(187, "Grow", KVRInsCol::Left, [](const T& i) { return i.GetAutoGrow(); },
                                       [](T& i, bool v) { i.SetAutoGrow(v); }),
                              Check<T>(188, "Shrink", KVRInsCol::Right, [](const T& i) { return i.GetAutoShrink(); },
                                       [](T& i, bool v) { i.SetAutoShrink(v); })}));
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
        {Number<T>(402, "Bar width", KVRInsCol::Left, SingleMin, 10, 0.01, "0.000",
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
    // The number's font: family and height only.
    aTable.push_back(BaseRow(KVRInsTypeBase::Font,
                             {Words<T>(KVRInsProp::List, 160, "Font", KVRInsCol::Whole, KVRListProp::Fonts,
                                       [](const T& i) { return i.GetFontName(); },
                                       [](T& i, const QString& v) { i.SetFontName(v); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Font,
                             {Number<T>(161, "Font height", KVRInsCol::Left, FontMin, FontMax, 0.5, "0.000",
                                        [](const T& i) { return i.GetBaseFontHeight() / 1000.0; },
                                        [](T& i, double v) { i.SetBaseFontHeight(ToMicrometres(v)); })}));
    aTable.push_back(AlignRow<T>());
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    aTable.push_back(PaddingRow<T>());
    AddDataRows<T>(aTable, KVRListProp::DataFields);
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
        {Number<T>(441, "Module width", KVRInsCol::Left, SingleMin, 100, 0.01, "0.000",
                   [](const T& i) { return i.GetBarWidth(); }, [](T& i, double v) { i.SetBarWidth(float(v)); }),
         Number<T>(442, "Module height", KVRInsCol::Right, SingleMin, 100, 0.01, "0.000",
                   [](const T& i) { return i.GetBarHeight(); }, [](T& i, double v) { i.SetBarHeight(float(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Code2D,
                             {Number<T>(449, "Ratio", KVRInsCol::Whole, SingleMin, 100, 0.1, "0.000",
                                        [](const T& i) { return i.GetRatio(); },
                                        [](T& i, double v) { i.SetRatio(float(v)); })}));
    aTable.push_back(AlignPosRow<T>());
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    aTable.push_back(PaddingRow<T>());
    AddDataRows<T>(aTable, KVRListProp::DataFields);
}

void TKVRBasePDF417::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBasePDF417;
    TKVRBase2DCode::DescribeProps(aTable);
    // Columns and rows: 0 lets the encoder choose (see the README's PDF417 sizes).
    aTable.push_back(KindRow(
        KVRInsType::Code2D,
        {Whole<T>(KVRInsProp::Integer, 443, "Correction", KVRInsCol::Left, 0, 0, 8,
                  [](const T& i) { return i.GetCorrectionLevel(); },
                  [](T& i, int32_t v) { i.SetCorrectionLevel(TKVRPdf417CorrectionLevel(v)); }),
         Check<T>(444, "Truncated", KVRInsCol::Right, [](const T& i) { return i.GetTruncated(); },
                  [](T& i, bool v) { i.SetTruncated(v); })}));
    aTable.push_back(KindRow(KVRInsType::Code2D,
                             {Whole<T>(KVRInsProp::Integer, 445, "Columns", KVRInsCol::Left, 0, 0, 30,
                                       [](const T& i) { return i.GetColumns(); },
                                       [](T& i, int32_t v) { i.SetColumns(v); }),
                              Whole<T>(KVRInsProp::Integer, 446, "Rows", KVRInsCol::Right, 0, 0, 90,
                                       [](const T& i) { return i.GetRows(); }, [](T& i, int32_t v) { i.SetRows(v); })}));
}

void TKVRBaseQRCode::DescribeProps(TKVRPropTable& aTable) const
{
    using T = TKVRBaseQRCode;
    TKVRBase2DCode::DescribeProps(aTable);
    // Encodings: 0 auto, 1 numeric, 2 alphanumeric, 3 ISO-8859-1, 4 UTF-8.
    aTable.push_back(KindRow(
        KVRInsType::Code2D,
        {Whole<T>(KVRInsProp::List, 447, "Correction", KVRInsCol::Left, KVRListProp::QRLevels, 0, 3,
                  [](const T& i) { return i.GetErrorLevel().GetOrdinal(); },
                  [](T& i, int32_t v) { i.SetErrorLevel(v); }),
         Whole<T>(KVRInsProp::Integer, 448, "Encoding", KVRInsCol::Right, 0, 0, 4,
                  [](const T& i) { return int32_t(i.GetEncoding()); },
                  [](T& i, int32_t v) { i.SetEncoding(TQRCodeEncoding(v)); })}));
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
                             {Check<T>(461, "Embedded", KVRInsCol::Left, [](const T& i) { return i.GetEmbeded(); },
                                       [](T& i, bool v) { i.SetEmbeded(v); }),
                              Check<T>(465, "Keep proportions", KVRInsCol::Right,
                                       [](const T& i) { return i.GetKeepProp(); },
                                       [](T& i, bool v) { i.SetKeepProp(v); })}));
    // Filters: 0 none, 1 grey, 2 black and white; frames 0 none, 1 rectangle, 2 circle, 3 cut to the circle.
    aTable.push_back(KindRow(KVRInsType::Image,
                             {Whole<T>(KVRInsProp::Integer, 462, "Filter", KVRInsCol::Left, 0, 0, 2,
                                       [](const T& i) { return int32_t(i.GetFilter()); },
                                       [](T& i, int32_t v) { i.SetFilter(TKVRImgFilter(v)); }),
                              Whole<T>(KVRInsProp::Integer, 463, "Frame", KVRInsCol::Right, 0, 0, 3,
                                       [](const T& i) { return int32_t(i.GetFrame()); },
                                       [](T& i, int32_t v) { i.SetFrame(TKVRFrame(v)); })}));
    aTable.push_back(KindRow(KVRInsType::Image,
                             {Whole<T>(KVRInsProp::List, 464, "Fit", KVRInsCol::Whole, KVRListProp::ImageFits, 0, 2,
                                       [](const T& i) { return i.GetImageAlign() <= 2 ? int32_t(i.GetImageAlign()) : 1; },
                                       [](T& i, int32_t v) { i.SetImageAlign(TKVRImgAlign(v)); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Turn, {TurnPart<T>()}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Padding,
                             {Length<T>(*this, 214, "Padding", KVRInsCol::Whole, 1e9,
                                        [](const T& i) { return i.GetBasePadding(); },
                                        [](T& i, int64_t v) { i.SetBasePadding(int32_t(v)); })}));
    aTable.push_back(BaseRow(KVRInsTypeBase::Corner,
                             {Length<T>(*this, 220, "Corner radius", KVRInsCol::Whole, 1e9,
                                        [](const T& i) { return i.GetBaseRadio(); },
                                        [](T& i, int64_t v) { i.SetBaseRadio(int32_t(v)); })}));
    // A picture takes a file name from its field: no fill type, no format.
    aTable.push_back(BaseRow(KVRInsTypeBase::Data,
                             {Words<T>(KVRInsProp::List, 233, "Field", KVRInsCol::Whole, KVRListProp::ImgFields,
                                       [](const T& i) { return i.GetFillName(); },
                                       [](T& i, const QString& v) { i.SetFillName(v); })}));
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
