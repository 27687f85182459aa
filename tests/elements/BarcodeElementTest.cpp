#include "elements/TKVRBarcode.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

TKVRBarcode* MakeBarcode(TKVRBaseLabel& label, const QString& code, TKVRBarType type = TKVRBarType::Code128)
{
    auto* b = new TKVRBarcode(&label, false);
    b->SetCode(code);
    b->SetCodeType(type);
    b->CalcValues(1);
    return b;
}

TKVRBaseItem* ReadJsonText(TKVRBaseLabel& label, const QByteArray& text)
{
    return TKVRBarcode::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(text.toStdString()));
}

}  // namespace

// ZXing reads the bars on the screen and on paper, at every quarter turn and
// alignment, and both surfaces put them in the same place.
TEST(BarcodeElement, DecodesOnScreenAndPaperAtEveryQuarterTurn)
{
    struct Case
    {
        QString code;
        TKVRBarType type;
        QString decoded;
        TKVRHorzAlign align;
    };
    const Case cases[] = {
        {"KVR-2024-07", TKVRBarType::Code128, "KVR-2024-07", TKVRHorzAlign::Left},
        {"5901234123457", TKVRBarType::EAN13, "5901234123457", TKVRHorzAlign::Center},
        {"CODE-93 OK", TKVRBarType::Code93, "CODE-93 OK", TKVRHorzAlign::Right},
    };
    for (const Case& c : cases)
        for (int angle = 0; angle < 4; ++angle) {
            TKVRBaseLabel label;
            TKVRBarcode* b = MakeBarcode(label, c.code, c.type);
            b->SetAngle(TKVRAngle(angle));
            b->SetHorzAlign(c.align);
            b->SetPaddingX(4.0f);
            b->SetPaddingY(1.0f);
            ASSERT_TRUE(b->GetValid()) << c.code.toStdString();
            const int side = Centre(*b);
            const QImage screen = Screen(*b, side, side);
            const QImage paper = Paper(*b, side, side);
            const QString name = QStringLiteral("barcode_%1_%2").arg(int(c.type)).arg(angle);
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(DecodeOne(screen).text, c.decoded);
            EXPECT_EQ(DecodeOne(paper).text, c.decoded);
            // The first EAN-13 digit stands one module off the bars on screen and
            // touches them on paper; everything else lands on the same pixels.
            const int tolerance = c.type == TKVRBarType::EAN13 ? Px(double(b->GetBarWidth())) + 2 : 2;
            const QRect a = InkBounds(screen), p = InkBounds(paper);
            EXPECT_TRUE(SameBox(a, p, tolerance + SnapAllowance(std::max(p.width(), p.height()), b->GetBarWidth())));
        }
}

// The background is the box on screen and on paper alike; its height is the
// bars and both paddings, and the text height once when the number is shown.
TEST(BarcodeElement, BackgroundBoxOnScreenAndPaper)
{
    const QRgb yellow = qRgb(255, 255, 0);
    for (bool number : {false, true}) {
        TKVRBaseLabel label;
        TKVRBarcode* b = MakeBarcode(label, "BOX-1");
        b->SetFilled(true);
        b->SetBackColor(0xFFFFFF00);
        b->SetShowNumber(number);
        b->SetBarHeight(10.0f);
        b->SetPaddingY(2.0f);
        b->SetBase(1, 5000, 5000);
        b->CalcValues(1);
        const QImage screen = Screen(*b, 900, 400);
        const QImage paper = Paper(*b, 900, 400);
        const QRect s = ColourBounds(screen, yellow), p = ColourBounds(paper, yellow);
        const int expected = Px(10.0 + 2.0 + 2.0 + (number ? 3.0 : 0.0));
        EXPECT_NEAR(p.height(), expected, 2) << number;
        EXPECT_TRUE(SameBox(s, p, 1));
        EXPECT_EQ(DecodeOne(paper).text, "BOX-1");
    }
}

// A value the validator refuses: a red cross on screen (no background even when
// filled) and nothing on paper.
TEST(BarcodeElement, InvalidValueShowsRedCrossAndPrintsNothing)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = MakeBarcode(label, "abc", TKVRBarType::Code39);
    b->SetFilled(true);
    b->SetBackColor(0xFF0000FF);
    b->SetBase(1, 3000, 3000);
    b->CalcValues(1);
    EXPECT_FALSE(b->GetValid());
    const QImage screen = Screen(*b, 600, 400);
    EXPECT_GT(RedCount(screen), 50);
    EXPECT_EQ(CountColour(screen, qRgb(0, 0, 255)), 0);
    // The cross covers the box: its ink spans the bounds.
    const QRect ink = InkBounds(screen);
    EXPECT_NEAR(ink.width(), int(b->GetBounds().Width() * kDpi / 25400), 3);
    EXPECT_EQ(InkCount(Paper(*b, 600, 400)), 0);

    // A character beyond the 8-bit code page used to become "?" and print a
    // valid-looking symbol of another value; now the value is invalid, kept as typed.
    b->SetCodeType(TKVRBarType::Code128);
    b->SetCode(QStringLiteral("AB\u20AC"));
    b->CalcValues(1);
    EXPECT_FALSE(b->GetValid());
    EXPECT_EQ(b->GetCode(), QStringLiteral("AB\u20AC"));
    EXPECT_GT(RedCount(Screen(*b, 600, 400)), 50);
    EXPECT_EQ(InkCount(Paper(*b, 600, 400)), 0);
}

// An element that was valid keeps its last pattern and box while its new,
// invalid value shows the cross.
TEST(BarcodeElement, InvalidAfterValidKeepsPatternAndBox)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = MakeBarcode(label, "GOOD-1");
    const QByteArray pattern = b->GetBarPattern();
    const TKVRRect box = b->GetBounds();
    ASSERT_FALSE(pattern.isEmpty());
    b->SetCode(QString("bad\u00E9"));
    b->CalcValues(1);
    EXPECT_FALSE(b->GetValid());
    EXPECT_EQ(b->GetBarPattern(), pattern);
    EXPECT_EQ(b->GetCodeText(), QByteArray("GOOD-1"));
    EXPECT_EQ(b->GetBounds(), box);
    // Paddings and bar widths no page can hold give a box as large as can be
    // held, not an overflow.
    b->SetCode("GOOD-1");
    b->SetPaddingX(3e38f);
    b->SetBarWidth(3e38f);
    b->CalcValues(1);
    EXPECT_EQ(b->BarCodeWidth(b->GetBarPattern(), false), INT32_MAX);
    EXPECT_NO_THROW(Paper(*b, 100, 100));
}

// Layout modes: 1 and 2 lay out; the on-demand layout before painting (mode 0)
// encodes only what changed since, so a value set and then painted shows.
TEST(BarcodeElement, OnDemandLayoutEncodesChangedValue)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = MakeBarcode(label, "FIRST-1");
    EXPECT_FALSE(b->GetEncodeStale());
    const QByteArray first = b->GetBarPattern();
    b->CalcValues(0);
    EXPECT_EQ(b->GetBarPattern(), first);

    b->SetCode("SECOND-22");
    EXPECT_TRUE(b->GetEncodeStale());
    b->SetBase(1, 4000, 4000);
    const QImage screen = Screen(*b, 900, 350);  // DrawElement lays out with mode 0
    EXPECT_EQ(DecodeOne(screen).text, "SECOND-22");
    EXPECT_NE(b->GetBarPattern(), first);
    EXPECT_FALSE(b->GetEncodeStale());
}

// A page of label cells: each cell prints its own record, an invalid record
// leaves its cell empty and the next record prints normally.
TEST(BarcodeElement, PageOfCellsPrintsEachRecord)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = MakeBarcode(label, "");
    b->SetFillType(1);
    b->SetFillName("code");
    b->SetBase(1, 4000, 4000);
    b->CalcValues(1);
    const QString records[] = {"CELL-A1", "CELL-B22", QStringLiteral("CELL-\u20AC"), "CELL-D4444"};
    const int cellW = Px(70), cellH = Px(30);
    PaperSurface page(2 * cellW, 2 * cellH, kDpi);
    for (int i = 0; i < 4; ++i) {
        page.draw.PrintOffsetX = (i % 2) * cellW;
        page.draw.PrintOffsetY = (i / 2) * cellH;
        label.SetDataValue("code", records[i]);
        b->PrintElement(&page.draw);
    }
    const QImage sheet = page.Finish().copy();
    for (int i = 0; i < 4; ++i) {
        const QImage cell = sheet.copy((i % 2) * cellW, (i / 2) * cellH, cellW, cellH);
        SCOPED_TRACE(records[i].toStdString());
        if (i == 2)
            EXPECT_EQ(InkCount(cell), 0);
        else
            EXPECT_EQ(DecodeOne(cell).text, records[i]);
    }
}

// Streams: binary and JSON round trips are exact, a short record raises and
// leaves the document as it was.
TEST(BarcodeElement, RoundTripsAndTruncatedRecords)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = MakeBarcode(label, QStringLiteral("R\u00E9f-\u20AC"), TKVRBarType::Code93);
    b->SetBase(1, 12345, -678);
    b->SetAngle(TKVRAngle::Angle270);
    b->SetBarWidth(0.41f);
    b->SetBarHeight(12.5f);
    b->SetBarWidthFactor(2.75f);
    b->SetDistance(0.3f);
    b->SetPaddingX(1.5f);
    b->SetPaddingY(0.25f);
    b->SetHorzAlign(TKVRHorzAlign::Right);
    b->SetShowNumber(false);
    b->SetChecksum(true);
    b->SetE128Auto(TKVR128AutoType::B);
    b->SetFontName("Courier New");
    b->SetBaseFontHeight(2750);
    b->SetFillType(2);
    b->SetFillName("Article");
    b->SetFormat("000");
    b->SetFilled(true);
    b->SetBackColor(0xFF102030);

    const QByteArray bytes = WriteBinary(*b);
    EXPECT_EQ(RoundTripBinary(label, *b, TKVRBarcode::Read), bytes);
    const QByteArray json = WriteJsonText(*b);
    TKVRBaseItem* copy = ReadJsonText(label, json);
    EXPECT_EQ(WriteJsonText(*copy), json);
    auto* c = dynamic_cast<TKVRBarcode*>(copy);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetCode(), QStringLiteral("R\u00E9f-\u20AC"));
    EXPECT_EQ(c->GetAngle(), TKVRAngle::Angle270);
    EXPECT_EQ(c->GetBaseFontHeight(), 2750);
    EXPECT_GT(CheckTruncatedRecords(label, *b, TKVRBarcode::Read), 60);
}

// A stream that leaves settings out keeps the new element's values: no font
// height or font scale of 0, and the element prints straight away.
TEST(BarcodeElement, ReaderKeepsNewElementDefaults)
{
    TKVRBaseLabel label;
    TKVRBaseItem* item = ReadJsonText(label, R"({"Type":12,"BarCode":"MIN-JSON","Points":[[4000,4000]]})");
    auto* b = dynamic_cast<TKVRBarcode*>(item);
    ASSERT_NE(b, nullptr);
    EXPECT_GT(b->GetBaseFontHeight(), 0);
    EXPECT_GT(b->GetFontRatio(), 0.0);

    // Printed without any layout before: the text still has a size.
    {
        PaperSurface paper(800, 300, kDpi);
        b->Print(&paper.draw);
        EXPECT_GT(InkCount(paper.Finish()), 0);
    }
    const QImage printed = Paper(*b, 800, 300);
    EXPECT_EQ(DecodeOne(printed).text, "MIN-JSON");
    EXPECT_GT(b->GetFontRatio(), 0.5);
    const QRect ink = InkBounds(printed);
    EXPECT_GT(ink.height(), Px(15.0 + 1.5)) << "bars and the human-readable text";

    // A font height of 0 gives no text, but never a scale of 0.
    b->SetBaseFontHeight(0);
    b->CalcValues(1);
    EXPECT_GT(b->GetFontRatio(), 0.0);
    EXPECT_EQ(DecodeOne(Paper(*b, 800, 300)).text, "MIN-JSON");

    // Values no barcode can hold are refused with a clear error.
    const int before = label.GetItemsCount();
    EXPECT_THROW(ReadJsonText(label, R"({"Type":12,"BarWidth":0})"), EKVRDataError);
    EXPECT_THROW(ReadJsonText(label, R"({"Type":12,"FontHeight":-5})"), EKVRDataError);
    EXPECT_THROW(ReadJsonText(label, R"({"Type":12,"Angle":256})"), EKVRJsonError);
    EXPECT_THROW(ReadJsonText(label, R"({"Type":12,"BarCode":5})"), EKVRJsonError);
    EXPECT_EQ(label.GetItemsCount(), before);
}
