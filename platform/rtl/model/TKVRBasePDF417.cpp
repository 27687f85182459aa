#include "platform/rtl/model/TKVRBasePDF417.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/codes/KVR.CodePage.h"

TKVRBasePDF417::TKVRBasePDF417(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBase2DCode(aOwner, KVRItemKind::PDF417, aPreview, 0.4f, 1.2f)
{
}

TKVRBasePDF417::TKVRBasePDF417(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBase2DCode(aOwner, aLayer, KVRItemKind::PDF417, aPreview, 0.4f, 1.2f)
{
}

// ---------------------------------------------------------------- encoding

bool TKVRBasePDF417::EncodeValue(const QString& aValue, TPdf417Symbol& oSymbol) const
{
    oSymbol = TPdf417Symbol{};
    // A character beyond the 8-bit code page is refused: it would travel as "?".
    QByteArray bytes;
    if (!KVRCodePage::ToAnsi(aValue, bytes))
        return false;
    return TPDF417::EncodeSymbol(bytes, fCorrectionLevel, fColumns, fRows, oSymbol);
}

bool TKVRBasePDF417::Encode()
{
    TKVRSymbolLayout layout;
    const bool ok = EncodeValue(GetCode(), fSymbol) && BuildLayout(fSymbol, fTruncated, layout);
    if (!ok)
        fSymbol = TPdf417Symbol{};
    SetEncoded(ok, fSymbol.Columns, fSymbol.Rows);
    return ok;
}

bool TKVRBasePDF417::GetLayout(TKVRSymbolLayout& oLayout) const
{
    oLayout.Clear();
    return GetEncoded() && BuildLayout(fSymbol, fTruncated, oLayout);
}

bool TKVRBasePDF417::LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const
{
    // A printed label asks twice (its check, then its print): the thread's
    // last answer is kept, keyed by everything the encoding depends on.
    struct TLast
    {
        QString Value;
        TKVRPdf417CorrectionLevel Level = KVRPdf417CorrectionLevel::Level2;
        bool Truncated = false;
        int32_t Columns = -1, Rows = -1;
        bool Ok = false;
        TKVRSymbolLayout Layout;
    };
    thread_local TLast last;
    if (last.Columns == fColumns && last.Rows == fRows && last.Level == fCorrectionLevel &&
        last.Truncated == fTruncated && last.Value == aValue) {
        oLayout = last.Layout;
        return last.Ok;
    }
    oLayout.Clear();
    TPdf417Symbol symbol;
    const bool ok = EncodeValue(aValue, symbol) && BuildLayout(symbol, fTruncated, oLayout);
    last = {aValue, fCorrectionLevel, fTruncated, fColumns, fRows, ok, oLayout};
    return ok;
}

int32_t TKVRBasePDF417::ModulesAcross(int32_t aColumns, bool aTruncated)
{
    // 17 modules per start pattern, indicator and data column; the stop
    // pattern has 18, a truncated symbol ends in one bar.
    return aTruncated ? (aColumns + 2) * 17 + 1 : (aColumns + 4) * 17 + 1;
}

int32_t TKVRBasePDF417::BarCodeWidth(int32_t aColumns) const
{
    return BoxWidth(ModulesAcross(aColumns, fTruncated));
}

int32_t TKVRBasePDF417::BarCodeHeight(int32_t aRows) const
{
    return BoxHeight(aRows);
}

bool TKVRBasePDF417::BuildLayout(const TPdf417Symbol& aSymbol, bool aTruncated, TKVRSymbolLayout& oLayout)
{
    oLayout.Clear();
    const int32_t columns = aSymbol.Columns;
    const int32_t rows = aSymbol.Rows;
    if (columns < 1 || rows < 1 || aSymbol.CodeWords.size() < size_t(columns) * size_t(rows))
        return false;
    TKVRSymbolLayout out;
    out.Columns = columns;
    out.Rows = rows;
    out.Width = ModulesAcross(columns, aTruncated);
    out.Height = rows;

    // Bars of a width list from x: the 1st, 3rd, 5th ... element.
    auto addBars = [&out](int32_t x, const uint8_t* widths, size_t count, int32_t y, int32_t h) {
        for (size_t i = 0; i < count; ++i) {
            if (i % 2 == 0)
                out.Runs.push_back({x, y, widths[i], h});
            x += widths[i];
        }
        return x;
    };
    addBars(0, StartPat.data(), StartPat.size(), 0, rows);
    if (aTruncated)
        out.Runs.push_back({(columns + 2) * 17, 0, 1, rows});
    else
        addBars((columns + 3) * 17, StopPat.data(), StopPat.size(), 0, rows);

    size_t next = 0;
    for (int32_t r = 0; r < rows; ++r) {
        int32_t left = 0, right = 0;
        TPDF417::RowIndicators(r, rows, columns, aSymbol.Level, left, right);
        int32_t x = 17;
        auto addWord = [&](int32_t aWord) {
            const TPdf417Widths* widths = TPDF417::GetPattern(r, aWord);
            if (!widths)
                return false;
            x = addBars(x, widths->data(), widths->size(), r, 1);
            return true;
        };
        if (!addWord(left))
            return false;
        for (int32_t c = 0; c < columns; ++c)
            if (!addWord(aSymbol.CodeWords[next++]))
                return false;
        if (!aTruncated && !addWord(right))
            return false;
    }
    oLayout = std::move(out);
    return true;
}

// ---------------------------------------------------------------- streams

TJsonObject TKVRBasePDF417::WriteJson() const
{
    TJsonObject j = TKVRBase2DCode::WriteJson();
    j["CorrectionLevel"] = fCorrectionLevel;
    j["Truncated"] = fTruncated;
    j["Columns"] = fColumns;
    j["Rows"] = fRows;
    return j;
}

void TKVRBasePDF417::ReadJson(int32_t aVersion, const TJsonObject& aJson)
{
    TKVRBase2DCode::ReadJson(aVersion, aJson);
    fCorrectionLevel = KVRJson::GetByte(aJson, "CorrectionLevel", fCorrectionLevel);
    fTruncated = KVRJson::GetBool(aJson, "Truncated", fTruncated);
    fColumns = KVRJson::GetInt32(aJson, "Columns", fColumns);
    fRows = KVRJson::GetInt32(aJson, "Rows", fRows);
}

void TKVRBasePDF417::WriteData(TBinaryWriter& aWriter) const
{
    TKVRBase2DCode::WriteData(aWriter);
    aWriter.WriteByte(fCorrectionLevel);
    aWriter.WriteBoolean(fTruncated);
    aWriter.WriteInt32(fColumns);
    aWriter.WriteInt32(fRows);
}

void TKVRBasePDF417::ReadData(int32_t aVersion, TBinaryReader& aReader, TKVRReadType aReadType)
{
    TKVRBase2DCode::ReadData(aVersion, aReader, aReadType);
    fCorrectionLevel = aReader.ReadByte();
    fTruncated = aReader.ReadBoolean();
    fColumns = aReader.ReadInt32();
    fRows = aReader.ReadInt32();
}
