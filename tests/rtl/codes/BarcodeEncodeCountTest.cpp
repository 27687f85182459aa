// How often the engine encodes a record's value. Checking, preparing and
// patterning a value each asked the engine again (five encodings a record,
// and as many again when a print checks a record before printing it); the
// engine is counted where the suite calls it, by standing in for its entry
// point in this program and passing every call on.
#include "platform/rtl/codes/KVR.Barcode.h"
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <zint.h>

namespace {
thread_local int gEncodes = 0;
}  // namespace

extern "C" int ZBarcode_Encode(struct zint_symbol* symbol, const unsigned char* source, int length)
{
    using TEncode = int (*)(struct zint_symbol*, const unsigned char*, int);
    static const auto engine = reinterpret_cast<TEncode>(dlsym(RTLD_NEXT, "ZBarcode_Encode"));
    ++gEncodes;
    return engine ? engine(symbol, source, length) : ZINT_ERROR;
}

TEST(BarcodeEncodeCount, ARecordIsEncodedOncePerForm)
{
    // The value itself, and its prepared form where a check digit shows.
    const struct { TKVRBarType Type; const char* Value; int Forms; } cases[] = {
        {TKVRBarType::Code128, "REC-000017", 1},
        {TKVRBarType::Code128C, "12345678", 1},
        {TKVRBarType::EAN13, "590123412345", 2},
        {TKVRBarType::EAN13, "4006381333931", 1},
        {TKVRBarType::Code39, "REC 17", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        const QString value = QString::fromLatin1(c.Value);
        gEncodes = 0;
        // The element's layout: check, prepare, pattern.
        ASSERT_TRUE(TBarcode::IsValidCode(value, c.Type, false, false));
        QByteArray text;
        TKVR128AutoType subset = TKVR128AutoType::Auto;
        const QByteArray prepared =
            TBarcode::PrepareBarcode(value.toLatin1(), c.Type, false, false, false, text, subset);
        const QByteArray pattern = TBarcode::FillBarPattern(prepared, c.Type, subset, true);
        EXPECT_FALSE(pattern.isEmpty());
        EXPECT_EQ(gEncodes, c.Forms);
        // A print checks the record, then prints it: nothing new to encode.
        const TKVREncodedBars checked = TBarcode::EncodeBars(value, c.Type, false, false, false, true);
        const TKVREncodedBars printed = TBarcode::EncodeBars(value, c.Type, false, false, false, true);
        EXPECT_TRUE(checked.Valid && printed.Valid);
        EXPECT_EQ(printed.Pattern, pattern);
        EXPECT_EQ(printed.Prepared, prepared);
        EXPECT_EQ(gEncodes, c.Forms);
    }
}

TEST(BarcodeEncodeCount, AnswersDoNotMixSettings)
{
    // The same digits with and without the check digit shown, and as another
    // symbology: each its own answer.
    const TKVREncodedBars plain = TBarcode::EncodeBars(QStringLiteral("123456"), TKVRBarType::ITF, false, false, false, true);
    const TKVREncodedBars checked = TBarcode::EncodeBars(QStringLiteral("123456"), TKVRBarType::ITF, true, false, false, true);
    const TKVREncodedBars code128 =
        TBarcode::EncodeBars(QStringLiteral("123456"), TKVRBarType::Code128C, false, false, false, true);
    EXPECT_TRUE(plain.Valid);
    EXPECT_FALSE(checked.Valid);  // seven digits do not interleave
    EXPECT_TRUE(code128.Valid);
    EXPECT_NE(plain.Pattern, code128.Pattern);
    EXPECT_EQ(plain.Prepared, QByteArray("123456"));
    // Without the number, guard bars are plain bars: the pattern follows the flag.
    const TKVREncodedBars ean = TBarcode::EncodeBars(QStringLiteral("590123412345"), TKVRBarType::EAN13, false, false, false, true);
    const TKVREncodedBars bare = TBarcode::EncodeBars(QStringLiteral("590123412345"), TKVRBarType::EAN13, false, false, false, false);
    EXPECT_NE(ean.Pattern, bare.Pattern);
}
