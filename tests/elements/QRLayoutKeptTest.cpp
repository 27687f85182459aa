// The QR layout a printed label asks for twice is kept per thread: after
// edits of the value, the level or the encoding, and between two elements,
// every answer is the one a thread with nothing kept gives.
#include "elements/TKVRQRCode.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <gtest/gtest.h>
#include <functional>
#include <thread>

namespace {

struct TAnswer
{
    bool Ok = false;
    TKVRSymbolLayout Layout;
};

TAnswer Ask(const TKVRQRCode& aCode, const QString& aValue)
{
    TAnswer a;
    a.Ok = aCode.LayoutOf(aValue, a.Layout);
    return a;
}

TAnswer AskFresh(const TKVRQRCode& aCode, const QString& aValue)
{
    TAnswer a;
    std::thread worker([&] { a = Ask(aCode, aValue); });
    worker.join();
    return a;
}

void ExpectSame(const TAnswer& aGot, const TAnswer& aWant, const char* aStep)
{
    EXPECT_EQ(aGot.Ok, aWant.Ok) << aStep;
    EXPECT_EQ(aGot.Layout.Columns, aWant.Layout.Columns) << aStep;
    EXPECT_EQ(aGot.Layout.Width, aWant.Layout.Width) << aStep;
    EXPECT_EQ(aGot.Layout.Height, aWant.Layout.Height) << aStep;
    EXPECT_TRUE(aGot.Layout.Runs == aWant.Layout.Runs) << aStep;
}

}  // namespace

TEST(QRLayoutKept, EveryAnswerIsAFreshOneAfterEdits)
{
    TKVRBaseLabel label;
    auto* code = new TKVRQRCode(&label, false);
    auto* other = new TKVRQRCode(&label, false);
    other->SetErrorLevel(TErrorCorrectionLevel::H);
    const QString url = QStringLiteral("https://example.org/a/000123");

    struct TStep
    {
        const char* Name;
        std::function<void()> Edit;
        const TKVRQRCode* Code;
        QString Value;
    };
    const std::vector<TStep> steps = {
        {"first", [] {}, code, url},
        {"asked again", [] {}, code, url},
        {"another value", [] {}, code, url + QStringLiteral("4")},
        {"back to the first", [] {}, code, url},
        {"level raised", [&] { code->SetErrorLevel(TErrorCorrectionLevel::H); }, code, url},
        {"level lowered", [&] { code->SetErrorLevel(TErrorCorrectionLevel::L); }, code, url},
        {"numeric cannot carry it", [&] { code->SetEncoding(QRCodeEncoding::Numeric); }, code, url},
        {"numeric carries digits", [] {}, code, QStringLiteral("0123456789")},
        {"back to auto", [&] { code->SetEncoding(QRCodeEncoding::Auto); }, code, QStringLiteral("0123456789")},
        {"the other element, same value", [] {}, other, QStringLiteral("0123456789")},
        {"the first again", [] {}, code, QStringLiteral("0123456789")},
        {"empty", [] {}, code, QString()},
        {"too long for any symbol", [] {}, code, QString(8000, QLatin1Char('x'))},
        {"after a failure", [] {}, code, url},
    };
    for (const TStep& s : steps) {
        s.Edit();
        ExpectSame(Ask(*s.Code, s.Value), AskFresh(*s.Code, s.Value), s.Name);
    }
    // The edits did change the answers: a kept one would have shown as the same.
    TAnswer low = Ask(*code, url);
    code->SetErrorLevel(TErrorCorrectionLevel::H);
    TAnswer high = Ask(*code, url);
    ASSERT_TRUE(low.Ok && high.Ok);
    EXPECT_LT(low.Layout.Width, high.Layout.Width);
    code->SetEncoding(QRCodeEncoding::Numeric);
    EXPECT_FALSE(Ask(*code, url).Ok);
    EXPECT_TRUE(Ask(*code, QStringLiteral("42")).Ok);
    EXPECT_FALSE(Ask(*code, QString()).Ok);
}
