// The symbol-library view: its grid, what the pointer reports, the selection
// as painted, scrolling to the last row; and the library it shows.
#include "document/KVR.FMX.h"
#include "platform/rtl/model/TKVRLibrary.h"
#include "platform/rtl/text/TKVRMsg.h"
#include "tests/support/LabelDocuments.h"
#include "views/KVR.FMX.ViewLibrary.h"
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

// A library file of rectangles 10 x 5 mm, one per (name, category).
QString WriteLibrary(const QTemporaryDir& aDir, const std::vector<std::pair<QString, QString>>& aSymbols)
{
    QByteArray text = "[";
    for (const auto& [name, category] : aSymbols) {
        if (text.size() > 1)
            text += ",";
        text += R"({"Version":1,"Name":")" + name.toUtf8() + R"(","Category":")" + category.toUtf8() +
                R"(","Units":"mm","InsertX":0,"InsertY":0,"Def":[{"Type":"Rectangle","Points":[0,0,10,5]}]})";
    }
    const QString file = aDir.filePath("lib.lyp");
    WriteAll(file, text + "]");
    return file;
}

std::vector<std::pair<QString, QString>> Numbered(int aCount, const QString& aCategory)
{
    std::vector<std::pair<QString, QString>> v;
    for (int i = 1; i <= aCount; ++i)
        v.emplace_back(QStringLiteral("S%1").arg(i), aCategory);
    return v;
}

// A shown view of aWidth x aHeight over aCount symbols "S1".. of category "A".
struct TViewOn
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    TKVRViewLibrary view;
    TViewOn(int aCount, int aWidth, int aHeight)
    {
        view.resize(aWidth, aHeight);
        view.SetLabel(&doc);
        if (!view.LoadSymbols(WriteLibrary(dir, Numbered(aCount, "A")), "A"))
            throw std::runtime_error("the test library does not load");
        view.show();
    }
};

}  // namespace

TEST(LibraryGrid, ColumnsRowsAndScrollRange)
{
    constexpr int bar = 15;
    struct TCase
    {
        int w, h, cell, gap, n;
        int cols, rows;
        bool scroll;
        int maxTop;
    } cases[] = {
        {300, 300, 80, 10, 7, 3, 3, false, 0},
        {300, 279, 80, 10, 7, 3, 3, true, 1},    // (300 - 15 - 10) div 90 is still 3
        {200, 279, 80, 10, 7, 1, 7, true, 5},    // the bar takes a column: (200 - 15 - 10) div 90
        {50, 100, 80, 10, 7, 1, 7, true, 6},     // narrower than a cell: still one column
        {0, 100, 80, 10, 7, 0, 0, false, 0},     // no width: nothing laid out
        {300, 300, 0, 0, 7, 7, 1, false, 0},     // cells raised to 11 pixels, no gap
        {300, 300, 80, -5, 3, 3, 1, false, 0},   // a negative gap is none
        {300, 300, 80, 10, 0, 0, 0, false, 0},   // an empty load
        {300, 95, 80, 10, 4, 3, 2, true, 1},     // one row fits: the last is reached from row 1
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " cell " << c.cell << " gap " << c.gap << " n " << c.n);
        const TKVRLibGrid g = KVRLibGrid(c.w, c.h, c.cell, c.cell, c.gap, bar, c.n);
        EXPECT_EQ(g.Cols, c.cols);
        EXPECT_EQ(g.Rows, c.rows);
        EXPECT_EQ(g.ScrollBar, c.scroll);
        EXPECT_EQ(g.MaxTopRow, c.maxTop);
        if (c.scroll) {
            // From the last top row the last row shows whole.
            const QRect last = g.CellRect(c.n);
            EXPECT_LE(last.bottom() + 1 - g.MaxTopRow * g.RowStep(), c.h);
        }
    }
}

TEST(LibraryGrid, PointsReportTheCellTheyAreIn)
{
    // 7 symbols, 3 columns of 80 with gaps of 10 in 300 pixels, centred: the grid starts at 20.
    const TKVRLibGrid g = KVRLibGrid(300, 300, 80, 80, 10, 15, 7);
    ASSERT_EQ(g.MarginLeft, 20);
    struct
    {
        int x, y, index;
    } cases[] = {
        {25, 20, 1},   {99, 89, 1},    // a cell's own pixels
        {105, 20, 1},                  // the gap right of a cell is that cell's
        {110, 20, 2},  {25, 95, 0},    // the gap between two rows is none
        {25, 100, 4},  {25, 200, 7},  {115, 200, 0},  // past the last symbol
        {290, 20, 0},                  // right of the last column
        {10, 20, 0},   {25, 5, 0},     // left of and above the grid
    };
    for (const auto& c : cases)
        EXPECT_EQ(g.IndexAt(c.x, c.y, 7), c.index) << c.x << "," << c.y;
}

TEST(SymbolLibraryFile, CategoriesAndLoadsByExactPath)
{
    QTemporaryDir dir;
    const QString file = WriteLibrary(dir, {{"a", "Doors/Inner"}, {"b", "Doors"}, {"c", "Doors/Inner"}, {"d", ""}});
    EXPECT_EQ(TKVRLibrary::CategoryList(file), "Doors/Inner\nDoors\n");
    TKVRLibrary lib;
    lib.LoadFromFile(file, "Doors");
    ASSERT_EQ(lib.GetNumSymbols(), 1);
    EXPECT_EQ(lib.GetSymbol(1)->GetName(), "b");
    EXPECT_EQ(lib.GetSymbol(2), nullptr);
    lib.LoadFromFile(file, "*");
    EXPECT_EQ(lib.GetNumSymbols(), 4);
    WriteAll(file, "[{]");
    EXPECT_ANY_THROW(lib.LoadFromFile(file, "*"));
    EXPECT_EQ(lib.GetNumSymbols(), 0);
}

TEST(ViewLibrary, PointerReportsEachSymbolOnceAndAClickSelectsIt)
{
    TViewOn on(7, 300, 300);
    TKVRViewLibrary& view = on.view;
    ASSERT_EQ(view.GetNumSymbols(), 7);
    std::vector<QString> reported;
    view.OnChangePos = [&](QObject*, const QString& aName, const QString&, TKVRUnits) { reported.push_back(aName); };
    for (const QPoint p : {QPoint(25, 25), QPoint(60, 60), QPoint(105, 25), QPoint(25, 95), QPoint(115, 115)})
        QTest::mouseMove(&view, p);
    EXPECT_EQ(reported, (std::vector<QString>{"S1", "", "S5"}));
    EXPECT_EQ(view.toolTip(), "S5");

    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(115, 115));
    EXPECT_EQ(view.GetIdSelection(), 5);
    const QImage shot = view.grab().toImage();
    const QRect cell = view.Grid().CellRect(5);
    EXPECT_EQ(shot.pixelColor(cell.center().x(), cell.top()), QColor(Qt::red));
    EXPECT_NE(shot.pixelColor(view.Grid().CellRect(4).center().x(), cell.top()), QColor(Qt::red));
    // A click on the empty area after the last symbol keeps the selection.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_EQ(view.GetIdSelection(), 5);
    ASSERT_NE(view.GetSelection(), nullptr);
    EXPECT_EQ(view.GetSelection()->GetName(), "S5");
}

TEST(ViewLibrary, AShortViewReachesItsLastRowAndAResizeRecounts)
{
    TViewOn on(12, 300, 150);
    TKVRViewLibrary& view = on.view;
    ASSERT_TRUE(view.ScrollBar()->isVisible());
    view.ScrollBar()->setValue(view.ScrollBar()->maximum());
    const QRect last = view.Grid().CellRect(12).translated(view.DMX(), view.DMY());
    EXPECT_GE(last.top(), 0);
    EXPECT_LE(last.bottom(), view.height());
    QTest::mouseMove(&view, last.center());
    EXPECT_EQ(view.GetIdxPosition(), 12);

    view.resize(500, 400);
    EXPECT_EQ(view.Grid().Cols, 5);
    EXPECT_FALSE(view.ScrollBar()->isVisible());
}

TEST(ViewLibrary, TheDocumentsSymbolsGoWithTheDocument)
{
    TKVRViewLibrary view;
    view.resize(300, 300);
    {
        TVXLabelFMX doc;
        BuildEveryKind(doc);
        view.SetLabel(&doc);
        ASSERT_TRUE(view.LoadSymbols(TKVRMsg::GetDialogsValue("CurDrawing"), "*"));
        EXPECT_EQ(view.GetNumSymbols(), doc.GetSymbolCount());
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.Grid().CellRect(1).center());
        ASSERT_NE(view.GetSelection(), nullptr);
    }
    // The document is gone: nothing of it is read again (AddressSanitizer).
    EXPECT_EQ(view.GetSelection(), nullptr);
    view.grab();
    QTest::mouseMove(&view, QPoint(20, 20));
}

namespace {

// Dark pixels inside a cell, its frame left out.
int DarkPixels(const QImage& aShot, const QRect& aCell)
{
    int dark = 0;
    const QRect inner = aCell.adjusted(3, 3, -3, -3);
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
            dark += qGray(aShot.pixel(x, y)) < 160;
    return dark;
}

}  // namespace

TEST(ViewLibrary, EverySymbolIsSeenWhateverItsSize)
{
    // Each symbol alone in its library: drawn in a cell of 80 x 80.
    const struct
    {
        const char* Name;
        const char* Units;
        const char* Def;
    } cases[] = {
        {"a car of 4.5 m drawn in mm", "mm", R"([{"Type":"Rectangle","Points":[0,0,4500,1800]},
            {"Type":"Circle","Center":[900,1800],"Radius":350},{"Type":"Circle","Center":[3600,1800],"Radius":350}])"},
        {"a building of 10 m drawn in m", "m", R"([{"Type":"PenWidth","Value":0.5},
            {"Type":"Polyline","Points":[0,0,10,0,10,8,0,8],"Closed":true}])"},
        {"a rectangle of 1 micrometre", "mm", R"([{"Type":"PenWidth","Value":0.35},
            {"Type":"Rectangle","Points":[0,0,0.001,0.001]}])"},
        {"a text alone", "mm", R"([{"Type":"FontHeight","Value":3},{"Type":"Text","Text":"PUMP","Point":[0,0],
            "Angle":0,"HAlign":0,"VAlign":0}])"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QTemporaryDir dir;
        const QString file = dir.filePath("one.lyp");
        WriteAll(file, QByteArray(R"([{"Version":1,"Name":"S","Category":"A","Units":")") + c.Units +
                           R"(","InsertX":0,"InsertY":0,"Def":)" + c.Def + "}]");
        TVXLabelFMX doc;
        TKVRViewLibrary view;
        view.resize(200, 200);
        view.SetLabel(&doc);
        ASSERT_TRUE(view.LoadSymbols(file, "A"));
        view.show();
        const QImage shot = view.grab().toImage();
        const QRect cell = view.Grid().CellRect(1);
        const int dark = DarkPixels(shot, cell);
        const int inside = (cell.width() - 6) * (cell.height() - 6);
        // Seen: more than a few pixels; no flood: well under half the cell.
        EXPECT_GE(dark, 20);
        EXPECT_LE(dark, inside / 3);
    }
}
