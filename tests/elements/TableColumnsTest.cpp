#include "elements/TKVRPolyText.h"
#include "elements/TKVRTable.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "tests/elements/ElementTestSupport.h"
#include <QBuffer>
#include <gtest/gtest.h>


namespace {

// A table with one column of own rows 1, 2 and 4 (and a word, which no
// statistic counts but the row count does).
TKVRTable* MakeTable(TKVRBaseLabel& label)
{
    auto* t = new TKVRTable(&label, false);
    t->SetBase(1, 10000, 10000);
    t->SetBase(2, 110000, 60000);
    TKVRColumn& c = t->AddColumn(50.0f);
    c.Rows = {"1", "2", "four", "4"};
    c.Format = "0.##";
    return t;
}

QString FooterOf(const TKVRBaseTable& t) { return t.GetColumn(1).GetLineTxt(2).Text; }

TKVRBaseItem* ReadTable(TKVRBaseLabel& label, int32_t version, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    reader.ReadInt32();
    TKVRBaseItem* item = TKVRTable::Read(&label, version, reader, KVRReadType::File);
    EXPECT_EQ(reader.Remaining(), 0);
    return item;
}

}  // namespace

// Each statistic, chosen by the editor's number, prints over the numeric rows.
TEST(TableColumns, EachStatisticPrintsTheRightFooter)
{
    struct Case
    {
        TKVRFooter footer;
        uint8_t stored;
        QString text;
    };
    const Case cases[] = {
        {TKVRFooter::None, KVRFooterType::Text, "n ="},   {TKVRFooter::Count, KVRFooterType::Count, "4"},
        {TKVRFooter::Min, KVRFooterType::Minimum, "n = 1"}, {TKVRFooter::Max, KVRFooterType::Maximum, "n = 4"},
        {TKVRFooter::Sum, KVRFooterType::Sum, "n = 7"},     {TKVRFooter::Mean, KVRFooterType::Average, "n = 2.33"},
        {TKVRFooter::Median, KVRFooterType::Median, "n = 2"}, {TKVRFooter::Variance, KVRFooterType::Variance, "n = 1.56"},
        {TKVRFooter::StdDev, KVRFooterType::StdDev, "n = 1.25"},
    };
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label);
    t->GetColumn(1).Footer.Text = "n =";
    for (const Case& c : cases) {
        t->GetColumn(1).SetFooter(c.footer);
        EXPECT_EQ(t->GetColumn(1).FooterType, c.stored) << int(c.footer);
        EXPECT_EQ(t->GetColumn(1).GetFooter(), c.footer);
        EXPECT_EQ(FooterOf(*t), c.text) << int(c.footer);
    }
    // An even count takes the mean of the middle two.
    t->GetColumn(1).Rows = {"4", "1", "2", "10"};
    t->GetColumn(1).SetFooter(TKVRFooter::Median);
    EXPECT_EQ(FooterOf(*t), "n = 3");
}

// Sum and average written by earlier files keep their meaning, and a record
// of the earlier layout (no fixed flag, values' format or data set) reads.
TEST(TableColumns, EarlierFilesReadAsBefore)
{
    TKVRBaseLabel label;
    const char* json = R"({"Points":[[0,0],[100000,40000]],"Columns":[
        {"Width":50,"FooterType":2,"Format":"0","Rows":["1","2","4"]},
        {"Width":50,"FooterType":3,"Format":"0.0","Rows":["1","2","4"]}]})";
    auto* t = static_cast<TKVRTable*>(TKVRTable::ReadFromJson(&label, KVRFileVersion, TJsonObject::parse(json)));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetColumn(1).GetFooter(), TKVRFooter::Sum);
    EXPECT_EQ(t->GetColumn(2).GetFooter(), TKVRFooter::Mean);
    EXPECT_EQ(t->GetColumn(1).GetLineTxt(2).Text, "7");
    EXPECT_EQ(t->GetColumn(2).GetLineTxt(2).Text, "2.3");

    // The earlier binary layout of a one-column table: no marker bits in the
    // grid and footer bytes, no fixed flag, values' format or data set.
    // Counted from the end: the points (count and 2 x 16 bytes), the data
    // set (1), the column's extras (2), its rows, three default cells
    // (31 bytes each); then its footer byte; the column's leading part
    // (width 4, field 1, format 1 + 1) and six int32 before it end the
    // grid's colour and lengths.
    t->DeleteColumn(2);
    const QByteArray now = WriteBinary(*t);
    const int rows = 4 + 3 * 2;
    const int footer = int(now.size()) - 36 - 1 - 2 - rows - 3 * 31 - 1;
    const int grid = footer - 7 - 6 * 4 - 1;
    ASSERT_EQ(uint8_t(now[footer]), KVRTableExtended | KVRFooterType::Sum);
    ASSERT_EQ(uint8_t(now[grid]), KVRTableExtended | 3);
    QByteArray before = now;
    before.remove(int(now.size()) - 36 - 3, 3);
    before[footer] = char(KVRFooterType::Sum);
    before[grid] = char(3);
    const QByteArray back = WriteBinary(*ReadTable(label, KVRFileVersion, before));
    EXPECT_EQ(back, now);
}

// The new members survive both forms; a values' format shapes numeric rows only.
TEST(TableColumns, FixedValueFormatAndDetailAreStored)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label);
    t->GetColumn(1).Fixed = true;
    t->GetColumn(1).ValueFormat = "0.00";
    t->SetDetail("Orders");
    t->GetColumn(1).Changed();
    EXPECT_EQ(t->GetColumn(1).GetLineTxt(3).Text, "1.00");
    EXPECT_EQ(t->GetColumn(1).GetLineTxt(5).Text, "four");
    EXPECT_EQ(t->GetSymData(), "Orders");

    auto* j = static_cast<TKVRTable*>(TKVRTable::ReadFromJson(&label, KVRFileVersion, t->WriteJson()));
    auto* b = static_cast<TKVRTable*>(ReadTable(label, KVRFileVersion, WriteBinary(*t)));
    for (TKVRTable* copy : {j, b}) {
        EXPECT_TRUE(copy->GetColumn(1).Fixed);
        EXPECT_EQ(copy->GetColumn(1).ValueFormat, "0.00");
        EXPECT_EQ(copy->GetDetail(), "Orders");
    }
}

// Widths stay within 1..100 percent; deleting keeps the selection on its column.
TEST(TableColumns, PercentAndDelete)
{
    TKVRBaseLabel label;
    TKVRTable* t = MakeTable(label);
    const std::pair<float, float> widths[] = {{0.0f, 1.0f}, {-5.0f, 1.0f}, {40.0f, 40.0f}, {250.0f, 100.0f}};
    for (auto [asked, kept] : widths)
        EXPECT_EQ(t->GetColumn(1).SetPercent(asked), kept) << asked;

    t->AddColumn(20.0f).Header.Text = "B";
    t->AddColumn(20.0f).Header.Text = "C";
    t->SetSelColumn(3);
    EXPECT_FALSE(t->DeleteColumn(0));
    EXPECT_FALSE(t->DeleteColumn(4));
    EXPECT_EQ(t->GetColumnCount(), 3);
    EXPECT_TRUE(t->DeleteColumn(2));
    EXPECT_EQ(t->GetColumnCount(), 2);
    EXPECT_EQ(t->GetColumn(2).Header.Text, "C");
    EXPECT_EQ(t->GetSelColumn(), 2);
    EXPECT_TRUE(t->DeleteColumn(2));
    EXPECT_EQ(t->GetSelColumn(), -1);
}

// Exchange counts from 0 and refuses positions outside; the item setters
// reach the element (its code follows) and a field name binds, none unbinds.
TEST(PolyItems, ExchangeAndSetters)
{
    TKVRBaseLabel label;
    auto* p = new TKVRPolyText(&label, false);
    p->AddItem("A");
    p->AddItem("B");
    p->AddItem("C");
    auto order = [&] {
        QString s;
        for (int32_t i = 1; i <= p->GetItemCount(); ++i)
            s += p->GetItem(i).Text;
        return s;
    };
    EXPECT_TRUE(p->Exchange(0, 1));
    EXPECT_EQ(order(), "BAC");
    EXPECT_TRUE(p->Exchange(2, 1));
    EXPECT_EQ(order(), "BCA");
    for (auto [a, b] : {std::pair{-1, 0}, std::pair{0, 3}, std::pair{3, 3}})
        EXPECT_FALSE(p->Exchange(a, b)) << a << "," << b;
    EXPECT_EQ(order(), "BCA");

    TKVRDataPoly& item = p->GetItem(1);
    item.SetText("X");
    item.SetIA("01");
    item.SetAddPar(true);
    EXPECT_EQ(item.GetResText(&label, false), "(01)X");
    item.SetField("Code");
    EXPECT_TRUE(p->GetIsData());
    EXPECT_EQ(item.GetSymField(), "Code");
    item.SetField(QString());
    EXPECT_FALSE(p->GetIsData());
    EXPECT_EQ(item.GetSymField(), QString());
    item.SetFontHeight(4.5f);
    EXPECT_EQ(item.Font.Height, 4500);

    // Items read back belong to the copy: their edits reach it.
    auto* copy = static_cast<TKVRPolyText*>(TKVRPolyText::ReadFromJson(&label, KVRFileVersion, p->WriteJson()));
    copy->CalcValues(0);
    ASSERT_FALSE(copy->GetNeedsCalc());
    copy->GetItem(2).SetText("Y");
    EXPECT_TRUE(copy->GetNeedsCalc());
}
