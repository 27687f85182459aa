#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/codes/KVR.DataMatrix.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseDataMatrix.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

int64_t Scaled(int64_t aPaper, int32_t aScale)
{
    const int64_t limit = std::numeric_limits<int32_t>::max();
    return std::min(std::max<int64_t>(aPaper, 0), limit) * aScale;
}

bool IsGS1(TKVRBarType aType)
{
    return aType >= TKVRBarType::GS1_128A && aType <= TKVRBarType::GS1_128C;
}

// An EKVRDataError of a JSON value becomes the JSON reader's error.
template <class F>
auto JsonCheck(F&& aCheck)
{
    try {
        return aCheck();
    } catch (const EKVRDataError& e) {
        throw EKVRJsonError(e.what());
    }
}

}  // namespace

// ---------------------------------------------------------------- items

QString TKVRDataPoly::Value(const TKVRBaseLabel* aLabel, bool aData) const
{
    return aData ? Data.Value(aLabel, Text) : Text;
}

QString TKVRDataPoly::GetResText(const TKVRBaseLabel* aLabel, bool aData) const
{
    const QString value = Value(aLabel, aData);
    if (AI.isEmpty())
        return value;
    return ShowAI ? QLatin1Char('(') + AI + QLatin1Char(')') + value : AI + value;
}

void TKVRDataPoly::SetBaseSize(int32_t aWidth, int32_t aAscent, int32_t aDescent, double aRatio)
{
    fWidth = std::max(aWidth, 0);
    fAscent = aAscent;
    fDescent = aDescent;
    fRatio = aRatio;
}

void TKVRDataPoly::Changed()
{
    if (fOwner)
        fOwner->Changed();
}

void TKVRDataPoly::SetText(const QString& aValue)
{
    Text = aValue;
    Changed();
}

void TKVRDataPoly::SetField(const QString& aName)
{
    Data.FillName = aName;
    Data.FillType = aName.isEmpty() ? 0 : 1;
    Changed();
}

void TKVRDataPoly::SetFormat(const QString& aValue)
{
    Data.Format = aValue;
    Changed();
}

void TKVRDataPoly::SetIA(const QString& aValue)
{
    AI = aValue;
    Changed();
}

void TKVRDataPoly::SetAddPar(bool aValue)
{
    ShowAI = aValue;
    Changed();
}

void TKVRDataPoly::SetFontName(const QString& aValue)
{
    Font.Name = aValue;
    Changed();
}

void TKVRDataPoly::SetFontHeight(float aValue)
{
    Font.Height = KVRCodeCheck::ToMicrometres(KVRCodeCheck::ClampLength(aValue));
    Changed();
}

void TKVRDataPoly::SetBold(bool aValue)
{
    Font.Bold = aValue;
    Changed();
}

void TKVRDataPoly::SetItalic(bool aValue)
{
    Font.Italic = aValue;
    Changed();
}

void TKVRDataPoly::SetFontColor(TAlphaColor aValue)
{
    Font.Color = aValue;
    Changed();
}

void TKVRDataPoly::SetBackColor(TAlphaColor aValue)
{
    BackColor = aValue;
    Changed();
}

void TKVRDataPoly::SetFillBack(bool aValue)
{
    Filled = aValue;
    Changed();
}

void TKVRDataPoly::Write(TBinaryWriter& aWriter) const
{
    Font.Write(aWriter);
    aWriter.WriteString(Text);
    Data.Write(aWriter);
    aWriter.WriteString(AI);
    aWriter.WriteBoolean(ShowAI);
    aWriter.WriteBoolean(Filled);
    aWriter.WriteCardinal(BackColor);
}

void TKVRDataPoly::Read(TBinaryReader& aReader)
{
    Font.Read(aReader);
    Text = aReader.ReadString();
    Data.Read(aReader);
    AI = aReader.ReadString();
    ShowAI = aReader.ReadBoolean();
    Filled = aReader.ReadBoolean();
    BackColor = aReader.ReadCardinal();
}

TJsonObject TKVRDataPoly::WriteJson() const
{
    TJsonObject j;
    Font.WriteJson(j);
    j["Text"] = KVRJson::Str(Text);
    Data.WriteJson(j);
    j["AI"] = KVRJson::Str(AI);
    j["ShowAI"] = ShowAI;
    j["Filled"] = Filled;
    j["BackColor"] = BackColor;
    return j;
}

void TKVRDataPoly::ReadJson(const TJsonObject& aJson)
{
    if (!aJson.is_object())
        throw EKVRJsonError("Invalid Items: an item is not an object");
    JsonCheck([&] { Font.ReadJson(aJson); return 0; });
    Text = KVRJson::GetString(aJson, "Text", Text);
    Data.ReadJson(aJson);
    AI = KVRJson::GetString(aJson, "AI", AI);
    ShowAI = KVRJson::GetBool(aJson, "ShowAI", ShowAI);
    Filled = KVRJson::GetBool(aJson, "Filled", Filled);
    BackColor = KVRJson::GetCardinal(aJson, "BackColor", BackColor);
}

// ---------------------------------------------------------------- element

TKVRBasePoly::TKVRBasePoly(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVR2DItem(aOwner, KVRItemKind::PolyText, 2, aPreview)
{
}

TKVRBasePoly::TKVRBasePoly(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVR2DItem(aOwner, aLayer, KVRItemKind::PolyText, 2, aPreview)
{
}

TKVRBasePoly::~TKVRBasePoly() = default;

bool TKVRBasePoly::GetIsData() const
{
    return std::any_of(fItems.begin(), fItems.end(), [](const auto& i) { return i->Data.IsBound(); });
}

TKVRDataPoly& TKVRBasePoly::GetItem(int32_t aIndex)
{
    if (aIndex < 1 || aIndex > GetItemCount())
        throw std::out_of_range("Item index out of range: " + std::to_string(aIndex));
    return *fItems[size_t(aIndex - 1)];
}

const TKVRDataPoly& TKVRBasePoly::GetItem(int32_t aIndex) const
{
    return const_cast<TKVRBasePoly*>(this)->GetItem(aIndex);
}

TKVRDataPoly& TKVRBasePoly::AddItem(const QString& aText)
{
    fItems.push_back(std::make_unique<TKVRDataPoly>());
    fItems.back()->Text = aText;
    fItems.back()->fOwner = this;
    Changed();
    return *fItems.back();
}

bool TKVRBasePoly::Exchange(int32_t aFirst, int32_t aSecond)
{
    const int32_t n = GetItemCount();
    if (aFirst < 0 || aSecond < 0 || aFirst >= n || aSecond >= n)
        return false;
    std::swap(fItems[size_t(aFirst)], fItems[size_t(aSecond)]);
    Changed();
    return true;
}

QString TKVRBasePoly::GetSymData() const
{
    const TKVRBaseLabel* owner = GetOwner();
    return owner ? owner->GetData().GetDataSel() : QString();
}

void TKVRBasePoly::DeleteItem(int32_t aIndex)
{
    GetItem(aIndex);
    fItems.erase(fItems.begin() + (aIndex - 1));
    Changed();
}

QString TKVRBasePoly::GetCode(bool aData) const
{
    const bool gs1 = fPolyType == KVRPolyType::Linear && IsGS1(fCodeType);
    QString code;
    for (const auto& item : fItems) {
        if (!item->AI.isEmpty())
            code += gs1 ? QLatin1Char('(') + item->AI + QLatin1Char(')') : item->AI;
        code += item->Value(GetOwner(), aData);
    }
    return code;
}

bool TKVRBasePoly::LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const
{
    oLayout.Clear();
    if (fPolyType == KVRPolyType::QR) {
        TQRCode result;
        return TEncoder::Encode(aValue, fEncoding, fLevel, result) && result.GetMatrix() &&
               TKVRBaseQRCode::BuildLayout(ModuleGrid(result), oLayout);
    }
    if (fPolyType == KVRPolyType::DataMatrix) {
        std::vector<uint8_t> modules;
        uint16_t columns = 0, rows = 0;
        return TKVRBaseDataMatrix::EncodeValue(aValue, modules, columns, rows) &&
               TKVRBaseDataMatrix::BuildLayout(modules, columns, rows, oLayout);
    }
    return false;
}

bool TKVRBasePoly::Encode()
{
    fEncoded = LayoutOf(fCode, fSymbol);
    if (!fEncoded)
        fSymbol.Clear();
    return fEncoded;
}

float TKVRBasePoly::GetFontHeight() const
{
    return fItems.empty() ? 3.0f : fItems.front()->GetFontHeight();
}

QString TKVRBasePoly::GetFontName() const
{
    return fItems.empty() ? QStringLiteral("Arial") : fItems.front()->Font.Name;
}

void TKVRBasePoly::SetBarWidth(float aValue)
{
    if (KVRAssignPositive(fBarWidth, aValue))
        Changed();
}

void TKVRBasePoly::SetBarHeight(float aValue)
{
    if (KVRAssignPositive(fBarHeight, aValue))
        Changed();
}

void TKVRBasePoly::SetFactor(float aValue)
{
    if (KVRAssignPositive(fFactor, aValue))
        Changed();
}

// ---------------------------------------------------------------- box

int32_t TKVRBasePoly::BarsWidth(const QByteArray& aPattern) const
{
    return aPattern.isEmpty() ? KVRNoCodeSize : std::max(TBarcode::BarCodeWidth(aPattern, fBarWidth, fFactor), 0);
}

int32_t TKVRBasePoly::LinearHeight() const
{
    return KVRCodeCheck::ToMicrometres(double(fBarHeight) + (fShowNumber ? double(GetFontHeight()) : 0.0));
}

int64_t TKVRBasePoly::ItemsWidth() const
{
    int64_t w = 0;
    for (const auto& item : fItems)
        w += item->GetBaseWidth();
    return w;
}

int32_t TKVRBasePoly::ItemsHeight() const
{
    int32_t h = 0;
    for (const auto& item : fItems)
        h = std::max(h, item->GetBaseHeight());
    return h;
}

TKVRRect TKVRBasePoly::ContentBox(int64_t aWidth, int64_t aHeight) const
{
    const int32_t scale = GetDrawScale();
    const int64_t w = aWidth + 2 * int64_t(KVRCodeCheck::ToMicrometres(fPaddingX));
    const int64_t h = aHeight + 2 * int64_t(KVRCodeCheck::ToMicrometres(fPaddingY));
    // The linear code's box hangs from its anchor, as the barcode's does.
    const TKVRVertAlign vert = fPolyType == KVRPolyType::Linear ? TKVRVertAlign::Top : fVertAlign;
    return KVRCodeBox(fPoints[0], Scaled(w, scale), Scaled(h, scale), fHorzAlign, vert, fAngle);
}

void TKVRBasePoly::CheckFit(TKVRExtent& aExtent)
{
    TKVRRect box;
    switch (fPolyType) {
    case KVRPolyType::Texts:
        box = ContentBox(ItemsWidth(), ItemsHeight());
        break;
    case KVRPolyType::Linear:
        box = ContentBox(BarsWidth(fValid ? fPattern : QByteArray()), fValid ? LinearHeight() : KVRNoCodeSize);
        break;
    case KVRPolyType::QR:
    case KVRPolyType::DataMatrix:
        if (fEncoded)
            box = ContentBox(KVRCodeCheck::ToMicrometres(double(fSymbol.Width) * fBarWidth),
                             KVRCodeCheck::ToMicrometres(double(fSymbol.Height) * fBarHeight));
        else
            box = ContentBox(KVRNoCodeSize, KVRNoCodeSize);
        break;
    default:
        box = ContentBox(KVRNoCodeSize, KVRNoCodeSize);
        break;
    }
    aExtent.Include(box.Left, box.Top);
    aExtent.Include(box.Right, box.Bottom);
}

void TKVRBasePoly::UpdatePoints()
{
    TKVRExtent e;
    CheckFit(e);
    // Written directly, so the layout does not mark itself stale again.
    fPoints[1] = {e.MaxX, e.MaxY};
}

// ---------------------------------------------------------------- streams

TJsonObject TKVRBasePoly::WriteJson() const
{
    TJsonObject j = TKVR2DItem::WriteJson();
    j["PolyType"] = fPolyType;
    j["Angle"] = uint8_t(fAngle);
    j["BarWidth"] = fBarWidth;
    j["BarHeight"] = fBarHeight;
    j["BarWidthFactor"] = fFactor;
    j["Distance"] = fDistance;
    j["PaddingX"] = fPaddingX;
    j["PaddingY"] = fPaddingY;
    j["HorzAlign"] = uint8_t(fHorzAlign);
    j["VertAlign"] = uint8_t(fVertAlign);
    j["ShowNumber"] = fShowNumber;
    j["Checksum"] = fChecksum;
    j["E128Auto"] = uint8_t(fE128Auto);
    j["CodeType"] = uint8_t(fCodeType);
    j["Radius"] = fRadius;
    j["Encoding"] = fEncoding;
    j["ErrorLevel"] = fLevel.GetOrdinal();
    TJsonObject items = TJsonObject::array();
    for (const auto& item : fItems)
        items.push_back(item->WriteJson());
    j["Items"] = items;
    WriteJsonPoints(j, 1, 1);
    return j;
}

void TKVRBasePoly::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVR2DItem::ReadJson(aVersion, aJson);
    using namespace KVRCodeCheck;
    JsonCheck([&] {
        fPolyType = KVRJson::GetByte(aJson, "PolyType", fPolyType);
        fAngle = TKVRAngle(InList(KVRJson::GetByte(aJson, "Angle", uint8_t(fAngle)), 4, "Angle"));
        fBarWidth = PositiveLength(KVRJson::GetSingle(aJson, "BarWidth", fBarWidth), "BarWidth");
        fBarHeight = PositiveLength(KVRJson::GetSingle(aJson, "BarHeight", fBarHeight), "BarHeight");
        fFactor = PositiveLength(KVRJson::GetSingle(aJson, "BarWidthFactor", fFactor), "BarWidthFactor");
        fDistance = NotNegativeLength(KVRJson::GetSingle(aJson, "Distance", fDistance), "Distance");
        fPaddingX = NotNegativeLength(KVRJson::GetSingle(aJson, "PaddingX", fPaddingX), "PaddingX");
        fPaddingY = NotNegativeLength(KVRJson::GetSingle(aJson, "PaddingY", fPaddingY), "PaddingY");
        fHorzAlign = TKVRHorzAlign(InList(KVRJson::GetByte(aJson, "HorzAlign", uint8_t(fHorzAlign)), 3, "HorzAlign"));
        fVertAlign = TKVRVertAlign(InList(KVRJson::GetByte(aJson, "VertAlign", uint8_t(fVertAlign)), 3, "VertAlign"));
        fE128Auto = TKVR128AutoType(InList(KVRJson::GetByte(aJson, "E128Auto", uint8_t(fE128Auto)), 4, "E128Auto"));
        const int32_t level = KVRJson::GetByte(aJson, "ErrorLevel", uint8_t(fLevel.GetOrdinal()));
        fLevel.SetOrdinal(InList(uint8_t(level), 4, "ErrorLevel"));
        return 0;
    });
    fShowNumber = KVRJson::GetBool(aJson, "ShowNumber", fShowNumber);
    fChecksum = KVRJson::GetBool(aJson, "Checksum", fChecksum);
    fCodeType = TKVRBarType(KVRJson::GetByte(aJson, "CodeType", uint8_t(fCodeType)));
    const int32_t radius = KVRJson::GetInt32(aJson, "Radius", fRadius);
    if (radius < 0)
        throw EKVRJsonError("Invalid Radius: " + std::to_string(radius));
    fRadius = radius;
    fEncoding = KVRJson::GetByte(aJson, "Encoding", fEncoding);
    if (const TJsonObject* items = KVRJson::GetArray(aJson, "Items")) {
        std::vector<std::unique_ptr<TKVRDataPoly>> read;
        for (const TJsonObject& item : *items) {
            read.push_back(std::make_unique<TKVRDataPoly>());
            read.back()->fOwner = this;
            read.back()->ReadJson(item);
        }
        fItems = std::move(read);
    }
    ReadJsonPoints(aJson, 1, 1, 1);
    CheckBarcode();
    Changed();
}

void TKVRBasePoly::WriteData(TBinaryWriter& aWriter) const
{
    TKVR2DItem::WriteData(aWriter);
    aWriter.WriteByte(fPolyType);
    aWriter.WriteByte(uint8_t(fAngle));
    aWriter.WriteSingle(fBarWidth);
    aWriter.WriteSingle(fBarHeight);
    aWriter.WriteSingle(fFactor);
    aWriter.WriteSingle(fDistance);
    aWriter.WriteSingle(fPaddingX);
    aWriter.WriteSingle(fPaddingY);
    aWriter.WriteByte(uint8_t(fHorzAlign));
    aWriter.WriteByte(uint8_t(fVertAlign));
    aWriter.WriteBoolean(fShowNumber);
    aWriter.WriteBoolean(fChecksum);
    aWriter.WriteByte(uint8_t(fE128Auto));
    aWriter.WriteByte(uint8_t(fCodeType));
    aWriter.WriteInt32(fRadius);
    aWriter.WriteByte(fEncoding);
    aWriter.WriteByte(uint8_t(fLevel.GetOrdinal()));
    aWriter.WriteInt32(GetItemCount());
    for (const auto& item : fItems)
        item->Write(aWriter);
    WritePoints(aWriter, 1, 1);
}

void TKVRBasePoly::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVR2DItem::ReadData(aVersion, aReader, aReadType);
    using namespace KVRCodeCheck;
    fPolyType = aReader.ReadByte();
    fAngle = TKVRAngle(InList(aReader.ReadByte(), 4, "Angle"));
    fBarWidth = PositiveLength(aReader.ReadSingle(), "BarWidth");
    fBarHeight = PositiveLength(aReader.ReadSingle(), "BarHeight");
    fFactor = PositiveLength(aReader.ReadSingle(), "BarWidthFactor");
    fDistance = NotNegativeLength(aReader.ReadSingle(), "Distance");
    fPaddingX = NotNegativeLength(aReader.ReadSingle(), "PaddingX");
    fPaddingY = NotNegativeLength(aReader.ReadSingle(), "PaddingY");
    fHorzAlign = TKVRHorzAlign(InList(aReader.ReadByte(), 3, "HorzAlign"));
    fVertAlign = TKVRVertAlign(InList(aReader.ReadByte(), 3, "VertAlign"));
    fShowNumber = aReader.ReadBoolean();
    fChecksum = aReader.ReadBoolean();
    fE128Auto = TKVR128AutoType(InList(aReader.ReadByte(), 4, "E128Auto"));
    fCodeType = TKVRBarType(aReader.ReadByte());
    fRadius = int32_t(KVRCheck::NotNegative(aReader.ReadInt32(), "Radius"));
    fEncoding = aReader.ReadByte();
    fLevel.SetOrdinal(InList(aReader.ReadByte(), 4, "ErrorLevel"));
    // An item takes at least its font record (12), four strings, a byte, two booleans and a colour.
    const int32_t n = aReader.ReadCount(12 + 4 + 1 + 2 + 4);
    std::vector<std::unique_ptr<TKVRDataPoly>> read;
    for (int32_t i = 0; i < n; ++i) {
        read.push_back(std::make_unique<TKVRDataPoly>());
        read.back()->fOwner = this;
        read.back()->Read(aReader);
    }
    fItems = std::move(read);
    ReadPoints(aReader, 1, 1, 1);
    CheckBarcode();
    Changed();
}
