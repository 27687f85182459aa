// The code elements (linear barcode, QR code, Data Matrix, PDF417 and the
// poly-text's composed codes) read back by ZXing on the screen and on paper:
// at every quarter turn, in any label cell, with check characters and 8-bit
// text; values that do not encode show the cross and print nothing.
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRPolyText.h"
#include "elements/TKVRQRCode.h"
#include "platform/rtl/codes/KVR.Code39.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/ImageProbes.h"
#include <functional>
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

using MakeFn = std::function<TKVR2DItem*(TKVRBaseLabel&)>;

// The code kinds share no base for the turn: each sets its own.
void Turn(TKVRBaseItem& e, int angle)
{
    if (auto* b = dynamic_cast<TKVRBaseBarcode*>(&e))
        b->SetAngle(TKVRAngle(angle));
    else if (auto* s = dynamic_cast<TKVRBase2DCode*>(&e))
        s->SetAngle(TKVRAngle(angle));
    else
        dynamic_cast<TKVRBasePoly&>(e).SetAngle(TKVRAngle(angle));
}

TKVRBarcode* NewBarcode(TKVRBaseLabel& label, const QString& code, TKVRBarType type = TKVRBarType::Code128,
                        bool checksum = false)
{
    auto* b = new TKVRBarcode(&label, false);
    b->SetCode(code);
    b->SetCodeType(type);
    b->SetChecksum(checksum);
    b->CalcValues(1);
    return b;
}

template <class T>
T* New2D(TKVRBaseLabel& label, const QString& code, int level = 2)
{
    auto* s = new T(&label, false);
    if constexpr (std::is_same_v<T, TKVRPDF417>)
        s->SetCorrectionLevel(TKVRPdf417CorrectionLevel(level));
    s->SetCode(code);
    s->CalcValues(1);
    return s;
}

// A poly-text of two items as the given output kind.
TKVRPolyText* NewPoly(TKVRBaseLabel& label, uint8_t type, const QString& first, const QString& second)
{
    auto* p = new TKVRPolyText(&label, false);
    p->SetPolyType(type);
    p->AddItem(first);
    p->AddItem(second);
    p->SetBarWidth(type == KVRPolyType::Linear ? 0.33f : 0.5f);
    p->SetBarHeight(type == KVRPolyType::Linear ? 12.0f : 0.5f);
    p->SetPenWidth(0.0f);
    p->CalcValues(1);
    return p;
}

// ZXing's matrix detectors search from the middle of the picture: the symbol
// is cut out with a quiet zone around it first.
DecodedSymbol Read(const QImage& image, const DecodeOptions& options = {})
{
    const QRect ink = InkBounds(image, 100);
    if (ink.isEmpty())
        return {};
    return DecodeOne(image.copy(ink.adjusted(-40, -40, 40, 40)), options);
}

// The element printed in a label cell whose origin is (aX, aY) pixels.
QImage PaperInCell(TKVRBaseItem& item, int w, int h, int aX, int aY)
{
    PaperSurface p(w, h, kDpi);
    p.draw.PrintOffsetX = aX;
    p.draw.PrintOffsetY = aY;
    item.PrintElement(&p.draw);
    return p.Finish().copy();
}

// Point 1 in the middle of a surface that holds the element; both paintings.
TTwin Painted(TKVRBaseItem& item)
{
    const int side = Centre(item);
    return Twins(item, side, side);
}

// What whole-pixel modules on screen may add to or take from a code's box of
// aSide pixels, along its wider module side.
int ScreenSnap(const TKVRBaseItem& aCode, int aSide)
{
    if (const auto* s = dynamic_cast<const TKVRBase2DCode*>(&aCode))
        return std::max(SnapAllowance(aSide, s->GetBarWidth()), SnapAllowance(aSide, s->GetBarHeight()));
    if (const auto* b = dynamic_cast<const TKVRBarcodeIntf*>(&aCode))
        return SnapAllowance(aSide, b->GetBarWidth());
    return 0;
}

}  // namespace

// Each code reads back on screen and on paper at every quarter turn and
// alignment, in the first label cell and (turned once) in another one, and
// both surfaces put it in the same place.
TEST(CodeElements, DecodeOnScreenAndPaperAtEveryQuarterTurnAndCell)
{
    struct TCase
    {
        const char* Name;
        MakeFn Make;
        QString Decoded;
        const char* Format;
        int Tolerance = 1;
    };
    auto bar = [](const QString& code, TKVRBarType type, TKVRHorzAlign align) -> MakeFn {
        return [=](TKVRBaseLabel& l) {
            TKVRBarcode* b = NewBarcode(l, code, type);
            b->SetHorzAlign(align);
            b->SetPaddingX(4.0f);
            b->SetPaddingY(1.0f);
            return b;
        };
    };
    const QString unicode = QStringLiteral("\u00D1and\u00FA \u2013 Gr\u00F6\u00DFe 5 \u20AC");
    const QString pdf = QStringLiteral("PDF417 value 1234567890123");
    const TCase cases[] = {
        {"Code128", bar("KVR-2024-07", TKVRBarType::Code128, TKVRHorzAlign::Left), "KVR-2024-07", "Code128", 2},
        // The first EAN-13 digit stands one module off the bars on screen and touches them on paper.
        {"EAN13", bar("5901234123457", TKVRBarType::EAN13, TKVRHorzAlign::Center), "5901234123457", "EAN-13", 6},
        {"Code93", bar("CODE-93 OK", TKVRBarType::Code93, TKVRHorzAlign::Right), "CODE-93 OK", "Code93", 2},
        {"Code39 wide bars three times the narrow",
         [=](TKVRBaseLabel& l) {
             auto* b = static_cast<TKVRBarcode*>(bar("CODE-39", TKVRBarType::Code39, TKVRHorzAlign::Left)(l));
             b->SetBarWidthFactor(3.0f);
             b->SetDistance(0.5f);
             return b;
         },
         "CODE-39", "Code39", 2},
        {"QR wide modules",
         [](TKVRBaseLabel& l) {
             TKVRQRCode* q = New2D<TKVRQRCode>(l, "https://example.org/kvr?id=42");
             q->SetBarWidth(0.6f);
             return q;
         },
         "https://example.org/kvr?id=42", "QRCode"},
        {"QR unicode", [=](TKVRBaseLabel& l) { return New2D<TKVRQRCode>(l, unicode); }, unicode, "QRCode"},
        {"DataMatrix",
         [](TKVRBaseLabel& l) {
             TKVRDataMatrix* d = New2D<TKVRDataMatrix>(l, "DM-VALUE-0042");
             d->SetBarWidth(0.6f);
             d->SetBarHeight(0.6f);
             return d;
         },
         "DM-VALUE-0042", "DataMatrix"},
        {"PDF417 level 0, rows four modules high, four columns",
         [=](TKVRBaseLabel& l) {
             TKVRPDF417* p = New2D<TKVRPDF417>(l, pdf, 0);
             p->SetRatio(4.0f);
             p->SetColumns(4);
             p->SetRows(-1);
             return p;
         },
         pdf, "PDF417"},
        {"PDF417 level 2", [=](TKVRBaseLabel& l) { return New2D<TKVRPDF417>(l, pdf, 2); }, pdf, "PDF417"},
        {"PDF417 level 5", [=](TKVRBaseLabel& l) { return New2D<TKVRPDF417>(l, pdf, 5); }, pdf, "PDF417"},
        {"poly linear", [](TKVRBaseLabel& l) { return NewPoly(l, KVRPolyType::Linear, "POLY-", "12345"); },
         "POLY-12345", "Code128"},
        {"poly QR",
         [](TKVRBaseLabel& l) {
             return NewPoly(l, KVRPolyType::QR, QStringLiteral("\u00D1and\u00FA "), QStringLiteral("caf\u00E9 \u20AC5"));
         },
         QStringLiteral("\u00D1and\u00FA caf\u00E9 \u20AC5"), "QRCode"},
        {"poly DataMatrix", [](TKVRBaseLabel& l) { return NewPoly(l, KVRPolyType::DataMatrix, "DM-", "0042"); },
         "DM-0042", "DataMatrix"},
    };
    for (const TCase& c : cases)
        for (int angle = 0; angle < 4; ++angle) {
            SCOPED_TRACE(std::string(c.Name) + " angle " + std::to_string(angle));
            TKVRBaseLabel label;
            TKVRBaseItem* e = c.Make(label);
            Turn(*e, angle);
            e->CalcValues(1);  // the bounds Centre measures
            const int side = Centre(*e);
            const QImage screen = Screen(*e, side, side), paper = Paper(*e, side, side);
            const DecodedSymbol s = Read(screen);
            EXPECT_EQ(s.text, c.Decoded);
            EXPECT_EQ(s.format, c.Format);
            EXPECT_EQ(Read(paper).text, c.Decoded);
            const QRect onPaper = InkBounds(paper, 100);
            EXPECT_TRUE(SameBox(InkBounds(screen, 100), onPaper,
                                c.Tolerance + ScreenSnap(*e, std::max(onPaper.width(), onPaper.height()))));
            if (angle != 1)
                continue;
            // Another cell: the code moves by the cell's origin, once.
            const int dx = Px(30), dy = Px(7);
            const QImage cell = PaperInCell(*e, side + dx, side + dy, dx, dy);
            EXPECT_EQ(Read(cell).text, c.Decoded);
            EXPECT_TRUE(SameBox(InkBounds(cell, 100), InkBounds(paper, 100).translated(dx, dy), 1));
            ImageProbes::SaveForLooking(screen, QStringLiteral("code-%1.png").arg(c.Name));
        }
}

// A value that does not encode (too long for any symbol, a character the
// code cannot carry, not digits where digits are needed): a red cross on
// screen, never the code of an earlier value nor the background, and nothing
// at all on paper.
TEST(CodeElements, ValueThatDoesNotEncodeShowsCrossAndPrintsNothing)
{
    struct TCase
    {
        const char* Name;
        MakeFn Make;  // with a valid value
        std::function<void(TKVRBaseItem&)> SetBad;
        std::function<bool(const TKVRBaseItem&)> Valid;
    };
    auto code = [](const QString& bad) {
        return [=](TKVRBaseItem& e) {
            if (auto* b = dynamic_cast<TKVRBarcode*>(&e))
                b->SetCode(bad);
            else
                dynamic_cast<TKVRBase2DCode&>(e).SetCode(bad);
        };
    };
    auto item = [](const QString& bad) {
        return [=](TKVRBaseItem& e) { dynamic_cast<TKVRPolyText&>(e).GetItem(1).Text = bad; };
    };
    const auto barValid = [](const TKVRBaseItem& e) { return dynamic_cast<const TKVRBarcode&>(e).GetValid(); };
    const auto symValid = [](const TKVRBaseItem& e) { return dynamic_cast<const TKVRBase2DCode&>(e).GetEncoded(); };
    const auto polyValid = [](const TKVRBaseItem& e) {
        const auto& p = dynamic_cast<const TKVRPolyText&>(e);
        return p.GetPolyType() == KVRPolyType::Linear ? !p.GetBarPattern().isEmpty() : p.GetEncoded();
    };
    auto qr = [](TKVRBaseLabel& l) { return New2D<TKVRQRCode>(l, "VALID"); };
    auto dm = [](TKVRBaseLabel& l) { return New2D<TKVRDataMatrix>(l, "VALID"); };
    auto pdf = [](TKVRBaseLabel& l) { return New2D<TKVRPDF417>(l, "VALID"); };
    const TCase cases[] = {
        {"Code39 lower case", [](TKVRBaseLabel& l) { return NewBarcode(l, "ABC", TKVRBarType::Code39); }, code("abc"),
         barValid},
        // A character beyond the 8-bit code page once became "?" and printed a
        // valid-looking symbol of another value.
        {"Code128 euro", [](TKVRBaseLabel& l) { return NewBarcode(l, "AB"); }, code(QStringLiteral("AB\u20AC")),
         barValid},
        {"QR too long", qr, code(QString(8000, QChar('A'))), symValid},
        {"DataMatrix too long", dm, code(QString(4000, QChar('A'))), symValid},
        {"PDF417 too long", pdf, code(QString(3000, QChar('a'))), symValid},
        {"DataMatrix rupee", dm, code(QStringLiteral("price 5\u20B9")), symValid},
        {"PDF417 rupee", pdf, code(QStringLiteral("price 5\u20B9")), symValid},
        {"PDF417 unused byte", pdf, code(QStringLiteral("x\u0081")), symValid},
        {"QR high surrogate", qr, code(QStringLiteral("half a pair ") + QChar(0xD83D)), symValid},
        {"QR low surrogate", qr, code(QChar(0xDE00) + QStringLiteral(" the other half")), symValid},
        {"QR empty", qr, code(""), symValid},
        {"poly EAN-13 letters",
         [](TKVRBaseLabel& l) {
             TKVRPolyText* p = NewPoly(l, KVRPolyType::Linear, "12345", "6789012");
             p->SetCodeType(TKVRBarType::EAN13);
             return p;
         },
         item("abc"), polyValid},
        {"poly numeric QR letters",
         [](TKVRBaseLabel& l) {
             TKVRPolyText* p = NewPoly(l, KVRPolyType::QR, "12345", "67890");
             p->SetEncoding(QRCodeEncoding::Numeric);
             return p;
         },
         item("letters"), polyValid},
        {"poly DataMatrix wide character",
         [](TKVRBaseLabel& l) { return NewPoly(l, KVRPolyType::DataMatrix, "12345", "67890"); },
         item(QStringLiteral("\u4E2D")), polyValid},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TKVRBaseLabel label;
        TKVR2DItem* e = c.Make(label);
        e->CalcValues(1);
        const int side = Centre(*e);
        ASSERT_FALSE(Read(Screen(*e, side, side)).text.isEmpty()) << "a valid value first";
        e->SetFilled(true);
        e->SetBackColor(0xFF0000FF);
        c.SetBad(*e);
        e->CalcValues(1);
        EXPECT_FALSE(c.Valid(*e));
        for (TKVRDrawState state : {KVRDrawState::Preview, KVRDrawState::Export}) {
            const QImage screen = Screen(*e, side, side, state);
            EXPECT_TRUE(Read(screen).text.isEmpty());
            EXPECT_GT(RedCount(screen), 20);
            EXPECT_EQ(CountColour(screen, qRgb(0, 0, 255)), 0);
        }
        EXPECT_EQ(InkCount(Paper(*e, side, side), 250), 0);
    }
}

// The cross covers the box, and the value stays as typed.
TEST(CodeElements, CrossCoversTheBoxOfAnInvalidBarcode)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = NewBarcode(label, QStringLiteral("AB\u20AC"));
    b->SetBase(1, 3000, 3000);
    b->CalcValues(1);
    EXPECT_EQ(b->GetCode(), QStringLiteral("AB\u20AC"));
    EXPECT_NEAR(InkBounds(Screen(*b, 600, 400)).width(), int(b->GetBounds().Width() * kDpi / 25400), 3);
}

// A page of label cells: the print origin moves per cell and each cell has a
// record of its own; every cell decodes to its record's value where point 1
// puts it, except the one whose record does not encode: it stays empty, and
// the element's own encoding is untouched.
TEST(CodeElements, PageOfLabelCellsDecodesCellByCell)
{
    struct TCase
    {
        const char* Name;
        MakeFn Make;
        QString Bad;
        QString Prefix;  // of every value read back
        bool AtPointOne = true;  // the ink starts at point 1: no padding
    };
    auto bound = [](auto* e) -> TKVR2DItem* {
        e->SetFillType(1);
        e->SetFillName("serial");
        e->SetBase(1, 4000, 3000);
        e->SetFilled(true);
        e->SetBackColor(0xFFE0FFE0);
        e->CalcValues(1);
        return e;
    };
    const TCase cases[] = {
        {"barcode", [=](TKVRBaseLabel& l) { return bound(NewBarcode(l, "OWN")); }, QStringLiteral("CELL-\u20AC"), ""},
        {"QR", [=](TKVRBaseLabel& l) { return bound(New2D<TKVRQRCode>(l, "OWN")); }, QString(9000, QChar('7')), ""},
        {"DataMatrix", [=](TKVRBaseLabel& l) { return bound(New2D<TKVRDataMatrix>(l, "OWN")); },
         QString(9000, QChar('7')), ""},
        {"PDF417", [=](TKVRBaseLabel& l) { return bound(New2D<TKVRPDF417>(l, "OWN")); }, QString(9000, QChar('7')),
         ""},
        // A bound item gives each label its own code.
        {"poly",
         [=](TKVRBaseLabel& l) {
             TKVRPolyText* p = NewPoly(l, KVRPolyType::QR, "PART-", "000");
             p->GetItem(2).Data.FillType = 1;
             p->GetItem(2).Data.FillName = "serial";
             p->SetBase(1, 4000, 3000);
             p->CalcValues(1);
             return p;
         },
         QString(9000, QChar('7')), "PART-", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TKVRBaseLabel label;
        TKVRBaseItem* e = c.Make(label);
        const int cellW = Px(75), cellH = Px(40), columns = 3, rows = 2, bad = 4;
        std::vector<QString> records;
        PaperSurface page(columns * cellW, rows * cellH, kDpi);
        for (int i = 0; i < columns * rows; ++i) {
            records.push_back(i == bad ? c.Bad : QStringLiteral("SN-%1").arg(1000 + 37 * i));
            page.draw.PrintOffsetX = (i % columns) * cellW;
            page.draw.PrintOffsetY = (i / columns) * cellH;
            label.SetDataValue("serial", records.back());
            e->PrintElement(&page.draw);
        }
        const QImage sheet = page.Finish().copy();
        for (int i = 0; i < columns * rows; ++i) {
            const QImage cell = sheet.copy((i % columns) * cellW, (i / columns) * cellH, cellW, cellH);
            if (i == bad) {
                EXPECT_EQ(InkCount(cell), 0);
                continue;
            }
            EXPECT_EQ(Read(cell).text, c.Prefix + records[size_t(i)]) << "cell " << i;
            const QRect ink = InkBounds(cell, 250);
            if (!c.AtPointOne)
                continue;
            EXPECT_NEAR(ink.left(), Px(4.0), 1);
            EXPECT_NEAR(ink.top(), Px(3.0), 1);
            EXPECT_LT(ink.right(), cellW - 1);
            EXPECT_LT(ink.bottom(), cellH - 1);
        }
        // The screen keeps the element's own value.
        const int side = Centre(*e) + Px(20);
        EXPECT_EQ(Read(Screen(*e, side, side)).text, c.Prefix + (c.Prefix.isEmpty() ? "OWN" : "000"));
    }
}

// An element that was valid keeps its last pattern and box while its new,
// invalid value shows the cross.
TEST(CodeElements, InvalidAfterValidKeepsPatternAndBox)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = NewBarcode(label, "GOOD-1");
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

// The background is the box on screen and on paper alike; its height is the
// bars and both paddings, and the text height once when the number is shown.
TEST(CodeElements, BarcodeBackgroundBoxOnScreenAndPaper)
{
    const QRgb yellow = qRgb(255, 255, 0);
    for (bool number : {false, true}) {
        TKVRBaseLabel label;
        TKVRBarcode* b = NewBarcode(label, "BOX-1");
        b->SetFilled(true);
        b->SetBackColor(0xFFFFFF00);
        b->SetShowNumber(number);
        b->SetBarHeight(10.0f);
        b->SetPaddingY(2.0f);
        b->SetBase(1, 5000, 5000);
        b->CalcValues(1);
        const QImage screen = Screen(*b, 900, 400), paper = Paper(*b, 900, 400);
        const QRect p = ColourBounds(paper, yellow);
        EXPECT_NEAR(p.height(), Px(10.0 + 2.0 + 2.0 + (number ? 3.0 : 0.0)), 2) << number;
        EXPECT_TRUE(SameBox(ColourBounds(screen, yellow), p, 1));
        EXPECT_EQ(DecodeOne(paper).text, "BOX-1");
    }
}

// With paddings, any alignment and a turn, the symbol lies inside its
// background, a padding away from each side, on screen and paper alike.
TEST(CodeElements, SymbolSitsInsideItsBackground)
{
    const TKVRHorzAlign horz[] = {TKVRHorzAlign::Left, TKVRHorzAlign::Center, TKVRHorzAlign::Right};
    const TKVRVertAlign vert[] = {TKVRVertAlign::Top, TKVRVertAlign::Center, TKVRVertAlign::Bottom};
    for (bool qr : {true, false})
        for (int i = 0; i < 3; ++i)
            for (int angle : {0, 1}) {
                SCOPED_TRACE(QStringLiteral("qr %1 align %2 angle %3").arg(qr).arg(i).arg(angle).toStdString());
                TKVRBaseLabel label;
                TKVRBase2DCode* s = New2D<TKVRQRCode>(label, "PADDED");
                if (!qr) {
                    // A truncated PDF417: no right indicator, the same paddings.
                    TKVRPDF417* p = New2D<TKVRPDF417>(label, "PADDED");
                    p->SetTruncated(true);
                    s = p;
                }
                s->SetFilled(true);
                s->SetBackColor(0xFFFFC0C0);
                s->SetPaddingX(3.0f);
                s->SetPaddingY(1.5f);
                s->SetHorzAlign(horz[i]);
                s->SetVertAlign(vert[i]);
                s->SetAngle(TKVRAngle(angle));
                const TTwin t = Painted(*s);
                QRect backs[2];
                // Whole pixels change the symbol by a share of its exact (paper) size.
                const QRect exact = InkBounds(t.paper, 100);
                for (const QImage* img : {&t.screen, &t.paper}) {
                    const QRect back = ColourBounds(*img, qRgb(255, 192, 192), 20), symbol = InkBounds(*img, 100);
                    backs[img == &t.paper] = back;
                    // Paddings run along the symbol: a quarter turn swaps them on the page.
                    const int across = Px(angle == 0 ? 3.0 : 1.5), down = Px(angle == 0 ? 1.5 : 3.0);
                    const int near =
                        2 + (img == &t.screen ? ScreenSnap(*s, std::max(exact.width(), exact.height())) : 0);
                    EXPECT_NEAR(symbol.left() - back.left(), across, near);
                    EXPECT_NEAR(back.right() - symbol.right(), across, near);
                    EXPECT_NEAR(symbol.top() - back.top(), down, near);
                    EXPECT_NEAR(back.bottom() - symbol.bottom(), down, near);
                }
                EXPECT_TRUE(SameBox(backs[0], backs[1], 1));
            }
}

// Layout modes: 1 and 2 lay out; the on-demand layout before painting (mode 0)
// encodes only what changed since, so a value set and then painted shows.
TEST(CodeElements, OnDemandLayoutEncodesChangedValue)
{
    TKVRBaseLabel label;
    TKVRBarcode* b = NewBarcode(label, "FIRST-1");
    EXPECT_FALSE(b->GetEncodeStale());
    const QByteArray first = b->GetBarPattern();
    b->CalcValues(0);
    EXPECT_EQ(b->GetBarPattern(), first);
    b->SetCode("SECOND-22");
    EXPECT_TRUE(b->GetEncodeStale());
    b->SetBase(1, 4000, 4000);
    EXPECT_EQ(DecodeOne(Screen(*b, 900, 350)).text, "SECOND-22");  // DrawElement lays out with mode 0
    EXPECT_NE(b->GetBarPattern(), first);
    EXPECT_FALSE(b->GetEncodeStale());
}

// A stream that leaves settings out keeps the new element's values: no font
// height or font scale of 0, and the element prints straight away.
TEST(CodeElements, ReaderKeepsNewElementDefaults)
{
    TKVRBaseLabel label;
    auto* b = dynamic_cast<TKVRBarcode*>(TKVRBarcode::ReadFromJson(
        &label, KVRFileVersion, TJsonObject::parse(R"({"Type":12,"BarCode":"MIN-JSON","Points":[[4000,4000]]})")));
    ASSERT_NE(b, nullptr);
    EXPECT_GT(b->GetBaseFontHeight(), 0);
    EXPECT_GT(b->GetFontRatio(), 0.0);
    {
        // Printed without any layout before: the text still has a size.
        PaperSurface paper(800, 300, kDpi);
        b->Print(&paper.draw);
        EXPECT_GT(InkCount(paper.Finish()), 0);
    }
    const QImage printed = Paper(*b, 800, 300);
    EXPECT_EQ(DecodeOne(printed).text, "MIN-JSON");
    EXPECT_GT(b->GetFontRatio(), 0.5);
    EXPECT_GT(InkBounds(printed).height(), Px(15.0 + 1.5)) << "bars and the human-readable text";
    // A font height of 0 gives no text, but never a scale of 0.
    b->SetBaseFontHeight(0);
    b->CalcValues(1);
    EXPECT_GT(b->GetFontRatio(), 0.0);
    EXPECT_EQ(DecodeOne(Paper(*b, 800, 300)).text, "MIN-JSON");

    auto* q = dynamic_cast<TKVRQRCode*>(TKVRQRCode::ReadFromJson(
        &label, KVRFileVersion, TJsonObject::parse(R"({"Type":15,"Code":"MINIMAL","Points":[[3000,3000]]})")));
    ASSERT_NE(q, nullptr);
    EXPECT_GT(q->GetRatio(), 0.0f);
    EXPECT_EQ(Read(Paper(*q, 400, 400)).text, "MINIMAL");
    EXPECT_EQ(Read(Screen(*q, 400, 400)).text, "MINIMAL");
}

// The QR code prints what the screen shows: the text is prepared once, accents
// kept, and non-ASCII text carries its ECI so that readers decode it right.
TEST(CodeCharacters, QRPrintsAccentedTextAsTheScreenShowsIt)
{
    const QString value = QStringLiteral("Cr\u00E8me br\u00FBl\u00E9e \u2013 \u00C5ngstr\u00F6m");
    TKVRBaseLabel label;
    TKVRQRCode* q = New2D<TKVRQRCode>(label, value);
    q->SetBase(1, 2000, 2000);
    EXPECT_EQ(Read(Screen(*q, 500, 500)).text, value);
    q->SetFillType(1);
    q->SetFillName("name");
    label.SetDataValue("name", value);
    EXPECT_EQ(Read(Paper(*q, 500, 500)).text, value);
    // Latin-1 encoding: ECI 3, read back as written.
    q->SetEncoding(QRCodeEncoding::ISO88591);
    label.SetDataValue("name", QStringLiteral("Gr\u00FC\u00DFe aus K\u00F6ln"));
    EXPECT_EQ(Read(Paper(*q, 500, 500)).text, QStringLiteral("Gr\u00FC\u00DFe aus K\u00F6ln"));
}

// Full-ASCII Code 39 with the check option carries its check character on
// screen and paper: a reader that verifies it reads the value. So does
// Code 39 whose check character is a space.
TEST(CodeCharacters, Code39CheckCharacterVerifiedOnScreenAndPaper)
{
    std::vector<std::pair<QString, TKVRBarType>> cases = {{QStringLiteral("Code 39, full ASCII!"), TKVRBarType::Code39Ext},
                                                          {QStringLiteral("-11"), TKVRBarType::Code39},
                                                          {QStringLiteral("Z3"), TKVRBarType::Code39}};
    // Full-ASCII values whose check character is a shift character or a space.
    for (const char check : QByteArray("+/ "))
        for (char c = 'a'; c <= 'z'; ++c) {
            const QByteArray v = QByteArray("lot ") + c;
            if (KVRCode39::CheckChar(KVRCode39::FullAscii(v)) == check) {
                cases.push_back({QString::fromLatin1(v), TKVRBarType::Code39Ext});
                break;
            }
        }
    ASSERT_EQ(cases.size(), 6u);
    for (const auto& [value, type] : cases) {
        SCOPED_TRACE(value.toStdString());
        TKVRBaseLabel label;
        TKVRBarcode* b = NewBarcode(label, value, type, true);
        b->SetBarWidth(0.25f);
        b->CalcValues(1);
        ASSERT_TRUE(b->GetValid());
        EXPECT_EQ(b->GetCodeText().size(), value.size() + 1) << "the check character shows";
        const TTwin t = Painted(*b);
        ImageProbes::SaveForLooking(t.paper, QStringLiteral("code39_check_%1.png").arg(int(b->GetCodeText().back())));
        const DecodeOptions verify{.code39FullAscii = type == TKVRBarType::Code39Ext, .code39CheckDigit = true};
        EXPECT_EQ(DecodeOne(t.screen, verify).text, value);
        EXPECT_EQ(DecodeOne(t.paper, verify).text, value);
        // Printing a data-bound copy validates and encodes the record's value the same way.
        b->SetFillType(1);
        b->SetFillName("code");
        label.SetDataValue("code", value);
        EXPECT_EQ(DecodeOne(Paper(*b, t.paper.width(), t.paper.height()), verify).text, value);
    }
}

// At their longest accepted lengths, with check characters that push the
// prepared value past the engine's limit, the values are invalid: the red
// cross on screen and nothing on paper. Without the check they still print.
TEST(CodeCharacters, LongestValuesWithChecksumAreInvalid)
{
    const std::pair<TKVRBarType, QString> cases[] = {
        {TKVRBarType::Industrial25, QString(45, '4')}, {TKVRBarType::MSI, QString(65, '4')},
        {TKVRBarType::Codabar, 'A' + QString(58, '4') + 'B'}, {TKVRBarType::Code11, QString(120, '4')},
        {TKVRBarType::Code39, QString(85, 'K')}};
    for (const auto& [type, value] : cases) {
        SCOPED_TRACE(int(type));
        TKVRBaseLabel label;
        TKVRBarcode* b = NewBarcode(label, value, type);
        ASSERT_TRUE(b->GetValid());
        b->SetBarWidth(0.1f);
        b->SetBase(1, 2000, 2000);
        b->CalcValues(1);
        const int width = Px(double(b->GetBounds().Right) / 1000.0) + 40;
        EXPECT_GT(InkCount(Paper(*b, width, 300)), 1000);
        b->SetChecksum(true);
        b->CalcValues(1);
        EXPECT_FALSE(b->GetValid());
        EXPECT_GT(RedCount(Screen(*b, width, 300)), 50);
        EXPECT_EQ(InkCount(Paper(*b, width, 300)), 0);
    }
}

// PDF417 and Data Matrix carry Windows-1252 text, marked so that readers take
// it back exactly; a leading byte-order mark is part of a QR value, kept by
// the symbol and by both records.
TEST(CodeCharacters, EightBitTextAndByteOrderMarksReadBack)
{
    const QString texts[] = {
        QStringLiteral("5 \u20AC"), QStringLiteral("a\u2013b"), QStringLiteral("\u201Cquoted\u201D"),
        QStringLiteral("\u00C0\u00C9\u00CE\u00D5\u00DC \u00B5m \u00B1 \u00B0C"),
        QStringLiteral("\u0160koda \u2122 \u2026 \u0152uvre \u00E9t\u00E9"),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        TKVRBaseLabel label;
        for (TKVRBase2DCode* s : {static_cast<TKVRBase2DCode*>(New2D<TKVRPDF417>(label, text)),
                                  static_cast<TKVRBase2DCode*>(New2D<TKVRDataMatrix>(label, text))}) {
            ASSERT_TRUE(s->GetEncoded());
            const TTwin t = Painted(*s);
            EXPECT_EQ(Read(t.screen).text, text);
            EXPECT_EQ(Read(t.paper).text, text);
        }
    }
    for (const QString& value :
         {QChar(0xFEFF) + QStringLiteral("BOM first"), QChar(0xFEFF) + QStringLiteral("\u00E9t\u00E9 \U0001F600")}) {
        TKVRBaseLabel label;
        TKVRQRCode* q = New2D<TKVRQRCode>(label, value);
        ASSERT_TRUE(q->GetEncoded());
        const TTwin t = Painted(*q);
        EXPECT_EQ(Read(t.screen).text, value);
        EXPECT_EQ(Read(t.paper).text, value);
        auto* fromBinary = dynamic_cast<TKVRQRCode*>(ReadRecord(label, WriteBinary(*q), TKVRQRCode::Read));
        auto* fromJson = dynamic_cast<TKVRQRCode*>(TKVRQRCode::ReadFromJson(&label, KVRFileVersion, q->WriteJson()));
        ASSERT_TRUE(fromBinary && fromJson);
        EXPECT_EQ(fromBinary->GetCode(), value);
        EXPECT_EQ(fromJson->GetCode(), value);
    }
}

// ---------------------------------------------------------------- module layouts

// PDF417 rows: start and stop are full-height bars, every other bar is one
// row high; a truncated symbol has no right indicator and ends in one bar.
TEST(Symbols2DLayout, PDF417StartStopAndTruncation)
{
    TKVRBaseLabel label;
    auto* p = New2D<TKVRPDF417>(label, "LAYOUT TEST 0123456789", 2);
    TPdf417Symbol symbol;
    ASSERT_TRUE(p->EncodeValue(p->GetCode(), symbol));
    const int32_t columns = symbol.Columns, rows = symbol.Rows;
    // Level 2 carries 8 error-correction codewords; the length descriptor counts the rest.
    EXPECT_EQ(symbol.Level, 2);
    EXPECT_EQ(int32_t(symbol.CodeWords[0]), columns * rows - 8);

    TKVRSymbolLayout normal, truncated;
    ASSERT_TRUE(TKVRBasePDF417::BuildLayout(symbol, false, normal));
    ASSERT_TRUE(TKVRBasePDF417::BuildLayout(symbol, true, truncated));
    EXPECT_EQ(normal.Width, (columns + 4) * 17 + 1);
    EXPECT_EQ(truncated.Width, (columns + 2) * 17 + 1);
    int fullNormal = 0;
    for (const TKVRModuleRun& r : normal.Runs) {
        const bool edge = r.X < 17 || r.X >= (columns + 3) * 17;
        EXPECT_EQ(r.H, edge ? rows : 1);
        fullNormal += r.H == rows ? 1 : 0;
    }
    EXPECT_EQ(fullNormal, 4 + 5) << "four start bars and five stop bars";
    const TKVRModuleRun last = truncated.Runs[4];  // after the four start bars
    EXPECT_EQ(last, (TKVRModuleRun{(columns + 2) * 17, 0, 1, rows}));
    for (const TKVRModuleRun& r : truncated.Runs)
        EXPECT_LE(r.X + r.W, truncated.Width);
    // The truncated rows carry 17 modules less each: no right indicator.
    EXPECT_EQ(truncated.Runs.size(), normal.Runs.size() - size_t(rows) * 4 - 5 + 1);
}

// The painters index codewords, cluster tables and module arrays only after
// the layout has checked them: a damaged symbol gives no layout, no crash.
TEST(Symbols2DLayout, RangeChecksRefuseDamagedSymbols)
{
    TPdf417Symbol pdf;
    pdf.Columns = 3;
    pdf.Rows = 4;
    pdf.CodeWords.assign(11, 1);  // one codeword short
    TKVRSymbolLayout layout;
    EXPECT_FALSE(TKVRBasePDF417::BuildLayout(pdf, false, layout));
    pdf.CodeWords.assign(12, 1);
    EXPECT_TRUE(TKVRBasePDF417::BuildLayout(pdf, false, layout));
    pdf.CodeWords[7] = 929;  // no codeword of any cluster
    EXPECT_FALSE(TKVRBasePDF417::BuildLayout(pdf, false, layout));
    EXPECT_TRUE(layout.Runs.empty());
    pdf.Rows = 0;
    EXPECT_FALSE(TKVRBasePDF417::BuildLayout(pdf, false, layout));

    const std::vector<uint8_t> modules(10 * 10 - 1, 1);
    EXPECT_FALSE(TKVRBaseDataMatrix::BuildLayout(modules, 10, 10, layout));
    EXPECT_TRUE(TKVRBaseDataMatrix::BuildLayout(std::vector<uint8_t>(100, 1), 10, 10, layout));
    EXPECT_EQ(layout.Runs.size(), 10u) << "one run per row";

    T2DBooleanArray ragged(3, std::vector<bool>(3, false));
    ragged[1].resize(2);
    EXPECT_FALSE(TKVRBaseQRCode::BuildLayout(ragged, layout));
    EXPECT_FALSE(TKVRBaseQRCode::BuildLayout(T2DBooleanArray{}, layout));
}

// The QR grid is column first: grid[column][row].
TEST(Symbols2DLayout, QRGridIsColumnFirst)
{
    T2DBooleanArray grid(4, std::vector<bool>(4, false));
    grid[3][0] = true;  // column 3 of row 0
    grid[0][2] = true;  // column 0 of row 2
    grid[1][2] = true;
    TKVRSymbolLayout layout;
    ASSERT_TRUE(TKVRBaseQRCode::BuildLayout(grid, layout));
    ASSERT_EQ(layout.Runs.size(), 2u);
    EXPECT_EQ(layout.Runs[0], (TKVRModuleRun{3, 0, 1, 1}));
    EXPECT_EQ(layout.Runs[1], (TKVRModuleRun{0, 2, 2, 1}));
}
