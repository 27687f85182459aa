#include "tests/rtl/model/ModelTestSupport.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseArc.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBaseBezier.h"
#include "platform/rtl/model/TKVRBaseCircle.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBasePoint.h"
#include "platform/rtl/model/TKVRBasePolyLine.h"
#include "platform/rtl/model/TKVRBasePolygon.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseSector.h"
#include <QBuffer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------- raw streams

QByteArray Bytes(const std::function<void(TBinaryWriter&)>& aWrite)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TBinaryWriter w(&buf);
    aWrite(w);
    return buf.data();
}

TEST(ModelStream, ValuesAreLittleEndianAndReadBack)
{
    const QByteArray b = Bytes([](TBinaryWriter& w) {
        w.WriteInt32(0x01020304);
        w.WriteInt64(-2);
        w.WriteSingle(1.5f);
        w.WriteDouble(-0.25);
        w.WriteWord(0xBEEF);
        w.WriteBoolean(true);
        w.WriteString(QStringLiteral("Ñandú €"));
    });
    EXPECT_EQ(b.left(4), QByteArray::fromHex("04030201"));
    QBuffer buf;
    buf.setData(b);
    buf.open(QIODevice::ReadOnly);
    TBinaryReader r(&buf);
    EXPECT_EQ(r.ReadInt32(), 0x01020304);
    EXPECT_EQ(r.ReadInt64(), -2);
    EXPECT_EQ(r.ReadSingle(), 1.5f);
    EXPECT_EQ(r.ReadDouble(), -0.25);
    EXPECT_EQ(r.ReadWord(), 0xBEEF);
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadString(), QStringLiteral("Ñandú €"));
    EXPECT_EQ(r.Remaining(), 0);
    EXPECT_THROW(r.ReadByte(), EKVRStreamError);
}

TEST(ModelStream, StringLengthIsSevenBitEncodedUtf8ByteCount)
{
    const QString s(200, QChar('a'));
    const QByteArray b = Bytes([&](TBinaryWriter& w) { w.WriteString(s); });
    ASSERT_EQ(b.size(), 202);
    EXPECT_EQ(uint8_t(b[0]), 0xC8);  // 200 = 0x48 | 0x80, then 1
    EXPECT_EQ(uint8_t(b[1]), 0x01);
}

TEST(ModelStream, LengthsAndCountsAreBoundedByWhatIsLeft)
{
    // A string that claims 1 GB with 3 bytes behind it.
    QByteArray b = QByteArray::fromHex("8080808004") + "abc";
    QBuffer buf;
    buf.setData(b);
    buf.open(QIODevice::ReadOnly);
    TBinaryReader r(&buf);
    try {
        r.ReadString();
        FAIL() << "no error";
    } catch (const EKVRStreamError& e) {
        EXPECT_NE(std::string(e.what()).find("Stream read error"), std::string::npos);
    }

    // An endless length prefix.
    QBuffer buf2;
    buf2.setData(QByteArray::fromHex("FFFFFFFFFF"));
    buf2.open(QIODevice::ReadOnly);
    TBinaryReader r2(&buf2);
    EXPECT_THROW(r2.ReadString(), EKVRStreamError);

    // Counts: negative, and larger than the records left could hold.
    const QByteArray c = Bytes([](TBinaryWriter& w) {
        w.WriteInt32(-1);
        w.WriteInt32(3);
        w.WriteInt64(1);
        w.WriteInt64(2);
    });
    QBuffer buf3;
    buf3.setData(c);
    buf3.open(QIODevice::ReadOnly);
    TBinaryReader r3(&buf3);
    EXPECT_THROW(r3.ReadCount(16), EKVRStreamError);
    EXPECT_THROW(r3.ReadCount(16), EKVRStreamError);  // 3 x 16 > 16 bytes left
}

// ---------------------------------------------------------------- elements

using TReadBin = std::function<TKVRBaseItem*(TKVRBaseLabel*, TBinaryReader&)>;
using TReadJson = std::function<TKVRBaseItem*(TKVRBaseLabel*, const TJsonObject&)>;

// The element-class pattern: build with the (owner, preview) form, then read.
// Every kind's round trips run through the element classes' own readers.
template <class T, class... TArgs>
TReadBin BinReader(TArgs... aArgs)
{
    return [=](TKVRBaseLabel* aDoc, TBinaryReader& aReader) -> TKVRBaseItem* {
        return KVRReadItem<TConcrete<T>>(
            [&](TConcrete<T>& e) { e.ReadData(KVRFileVersion, aReader, KVRReadType::File); }, aDoc, aArgs..., false);
    };
}

template <class T, class... TArgs>
TReadJson JsonReader(TArgs... aArgs)
{
    return [=](TKVRBaseLabel* aDoc, const TJsonObject& aJson) -> TKVRBaseItem* {
        return KVRReadItem<TConcrete<T>>([&](TConcrete<T>& e) { e.ReadJson(KVRFileVersion, aJson); }, aDoc,
                                         aArgs..., false);
    };
}

QByteArray WriteItem(const TKVRBaseItem& aItem)
{
    return Bytes([&](TBinaryWriter& w) { aItem.Write(w); });
}

TEST(ModelRead, DamagedValuesAreRejectedWithoutLeavingAnElement)
{
    TKVRBaseLabel doc;
    // A line whose pen width is negative.
    auto* line = new TConcrete<TKVRBaseLine>(&doc, false);
    QByteArray bytes = WriteItem(*line);
    doc.DeleteItem(1);
    // kind(4) layer(4) state(2) options(4) colour(4) -> pen width at 18.
    const QByteArray minusOne = QByteArray::fromHex("FFFFFFFF");
    bytes.replace(18, 4, minusOne);
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    TBinaryReader r(&buf);
    r.ReadInt32();
    EXPECT_THROW(BinReader<TKVRBaseLine>()(&doc, r), EKVRDataError);
    EXPECT_EQ(doc.GetItemsCount(), 0);

    // A JSON line with three points, and one whose colour is text.
    TJsonObject j = TJsonObject::parse(R"({"Type":2,"Points":[[0,0],[1,1],[2,2]]})");
    EXPECT_THROW(JsonReader<TKVRBaseLine>()(&doc, j), EKVRDataError);
    j = TJsonObject::parse(R"({"Type":2,"Color":"red"})");
    EXPECT_THROW(JsonReader<TKVRBaseLine>()(&doc, j), EKVRJsonError);
    // A dimension kind no dimension has.
    j = TJsonObject::parse(R"({"Type":26,"DimType":8})");
    EXPECT_THROW(JsonReader<TKVRBaseDim>(TVXDimType(0))(&doc, j), EKVRDataError);
    EXPECT_EQ(doc.GetItemsCount(), 0);
}

// Coordinates beyond what any drawing reaches are damage: the painters' sums
// and differences of two of them would overflow.
TEST(ModelRead, CoordinatesOutOfRangeAreRejected)
{
    TKVRBaseLabel doc;
    const char* far = "9000000000000000000";
    for (const std::string& text :
         {std::string(R"({"Type":23,"Points":[[-)") + far + "," + "0],[" + far + ",10]]}",
          std::string(R"({"Type":5,"CenterX":)") + far + "}", std::string(R"({"Type":5,"Radius":)") + far + "}"}) {
        const TJsonObject j = TJsonObject::parse(text);
        const int32_t kind = j["Type"].get<int32_t>();
        EXPECT_THROW(kind == 5 ? JsonReader<TKVRBaseArc>()(&doc, j) : JsonReader<TKVRBaseLevel>()(&doc, j),
                     EKVRDataError)
            << text;
    }
    auto* arc = new TConcrete<TKVRBaseArc>(&doc, 0, 0, 1000, 0.0f, 1.0f, false);
    arc->SetCircle(int64_t(1) << 60, 0, 1000);
    auto* box = new TConcrete<TKVRBaseRectangle>(&doc, false);
    box->SetBase(2, 0, -(int64_t(1) << 60));
    const int before = doc.GetItemsCount();
    for (TKVRBaseItem* e : {static_cast<TKVRBaseItem*>(arc), static_cast<TKVRBaseItem*>(box)}) {
        const QByteArray bytes = WriteItem(*e);
        QBuffer buf;
        buf.setData(bytes);
        buf.open(QIODevice::ReadOnly);
        TBinaryReader r(&buf);
        r.ReadInt32();
        if (e == arc)
            EXPECT_THROW(BinReader<TKVRBaseArc>()(&doc, r), EKVRDataError);
        else
            EXPECT_THROW(BinReader<TKVRBaseRectangle>()(&doc, r), EKVRDataError);
    }
    EXPECT_EQ(doc.GetItemsCount(), before);
}

}  // namespace
