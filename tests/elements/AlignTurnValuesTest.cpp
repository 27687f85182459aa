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
#include <gtest/gtest.h>
#include <map>

using namespace kvrtest;

namespace {

using JsonReadFn = TKVRBaseItem* (*)(TKVRBaseLabel*, int32_t, const TJsonObject&);

// Each kind as the JSON of an element with something to paint, point 1 at
// (30, 30) mm, and the keys of its alignment and turn bytes.
struct TKind
{
    const char* Name;
    const char* Json;
    BinaryReadFn Read;
    JsonReadFn ReadJson;
    std::vector<const char*> Keys;
};

const std::vector<TKind>& Kinds()
{
    static const std::vector<TKind> kinds = {
        {"text", R"({"Text":"Align me","FontHeight":5000,"Points":[[30000,30000]]})", TKVRText::Read,
         TKVRText::ReadFromJson, {"HorzAlign", "VertAlign", "Angle"}},
        {"paragraph", R"({"Text":"Align me","FontHeight":5000,"Points":[[30000,30000],[75000,55000]]})",
         TKVRParagraph::Read, TKVRParagraph::ReadFromJson, {"HorzAlign", "VertAlign", "Angle"}},
        {"rich text", R"({"Text":"Align me","FontHeight":5000,"Points":[[30000,30000],[75000,55000]]})",
         TKVRRichText::Read, TKVRRichText::ReadFromJson, {"HorzAlign", "VertAlign", "Angle"}},
        {"barcode", R"({"BarCode":"ALIGN-3","Points":[[30000,30000]]})", TKVRBarcode::Read,
         TKVRBarcode::ReadFromJson, {"HorzAlign", "Angle"}},
        {"PDF417", R"({"Code":"ALIGN","Points":[[30000,30000]]})", TKVRPDF417::Read, TKVRPDF417::ReadFromJson,
         {"HorzAlign", "VertAlign", "Angle"}},
        {"Data Matrix", R"({"Code":"ALIGN","Points":[[30000,30000]]})", TKVRDataMatrix::Read,
         TKVRDataMatrix::ReadFromJson, {"HorzAlign", "VertAlign", "Angle"}},
        {"QR code", R"({"Code":"ALIGN","Points":[[30000,30000]]})", TKVRQRCode::Read, TKVRQRCode::ReadFromJson,
         {"HorzAlign", "VertAlign", "Angle"}},
        // A 40 x 20 picture, left half red and right half blue, in a square box.
        {"image", R"({"Embeded":true,"ImageData":"iVBORw0KGgoAAAANSUhEUgAAACgAAAAUCAIAAABwJOjsAAAACXBIWXMAAA7EAAAOxAGVKw4bAAAAKklEQVRIiWP8z0A+YGQgXzcTBfZSBEYtHrV41OJRi0ctHrV41OJRi+kPAGYwAieCDD04AAAAAElFTkSuQmCC",
            "Points":[[15000,15000],[45000,45000]]})",
         TKVRImage::Read, TKVRImage::ReadFromJson, {"ImageAlign", "Angle"}},
    };
    return kinds;
}

// The kind's element with the given byte values.
TKVRBaseItem* Make(TKVRBaseLabel& aLabel, const TKind& aKind, const std::map<std::string, int>& aValues)
{
    TJsonObject j = TJsonObject::parse(aKind.Json);
    for (const auto& [key, value] : aValues)
        j[key] = value;
    return aKind.ReadJson(&aLabel, KVRFileVersion, j);
}

}  // namespace

// Every byte 0..255 of every alignment and turn reads back from the binary
// record and from JSON; what no byte can hold is refused and leaves nothing.
TEST(AlignTurnValues, EveryByteReadsBackInBinaryAndJson)
{
    for (const TKind& k : Kinds()) {
        SCOPED_TRACE(k.Name);
        TKVRBaseLabel label;
        for (int v = 0; v < 256; ++v) {
            // Field i takes v + 85 i: each field sees every byte over the loop, the fields differ.
            std::map<std::string, int> values;
            for (size_t i = 0; i < k.Keys.size(); ++i)
                values[k.Keys[i]] = (v + 85 * int(i)) % 256;
            TKVRBaseItem* item = Make(label, k, values);
            const QByteArray record = WriteBinary(*item);
            TKVRBaseItem* fromBinary = ReadRecord(label, record, k.Read);
            ASSERT_NE(fromBinary, nullptr) << v;
            EXPECT_EQ(WriteBinary(*fromBinary), record) << v;
            const TJsonObject written = fromBinary->WriteJson();
            for (const auto& [key, value] : values)
                EXPECT_EQ(written[key].get<int>(), value) << key << " " << v;
        }
        const int count = label.GetItemsCount();
        for (const char* key : k.Keys)
            for (const int outside : {256, -1})
                EXPECT_THROW(Make(label, k, {{key, outside}}), EKVRJsonError) << key << " " << outside;
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
        size_t field;    // index into the kind's keys
        uint8_t value;   // the unnamed value
        uint8_t same;    // the value it paints as
        uint8_t moved;   // a value that paints elsewhere
    };
    const int side = Px(90.0);
    for (const TKind& k : Kinds()) {
        const std::string name = k.Name;
        std::vector<Case> cases;
        if (name == "image")
            cases = {{0, 3, 1, 0}, {0, 255, 1, 2}, {1, 4, 0, 1}, {1, 200, 0, 2}};
        else if (name == "barcode")
            cases = {{0, 3, 0, 2}, {0, 128, 0, 1}, {1, 4, 0, 1}, {1, 255, 0, 3}};
        else
            cases = {{0, 3, 0, 2}, {0, 77, 0, 1}, {1, 3, 0, 2}, {2, 4, 0, 1}, {2, 255, 0, 2}};
        for (const Case& c : cases) {
            const char* key = k.Keys[c.field];
            SCOPED_TRACE(name + " " + key + " " + std::to_string(c.value));
            TKVRBaseLabel label;
            auto paint = [&](uint8_t v) { return Twins(*Make(label, k, {{key, v}}), side, side); };
            const TTwin unnamed = paint(c.value), same = paint(c.same), moved = paint(c.moved);
            ASSERT_GT(InkCount(unnamed.screen), 100);
            ASSERT_GT(InkCount(unnamed.paper), 100);
            EXPECT_TRUE(unnamed.screen == same.screen);
            EXPECT_TRUE(unnamed.paper == same.paper);
            // The rich text has no vertical alignment: every value starts at the top.
            const bool inert = name == "rich text" && std::string(key) == "VertAlign";
            EXPECT_EQ(unnamed.screen == moved.screen, inert);
            EXPECT_EQ(unnamed.paper == moved.paper, inert);
            if (c.value == 3 && c.field == 0)
                ImageProbes::SaveForLooking(unnamed.screen, QStringLiteral("align3_%1.png").arg(k.Name));
        }
    }
}

