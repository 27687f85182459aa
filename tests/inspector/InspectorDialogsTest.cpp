// The inspector's dialog editors through the suite's openers, scripted: what
// a confirmed dialog sends to the element, and when no dialog opens.
#include "document/KVR.FMX.Openers.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int BackColourPos = 151, LongTextPos = 181, PicturePos = 460;

std::string K(const char* aPrefix, int aPart) { return aPrefix + std::to_string(aPart); }

// Row, part and the top of the row of the part at aPos.
bool Locate(const TKVRBaseInspector& aGrid, int aPos, int& aRow, int& aPart, int& aTop)
{
    int top = 0;
    for (int r = 0; r < int(aGrid.GetRows().size()); ++r) {
        const TJsonObject& row = aGrid.GetRows()[size_t(r)];
        for (int j = 1; j <= row["N"].get<int>(); ++j)
            if (row[K("P", j)] == aPos) {
                aRow = r;
                aPart = j;
                aTop = top;
                return true;
            }
        top += row["H"].get<int>();
    }
    return false;
}

// The openers are the process's: each test leaves them empty again.
struct TOpeners
{
    TKVRLabelOpeners Saved = KVRLabelOpeners();
    ~TOpeners() { KVRLabelOpeners() = Saved; }
};

struct TFixture
{
    TOpeners Openers;
    TVXLabelFMX Doc;
    TKVRInspector Grid;
    TFixture()
    {
        Grid.resize(240, 900);
        Grid.SetLabel(&Doc);
        Grid.show();
    }
    ~TFixture() { Grid.SetLabel(nullptr); }
    // The row's value (as shown) of the part at aPos; the element may hold another.
    void SetShown(int aPos, TJsonObject aValue)
    {
        int r = 0, j = 0, top = 0;
        ASSERT_TRUE(Locate(Grid, aPos, r, j, top));
        Grid.GetRows()[size_t(r)][K("Value", j)] = std::move(aValue);
    }
    void ClickBox(int aPos, int aX = -1)
    {
        int r = 0, j = 0, top = 0;
        ASSERT_TRUE(Locate(Grid, aPos, r, j, top));
        const TJsonObject& row = Grid.GetRows()[size_t(r)];
        const TKVRInsProp code = TKVRInsProp(row[K("Prop", j)].get<int>() & 0xFF);
        const TKVRInsCol col = TKVRInsCol(row[K("C", j)].get<int>());
        const int x = aX >= 0 ? aX : int(XPosCtrl(col, code, 10) + WidthCtrl(col, code, 10) / 2);
        // The dialog parts' buttons stand beside the caption, 20 px high
        // from 2 px below its top.
        const bool button = code == KVRInsProp::Picture || code == KVRInsProp::LongText ||
                            code == KVRInsProp::Columns || code == KVRInsProp::PolyItems;
        const int y = button ? top + row[K("T", j)].get<int>() + 12
                             : top + row[K("TV", j)].get<int>() + int(HeightCtrl(code, 96) / 2);
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, QPoint(x, y));
    }
};

// A colour confirmed as it was shown is sent: the element takes it even
// where it held another.
TEST(InspectorDialogs, AColourConfirmedUnchangedIsSent)
{
    TFixture f;
    auto* rect = f.Doc.AddBaseRectangle(0, 0, 10000, 10000);
    f.Doc.SelectItem(rect, false);
    int asked = 0;
    KVRLabelOpeners().SelectColor = [&](uint32_t& aColor) {
        ++asked;
        return aColor == 0xFF123456;
    };
    f.SetShown(BackColourPos, int64_t(0xFF123456));
    f.ClickBox(BackColourPos);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(rect->GetBackColor(), 0xFF123456u);
    // Cancelled: nothing sent.
    KVRLabelOpeners().SelectColor = [&](uint32_t& aColor) {
        aColor = 0xFF00FF00;
        return false;
    };
    f.ClickBox(BackColourPos);
    EXPECT_EQ(rect->GetBackColor(), 0xFF123456u);
}

// A long text confirmed unchanged sends nothing, line breaks and all.
TEST(InspectorDialogs, AnUnchangedLongTextIsNotSent)
{
    for (const QString& shown : {QStringLiteral("one"), QStringLiteral("one\r\ntwo")}) {
        TFixture f;
        auto* para = f.Doc.AddBaseParagraph(0, 0, 20000, 10000);
        f.Doc.SelectItem(para, false);
        const QString held = para->GetText();
        ASSERT_NE(held, shown);
        QString given;
        bool keepSize = true;
        KVRLabelOpeners().EditLongText = [&](QString& aText, bool aKeepSize) {
            given = aText;
            keepSize = aKeepSize;
            return true;
        };
        f.SetShown(LongTextPos, shown.toStdString());
        f.ClickBox(LongTextPos, 240 - 2 - 11);
        EXPECT_EQ(given, shown);
        EXPECT_FALSE(keepSize) << "a paragraph's short text takes the small form";
        EXPECT_EQ(para->GetText(), held);
        // A changed text is sent.
        KVRLabelOpeners().EditLongText = [&](QString& aText, bool) {
            aText = QStringLiteral("new text");
            return true;
        };
        f.ClickBox(LongTextPos, 240 - 2 - 11);
        EXPECT_EQ(para->GetText(), QStringLiteral("new text"));
    }
}

// A rich text's mark-up opens in the large form, however short.
TEST(InspectorDialogs, ARichTextKeepsTheLongTextFormLarge)
{
    TFixture f;
    auto* rich = f.Doc.AddBaseRichText(0, 0, 20000, 10000);
    f.Doc.SelectItem(rich, false);
    bool asked = false, keepSize = false;
    KVRLabelOpeners().EditLongText = [&](QString&, bool aKeepSize) {
        asked = true;
        keepSize = aKeepSize;
        return false;
    };
    f.ClickBox(LongTextPos, 240 - 2 - 11);
    ASSERT_TRUE(asked);
    EXPECT_TRUE(keepSize);
}

// The picture's two buttons: "..." asks for a file in the label's folder,
// "M" for the map.
TEST(InspectorDialogs, ThePictureButtonsAskForTheFileAndTheMap)
{
    TFixture f;
    f.Grid.SetOptions(f.Grid.GetOptions() | KVRFmxInspector::ioMapButton);
    f.Doc.SetOpenImgFolder(QStringLiteral("/pictures"));
    // The document asks for the file of a new picture too.
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("dot.png"));
    QImage dot(4, 4, QImage::Format_ARGB32);
    dot.fill(Qt::red);
    ASSERT_TRUE(dot.save(png));
    KVRLabelOpeners().OpenPicture = [&](const QString&, const QString&) { return png; };
    auto* first = f.Doc.AddBaseImage(0, 0, 10000, 10000, false, QString());
    auto* second = f.Doc.AddBaseImage(0, 20000, 10000, 10000, false, QString());
    ASSERT_TRUE(first && second);
    int files = 0, maps = 0;
    QString folder, filter;
    KVRLabelOpeners().OpenPicture = [&](const QString& aFolder, const QString& aFilter) {
        ++files;
        folder = aFolder;
        filter = aFilter;
        return QString();
    };
    KVRLabelOpeners().SelectMap = [&](TVXLabelFMX&, int32_t, int32_t) {
        ++maps;
        return false;
    };
    f.Doc.SelectItem(first, false);
    const int dots = 240 - 2 - 11, map = 240 - 2 * 22 - 4 * 2 + 11;
    f.ClickBox(PicturePos, dots);
    EXPECT_EQ(files, 1);
    EXPECT_EQ(folder, QStringLiteral("/pictures"));
    EXPECT_TRUE(filter.startsWith(QStringLiteral("Imágenes (*.png")));
    f.ClickBox(PicturePos, map);
    EXPECT_EQ(maps, 1);
    EXPECT_EQ(files, 1);
    // Two pictures offer neither button.
    f.Doc.SelectItem(second, true);
    int r = 0, j = 0, top = 0;
    EXPECT_FALSE(Locate(f.Grid, PicturePos, r, j, top));
}

// The document asks the grid to open an editor: it opens once the
// notification has returned, and not when the selection changed meanwhile.
TEST(InspectorDialogs, AnEditorAskedForOpensAfterTheNotification)
{
    TFixture f;
    auto* rect = f.Doc.AddBaseRectangle(0, 0, 10000, 10000);
    auto* other = f.Doc.AddBaseRectangle(0, 20000, 10000, 10000);
    f.Doc.SelectItem(rect, false);
    int asked = 0;
    KVRLabelOpeners().SelectColor = [&](uint32_t&) {
        ++asked;
        return false;
    };
    TVXChangeValue value;
    value.Prop = KVRInsProp::Color;
    value.Pos = BackColourPos;
    value.Open = true;
    f.Doc.Notify(KVRChange::EditProp, value);
    EXPECT_EQ(asked, 0);
    QTRY_COMPARE(asked, 1);
    f.Doc.Notify(KVRChange::EditProp, value);
    f.Doc.SelectItem(other, false);
    QTest::qWait(50);
    EXPECT_EQ(asked, 1);
}

}  // namespace

// The columns' and the items' buttons open the table's and the poly-text's
// own editors on the one selected element.
TEST(InspectorDialogs, TheColumnsAndItemsButtonsOpenTheirEditors)
{
    TFixture f;
    int tables = 0, polys = 0;
    KVRLabelOpeners().EditTable = [&](TVXLabelFMX& aLabel) { return ++tables, &aLabel == &f.Doc; };
    KVRLabelOpeners().EditPolyText = [&](TVXLabelFMX& aLabel) { return ++polys, &aLabel == &f.Doc; };
    auto* table = f.Doc.AddBaseTable(0, 0, 60000, 30000);
    auto* poly = f.Doc.AddBasePolyText(0, 40000);
    ASSERT_TRUE(table && poly);
    const int dots = 240 - 2 - 11;
    f.Doc.SelectItem(table, false);
    f.ClickBox(520, dots);
    f.Doc.SelectItem(poly, false);
    f.ClickBox(540, dots);
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(polys, 1);
    // Two of a kind selected: whose columns or items would the editor show?
    struct TCase
    {
        TKVRBaseItem *First, *Second;
        int Pos;
    };
    const TCase cases[] = {{table, f.Doc.AddBaseTable(0, 80000, 60000, 30000), 520},
                           {poly, f.Doc.AddBasePolyText(0, 120000), 540}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Pos);
        f.Doc.SelectItem(c.First, false);
        f.Doc.SelectItem(c.Second, true);
        ASSERT_EQ(f.Doc.GetSelectionCount(), 2);
        // Several elements show no such button today; if one ever shows, its
        // click must open nothing either.
        int r = 0, j = 0, top = 0;
        if (Locate(f.Grid, c.Pos, r, j, top))
            f.ClickBox(c.Pos, dots);
        // The document asks for it as well.
        TVXChangeValue value;
        value.Prop = c.Pos == 520 ? KVRInsProp::Columns : KVRInsProp::PolyItems;
        value.Pos = c.Pos;
        value.Open = true;
        f.Doc.Notify(KVRChange::EditProp, value);
        QTest::qWait(20);
    }
    EXPECT_EQ(tables, 1);
    EXPECT_EQ(polys, 1);
}
