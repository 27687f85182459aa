#include "platform/rtl/model/TKVRBaseDataMatrix.h"
#include "platform/rtl/codes/KVR.CodePage.h"
#include "platform/rtl/codes/KVR.DataMatrix.h"

TKVRBaseDataMatrix::TKVRBaseDataMatrix(TKVRBaseLabel* aOwner, bool aPreview)
    : TKVRBase2DCode(aOwner, KVRItemKind::DataMatrix, aPreview, 0.5f, 0.5f)
{
}

TKVRBaseDataMatrix::TKVRBaseDataMatrix(TKVRBaseLabel* aOwner, TKVRLayer* aLayer, bool aPreview)
    : TKVRBase2DCode(aOwner, aLayer, KVRItemKind::DataMatrix, aPreview, 0.5f, 0.5f)
{
}

bool TKVRBaseDataMatrix::EncodeValue(const QString& aValue, std::vector<uint8_t>& oModules, uint16_t& oColumns,
                                     uint16_t& oRows)
{
    oModules.clear();
    oColumns = 0;
    oRows = 0;
    // A character beyond the 8-bit code page is refused: it would travel as "?".
    QByteArray bytes;
    if (!KVRCodePage::ToAnsi(aValue, bytes))
        return false;
    // The smallest square symbol, as the element always asks.
    return CalcECC200(bytes, 0, 0, oModules, oColumns, oRows);
}

bool TKVRBaseDataMatrix::BuildLayout(const std::vector<uint8_t>& aModules, uint16_t aColumns, uint16_t aRows,
                                     TKVRSymbolLayout& oLayout)
{
    oLayout.Clear();
    if (aColumns == 0 || aRows == 0 || aModules.size() < size_t(aColumns) * aRows)
        return false;
    oLayout.Columns = oLayout.Width = aColumns;
    oLayout.Rows = oLayout.Height = aRows;
    for (int32_t r = 0; r < aRows; ++r)
        oLayout.AddRow(r, aColumns, [&](int32_t c) { return aModules[size_t(r) * aColumns + size_t(c)] == 1; });
    return true;
}

bool TKVRBaseDataMatrix::Encode()
{
    TKVRSymbolLayout layout;
    const bool ok = EncodeValue(GetCode(), fModules, fColumns, fRows) &&
                    BuildLayout(fModules, fColumns, fRows, layout);
    if (!ok) {
        fModules.clear();
        fColumns = fRows = 0;
    }
    SetEncoded(ok, fColumns, fRows);
    return ok;
}

bool TKVRBaseDataMatrix::GetLayout(TKVRSymbolLayout& oLayout) const
{
    oLayout.Clear();
    return GetEncoded() && BuildLayout(fModules, fColumns, fRows, oLayout);
}

bool TKVRBaseDataMatrix::LayoutOf(const QString& aValue, TKVRSymbolLayout& oLayout) const
{
    // A printed label asks twice (its check, then its print): the thread's
    // last answer is kept; the value is all the encoding depends on.
    struct TLast
    {
        QString Value;
        bool Set = false;
        bool Ok = false;
        TKVRSymbolLayout Layout;
    };
    thread_local TLast last;
    if (last.Set && last.Value == aValue) {
        oLayout = last.Layout;
        return last.Ok;
    }
    oLayout.Clear();
    std::vector<uint8_t> modules;
    uint16_t columns = 0, rows = 0;
    const bool ok = EncodeValue(aValue, modules, columns, rows) && BuildLayout(modules, columns, rows, oLayout);
    last = {aValue, true, ok, oLayout};
    return ok;
}
