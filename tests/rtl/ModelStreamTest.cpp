#include "tests/rtl/ModelTestSupport.h"
#include "platform/rtl/KVR.Model.Records.h"
#include "platform/rtl/KVR.Stream.h"
#include "platform/rtl/TKVRBaseArc.h"
#include "platform/rtl/TKVRBaseArrowLine.h"
#include "platform/rtl/TKVRBaseBezier.h"
#include "platform/rtl/TKVRBaseCircle.h"
#include "platform/rtl/TKVRBaseDim.h"
#include "platform/rtl/TKVRBaseEllipse.h"
#include "platform/rtl/TKVRBaseLabel.h"
#include "platform/rtl/TKVRBaseLevel.h"
#include "platform/rtl/TKVRBaseLine.h"
#include "platform/rtl/TKVRBasePackage.h"
#include "platform/rtl/TKVRBasePoint.h"
#include "platform/rtl/TKVRBasePolyLine.h"
#include "platform/rtl/TKVRBasePolygon.h"
#include "platform/rtl/TKVRBaseRectangle.h"
#include "platform/rtl/TKVRBaseSector.h"
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

struct TKindCase
{
    const char* Name;
    int32_t Kind;
    std::function<TKVRBaseItem*(TKVRBaseLabel*)> Make;  // an element with non-default values
    TReadBin ReadBin;
    TReadJson ReadJson;
};

// The element-class pattern: build with the (owner, preview) form, then read.
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

void Common(TKVRBaseItem* e)
{
    e->SetColor(0xFF123456u);
    e->SetPenWidth(0.7f);
    e->SetLineType(5);
    e->SetState(1);
    e->SetOptions(0x10);
}

TKVRLineEnds Ends()
{
    return TKVRLineEnds{4, 9, 0xFFFF0000u, 0xFF00FF00u, 2.5f, 1.25f};
}

TKVRFontInfo Font()
{
    return TKVRFontInfo{QStringLiteral("Liberation Serif"), 0xFF0000FFu, 4200, true, false, true};
}

std::vector<TKindCase> Cases()
{
    std::vector<TKindCase> c;
    c.push_back({"Point", KVRItemKind::Point,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBasePoint>(d, false);
                     Common(e);
                     e->SetBase(1, -1, 123456789012LL);
                     return e;
                 },
                 BinReader<TKVRBasePoint>(), JsonReader<TKVRBasePoint>()});
    c.push_back({"Line", KVRItemKind::Line,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseLine>(d, false);
                     Common(e);
                     e->SetBase(1, 10, 20);
                     e->SetBase(2, -30, 40);
                     return e;
                 },
                 BinReader<TKVRBaseLine>(), JsonReader<TKVRBaseLine>()});
    c.push_back({"ArrowLine", KVRItemKind::ArrowLine,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseArrowLine>(d, false);
                     Common(e);
                     e->SetBase(1, 0, 0);
                     e->SetBase(2, 50000, 10000);
                     e->SetEnds(Ends());
                     e->SetFont(Font());
                     e->SetText(QStringLiteral("Cota «Ø» 12"));
                     e->SetTextPos(4);
                     return e;
                 },
                 BinReader<TKVRBaseArrowLine>(), JsonReader<TKVRBaseArrowLine>()});
    c.push_back({"PolyLine", KVRItemKind::PolyLine,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBasePolyLine>(d, false);
                     Common(e);
                     e->SetPoints({{1, 2}, {3, 4}, {5, -6}, {7, 8}});
                     e->SetEnds(Ends());
                     return e;
                 },
                 BinReader<TKVRBasePolyLine>(), JsonReader<TKVRBasePolyLine>()});
    c.push_back({"Arc", KVRItemKind::Arc,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseArc>(d, 10000, 0, 0, 10000, -10000, 0, false);
                     Common(e);
                     e->SetEnds(Ends());
                     return e;
                 },
                 BinReader<TKVRBaseArc>(), JsonReader<TKVRBaseArc>()});
    c.push_back({"Rectangle", KVRItemKind::Rectangle,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseRectangle>(d, false);
                     Common(e);
                     e->SetBase(1, 100, 200);
                     e->SetBase(2, 30100, 20200);
                     e->SetFilled(true);
                     e->SetBackColor(0x80FFEE00u);
                     e->SetAlpha(0);
                     e->SetBaseRadio(1500);
                     return e;
                 },
                 BinReader<TKVRBaseRectangle>(), JsonReader<TKVRBaseRectangle>()});
    c.push_back({"Polygon", KVRItemKind::Polygon,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBasePolygon>(d, false);
                     Common(e);
                     e->SetPoints({{0, 0}, {1000, 0}, {500, 800}});
                     e->SetFilled(true);
                     return e;
                 },
                 BinReader<TKVRBasePolygon>(), JsonReader<TKVRBasePolygon>()});
    c.push_back({"Circle", KVRItemKind::Circle,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseCircle>(d, false);
                     Common(e);
                     e->SetCircle(5000, -5000, 2500);
                     e->SetBackColor(0xFF00FFFFu);
                     return e;
                 },
                 BinReader<TKVRBaseCircle>(), JsonReader<TKVRBaseCircle>()});
    c.push_back({"Ellipse", KVRItemKind::Ellipse,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseEllipse>(d, false);
                     Common(e);
                     e->SetEllipse(0, 0, 4000, 1000);
                     return e;
                 },
                 BinReader<TKVRBaseEllipse>(), JsonReader<TKVRBaseEllipse>()});
    c.push_back({"Level", KVRItemKind::Level,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseLevel>(d, false);
                     Common(e);
                     e->SetLevelCircle(10000, 10000, 8000);
                     e->SetLevelType(2);
                     e->SetValue(42.5f);
                     e->SetMaxValue(80.0f);
                     e->SetLevelColor(0xFFAA5500u);
                     e->SetAngleGap(45.0f);
                     e->SetAngle(TKVRAngle::Angle270);
                     e->SetText(QStringLiteral("53 %"));
                     e->SetFont(Font());
                     e->SetFillType(1);
                     e->SetFillName(QStringLiteral("LEVEL"));
                     e->SetFormat(QStringLiteral("0.0"));
                     return e;
                 },
                 BinReader<TKVRBaseLevel>(), JsonReader<TKVRBaseLevel>()});
    c.push_back({"Bezier", KVRItemKind::Bezier,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseBezier>(d, false);
                     Common(e);
                     e->SetPoints({{0, 0}, {10, 20}, {30, 20}, {40, 0}, {50, -20}, {70, -20}, {80, 0}});
                     e->SetEnds(Ends());
                     return e;
                 },
                 BinReader<TKVRBaseBezier>(), JsonReader<TKVRBaseBezier>()});
    c.push_back({"Dim", KVRItemKind::Dim,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseDim>(d, TVXDimType(0), false);
                     Common(e);
                     d->CalcDimPoints(e, 0, 0, 40000, 0, 20000, -10000);
                     e->SetDimExt(true);
                     return e;
                 },
                 BinReader<TKVRBaseDim>(TVXDimType(0)), JsonReader<TKVRBaseDim>(TVXDimType(0))});
    c.push_back({"Sector", KVRItemKind::Sector,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBaseSector>(d, false);
                     Common(e);
                     e->SetSector(0, 0, 3000, 30.0f, 359.9f);
                     e->SetFilled(true);
                     return e;
                 },
                 BinReader<TKVRBaseSector>(), JsonReader<TKVRBaseSector>()});
    c.push_back({"Package", KVRItemKind::Package,
                 [](TKVRBaseLabel* d) {
                     auto* e = new TConcrete<TKVRBasePackage>(d, false);
                     Common(e);
                     e->SetBase(1, 0, 0);
                     e->SetBase(2, 80000, 50000);
                     e->SetSizeLength(120.5f);
                     e->SetSizeWidth(80.0f);
                     e->SetSizeHeight(0.0f);
                     e->SetNameLength(QStringLiteral("Largo"));
                     e->SetStyle(5);
                     e->SetBoxColor(0xFF8B4513u);
                     e->SetFormat(QStringLiteral("0.0"));
                     e->SetSizesFontHeight(1800);
                     e->SetFillType(2);
                     e->SetFillName(QStringLiteral("BOX"));
                     e->SetDrills({{10.0, 20.0, 5.0}, {100.25, 60.0, 8.0}});
                     e->SetSlots({{5.0, 5.0, 40.0, 5.0, 3.0}});
                     return e;
                 },
                 BinReader<TKVRBasePackage>(), JsonReader<TKVRBasePackage>()});
    return c;
}

QByteArray WriteItem(const TKVRBaseItem& aItem)
{
    return Bytes([&](TBinaryWriter& w) { aItem.Write(w); });
}

// Reads one element record (kind code, data) as the document does.
TKVRBaseItem* ReadRecord(const TKindCase& aCase, TKVRBaseLabel* aDoc, const QByteArray& aBytes)
{
    QBuffer buf;
    buf.setData(aBytes);
    buf.open(QIODevice::ReadOnly);
    TBinaryReader r(&buf);
    const int32_t kind = KVRItemKind::FromCode(r.ReadInt32());
    EXPECT_EQ(kind, aCase.Kind);
    TKVRBaseItem* e = aCase.ReadBin(aDoc, r);
    EXPECT_EQ(r.Remaining(), 0) << aCase.Name << ": the reader left bytes behind";
    return e;
}

class ModelRoundTrip : public ::testing::TestWithParam<size_t>
{
};

TEST_P(ModelRoundTrip, BinaryWriteReadWriteIsByteIdentical)
{
    const TKindCase kc = Cases()[GetParam()];
    TKVRBaseLabel doc;
    TKVRBaseItem* original = kc.Make(&doc);
    original->CalcValues(0);
    const QByteArray first = WriteItem(*original);

    // The populated element differs from a fresh one: the test sees every field.
    TKVRBaseLabel other;
    TKVRBaseItem* blank = kc.ReadJson(&other, TJsonObject::object());
    EXPECT_NE(first, WriteItem(*blank)) << kc.Name;

    TKVRBaseItem* copy = ReadRecord(kc, &doc, first);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(doc.GetItemsCount(), 2);
    EXPECT_EQ(WriteItem(*copy), first) << kc.Name;
    // The binary reader fills what the JSON writer shows.
    EXPECT_EQ(copy->WriteJson().dump(), original->WriteJson().dump()) << kc.Name;
    // Laying the copy out changes nothing that is stored.
    copy->CalcValues(0);
    EXPECT_EQ(WriteItem(*copy), first) << kc.Name;
}

TEST_P(ModelRoundTrip, JsonWriteReadWriteIsIdentical)
{
    const TKindCase kc = Cases()[GetParam()];
    TKVRBaseLabel doc;
    TKVRBaseItem* original = kc.Make(&doc);
    original->CalcValues(0);
    const TJsonObject first = original->WriteJson();
    ASSERT_EQ(first.begin().key(), "Type");
    EXPECT_EQ(first["Type"].get<int32_t>(), kc.Kind);

    // Through text, as a file would carry it.
    const TJsonObject parsed = TJsonObject::parse(first.dump(2));
    TKVRBaseItem* copy = kc.ReadJson(&doc, parsed);
    EXPECT_EQ(copy->WriteJson().dump(), first.dump()) << kc.Name;
    EXPECT_EQ(WriteItem(*copy), WriteItem(*original)) << kc.Name;
}

TEST_P(ModelRoundTrip, TruncatedRecordRaisesAndLeavesTheDocumentUnchanged)
{
    const TKindCase kc = Cases()[GetParam()];
    TKVRBaseLabel source;
    const QByteArray full = WriteItem(*kc.Make(&source));

    TKVRBaseLabel doc;
    new TConcrete<TKVRBaseLine>(&doc, false);  // something already there
    ASSERT_EQ(doc.GetItemsCount(), 1);
    for (int len = 4; len < full.size(); ++len) {
        QBuffer buf;
        buf.setData(full.left(len));
        buf.open(QIODevice::ReadOnly);
        TBinaryReader r(&buf);
        r.ReadInt32();
        EXPECT_THROW(kc.ReadBin(&doc, r), EKVRStreamError) << kc.Name << " cut at " << len;
        ASSERT_EQ(doc.GetItemsCount(), 1) << kc.Name << " cut at " << len;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ModelRoundTrip, ::testing::Range<size_t>(0, Cases().size()));

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
    const TKindCase lineCase{"Line", KVRItemKind::Line, nullptr, BinReader<TKVRBaseLine>(), nullptr};
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    TBinaryReader r(&buf);
    r.ReadInt32();
    EXPECT_THROW(lineCase.ReadBin(&doc, r), EKVRDataError);
    EXPECT_EQ(doc.GetItemsCount(), 0);

    // A JSON line with three points, and one whose colour is text.
    TJsonObject j = TJsonObject::parse(R"({"Type":2,"Points":[[0,0],[1,1],[2,2]]})");
    EXPECT_THROW(JsonReader<TKVRBaseLine>()(&doc, j), EKVRDataError);
    j = TJsonObject::parse(R"({"Type":2,"Color":"red"})");
    EXPECT_THROW(JsonReader<TKVRBaseLine>()(&doc, j), EKVRJsonError);
    EXPECT_EQ(doc.GetItemsCount(), 0);
}

TEST(ModelRead, ReadTypeTwoMarksTheCopyAsPreview)
{
    TKVRBaseLabel doc;
    auto* copy = new TConcrete<TKVRBasePoint>(&doc, true);
    EXPECT_TRUE(copy->GetPreview());
    EXPECT_EQ(KVRItemKind::FromCode(257), KVRItemKind::Point);
    EXPECT_EQ(KVRItemKind::FromCode(30), 0);
    EXPECT_EQ(KVRItemKind::FromCode(0), 0);
}

}  // namespace
