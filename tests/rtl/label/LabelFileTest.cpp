#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "tests/rtl/model/ModelTestSupport.h"
#include <QBuffer>
#include "tests/rtl/label/LabelTestSupport.h"
#include <gtest/gtest.h>

namespace {

using TLine = TConcrete<TKVRBaseLine>;

// A document whose every label setting differs from the defaults.
void Fill(TKVRBaseLabel& doc)
{
    doc.SetEditorMode(1);
    doc.SetUnits(TKVRUnits::Inch);
    TKVRMeasure& m = doc.GetMeasure();
    m.LabelName = QString::fromUtf8("Étiquette");
    m.SetWidth(70000);
    m.SetHeight(37000);
    m.SetPaperWidth(215900);
    m.SetMarLeft(7000);
    m.SetGapY(2500);
    m.SetRows(8);
    m.SetColumns(3);
    m.SetDrawScale(50);
    m.Title = "Plan";
    m.Note = "line 1\nline 2";
    doc.GetPrintInfo().SetFirstRow(2);
    doc.GetPrintInfo().SetRepetition(3);
    doc.GetPrintInfo().SetWithData(true);
    doc.GetData().SaveJson = true;
    doc.GetData().SetJson(R"([{"Name":"Tea"}])");
    doc.GetData().SetFieldRepeat("Copies");
    auto* c = new TKVRCounter(&doc);
    c->Name = "Serial";
    c->SetNumFrom(100);
    c->Format = "0000";
    TKVRLayer* l = doc.AddLayer("Dims");
    l->Color = 0xFF112233u;
    l->PenWidth = 350;
    doc.SetActiveLayer(1);
    doc.AddDimStyle()->SetName("Second");
    doc.SetActiveDimStyle(1);
    doc.SetBackLayer(1);
    doc.SetLabelRotation(3);
}


}  // namespace

TEST(LabelFile, BinaryAndJsonRoundTripsKeepEverySetting)
{
    TKVRBaseLabel doc;
    Fill(doc);
    const QByteArray bytes = LabelBytes(doc);
    TKVRBaseLabel back;
    ReadLabel(back, bytes);
    EXPECT_EQ(LabelBytes(back), bytes);
    EXPECT_EQ(back.GetMeasure().LabelName, QString::fromUtf8("Étiquette"));
    EXPECT_EQ(back.GetMeasure().GetSize(4), 7000);
    EXPECT_EQ(back.GetActiveLayer()->PenWidth, 350);
    EXPECT_EQ(back.GetCounter(1)->Text(2), "0102");
    EXPECT_EQ(back.GetData().Records().Value(0, "Name"), "Tea");
    EXPECT_EQ(back.GetActiveDimStyle().GetName(), "Second");
    EXPECT_EQ(back.GetBackLayer(), 1);
    EXPECT_EQ(back.GetLabelRotation(), 3);

    const TJsonObject json = doc.GetJson();
    ASSERT_TRUE(json.contains("Items"));
    TKVRBaseLabel fromJson;
    fromJson.ReadJson(json);
    EXPECT_EQ(LabelBytes(fromJson), bytes);
    EXPECT_EQ(fromJson.GetJson().dump(), json.dump());
}

TEST(LabelFile, DamagedLabelDataChangesNothing)
{
    TKVRBaseLabel source;
    Fill(source);
    const QByteArray bytes = LabelBytes(source);
    TKVRBaseLabel doc;  // defaults, one layer
    const QByteArray before = LabelBytes(doc);
    // Every cut short record raises and leaves the document as it was.
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        TKVRBaseLabel target;
        EXPECT_ANY_THROW(ReadLabel(target, bytes.left(n))) << n;
        EXPECT_EQ(target.GetLayerCount(), 1) << n;
        EXPECT_EQ(target.GetCounterCount(), 0) << n;
    }
    // A file from a later version, and one that is no label file.
    QByteArray newer = bytes;
    const int32_t v = TKVRBaseLabel::KVRFileVersion + 1;
    memcpy(newer.data(), &v, 4);
    EXPECT_THROW(ReadLabel(doc, newer), EKVRDataError);
    EXPECT_THROW(ReadLabel(doc, QByteArray(64, '\0')), EKVRDataError);
    EXPECT_EQ(LabelBytes(doc), before);

    const char* bad[] = {
        R"({"Units":9})",
        R"({"Layers":[]})",
        R"({"ActiveLayer":4})",
        R"({"Measure":{"Width":-1}})",
        R"({"Measure":[]})",
        R"({"Counters":[{},{},{},{},{},{}]})",
        R"({"Data":{"SaveJson":true,"Json":"[oops"}})",
        R"([1])",
    };
    for (const char* text : bad) {
        EXPECT_ANY_THROW(doc.ReadJson(TJsonObject::parse(text))) << text;
        EXPECT_EQ(LabelBytes(doc), before) << text;
    }
}

TEST(LabelFile, ClearCopiesSortAndBrackets)
{
    TKVRBaseLabel doc;
    doc.AddLayer("Top");
    auto* top = new TLine(&doc, false);
    top->SetLayer(1);
    auto* a = new TLine(&doc, false);
    auto* copy = new TLine(&doc, true);
    copy->PreviewPos(2, 3);
    auto* b = new TLine(&doc, false);
    doc.SortItemsZLayer();
    EXPECT_EQ(doc.GetItem(1), a);
    EXPECT_EQ(doc.GetItem(2), copy);
    EXPECT_EQ(doc.GetItem(3), b);
    EXPECT_EQ(doc.GetItem(4), top);
    EXPECT_EQ(copy->GetPreviewCol(), 2);
    EXPECT_EQ(copy->GetPreviewRow(), 3);

    doc.Clear(KVRClear::Copies, true);
    EXPECT_EQ(doc.GetItemsCount(), 3);
    EXPECT_EQ(doc.IndexOf(copy), 0);
    EXPECT_EQ(doc.FindLayer(7), nullptr);

    doc.SetModified(true);
    doc.BeginRead(false);
    EXPECT_TRUE(doc.GetReading());
    EXPECT_EQ(doc.GetItemsCount(), 0);
    doc.EndRead(true);
    EXPECT_FALSE(doc.GetReading());
    EXPECT_FALSE(doc.GetModified());
}
