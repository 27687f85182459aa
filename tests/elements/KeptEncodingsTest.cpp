// What a printed label encodes twice (its check, then its print) is kept per
// thread for PDF417, Data Matrix and the linear bars: after edits of the
// value or of any setting the encoding depends on, every answer is the one a
// thread with nothing kept gives.
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "platform/rtl/codes/KVR.Barcode.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

struct TAnswer
{
    bool Ok = false;
    TKVRSymbolLayout Layout;
    TKVREncodedBars Bars;
    bool operator==(const TAnswer& o) const
    {
        return Ok == o.Ok && Layout.Columns == o.Layout.Columns && Layout.Rows == o.Layout.Rows &&
               Layout.Width == o.Layout.Width && Layout.Runs == o.Layout.Runs && Bars.Valid == o.Bars.Valid &&
               Bars.Prepared == o.Bars.Prepared && Bars.Pattern == o.Bars.Pattern;
    }
};

TAnswer OnFreshThread(const std::function<TAnswer()>& aAsk)
{
    TAnswer a;
    std::thread worker([&] { a = aAsk(); });
    worker.join();
    return a;
}

}  // namespace

TEST(KeptEncodings, EveryAnswerIsAFreshOneAfterEdits)
{
    TKVRBaseLabel label;
    auto* pdf = new TKVRPDF417(&label, false);
    auto* dm = new TKVRDataMatrix(&label, false);
    TKVRBarType type = TKVRBarType::EAN13;
    bool checksum = false, showNumber = true;
    const QString value = QStringLiteral("PDF 000123");
    auto layoutOf = [](const TKVRBase2DCode* aCode, const QString& aValue) {
        return [=] {
            TAnswer a;
            a.Ok = aCode->LayoutOf(aValue, a.Layout);
            return a;
        };
    };
    auto barsOf = [&](const QString& aValue) {
        return [=] {
            TAnswer a;
            a.Bars = TBarcode::EncodeBars(aValue, type, checksum, false, false, showNumber);
            a.Ok = a.Bars.Valid;
            return a;
        };
    };
    struct TStep
    {
        const char* Name;
        std::function<void()> Edit;
        std::function<std::function<TAnswer()>()> Ask;
    };
    const std::vector<TStep> steps = {
        {"pdf417", [] {}, [&] { return layoutOf(pdf, value); }},
        {"pdf417 again", [] {}, [&] { return layoutOf(pdf, value); }},
        {"pdf417 level", [&] { pdf->SetCorrectionLevel(5); }, [&] { return layoutOf(pdf, value); }},
        {"pdf417 columns", [&] { pdf->SetColumns(4); }, [&] { return layoutOf(pdf, value); }},
        {"pdf417 truncated", [&] { pdf->SetTruncated(true); }, [&] { return layoutOf(pdf, value); }},
        {"pdf417 beyond 8 bits", [] {}, [&] { return layoutOf(pdf, QStringLiteral("\u4E2D")); }},
        {"data matrix", [] {}, [&] { return layoutOf(dm, value); }},
        {"data matrix, another value", [] {}, [&] { return layoutOf(dm, value + QStringLiteral("4")); }},
        {"bars", [] {}, [&] { return barsOf(QStringLiteral("590123412345")); }},
        {"bars, no number", [&] { showNumber = false; }, [&] { return barsOf(QStringLiteral("590123412345")); }},
        {"bars, Code 39", [&] { type = TKVRBarType::Code39; }, [&] { return barsOf(QStringLiteral("C000123")); }},
        {"bars, check digit", [&] { checksum = true; }, [&] { return barsOf(QStringLiteral("C000123")); }},
        {"bars, not valid", [] {}, [&] { return barsOf(QStringLiteral("c-lower")); }},
    };
    TAnswer previous;
    for (const TStep& s : steps) {
        s.Edit();
        const TAnswer kept = s.Ask()();
        EXPECT_TRUE(kept == OnFreshThread(s.Ask())) << s.Name;
        // Each step changes the answer: a stale one would show as the last.
        EXPECT_EQ(std::string(s.Name).find("again") != std::string::npos, kept == previous) << s.Name;
        previous = kept;
    }
}
