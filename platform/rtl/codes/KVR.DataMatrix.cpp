#include "platform/rtl/codes/KVR.DataMatrix.h"
#include "platform/rtl/codes/KVR.CodePage.h"
#include "platform/rtl/codes/KVR.ZintMatrix.h"
#include <zint.h>

namespace {
constexpr int32_t LastSize = 30;  // the standard's 24 square and 6 rectangular sizes
}

bool CalcECC200(const QByteArray& aData, int32_t aSize, int32_t aShape, std::vector<uint8_t>& oModules,
                uint16_t& oColumns, uint16_t& oRows)
{
    oModules.clear();
    oColumns = 0;
    oRows = 0;
    if (aSize < 0 || aSize > LastSize)
        return false;
    TZintOptions options;
    options.Symbology = BARCODE_DATAMATRIX;
    options.InputMode = DATA_MODE;  // the bytes as they stand
    // Without an ECI readers guess what 8-bit bytes mean, and guess wrong.
    options.Eci = KVRCodePage::EciOf(aData);
    options.Option2 = aSize;
    options.Option3 = (aSize == 0 && aShape == 0) ? DM_SQUARE : 0;
    TZintMatrix matrix;
    if (!ZintEncodeMatrix(options, aData, matrix))
        return false;
    if (matrix.Columns > UINT16_MAX || matrix.Rows > UINT16_MAX)
        return false;
    oModules = std::move(matrix.Modules);
    oColumns = static_cast<uint16_t>(matrix.Columns);
    oRows = static_cast<uint16_t>(matrix.Rows);
    return true;
}

bool CalcECC200(const std::vector<uint8_t>& aData, int32_t aSize, int32_t aShape, std::vector<uint8_t>& oModules,
                uint16_t& oColumns, uint16_t& oRows)
{
    const QByteArray bytes(reinterpret_cast<const char*>(aData.data()), static_cast<qsizetype>(aData.size()));
    return CalcECC200(bytes, aSize, aShape, oModules, oColumns, oRows);
}
