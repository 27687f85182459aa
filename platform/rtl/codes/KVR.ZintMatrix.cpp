#include "platform/rtl/codes/KVR.ZintMatrix.h"
#include <memory>
#include <zint.h>

namespace {
struct TZintDeleter
{
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

void Fail(TZintMatrix& oMatrix, QString* oError, const QString& aText)
{
    oMatrix = TZintMatrix{};
    if (oError)
        *oError = aText;
}
}

bool ZintEncodeMatrix(const TZintOptions& aOptions, const QByteArray& aData, TZintMatrix& oMatrix, QString* oError)
{
    oMatrix = TZintMatrix{};
    if (oError)
        oError->clear();
    if (aData.isEmpty()) {
        Fail(oMatrix, oError, QStringLiteral("No data to encode"));
        return false;
    }
    std::unique_ptr<zint_symbol, TZintDeleter> s(ZBarcode_Create());
    if (!s) {
        Fail(oMatrix, oError, QStringLiteral("Out of memory"));
        return false;
    }
    s->symbology = aOptions.Symbology;
    s->input_mode = aOptions.InputMode;
    s->option_1 = aOptions.Option1;
    s->option_2 = aOptions.Option2;
    s->option_3 = aOptions.Option3;
    s->eci = aOptions.Eci;
    const int rc = ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(aData.constData()),
                                   static_cast<int>(aData.size()));
    if (rc >= ZINT_ERROR) {
        Fail(oMatrix, oError, QString::fromLatin1(s->errtxt));
        return false;
    }
    // zint's module store is fixed: never read past it, whatever it reports.
    constexpr int maxRows = static_cast<int>(sizeof(s->encoded_data) / sizeof(s->encoded_data[0]));
    constexpr int maxColumns = static_cast<int>(sizeof(s->encoded_data[0]) * 8);
    if (s->rows <= 0 || s->width <= 0 || s->rows > maxRows || s->width > maxColumns) {
        Fail(oMatrix, oError, QStringLiteral("The encoder returned no symbol"));
        return false;
    }
    oMatrix.Columns = s->width;
    oMatrix.Rows = s->rows;
    oMatrix.Modules.assign(static_cast<size_t>(s->width) * static_cast<size_t>(s->rows), 0);
    for (int r = 0; r < s->rows; ++r)
        for (int c = 0; c < s->width; ++c)
            oMatrix.Modules[static_cast<size_t>(r) * s->width + c] = (s->encoded_data[r][c >> 3] >> (c & 7)) & 1;
    return true;
}
