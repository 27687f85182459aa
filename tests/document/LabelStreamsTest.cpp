// Element streams, the clipboard, per-cell copies and the component's properties.
#include "elements/TKVRFlow.h"
#include "elements/TKVRLink.h"
#include "elements/TKVRPoint.h"
#include "elements/TKVRText.h"
#include "platform/skia/TSkCanvas.h"
#include "render/TKVRDraw.h"
#include "platform/rtl/model/IKVRLinkTarget.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include "tests/support/LabelDocuments.h"
#include <QBuffer>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

// A label of rows × columns with two data-bound texts and one plain text.
struct SheetLabel
{
    SheetLabel(int32_t aRows, int32_t aColumns)
    {
        doc.GetMeasure().SetRows(aRows);
        doc.GetMeasure().SetColumns(aColumns);
        doc.GetData().SetJson(R"([{"Name":"a"},{"Name":"b"}])");
        doc.GetPrintInfo().SetWithData(true);
        for (const char* id : {"first", "second"}) {
            auto* t = new TKVRText(&doc);
            t->SetID(id);
            t->SetFillType(1);
            t->SetFillName("Name");
            bound.push_back(t);
        }
        plain = new TKVRText(&doc);
        plain->SetText("plain");
    }
    std::vector<TKVRBaseItem*> Copies() const
    {
        std::vector<TKVRBaseItem*> copies;
        for (int32_t i = 1; i <= doc.GetItemsCount(); ++i)
            if (doc.GetItem(i)->GetPreview())
                copies.push_back(doc.GetItem(i));
        return copies;
    }
    TVXLabelFMX doc;
    std::vector<TKVRBaseItem*> bound;
    TKVRText* plain = nullptr;
};

}  // namespace

// ---------------------------------------------------------------- per-cell copies

TEST(CellCopies, EveryCellGetsACopyOfEveryBoundElementAndRunsDoNotPileUp)
{
    SheetLabel s(3, 4);
    for (int run = 0; run < 2; ++run) {
        s.doc.CheckPrintData();
        const auto copies = s.Copies();
        ASSERT_EQ(copies.size(), 24u) << "run " << run;
        EXPECT_EQ(s.doc.GetItemsCount(), 3 + 24);
        for (TKVRBaseItem* original : s.bound) {
            std::set<std::pair<int, int>> cells;
            for (TKVRBaseItem* c : copies)
                if (c->GetID() == original->GetID())
                    cells.insert({c->GetPreviewCol(), c->GetPreviewRow()});
            std::set<std::pair<int, int>> expected;
            for (int r = 1; r <= 3; ++r)
                for (int c = 1; c <= 4; ++c)
                    expected.insert({c, r});
            EXPECT_EQ(cells, expected);
            EXPECT_FALSE(original->GetPreview());
        }
    }
}

TEST(CellCopies, EmptySheetsFlagsAndHiddenElementsGiveNone)
{
    for (auto [rows, columns] : {std::pair{0, 4}, std::pair{3, 0}}) {
        SheetLabel s(rows, columns);
        s.doc.CheckPrintData();
        EXPECT_TRUE(s.Copies().empty());
    }
    SheetLabel s(2, 2);
    s.doc.CheckPrintData();
    ASSERT_EQ(s.Copies().size(), 8u);
    // Without the data flags a run only clears the copies of the last one.
    s.doc.GetPrintInfo().SetWithData(false);
    s.doc.CheckPrintData();
    EXPECT_TRUE(s.Copies().empty());
    s.doc.GetData().AskValues = true;
    s.bound[0]->SetState(TKVRBaseItem::StateVisible);  // not printable
    s.bound[1]->SetState(TKVRBaseItem::StatePrintable);  // not visible
    s.doc.CheckPrintData();
    EXPECT_TRUE(s.Copies().empty());
}

TEST(CellCopies, ACopyIsNeverFoundByNameOrNumberAndLinksKeepTheirEnds)
{
    SheetLabel s(2, 3);
    auto* node = new TKVRFlow(&s.doc, false);
    node->SetBase(1, 0, 0);
    node->SetBase(2, 20000, 10000);
    auto* link = new TKVRLink(&s.doc, false);
    link->SetFromID(s.bound[0]->GetNumID());
    link->SetToID(node->GetNumID());
    s.doc.CheckPrintData();
    ASSERT_EQ(s.Copies().size(), 12u);
    EXPECT_EQ(s.doc.SearchItem("first", false), s.bound[0]);
    EXPECT_EQ(s.doc.SearchItem("second", false), s.bound[1]);
    EXPECT_EQ(s.doc.FindNumID(s.bound[0]->GetNumID()), s.bound[0]);
    // The copies go; the link's end is still the original.
    s.doc.Clear(KVRClear::Copies, true);
    EXPECT_EQ(s.doc.FindNumID(link->GetFromID()), s.bound[0]);
}

TEST(CellCopies, SavedFilesHoldNoCopies)
{
    QTemporaryDir dir;
    SheetLabel s(3, 4);
    s.doc.CheckPrintData();
    ASSERT_EQ(s.doc.GetItemsCount(), 27);
    for (auto [name, format] : {std::pair{"after.eti", KVRExt::Binary}, std::pair{"after.json", KVRExt::Json}}) {
        ASSERT_TRUE(s.doc.SaveToFile(dir.filePath(name), format));
        TVXLabelFMX back;
        ASSERT_TRUE(back.LoadFromFile(dir.filePath(name)));
        EXPECT_EQ(back.GetItemsCount(), 3) << name;
        for (int32_t i = 1; i <= back.GetItemsCount(); ++i)
            EXPECT_FALSE(back.GetItem(i)->GetPreview());
    }
}

// ---------------------------------------------------------------- single element and clipboard

TEST(ElementStream, ReadsOneElementWithItsVersionAndRefusesUnknownKinds)
{
    TVXLabelFMX source;
    auto* text = new TKVRText(&source);
    text->SetText("Ωmega");
    QByteArray bytes = ElementRecord(*text, 3100);
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    stream.seek(bytes.size());  // read from the start whatever the position
    TVXLabelFMX doc;
    TKVRBaseItem* item = doc.CreateElementFromStream(stream);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->WriteJson()["Text"], "Ωmega");
    EXPECT_EQ(doc.GetItemsCount(), 1);

    bytes[4] = 0;  // kind 0
    QBuffer bad(&bytes);
    bad.open(QIODevice::ReadOnly);
    EXPECT_THROW(doc.CreateElementFromStream(bad), EKVRDataError);
    QByteArray cut = ElementRecord(*text, 3100).left(20);
    QBuffer shortStream(&cut);
    shortStream.open(QIODevice::ReadOnly);
    EXPECT_ANY_THROW(doc.CreateElementFromStream(shortStream));
    EXPECT_EQ(doc.GetItemsCount(), 1);
}

TEST(Clipboard, PasteInsertsAllOrNothing)
{
    TVXLabelFMX doc;
    const std::string empty = Snapshot(doc);
    doc.PasteSelection();  // nothing on the clipboard
    EXPECT_EQ(Snapshot(doc), empty);

    auto* a = new TKVRFlow(&doc, false);
    auto* b = new TKVRFlow(&doc, false);
    auto* link = new TKVRLink(&doc, false);
    link->SetFromID(a->GetNumID());
    link->SetToID(b->GetNumID());
    doc.CopyToClipboard({a, b, link});
    doc.SetModified(false);
    doc.PasteSelection();
    ASSERT_EQ(doc.GetItemsCount(), 6);
    EXPECT_TRUE(doc.GetModified());
    EXPECT_FALSE(doc.GetReading());
    // Pasted elements get ids of their own, and the pasted link joins the pasted nodes.
    std::set<int32_t> ids;
    for (int32_t i = 1; i <= 6; ++i)
        ids.insert(doc.GetItem(i)->GetNumID());
    EXPECT_EQ(ids.size(), 6u);
    auto* pasted = dynamic_cast<TKVRLink*>(doc.GetItem(6));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(doc.FindNumID(pasted->GetFromID()), doc.GetItem(4));
    EXPECT_EQ(doc.FindNumID(pasted->GetToID()), doc.GetItem(5));
    EXPECT_EQ(doc.FindNumID(link->GetFromID()), a);

    // A damaged clipboard: nothing is pasted and the bracket is closed.
    const std::string before = Snapshot(doc);
    QByteArray bytes = doc.GetClipboard().data();
    bytes.chop(5);
    doc.GetClipboard().close();
    doc.GetClipboard().setData(bytes);
    EXPECT_ANY_THROW(doc.PasteSelection());
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_FALSE(doc.GetReading());
}

// ---------------------------------------------------------------- published properties

// Published properties write through the document's own setters, with their
// limits; the layer order sorts the elements when set.
TEST(LabelProperties, WritesGoThroughTheDocument)
{
    TVXLabelFMX doc;
    EXPECT_TRUE(doc.setProperty("Units", QVariant::fromValue(TKVRUnits::Inch)));
    EXPECT_EQ(doc.GetUnits(), TKVRUnits::Inch);
    EXPECT_TRUE(doc.setProperty("EditorMode", QVariant::fromValue(uint8_t(9))));
    EXPECT_EQ(doc.property("EditorMode").value<uint8_t>(), 2);
    EXPECT_TRUE(doc.setProperty("Options", QVariant::fromValue(TVXLabelOptions(0xFF))));
    EXPECT_EQ(doc.GetOptions(), 0x0F);
    EXPECT_TRUE(doc.setProperty("LibraryFolder", "/tmp/symbols"));
    EXPECT_TRUE(doc.setProperty("LanguageFileName", "es.lng"));
    EXPECT_EQ(doc.GetLibraryFolder() + doc.GetLngFileName(), "/tmp/symbolses.lng");
    TKVRMeasure m = doc.property("Measure").value<TKVRMeasure>();
    m.SetColumns(4);
    EXPECT_TRUE(doc.setProperty("Measure", QVariant::fromValue(m)));
    EXPECT_EQ(doc.GetMeasure().GetColumns(), 4);
    TKVRBackSurf surf;
    surf.SetBackColor(0xFF102030u);
    EXPECT_TRUE(doc.setProperty("BackSurf", QVariant::fromValue(surf)));
    EXPECT_EQ(doc.property("BackSurf").value<TKVRBackSurf>().GetBackColor(), 0xFF102030u);
    doc.AddLayer("top");
    auto* high = new TKVRPoint(&doc, false);
    high->SetLayer(1);
    auto* low = new TKVRPoint(&doc, false);
    EXPECT_FALSE(doc.property("LayerZOrder").toBool());
    EXPECT_TRUE(doc.setProperty("LayerZOrder", true));
    EXPECT_EQ(doc.GetItem(1), low);
    EXPECT_EQ(doc.GetItem(2), high);
}

TEST(LabelProperties, HooksAndLaterWorkDoNothingHarmful)
{
    TVXLabelFMX doc;
    bool fired = false;
    doc.OnGetListValues = [&](QObject*) { fired = true; };
    new TKVRPoint(&doc, false);
    doc.GetData().ListValues = true;
    const std::string before = Snapshot(doc);
    doc.GetListValues();
    doc.GetAskValues();
    doc.ResetPrinter();
    doc.EditSymbolDef();
    doc.SetDPI(-5, 1 << 30);
    EXPECT_FALSE(doc.Print());
    // The export job starts; its failure is reported to OnExportDone, which nobody set here.
    EXPECT_TRUE(doc.ExportDoc(0, "/nonexistent/x.pdf", 1, 1.0f, 90, true, false, false));
    TKVRDraw draw;
    EXPECT_FALSE(doc.DrawBackImage(TSkCanvas::MakeRaster(8, 8), draw));
    doc.CheckPrintData();
    EXPECT_FALSE(fired);
    EXPECT_EQ(Snapshot(doc), before);
}
