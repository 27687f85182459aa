// Binding elements to data through the grid alone: the field lists show the
// document's data (or say that none is bound), and a label bound by mouse
// and keys prints each record's values, read back by poppler and ZXing.
#include "platform/rtl/label/TKVRData.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "tests/inspector/InspectorFixture.h"
#include "tests/support/BarcodeReader.h"
#include "tests/support/LabelDocuments.h"
#include "tests/support/PdfReader.h"
#include "tests/support/PrintQueue.h"
#include <QComboBox>
#include <QStandardItemModel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int DataPos = 230, FieldPos = 231, PictureFieldPos = 233;

const QStringList kFields{QStringLiteral("name"), QStringLiteral("sku"), QStringLiteral("url")};

QString Name(int aRecord) { return QStringLiteral("Item%1").arg(aRecord); }
QString Sku(int aRecord) { return QStringLiteral("SKU-%1").arg(aRecord, 4, 10, QLatin1Char('0')); }
QString Url(int aRecord) { return QStringLiteral("https://example.org/p/%1?v=%1").arg(aRecord); }

void WriteCsv(const QString& aFile, int aRecords)
{
    QByteArray csv = kFields.join(QLatin1Char(',')).toUtf8() + '\n';
    for (int i = 1; i <= aRecords; ++i)
        csv += QStringList{Name(i), Sku(i), Url(i)}.join(QLatin1Char(',')).toUtf8() + '\n';
    WriteAll(aFile, csv);
}

struct TGrid
{
    TKVRInspector Grid;
    explicit TGrid(TVXLabelFMX& aDoc, int aHeight = 2400)
    {
        Grid.resize(240, aHeight);
        Grid.SetLabel(&aDoc);
        Grid.show();
    }
    ~TGrid() { Grid.SetLabel(nullptr); }
    QComboBox* List() const { return Grid.GetComboList(); }
    // Clicks the middle of the part's box: a list part shows its list.
    bool Click(int aPos)
    {
        const QPoint at = PartCentre(Grid, aPos, KVRInsProp::List);
        if (at.y() < 0)
            return false;
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, at);
        return List()->isVisible();
    }
    // Shows the part's list and types the first letters of an entry, as a
    // user picks from a closed list.
    bool Choose(int aPos, const QString& aTyped)
    {
        if (!Click(aPos))
            return false;
        QTest::keyClicks(List(), aTyped);
        return !List()->isVisible();
    }
    QStringList Entries() const
    {
        QStringList entries;
        for (int i = 0; i < List()->count(); ++i)
            entries << List()->itemText(i);
        return entries;
    }
};

}  // namespace

// Every kind with a field lists the bound data's fields; a document without
// data says so in a line that cannot be chosen, and the element keeps its field.
TEST(InspectorDataBinding, FieldListsShowTheDataOrSayThereIsNone)
{
    const struct
    {
        int Kind;
        int Pos;
    } kinds[] = {{10, FieldPos}, {11, FieldPos}, {29, FieldPos}, {12, FieldPos}, {13, FieldPos}, {14, FieldPos},
                 {15, FieldPos}, {16, PictureFieldPos}, {21, FieldPos}, {22, FieldPos}, {23, FieldPos},
                 {28, FieldPos}};
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("data.csv"));
    WriteCsv(csv, 2);
    for (const bool bound : {true, false}) {
        TVXLabelFMX doc;
        AddEveryKindElements(doc);
        if (bound)
            doc.GetData().LoadCsv(csv);
        TGrid g(doc);
        for (const auto& k : kinds) {
            SCOPED_TRACE(testing::Message() << "kind " << k.Kind << (bound ? " bound" : " without data"));
            TKVRBaseItem* item = nullptr;
            for (int32_t i = 1; i <= doc.GetItemsCount() && !item; ++i)
                if (doc.GetItem(i)->GetKind() == k.Kind)
                    item = doc.GetItem(i);
            ASSERT_TRUE(item);
            doc.SelectItem(item, false);
            ASSERT_TRUE(g.Click(k.Pos));
            const QStringList entries = g.Entries();
            const QString held = QString::fromStdString(PartShown(g.Grid, k.Pos, KVRInsProp::List).get<std::string>());
            if (bound) {
                // The fields, and a name the element holds that the data lacks.
                ASSERT_GE(entries.size(), 3);
                EXPECT_EQ(entries.mid(0, 3), kFields);
                EXPECT_EQ(entries.size(), held.isEmpty() ? 3 : 4);
                continue;
            }
            const auto* model = qobject_cast<QStandardItemModel*>(g.List()->model());
            ASSERT_TRUE(model);
            ASSERT_FALSE(entries.isEmpty());
            EXPECT_EQ(entries.back(), TKVRMsg::GetDialogsValue(QStringLiteral("NoFields")));
            EXPECT_NE(entries.back(), QStringLiteral("NoFields"));
            EXPECT_FALSE(model->item(model->rowCount() - 1)->isEnabled());
            EXPECT_EQ(entries.size(), held.isEmpty() ? 1 : 2);
            // Keys pick nothing from it.
            QTest::keyClick(g.List(), Qt::Key_Down);
            QTest::keyClick(g.List(), Qt::Key_Up);
            QTest::keyClicks(g.List(), QStringLiteral("No"));
            EXPECT_EQ(QString::fromStdString(PartShown(g.Grid, k.Pos, KVRInsProp::List).get<std::string>()), held);
            EXPECT_FALSE(doc.GetModified());
        }
    }
}

// The lists of data sets (the tables' and poly-texts' details) name the
// document's data sets.
TEST(InspectorDataBinding, DataSetListsNameTheDataSets)
{
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("data.csv"));
    WriteCsv(csv, 1);
    TVXLabelFMX doc;
    doc.GetData().LoadCsv(csv);
    TGrid g(doc, 400);
    for (const TVXListProp list : {KVRListProp::DataDetails, KVRListProp::Details}) {
        g.Grid.GetRows() = TJsonObject::array();
        g.Grid.GetRows().push_back({{"H", 24}, {"N", 1}, {"Kind", 1}, {"Type", 99}, {"Prop1", KVRInsProp::List},
                                    {"P1", 1}, {"C1", KVRInsCol::Whole}, {"T1", 5}, {"TV1", 3}, {"Value1", ""},
                                    {"List1", list}});
        g.Grid.FillInspector(false);
        g.Grid.Edit(0, 1);
        ASSERT_TRUE(g.List()->isVisible());
        EXPECT_EQ(g.Entries(), QStringList{TKVRData::CsvDataset});
    }
}

// A text, a Code 128 and a QR code bound to three fields by clicks and keys
// on the grid; the printed sheet carries every record's values.
TEST(InspectorDataBinding, ElementsBoundThroughTheGridPrintEachRecord)
{
    constexpr int kRecords = 3;
    const TPdfPrinterFixture printer;
    const QString csv = printer.Folder() + QStringLiteral("/data.csv");
    WriteCsv(csv, kRecords);
    TVXLabelFMX doc;
    // Labels of 70 x 37 mm, 3 across and 8 down on A4.
    TKVRMeasure& m = doc.GetMeasure();
    m.SetPaperWidth(210000);
    m.SetPaperHeight(297000);
    m.SetWidth(70000);
    m.SetHeight(37000);
    m.SetColumns(3);
    m.SetRows(8);
    doc.GetData().LoadCsv(csv);
    doc.GetPrintInfo().SetWithData(true);
    doc.GetPrintInfo().SetPrinterIndex(printer.Index());
    TKVRBaseItem* text = doc.AddBaseText(3000, 3000);
    auto* code = doc.AddBaseBarcode(3000, 12000, QStringLiteral("C0"), TKVRBarType::Code128);
    code->SetBarHeight(15.0f);
    TKVRBaseItem* qr = doc.AddBaseQRCode(52000, 6000, QStringLiteral("none"));
    TGrid g(doc);
    const struct
    {
        TKVRBaseItem* Item;
        const char* Typed;  // the field's first letters
        const char* Field;
    } bindings[] = {{text, "n", "name"}, {code, "s", "sku"}, {qr, "u", "url"}};
    for (const auto& b : bindings) {
        SCOPED_TRACE(b.Field);
        doc.SelectItem(b.Item, false);
        ASSERT_TRUE(g.Choose(DataPos, QStringLiteral("D")));
        ASSERT_TRUE(g.Choose(FieldPos, QString::fromLatin1(b.Typed)));
        EXPECT_EQ(PartShown(g.Grid, DataPos, KVRInsProp::List), 1);
        EXPECT_EQ(PartShown(g.Grid, FieldPos, KVRInsProp::List), b.Field);
    }
    EXPECT_TRUE(doc.GetModified());
    doc.CheckPrintData();
    ASSERT_TRUE(doc.Print());

    const QString printed = PdfText(printer.FileName());
    const std::vector<QImage> pages = RasterisePages(printer.FileName(), 300);
    ASSERT_EQ(pages.size(), 1u);
    const double px = 300.0 / 25.4;
    for (int i = 1; i <= kRecords; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(printed.contains(Name(i))) << printed.toStdString();
        // Label i's cell: the Code 128 on its left, the QR code on its right.
        const double left = (i - 1) * 70.0, top = 0.0;
        const QRect bars(int(left * px), int((top + 10.0) * px), int(50.0 * px), int(27.0 * px));
        const QRect square(int((left + 50.0) * px), int(top * px), int(20.0 * px), int(37.0 * px));
        EXPECT_EQ(DecodeOne(pages[0].copy(bars)).text, Sku(i));
        EXPECT_EQ(DecodeOne(pages[0].copy(square)).text, Url(i));
    }
}
