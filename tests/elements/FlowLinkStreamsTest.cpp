// Flowchart node and connector records through their class-level readers:
// byte-identical round trips, damaged records and wrong JSON values.
#include "tests/elements/FlowLinkTestSupport.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include <gtest/gtest.h>

using namespace flowtest;

namespace {

TKVRFlow* FullNode(TKVRBaseLabel& l)
{
    TKVRFlow* n = Node(l, 1000, -2000, 41000, 23000, 12);
    n->SetText(QStringLiteral("Decide «Ø»\r\nnow"));
    n->SetFont({QStringLiteral("Liberation Serif"), 0xFF102030u, 3500, true, true, true});
    n->SetStrikeout(true);
    n->SetBasePadX(1500);
    n->SetBasePadY(700);
    n->SetScaleX(1.25f);
    n->SetGradient(2);
    n->SetGradColor(0xFF00FF00u);
    n->SetShadowDX(0.5f);
    n->SetShadowDY(-0.25f);
    n->SetShadowColor(0x80000000u);
    n->SetAlpha(0);
    n->SetID(QStringLiteral("D1"));
    return n;
}

TKVRLink* FullLink(TKVRBaseLabel& l)
{
    TKVRFlow* a = Node(l, 0, 0, 10000, 10000);
    TKVRFlow* b = Node(l, 30000, 0, 40000, 10000);
    TKVRLink* k = Connect(l, a, 3, b, -1, 6);
    k->SetLinkPoints({{5000, 20000}, {35000, 20000}, {-7, 123456789012LL}});
    k->SetFromType(11);
    k->SetToType(8);
    k->SetFromColor(0xFF00FF00u);
    k->SetToColor(0xFF0000FFu);
    k->SetLineType(4);
    return k;
}

TEST(FlowLinkStreams, NodeRoundTripsByteIdentical)
{
    TKVRBaseLabel label;
    TKVRFlow* original = FullNode(label);
    original->CalcValues(0);
    const QByteArray bytes = WriteBinary(*original);
    const QByteArray json = WriteJsonText(*original);
    EXPECT_NE(WriteBinary(*TKVRFlow::ReadFromJson(&label, KVRFileVersion, TJsonObject::object())), bytes);
    const int before = label.GetItemsCount();
    EXPECT_EQ(RoundTripBinary(label, *original, &TKVRFlow::Read), bytes);
    TKVRBaseItem* copy = label.GetItem(before + 1);
    ASSERT_NE(dynamic_cast<TKVRFlow*>(copy), nullptr);
    EXPECT_EQ(WriteJsonText(*copy), json);
    TKVRBaseItem* fromJson = TKVRFlow::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(json.toStdString()));
    EXPECT_EQ(WriteBinary(*fromJson), bytes);
    PaintScreenAndPaper(*copy, 200, 150, 96);
    EXPECT_EQ(WriteBinary(*copy), bytes) << "painting writes nothing that is stored";
}

TEST(FlowLinkStreams, ConnectorRoundTripsByteIdentical)
{
    TKVRBaseLabel label;
    TKVRLink* original = FullLink(label);
    original->CalcValues(0);
    const QByteArray bytes = WriteBinary(*original);
    const QByteArray json = WriteJsonText(*original);
    EXPECT_NE(WriteBinary(*TKVRLink::ReadFromJson(&label, KVRFileVersion, TJsonObject::object())), bytes);
    const int before = label.GetItemsCount();
    EXPECT_EQ(RoundTripBinary(label, *original, &TKVRLink::Read), bytes);
    TKVRLink* copy = dynamic_cast<TKVRLink*>(label.GetItem(before + 1));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(WriteJsonText(*copy), json);
    EXPECT_EQ(copy->GetNumLinkPoints(), 3);
    EXPECT_EQ(copy->GetFromIndex(), 3);
    EXPECT_EQ(copy->GetToIndex(), -1);
    TKVRBaseItem* fromJson = TKVRLink::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(json.toStdString()));
    EXPECT_EQ(WriteBinary(*fromJson), bytes);
    PaintScreenAndPaper(*copy, 200, 150, 96);
    EXPECT_EQ(WriteBinary(*copy), bytes);
}

TEST(FlowLinkStreams, TruncatedRecordsLeaveNoElement)
{
    TKVRBaseLabel label;
    EXPECT_GT(CheckTruncatedRecords(label, *FullNode(label), &TKVRFlow::Read), 40);
    EXPECT_GT(CheckTruncatedRecords(label, *FullLink(label), &TKVRLink::Read), 40);
}

TEST(FlowLinkStreams, ImpossibleValuesAndHugeCountsAreRefused)
{
    TKVRBaseLabel label;
    // A link-point count far beyond what the record holds.
    QByteArray bytes = WriteBinary(*FullLink(label));
    const int countAt = bytes.size() - 3 * 16 - 4;
    bytes[countAt] = char(0xFF), bytes[countAt + 1] = char(0xFF), bytes[countAt + 2] = char(0xFF);
    bytes[countAt + 3] = char(0x7F);
    const int before = label.GetItemsCount();
    EXPECT_ANY_THROW(ReadRecord(label, bytes, &TKVRLink::Read));
    EXPECT_EQ(label.GetItemsCount(), before);

    // A node with a negative padding or an interline that is not a number.
    TKVRFlow* n = FullNode(label);
    TJsonObject j = n->WriteJson();
    j["PaddingX"] = -5;
    EXPECT_THROW(TKVRFlow::ReadFromJson(&label, KVRFileVersion, j), EKVRDataError);
    j = n->WriteJson();
    j["Scale"] = -1.0;
    EXPECT_THROW(TKVRFlow::ReadFromJson(&label, KVRFileVersion, j), EKVRDataError);
    EXPECT_EQ(label.GetItemsCount(), before + 1);
    // Values that mean "not stored" read as the defaults.
    j = n->WriteJson();
    j["Scale"] = 0.0;
    j["FontHeight"] = 0;
    auto* read = dynamic_cast<TKVRFlow*>(TKVRFlow::ReadFromJson(&label, KVRFileVersion, j));
    ASSERT_NE(read, nullptr);
    EXPECT_FLOAT_EQ(read->GetScaleX(), 1.0f);
    EXPECT_EQ(read->GetBaseFontHeight(), TKVRBaseFlow::DefaultFontHeight);
}

TEST(FlowLinkStreams, WrongJsonTypesGiveAClearError)
{
    TKVRBaseLabel label;
    const std::vector<std::pair<const char*, TJsonObject>> node = {
        {"FlowType", "process"}, {"FlowType", 300}, {"Text", 12}, {"Scale", "x"}, {"Points", 5},
        {"Points", TJsonObject::array({1, 2})}, {"ShadowColor", -1}};
    for (const auto& [key, value] : node) {
        TJsonObject j = TJsonObject::object();
        j[key] = value;
        EXPECT_THROW(TKVRFlow::ReadFromJson(&label, KVRFileVersion, j), EKVRJsonError) << key;
    }
    const std::vector<std::pair<const char*, TJsonObject>> link = {
        {"LinkType", "arc"}, {"FromIndex", 70000}, {"ToID", 1.5}, {"FromType", true},
        {"Points", TJsonObject::array({TJsonObject::array({1, "2"})})}};
    for (const auto& [key, value] : link) {
        TJsonObject j = TJsonObject::object();
        j[key] = value;
        EXPECT_THROW(TKVRLink::ReadFromJson(&label, KVRFileVersion, j), EKVRJsonError) << key;
    }
    EXPECT_EQ(label.GetItemsCount(), 0);
}

}  // namespace
