#include "elements/TKVRPolyText.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/BarcodeReader.h"
#include <QDir>
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

// A poly-text of two items, "(AI)"-less, as the given output kind.
TKVRPolyText* MakePoly(TKVRBaseLabel& label, uint8_t type, const QString& first, const QString& second)
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

// Symbols are cut out with a quiet zone first, as ZXing's detectors like it.
DecodedSymbol DecodeSymbol(const QImage& image)
{
    const QRect ink = InkBounds(image, 100);
    if (ink.isEmpty())
        return {};
    return DecodeOne(image.copy(ink.adjusted(-30, -30, 30, 30)));
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

}  // namespace

// ZXing reads the composed code as a linear barcode, a QR code (accents
// kept, on paper too) and a Data Matrix symbol, on screen and on paper, at
// every quarter turn, printed in the first label cell and in another one.
TEST(PolyText, CodesDecodeOnScreenAndPaperAtEveryTurnAndCell)
{
    struct Case
    {
        uint8_t type;
        QString first, second;
        const char* format;
    };
    const Case cases[] = {
        {KVRPolyType::Linear, "POLY-", "12345", "Code128"},
        {KVRPolyType::QR, QStringLiteral("\u00D1and\u00FA "), QStringLiteral("caf\u00E9 \u20AC5"), "QRCode"},
        {KVRPolyType::DataMatrix, "DM-", "0042", "DataMatrix"},
    };
    for (const Case& c : cases)
        for (int angle = 0; angle < 4; ++angle) {
            TKVRBaseLabel label;
            TKVRPolyText* p = MakePoly(label, c.type, c.first, c.second);
            p->SetAngle(TKVRAngle(angle));
            const int side = Centre(*p);
            const QString code = c.first + c.second;
            SCOPED_TRACE(QStringLiteral("%1 angle %2").arg(c.format).arg(angle).toStdString());
            const QImage screen = Screen(*p, side, side);
            const QImage paper = Paper(*p, side, side);
            const DecodedSymbol s = DecodeSymbol(screen);
            EXPECT_EQ(s.text, code);
            EXPECT_EQ(s.format, c.format);
            EXPECT_EQ(DecodeSymbol(paper).text, code);
            const QRect onPaper = InkBounds(paper, 100);
            EXPECT_TRUE(SameBox(InkBounds(screen, 100), onPaper,
                                1 + SnapAllowance(std::max(onPaper.width(), onPaper.height()), p->GetBarWidth())));
            // The second cell: the symbol moves by the cell's origin, once.
            const int dx = Px(30), dy = Px(7);
            const QImage cell = PaperInCell(*p, side + dx, side + dy, dx, dy);
            EXPECT_EQ(DecodeSymbol(cell).text, code);
            EXPECT_TRUE(SameBox(InkBounds(cell, 100), InkBounds(paper, 100).translated(dx, dy), 1));
            if (angle == 1) {
                screen.save(QDir::temp().filePath(QStringLiteral("kvr_poly_%1_screen.png").arg(c.format)));
                cell.save(QDir::temp().filePath(QStringLiteral("kvr_poly_%1_cell.png").arg(c.format)));
            }
        }
}

// A value that does not encode shows the red cross on screen, never the code
// of an earlier value, and prints nothing at all.
TEST(PolyText, ValueThatDoesNotEncodeShowsCrossAndPrintsNothing)
{
    struct Case
    {
        uint8_t type;
        QString bad;
    };
    const Case cases[] = {
        {KVRPolyType::Linear, "abc"},                           // not digits for EAN-13
        {KVRPolyType::QR, "letters"},                           // not numeric
        {KVRPolyType::DataMatrix, QStringLiteral("\u4E2D")},   // beyond 8-bit text
    };
    for (const Case& c : cases) {
        TKVRBaseLabel label;
        TKVRPolyText* p = MakePoly(label, c.type, "12345", "67890");
        p->SetFilled(true);
        p->SetBackColor(0xFFC0C0FF);
        if (c.type == KVRPolyType::Linear) {
            p->SetCodeType(TKVRBarType::EAN13);
            p->GetItem(2).Text = "6789012";  // 12 digits: valid
        }
        if (c.type == KVRPolyType::QR)
            p->SetEncoding(QRCodeEncoding::Numeric);
        p->CalcValues(1);
        const int side = Centre(*p);
        SCOPED_TRACE(int(c.type));
        ASSERT_FALSE(DecodeSymbol(Screen(*p, side, side)).text.isEmpty()) << "a valid value first";
        p->GetItem(1).Text = c.bad;
        p->CalcValues(1);
        const QImage screen = Screen(*p, side, side);
        EXPECT_TRUE(DecodeSymbol(screen).text.isEmpty());
        EXPECT_GT(RedCount(screen), 20);
        EXPECT_GT(RedCount(Screen(*p, side, side, KVRDrawState::Export)), 20);
        EXPECT_EQ(InkCount(Paper(*p, side, side), 250), 0);
        if (c.type == KVRPolyType::Linear)
            EXPECT_TRUE(p->GetBarPattern().isEmpty());
        else
            EXPECT_FALSE(p->GetEncoded());
    }
}

// Texts sit side by side, each where the previous one ends; screen and paper
// put them in the same place at every quarter turn, and a bound item prints
// the record's value.
TEST(PolyText, TextsRowOnScreenAndPaper)
{
    for (int angle = 0; angle < 4; ++angle) {
        TKVRBaseLabel label;
        TKVRPolyText* p = MakePoly(label, KVRPolyType::Texts, "Lot ", "A-17");
        p->GetItem(2).Font.Height = 5000;
        p->GetItem(2).Font.Bold = true;
        p->SetVertAlign(TKVRVertAlign::Bottom);
        p->SetPenWidth(0.3f);
        p->SetAngle(TKVRAngle(angle));
        p->CalcValues(1);
        const int side = Centre(*p);
        const TTwin twin = Twins(*p, side, side);
        SCOPED_TRACE(angle);
        EXPECT_TRUE(SameBox(InkBounds(twin.screen), InkBounds(twin.paper), 1));
        const double inkPaper = InkCount(twin.paper);
        EXPECT_NEAR(InkCount(twin.screen), inkPaper, inkPaper * 0.08) << "the same texts, not only the same box";
        // The box is the two widths and the paddings by the taller item.
        const TKVRRect b = p->GetBounds();
        const int64_t along = p->GetItem(1).GetBaseWidth() + p->GetItem(2).GetBaseWidth() + 2 * 2000;
        const int64_t across = 5000 + 2 * 1000;
        const bool turned = angle % 2 == 1;
        EXPECT_EQ(turned ? b.Height() : b.Width(), along);
        EXPECT_EQ(turned ? b.Width() : b.Height(), across);
        const QRect ink = InkBounds(twin.screen);
        // Another label cell moves the box and its texts by the cell's origin, once.
        const int dx = Px(25), dy = Px(9);
        const QImage cell = PaperInCell(*p, side + dx, side + dy, dx, dy);
        EXPECT_TRUE(SameBox(InkBounds(cell), InkBounds(twin.paper).translated(dx, dy), 0));
        EXPECT_EQ(InkCount(cell), InkCount(twin.paper));
        EXPECT_NEAR(ink.width(), PxUm(b.Width()), 2);
        EXPECT_NEAR(ink.height(), PxUm(b.Height()), 2);
        if (angle == 3) {
            twin.screen.save(QDir::temp().filePath("kvr_poly_texts_screen.png"));
            twin.paper.save(QDir::temp().filePath("kvr_poly_texts_paper.png"));
        }
    }
    TKVRBaseLabel label;
    TKVRPolyText* p = MakePoly(label, KVRPolyType::Texts, "Lot", "");
    p->GetItem(2).Data.FillType = 1;
    p->GetItem(2).Data.FillName = "Lot";
    p->GetItem(2).AI = "10";
    label.SetDataValue("Lot", "B42");
    const std::vector<TPdfWord> words = PrintToPdf(*p, 80, 30);
    QString all;
    for (const TPdfWord& w : words)
        all += w.Text;
    EXPECT_EQ(all, "Lot(10)B42");
}

TEST(PolyText, StreamsRoundTripAndDamagedRecordsLeaveNoElement)
{
    TKVRBaseLabel label;
    TKVRPolyText* p = MakePoly(label, KVRPolyType::QR, QStringLiteral("Gr\u00F6\u00DFe "), "42");
    p->GetItem(1).AI = "01";
    p->GetItem(2).Data.FillType = 1;
    p->GetItem(2).Data.FillName = "Size";
    p->GetItem(2).Font.Name = "Courier New";
    p->SetAngle(TKVRAngle::Angle270);
    p->SetErrorLevel(2);
    p->SetRadio(1.5f);
    p->SetFilled(true);
    const QByteArray bytes = WriteBinary(*p);
    EXPECT_EQ(RoundTripBinary(label, *p, TKVRPolyText::Read), bytes);
    const QByteArray json = WriteJsonText(*p);
    TKVRBaseItem* copy = TKVRPolyText::ReadFromJson(&label, 1, TJsonObject::parse(json.toStdString()));
    EXPECT_EQ(WriteJsonText(*copy), json);
    EXPECT_EQ(dynamic_cast<TKVRPolyText*>(copy)->GetItem(1).Text, QStringLiteral("Gr\u00F6\u00DFe "));
    EXPECT_GT(CheckTruncatedRecords(label, *p, TKVRPolyText::Read), 100);

    const int32_t count = label.GetItemsCount();
    for (const char* bad : {R"({"Type":20,"Items":3})", R"({"Type":20,"Items":[7]})", R"({"Type":20,"Angle":4})",
                            R"({"Type":20,"BarWidth":0})", R"({"Type":20,"ErrorLevel":9})",
                            R"({"Type":20,"Items":[{"FontHeight":-5}]})"}) {
        EXPECT_THROW(TKVRPolyText::ReadFromJson(&label, 1, TJsonObject::parse(bad)), EKVRJsonError) << bad;
        EXPECT_EQ(label.GetItemsCount(), count);
    }
    // A huge item count is refused before anything is allocated.
    auto* empty = new TKVRPolyText(&label, false);
    QByteArray record = WriteBinary(*empty);
    const int at = record.size() - (4 + 16) - 4;
    record[at + 3] = char(0x7F);
    EXPECT_THROW(ReadRecord(label, record, TKVRPolyText::Read), EKVRStreamError);
    EXPECT_EQ(label.GetItemsCount(), count + 1);
}

// An output kind beyond the four shows and prints its box only; a rounded box
// keeps its corners free.
TEST(PolyText, OtherKindShowsItsBoxOnly)
{
    TKVRBaseLabel label;
    TKVRPolyText* p = MakePoly(label, 7, "12345", "x");
    p->SetPenWidth(0.5f);
    p->SetRadio(3.0f);
    p->CalcValues(1);
    const int side = Centre(*p);
    const TTwin twin = Twins(*p, side, side);
    const TKVRRect b = p->GetBounds();
    const QRect ink = InkBounds(twin.paper);
    EXPECT_NEAR(ink.width(), PxUm(b.Width()), 2);
    EXPECT_NEAR(ink.height(), PxUm(b.Height()), 2);
    EXPECT_TRUE(SameBox(InkBounds(twin.screen), ink, 1));
    EXPECT_EQ(RedCount(twin.screen), 0);
    // The corner pixel of the box stays white with a radius, ink without one.
    for (const QImage& img : {twin.screen, twin.paper})
        EXPECT_GT(qGray(img.pixel(ink.left() + 1, ink.top() + 1)), 200);
    p->SetRadio(0.0f);
    const QImage square = Paper(*p, side, side);
    EXPECT_LT(qGray(square.pixel(ink.left() + 1, ink.top() + 1)), 100);
}

// Printing encodes the record being printed: a bound item gives each label
// its own code, while the screen keeps the element's own.
TEST(PolyText, PrintEncodesTheCurrentRecord)
{
    for (uint8_t type : {KVRPolyType::Linear, KVRPolyType::QR, KVRPolyType::DataMatrix}) {
        TKVRBaseLabel label;
        TKVRPolyText* p = MakePoly(label, type, "PART-", "000");
        p->GetItem(2).Data.FillType = 1;
        p->GetItem(2).Data.FillName = "Serial";
        p->CalcValues(1);
        const int side = Centre(*p) + Px(20);
        SCOPED_TRACE(int(type));
        label.SetDataValue("Serial", "777");
        EXPECT_EQ(DecodeSymbol(Paper(*p, side, side)).text, "PART-777");
        label.SetDataValue("Serial", "778");
        EXPECT_EQ(DecodeSymbol(Paper(*p, side, side)).text, "PART-778");
        EXPECT_EQ(DecodeSymbol(Screen(*p, side, side)).text, "PART-000");
    }
}
