#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <string>

namespace {
int32_t CheckLevel(int32_t aOrdinal)
{
    if (aOrdinal < TErrorCorrectionLevel::L || aOrdinal > TErrorCorrectionLevel::H)
        throw EKVRDataError("Invalid QR error-correction level: " + std::to_string(aOrdinal));
    return aOrdinal;
}
}  // namespace

TKVRBaseQRCode::TKVRBaseQRCode(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBase2DCode(aOwner, KVRItemKind::QRCode, aPreview, 0.5f, 0.5f)
{
}

TKVRBaseQRCode::TKVRBaseQRCode(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBase2DCode(aOwner, aLayer, KVRItemKind::QRCode, aPreview, 0.5f, 0.5f)
{
}

TKVRBaseQRCode::~TKVRBaseQRCode() = default;

void TKVRBaseQRCode::SetErrorLevel(int32_t aOrdinal)
{
    fLevel.SetOrdinal(aOrdinal);
    Changed();
}

// ---------------------------------------------------------------- encoding

bool TKVRBaseQRCode::EncodeValue(const QString& aValue, TQRCode& oQRCode) const
{
    // No accents are taken off: what the screen shows is what prints.
    return TEncoder::Encode(aValue, fEncoding, fLevel, oQRCode) && oQRCode.GetMatrix();
}

bool TKVRBaseQRCode::BuildLayout(const T2DBooleanArray& aGrid, TKVRSymbolLayout& oLayout)
{
    oLayout.Clear();
    const size_t n = aGrid.size();
    if (n == 0 || n > UINT16_MAX)
        return false;
    for (const std::vector<bool>& column : aGrid)
        if (column.size() != n)
            return false;
    const int32_t size = int32_t(n);
    oLayout.Columns = oLayout.Width = size;
    oLayout.Rows = oLayout.Height = size;
    // The grid is column first: the module of column c, row r is aGrid[c][r].
    for (int32_t r = 0; r < size; ++r)
        oLayout.AddRow(r, size, [&](int32_t c) { return bool(aGrid[size_t(c)][size_t(r)]); });
    return true;
}

bool TKVRBaseQRCode::Encode()
{
    TKVRSymbolLayout layout;
    fGrid.clear();
    bool ok = EncodeValue(GetCode(), fQRCode);
    if (ok) {
        fGrid = ModuleGrid(fQRCode);
        ok = BuildLayout(fGrid, layout);
    }
    if (!ok) {
        fQRCode.Clear();
        fGrid.clear();
    }
    fColumns = fRows = uint16_t(ok ? layout.Columns : 0);
    SetEncoded(ok, fColumns, fRows);
    return ok;
}

bool TKVRBaseQRCode::GetLayout(TKVRSymbolLayout& oLayout) const
{
    oLayout.Clear();
    return GetEncoded() && BuildLayout(fGrid, oLayout);
}

bool TKVRBaseQRCode::LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const
{
    // A printed label asks twice (its check, then its print): the thread's
    // last answer is kept, keyed by everything the encoding depends on.
    struct TLast
    {
        QString Value;
        TQRCodeEncoding Encoding = QRCodeEncoding::Auto;
        int32_t Level = -1;
        bool Ok = false;
        TKVRSymbolLayout Layout;
    };
    thread_local TLast last;
    if (last.Level == fLevel.GetOrdinal() && last.Encoding == fEncoding && last.Value == aValue) {
        oLayout = last.Layout;
        return last.Ok;
    }
    oLayout.Clear();
    TQRCode result;
    const bool ok = EncodeValue(aValue, result) && BuildLayout(ModuleGrid(result), oLayout);
    last = {aValue, fEncoding, fLevel.GetOrdinal(), ok, oLayout};
    return ok;
}

// ---------------------------------------------------------------- streams

TJsonObject TKVRBaseQRCode::WriteJson() const
{
    TJsonObject j = TKVRBase2DCode::WriteJson();
    j["Encoding"] = fEncoding;
    j["ErrorLevel"] = fLevel.GetOrdinal();
    return j;
}

void TKVRBaseQRCode::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBase2DCode::ReadJson(aVersion, aJson);
    fEncoding = KVRJson::GetByte(aJson, "Encoding", fEncoding);
    fLevel.SetOrdinal(CheckLevel(KVRJson::GetByte(aJson, "ErrorLevel", uint8_t(fLevel.GetOrdinal()))));
}

void TKVRBaseQRCode::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBase2DCode::WriteData(aWriter);
    aWriter.WriteByte(fEncoding);
    aWriter.WriteByte(uint8_t(fLevel.GetOrdinal()));
}

void TKVRBaseQRCode::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBase2DCode::ReadData(aVersion, aReader, aReadType);
    fEncoding = aReader.ReadByte();
    fLevel.SetOrdinal(CheckLevel(aReader.ReadByte()));
}
