#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRQRCode.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

enum class Kind { QR, DataMatrix, PDF417 };

// A symbol element of a kind, with its value, laid out.
TKVRBase2DCode* MakeSymbol(TKVRBaseLabel& label, Kind kind, const QString& code, int level = 2)
{
    TKVRBase2DCode* s = nullptr;
    switch (kind) {
    case Kind::QR: s = new TKVRQRCode(&label, false); break;
    case Kind::DataMatrix: s = new TKVRDataMatrix(&label, false); break;
    case Kind::PDF417: {
        auto* p = new TKVRPDF417(&label, false);
        p->SetCorrectionLevel(TKVRPdf417CorrectionLevel(level));
        s = p;
        break;
    }
    }
    s->SetCode(code);
    s->CalcValues(1);
    return s;
}

const char* FormatOf(Kind kind)
{
    switch (kind) {
    case Kind::QR: return "QRCode";
    case Kind::DataMatrix: return "DataMatrix";
    default: return "PDF417";
    }
}

// ZXing's Data Matrix detector searches from the middle of the picture: the
// symbol is cut out with a quiet zone around it first.
DecodedSymbol DecodeSymbol(const QImage& image)
{
    const QRect ink = InkBounds(image);
    if (ink.isEmpty())
        return {};
    return DecodeOne(image.copy(ink.adjusted(-24, -24, 24, 24)));
}

using ReadFn = TKVRBaseItem* (*)(TKVRBaseLabel*, int32_t, TBinaryReader&, TKVRReadType);
using JsonFn = TKVRBaseItem* (*)(TKVRBaseLabel*, int32_t, const TJsonObject&);

}  // namespace

// ZXing reads every symbol, painted by Draw and printed by Print at 300 dpi,
// at the four quarter turns; screen and paper put it in the same place.
TEST(Symbols2D, DecodeOnScreenAndPaperAtEveryQuarterTurn)
{
    struct Case
    {
        Kind kind;
        QString code;
        int level;
        const char* name;
    };
    const Case cases[] = {
        {Kind::QR, "https://example.org/kvr?id=42", 0, "qr_ascii"},
        {Kind::QR, QStringLiteral("\u00D1and\u00FA \u2013 Gr\u00F6\u00DFe 5 \u20AC"), 0, "qr_unicode"},
        {Kind::DataMatrix, "DM-VALUE-0042", 0, "datamatrix"},
        {Kind::PDF417, "PDF417 value 1234567890123", 0, "pdf417_l0"},
        {Kind::PDF417, "PDF417 value 1234567890123", 2, "pdf417_l2"},
        {Kind::PDF417, "PDF417 value 1234567890123", 5, "pdf417_l5"},
    };
    for (const Case& c : cases)
        for (int angle = 0; angle < 4; ++angle) {
            TKVRBaseLabel label;
            TKVRBase2DCode* s = MakeSymbol(label, c.kind, c.code, c.level);
            ASSERT_TRUE(s->GetEncoded()) << c.name;
            s->SetAngle(TKVRAngle(angle));
            const int side = Centre(*s);
            const QImage screen = Screen(*s, side, side);
            const QImage paper = Paper(*s, side, side);
            const QString name = QStringLiteral("symbol_%1_%2").arg(c.name).arg(angle);
            SCOPED_TRACE(name.toStdString());
            const DecodedSymbol onScreen = DecodeSymbol(screen);
            EXPECT_EQ(onScreen.text, c.code);
            EXPECT_EQ(onScreen.format, FormatOf(c.kind));
            EXPECT_EQ(DecodeSymbol(paper).text, c.code);
            const QRect a = InkBounds(screen), p = InkBounds(paper);
            const int length = std::max(p.width(), p.height());
            EXPECT_TRUE(SameBox(a, p,
                                1 + std::max(SnapAllowance(length, s->GetBarWidth()),
                                             SnapAllowance(length, s->GetBarHeight()))));
        }
}

// With paddings, any alignment and a turn, the symbol lies inside its
// background, a padding away from each side, on screen and paper alike.
TEST(Symbols2D, SymbolSitsInsideItsBackground)
{
    const QRgb pink = qRgb(255, 192, 192);
    const TKVRHorzAlign horz[] = {TKVRHorzAlign::Left, TKVRHorzAlign::Center, TKVRHorzAlign::Right};
    const TKVRVertAlign vert[] = {TKVRVertAlign::Top, TKVRVertAlign::Center, TKVRVertAlign::Bottom};
    for (Kind kind : {Kind::QR, Kind::PDF417})
        for (int i = 0; i < 3; ++i)
            for (int angle : {0, 1}) {
                TKVRBaseLabel label;
                TKVRBase2DCode* s = MakeSymbol(label, kind, "PADDED");
                s->SetFilled(true);
                s->SetBackColor(0xFFFFC0C0);
                s->SetPaddingX(3.0f);
                s->SetPaddingY(1.5f);
                s->SetHorzAlign(horz[i]);
                s->SetVertAlign(vert[i]);
                s->SetAngle(TKVRAngle(angle));
                const int side = Centre(*s);
                SCOPED_TRACE(QStringLiteral("%1 align %2 angle %3").arg(int(kind)).arg(i).arg(angle).toStdString());
                const QImage images[] = {Screen(*s, side, side), Paper(*s, side, side)};
                QRect backs[2];
                for (int k = 0; k < 2; ++k) {
                    const QRect back = ColourBounds(images[k], pink, 20);
                    const QRect symbol = InkBounds(images[k], 100);
                    backs[k] = back;
                    // Paddings run along the symbol: a quarter turn swaps them on the page.
                    const int padAcross = Px(angle == 0 ? 3.0 : 1.5), padDown = Px(angle == 0 ? 1.5 : 3.0);
                    const int side = std::max(symbol.width(), symbol.height());
                    const int near = 2 + (k == 0 ? std::max(SnapAllowance(side, s->GetBarWidth()),
                                                            SnapAllowance(side, s->GetBarHeight()))
                                                 : 0);
                    EXPECT_NEAR(symbol.left() - back.left(), padAcross, near) << k;
                    EXPECT_NEAR(back.right() - symbol.right(), padAcross, near) << k;
                    EXPECT_NEAR(symbol.top() - back.top(), padDown, near) << k;
                    EXPECT_NEAR(back.bottom() - symbol.bottom(), padDown, near) << k;
                }
                EXPECT_TRUE(SameBox(backs[0], backs[1], 1));
            }
}

// A value too long for the largest symbol, or with a character the symbol
// cannot carry, is an encode failure: a red cross on screen and
// nothing at all on paper, not even the background.
TEST(Symbols2D, ValueThatDoesNotEncodeShowsCrossAndPrintsNothing)
{
    struct Case
    {
        Kind kind;
        QString code;
    };
    const Case cases[] = {
        {Kind::QR, QString(8000, QChar('A'))},
        {Kind::DataMatrix, QString(4000, QChar('A'))},
        {Kind::PDF417, QString(3000, QChar('a'))},
        {Kind::DataMatrix, QStringLiteral("price 5\u20B9")},  // beyond the 8-bit code page
        {Kind::PDF417, QStringLiteral("price 5\u20B9")},
        {Kind::PDF417, QStringLiteral("x\u0081")},  // a byte of the code page that stands for nothing
        {Kind::QR, QStringLiteral("half a pair ") + QChar(0xD83D)},
        {Kind::QR, QChar(0xDE00) + QStringLiteral(" the other half")},
        {Kind::QR, ""},
    };
    for (const Case& c : cases) {
        TKVRBaseLabel label;
        TKVRBase2DCode* s = MakeSymbol(label, c.kind, c.code);
        SCOPED_TRACE(int(c.kind));
        EXPECT_FALSE(s->GetEncoded());
        s->SetFilled(true);
        s->SetBackColor(0xFF0000FF);
        s->SetBase(1, 3000, 3000);
        const QImage screen = Screen(*s, 300, 300);
        EXPECT_GT(RedCount(screen), 50);
        EXPECT_EQ(CountColour(screen, qRgb(0, 0, 255)), 0);
        EXPECT_EQ(InkCount(Paper(*s, 300, 300)), 0);
    }
}

// The QR code prints what the screen shows: the text is prepared once, accents
// kept, and non-ASCII text carries its ECI so that readers decode it right.
TEST(Symbols2D, QRPrintsAccentedTextAsTheScreenShowsIt)
{
    const QString value = QStringLiteral("Cr\u00E8me br\u00FBl\u00E9e \u2013 \u00C5ngstr\u00F6m");
    TKVRBaseLabel label;
    TKVRBase2DCode* s = MakeSymbol(label, Kind::QR, value);
    s->SetBase(1, 2000, 2000);
    EXPECT_EQ(DecodeSymbol(Screen(*s, 500, 500)).text, value);
    s->SetFillType(1);
    s->SetFillName("name");
    label.SetDataValue("name", value);
    const QImage paper = Paper(*s, 500, 500);
    EXPECT_EQ(DecodeSymbol(paper).text, value);

    // Latin-1 encoding: ECI 3, read back as written.
    auto* qr = static_cast<TKVRQRCode*>(s);
    qr->SetEncoding(QRCodeEncoding::ISO88591);
    label.SetDataValue("name", QStringLiteral("Gr\u00FC\u00DFe aus K\u00F6ln"));
    EXPECT_EQ(DecodeSymbol(Paper(*s, 500, 500)).text, QStringLiteral("Gr\u00FC\u00DFe aus K\u00F6ln"));
}

// A page of label cells: the print origin moves per cell and each cell has a
// record of its own; every cell decodes to its own record's value, except
// the one whose record is too long for any symbol: it stays empty, and the
// element's own encoding is untouched.
TEST(Symbols2D, PageOfLabelCellsDecodesCellByCell)
{
    for (Kind kind : {Kind::QR, Kind::DataMatrix, Kind::PDF417}) {
        TKVRBaseLabel label;
        TKVRBase2DCode* s = MakeSymbol(label, kind, "OWN");
        s->SetFillType(1);
        s->SetFillName("serial");
        s->SetBase(1, 4000, 3000);
        s->SetFilled(true);
        s->SetBackColor(0xFFE0FFE0);
        const int cellW = Px(75), cellH = Px(40), columns = 3, rows = 2, tooLong = 4;
        std::vector<QString> records;
        PaperSurface page(columns * cellW, rows * cellH, kDpi);
        for (int i = 0; i < columns * rows; ++i) {
            records.push_back(i == tooLong ? QString(9000, QChar('7'))
                                           : QStringLiteral("SN-%1-%2").arg(int(kind)).arg(1000 + 37 * i));
            page.draw.PrintOffsetX = (i % columns) * cellW;
            page.draw.PrintOffsetY = (i / columns) * cellH;
            label.SetDataValue("serial", records.back());
            s->PrintElement(&page.draw);
        }
        EXPECT_TRUE(s->GetEncoded());
        const QImage sheet = page.Finish().copy();
        for (int i = 0; i < columns * rows; ++i) {
            const QImage cell = sheet.copy((i % columns) * cellW, (i / columns) * cellH, cellW, cellH);
            if (i == tooLong) {
                EXPECT_EQ(InkCount(cell), 0) << int(kind);
                continue;
            }
            EXPECT_EQ(DecodeSymbol(cell).text, records[size_t(i)]) << int(kind) << " cell " << i;
            // The symbol and its background lie inside the cell, where point 1 puts them.
            const QRect ink = InkBounds(cell, 250);
            EXPECT_NEAR(ink.left(), Px(4.0), 1);
            EXPECT_NEAR(ink.top(), Px(3.0), 1);
            EXPECT_LT(ink.right(), cellW - 1);
            EXPECT_LT(ink.bottom(), cellH - 1);
        }
    }
}

// Streams of the three kinds: exact round trips through their own readers, and
// a short record raises without leaving an element behind.
TEST(Symbols2D, RoundTripsAndTruncatedRecords)
{
    struct Case
    {
        Kind kind;
        ReadFn read;
        JsonFn json;
    };
    const Case cases[] = {{Kind::QR, TKVRQRCode::Read, TKVRQRCode::ReadFromJson},
                          {Kind::DataMatrix, TKVRDataMatrix::Read, TKVRDataMatrix::ReadFromJson},
                          {Kind::PDF417, TKVRPDF417::Read, TKVRPDF417::ReadFromJson}};
    for (const Case& c : cases) {
        TKVRBaseLabel label;
        TKVRBase2DCode* s = MakeSymbol(label, c.kind, QStringLiteral("Stream \u00E9 \u20AC"));
        s->SetBase(1, -4200, 987654321);
        s->SetAngle(TKVRAngle::Angle180);
        s->SetBarWidth(0.37f);
        s->SetBarHeight(0.91f);
        s->SetRatio(1.25f);
        s->SetPaddingX(0.5f);
        s->SetPaddingY(3.25f);
        s->SetHorzAlign(TKVRHorzAlign::Center);
        s->SetVertAlign(TKVRVertAlign::Bottom);
        s->SetFillType(3);
        s->SetFillName("Field");
        s->SetFormat("#0.00");
        s->SetFilled(true);
        s->SetBackColor(0x80FF8000);
        if (auto* p = dynamic_cast<TKVRPDF417*>(s)) {
            p->SetCorrectionLevel(7);
            p->SetTruncated(true);
            p->SetColumns(4);
            p->SetRows(-1);
        }
        if (auto* q = dynamic_cast<TKVRQRCode*>(s)) {
            q->SetEncoding(QRCodeEncoding::UTF8);
            q->SetErrorLevel(TErrorCorrectionLevel::Q);
        }
        SCOPED_TRACE(int(c.kind));
        const QByteArray bytes = WriteBinary(*s);
        EXPECT_EQ(RoundTripBinary(label, *s, c.read), bytes);
        const QByteArray json = WriteJsonText(*s);
        TKVRBaseItem* copy = c.json(&label, KVRFileVersion, TJsonObject::parse(json.toStdString()));
        EXPECT_EQ(WriteJsonText(*copy), json);
        EXPECT_EQ(copy->GetKind(), s->GetKind());
        EXPECT_GT(CheckTruncatedRecords(label, *s, c.read), 50);
    }
}

// A stream that leaves settings out keeps a new element's values, so a
// minimal record paints at once; values no symbol can hold are refused.
TEST(Symbols2D, ReaderKeepsNewElementDefaults)
{
    TKVRBaseLabel label;
    TKVRBaseItem* item = TKVRQRCode::ReadFromJson(
        &label, KVRFileVersion, TJsonObject::parse(R"({"Type":15,"Code":"MINIMAL","Points":[[3000,3000]]})"));
    auto* q = dynamic_cast<TKVRQRCode*>(item);
    ASSERT_NE(q, nullptr);
    EXPECT_GT(q->GetRatio(), 0.0f);
    EXPECT_EQ(DecodeSymbol(Paper(*q, 400, 400)).text, "MINIMAL");
    EXPECT_EQ(DecodeSymbol(Screen(*q, 400, 400)).text, "MINIMAL");

    const int before = label.GetItemsCount();
    auto bad = [&](const char* text) {
        return TKVRDataMatrix::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(text));
    };
    EXPECT_THROW(bad(R"({"Type":14,"BarWidth":0})"), EKVRDataError);
    EXPECT_THROW(bad(R"({"Type":14,"Ratio":-1})"), EKVRDataError);
    EXPECT_THROW(bad(R"({"Type":14,"PaddingX":-2})"), EKVRDataError);
    EXPECT_THROW(bad(R"({"Type":14,"VertAlign":256})"), EKVRJsonError);
    EXPECT_THROW(TKVRQRCode::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(R"({"Type":15,"ErrorLevel":4})")),
                 EKVRDataError);
    EXPECT_EQ(label.GetItemsCount(), before);
}

// ---------------------------------------------------------------- module layouts

// PDF417 rows: start and stop are full-height bars, every other bar is one
// row high; a truncated symbol has no right indicator and ends in one bar.
TEST(Symbols2DLayout, PDF417StartStopAndTruncation)
{
    TKVRBaseLabel label;
    auto* p = static_cast<TKVRPDF417*>(MakeSymbol(label, Kind::PDF417, "LAYOUT TEST 0123456789", 2));
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
