// Every alignment and quarter-turn byte is read, kept and written again by
// the text, code and picture elements; painting treats the values it does
// not name as the painters say (alignment 3 and up left or top, the picture
// centred, turns from 4 up unturned).
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRText.h"
#include "tests/elements/ContentTestSupport.h"
#include "tests/support/ImageProbes.h"
#include <QBuffer>
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

using JsonReadFn = TKVRBaseItem* (*)(TKVRBaseLabel*, int32_t, const TJsonObject&);

// One alignment or turn field of a kind: its JSON key and how to set and get it.
struct TByteField
{
    const char* Key;
    void (*Set)(TKVRBaseItem&, uint8_t);
    uint8_t (*Get)(const TKVRBaseItem&);
};

template <class T>
TByteField HorzField()
{
    return {"HorzAlign", [](TKVRBaseItem& i, uint8_t v) { dynamic_cast<T&>(i).SetHorzAlign(TKVRHorzAlign(v)); },
            [](const TKVRBaseItem& i) { return uint8_t(dynamic_cast<const T&>(i).GetHorzAlign()); }};
}
template <class T>
TByteField VertField()
{
    return {"VertAlign", [](TKVRBaseItem& i, uint8_t v) { dynamic_cast<T&>(i).SetVertAlign(TKVRVertAlign(v)); },
            [](const TKVRBaseItem& i) { return uint8_t(dynamic_cast<const T&>(i).GetVertAlign()); }};
}
template <class T>
TByteField AngleField()
{
    return {"Angle", [](TKVRBaseItem& i, uint8_t v) { dynamic_cast<T&>(i).SetAngle(TKVRAngle(v)); },
            [](const TKVRBaseItem& i) { return uint8_t(dynamic_cast<const T&>(i).GetAngle()); }};
}
TByteField ImageAlignField()
{
    return {"ImageAlign", [](TKVRBaseItem& i, uint8_t v) { dynamic_cast<TKVRImage&>(i).SetImageAlign(v); },
            [](const TKVRBaseItem& i) { return dynamic_cast<const TKVRImage&>(i).GetImageAlign(); }};
}

// A 40 x 20 picture, left half red and right half blue, as PNG in Base64.
std::string PictureBase64()
{
    QImage img(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            img.setPixel(x, y, x < 20 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return buffer.data().toBase64().toStdString();
}

// Each kind made with something to paint, point 1 at (30, 30) mm.
struct TKind
{
    const char* Name;
    TKVRBaseItem* (*Make)(TKVRBaseLabel&);
    BinaryReadFn Read;
    JsonReadFn ReadJson;
    std::vector<TByteField> Fields;
};

template <class T>
TKVRBaseItem* MakeTextKind(TKVRBaseLabel& l)
{
    auto* t = new T(&l);
    t->SetText(QStringLiteral("Align me"));
    t->SetBaseFontHeight(5000);
    t->SetBase(1, 30000, 30000);
    if constexpr (!std::is_same_v<T, TKVRText>)
        t->SetBase(2, 75000, 55000);
    return t;
}

TKVRBaseItem* MakeBarcode(TKVRBaseLabel& l)
{
    auto* b = new TKVRBarcode(&l, false);
    b->SetCode(QStringLiteral("ALIGN-3"));
    b->SetBase(1, 30000, 30000);
    return b;
}

template <class T>
TKVRBaseItem* MakeSymbol(TKVRBaseLabel& l)
{
    auto* s = new T(&l, false);
    s->SetCode(QStringLiteral("ALIGN"));
    s->SetBase(1, 30000, 30000);
    return s;
}

TKVRBaseItem* MakeImage(TKVRBaseLabel& l)
{
    TJsonObject j = {{"Type", 16},
                     {"Embeded", true},
                     {"ImageData", PictureBase64()},
                     {"Points", {{15000, 15000}, {45000, 45000}}}};
    return TKVRImage::ReadFromJson(&l, KVRFileVersion, j);
}

std::vector<TKind> Kinds()
{
    return {
        {"text", MakeTextKind<TKVRText>, TKVRText::Read, TKVRText::ReadFromJson,
         {HorzField<TKVRText>(), VertField<TKVRText>(), AngleField<TKVRText>()}},
        {"paragraph", MakeTextKind<TKVRParagraph>, TKVRParagraph::Read, TKVRParagraph::ReadFromJson,
         {HorzField<TKVRParagraph>(), VertField<TKVRParagraph>(), AngleField<TKVRParagraph>()}},
        {"rich text", MakeTextKind<TKVRRichText>, TKVRRichText::Read, TKVRRichText::ReadFromJson,
         {HorzField<TKVRRichText>(), VertField<TKVRRichText>(), AngleField<TKVRRichText>()}},
        {"barcode", MakeBarcode, TKVRBarcode::Read, TKVRBarcode::ReadFromJson,
         {HorzField<TKVRBarcode>(), AngleField<TKVRBarcode>()}},
        {"PDF417", MakeSymbol<TKVRPDF417>, TKVRPDF417::Read, TKVRPDF417::ReadFromJson,
         {HorzField<TKVRPDF417>(), VertField<TKVRPDF417>(), AngleField<TKVRPDF417>()}},
        {"Data Matrix", MakeSymbol<TKVRDataMatrix>, TKVRDataMatrix::Read, TKVRDataMatrix::ReadFromJson,
         {HorzField<TKVRDataMatrix>(), VertField<TKVRDataMatrix>(), AngleField<TKVRDataMatrix>()}},
        {"QR code", MakeSymbol<TKVRQRCode>, TKVRQRCode::Read, TKVRQRCode::ReadFromJson,
         {HorzField<TKVRQRCode>(), VertField<TKVRQRCode>(), AngleField<TKVRQRCode>()}},
        {"image", MakeImage, TKVRImage::Read, TKVRImage::ReadFromJson, {ImageAlignField(), AngleField<TKVRImage>()}},
    };
}

}  // namespace

// Every byte 0..255 of every alignment and turn reads back from the binary
// record and from JSON, also from a record written by hand.
TEST(AlignTurnValues, EveryByteReadsBackInBinaryAndJson)
{
    for (const TKind& k : Kinds()) {
        SCOPED_TRACE(k.Name);
        for (int v = 0; v < 256; ++v) {
            TKVRBaseLabel label;
            TKVRBaseItem* item = k.Make(label);
            ASSERT_NE(item, nullptr);
            // Field i takes v + 85 i: each field sees every byte over the loop, the fields differ.
            auto valueOf = [v](size_t i) { return uint8_t((v + 85 * int(i)) % 256); };
            for (size_t i = 0; i < k.Fields.size(); ++i)
                k.Fields[i].Set(*item, valueOf(i));
            const QByteArray record = WriteBinary(*item);
            TKVRBaseItem* fromBinary = ReadRecord(label, record, k.Read);
            ASSERT_NE(fromBinary, nullptr) << v;
            EXPECT_EQ(WriteBinary(*fromBinary), record) << v;

            TJsonObject json = item->WriteJson();
            TKVRBaseItem* fromJson = k.ReadJson(&label, KVRFileVersion, json);
            TJsonObject byHand = {{"Type", json["Type"]}};
            for (size_t i = 0; i < k.Fields.size(); ++i)
                byHand[k.Fields[i].Key] = int(valueOf(i));
            TKVRBaseItem* fromHand = k.ReadJson(&label, KVRFileVersion, byHand);
            for (size_t i = 0; i < k.Fields.size(); ++i) {
                EXPECT_EQ(int(k.Fields[i].Get(*fromBinary)), int(valueOf(i))) << k.Fields[i].Key << " " << v;
                EXPECT_EQ(int(k.Fields[i].Get(*fromJson)), int(valueOf(i))) << k.Fields[i].Key << " " << v;
                EXPECT_EQ(int(k.Fields[i].Get(*fromHand)), int(valueOf(i))) << k.Fields[i].Key << " " << v;
            }
        }
        // What no byte can hold is still refused, and leaves nothing behind.
        TKVRBaseLabel label;
        const TJsonObject base = k.Make(label)->WriteJson();
        const int count = label.GetItemsCount();
        for (const TByteField& f : k.Fields)
            for (const int outside : {256, -1}) {
                TJsonObject j = base;
                j[f.Key] = outside;
                EXPECT_THROW(k.ReadJson(&label, KVRFileVersion, j), EKVRJsonError) << f.Key << " " << outside;
            }
        EXPECT_EQ(label.GetItemsCount(), count);
    }
}

// A value the painters do not name paints exactly as the one they take it
// for, on screen and on paper; the named values do move the element, so the
// comparison is not empty.
TEST(AlignTurnValues, UnnamedValuesPaintAsTheirNamedEquivalent)
{
    struct Case
    {
        size_t field;    // index into the kind's fields
        uint8_t value;   // the unnamed value
        uint8_t same;    // the value it paints as
        uint8_t moved;   // a value that paints elsewhere
    };
    const int side = Px(90.0);
    for (const TKind& k : Kinds()) {
        const bool image = std::string(k.Name) == "image";
        const bool barcode = std::string(k.Name) == "barcode";
        std::vector<Case> cases;
        if (image)
            cases = {{0, 3, 1, 0}, {0, 255, 1, 2}, {1, 4, 0, 1}, {1, 200, 0, 2}};
        else if (barcode)
            cases = {{0, 3, 0, 2}, {0, 128, 0, 1}, {1, 4, 0, 1}, {1, 255, 0, 3}};
        else
            cases = {{0, 3, 0, 2}, {0, 77, 0, 1}, {1, 3, 0, 2}, {2, 4, 0, 1}, {2, 255, 0, 2}};
        for (const Case& c : cases) {
            const TByteField& f = k.Fields[c.field];
            SCOPED_TRACE(std::string(k.Name) + " " + f.Key + " " + std::to_string(c.value));
            TKVRBaseLabel label;
            TKVRBaseItem* item = k.Make(label);
            if (image)  // a wide picture in a square box: the alignment has room
                k.Fields[1].Set(*item, 0);
            auto paint = [&](uint8_t v) {
                f.Set(*item, v);
                return Twins(*item, side, side);
            };
            const TTwin unnamed = paint(c.value);
            const TTwin same = paint(c.same);
            const TTwin moved = paint(c.moved);
            ASSERT_GT(InkCount(unnamed.screen), 100);
            ASSERT_GT(InkCount(unnamed.paper), 100);
            EXPECT_TRUE(unnamed.screen == same.screen);
            EXPECT_TRUE(unnamed.paper == same.paper);
            // The rich text has no vertical alignment: every value starts at the top.
            const bool inert = std::string(k.Name) == "rich text" && std::string(f.Key) == "VertAlign";
            EXPECT_EQ(unnamed.screen == moved.screen, inert);
            EXPECT_EQ(unnamed.paper == moved.paper, inert);
            if (c.value == 3 && c.field == 0)
                ImageProbes::SaveForLooking(unnamed.screen, QStringLiteral("align3_%1.png").arg(k.Name));
        }
    }
}

// In the editor a text wider than its maximum width shows only part of it:
// for alignment 3 the text stands where a left-aligned one does and the part
// shown is its middle, as for a centred one.
TEST(AlignTurnValues, EditorClipOfAlignmentThree)
{
    TKVRBaseLabel label;
    auto* t = dynamic_cast<TKVRText*>(MakeTextKind<TKVRText>(label));
    t->SetText(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"));
    t->SetPenWidth(0.0f);  // the ink is the text alone
    t->CalcValues(1);
    const int side = Px(150.0);
    const QRect whole = InkBounds(Screen(*t, side, side));
    const int32_t full = t->GetTextWidth();
    t->SetMaxWidth(full / 2);
    t->SetHorzAlign(TKVRHorzAlign(3));
    const QRect shown = InkBounds(Screen(*t, side, side, KVRDrawState::Editor));
    const float quarter = PxUm(full) / 4.0f;
    EXPECT_NEAR(shown.left(), whole.left() + quarter, 4.0);
    EXPECT_NEAR(shown.right(), whole.right() - quarter, 4.0);
    // Outside the editor the whole text shows.
    EXPECT_EQ(InkBounds(Screen(*t, side, side)), whole);
}
