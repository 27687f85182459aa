// What the grid paints, read back from grab(): colour swatches that show
// whatever their colour, captions that tell a package's sizes apart, and
// right-hand boxes that end inside the grid at every width.
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "tests/inspector/InspectorFixture.h"
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

struct TFixture
{
    TVXLabelFMX Doc;
    TKVRInspector Grid;
    TFixture()
    {
        Grid.resize(240, 1500);
        Grid.SetLabel(&Doc);
        Grid.show();
    }
    ~TFixture() { Grid.SetLabel(nullptr); }
};

// The value box of the part at aPos (code aCode), as the rows lay it out.
QRect ValueBox(const TKVRBaseInspector& aGrid, int aPos, int aCode, int& aKind, int& aType)
{
    int top = 0;
    for (const TJsonObject& row : aGrid.GetRows()) {
        for (int j = 1; j <= row["N"].get<int>(); ++j)
            if (row[K("P", j)] == aPos && (row[K("Prop", j)].get<int>() & 0xFF) == aCode) {
                aKind = row["Kind"].get<int>();
                aType = row["Type"].get<int>();
                const TKVRInsCol col = TKVRInsCol(row[K("C", j)].get<int>());
                return QRect(int(XPosCtrl(col, TKVRInsProp(aCode), 10)), top + row[K("TV", j)].get<int>(),
                             int(WidthCtrl(col, TKVRInsProp(aCode), 10)), int(HeightCtrl(TKVRInsProp(aCode), 96)));
            }
        top += row["H"].get<int>();
    }
    return {};
}

bool Light(const QColor& aColor) { return aColor.red() > 230 && aColor.green() > 230 && aColor.blue() > 230; }

// A white swatch on the white grid shows by its frame: each edge of the box
// is drawn, its inside keeps the colour.
TEST(InspectorPaint, EverySwatchIsFramed)
{
    TFixture f;
    struct TCase
    {
        const char* Name;
        std::function<TKVRBaseItem*(TVXLabelFMX&)> Make;
        int Pos;
    };
    const TCase cases[] = {
        {"back colour", [](TVXLabelFMX& d) { return d.AddBaseRectangle(0, 0, 20000, 10000); }, 151},
        {"line colour", [](TVXLabelFMX& d) { return d.AddBaseRectangle(0, 0, 20000, 10000); }, 130},
        {"letter colour", [](TVXLabelFMX& d) { return d.AddBaseNutriScore(0, 0, 40000, 20000); }, 651},
        {"colour E", [](TVXLabelFMX& d) { return d.AddBaseNutriScore(0, 0, 40000, 20000); }, 649},
        {"box colour", [](TVXLabelFMX& d) { return d.AddBasePackage(0, 0, 40000, 30000); }, 687},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TKVRBaseItem* item = c.Make(f.Doc);
        ASSERT_TRUE(item);
        f.Doc.SelectItem(item, false);
        ASSERT_FALSE(f.Grid.GetVertScrollBarVisible());
        int kind = 0, type = 0;
        ASSERT_FALSE(ValueBox(f.Grid, c.Pos, KVRInsProp::Color, kind, type).isEmpty());
        f.Doc.UpdateProp(KVRInsProp::Color, kind, type, c.Pos, {{"i64", int64_t(0xFFFFFFFF)}});
        const QRect box = ValueBox(f.Grid, c.Pos, KVRInsProp::Color, kind, type);
        const QImage image = f.Grid.grab().toImage();
        ASSERT_TRUE(Light(image.pixelColor(box.center())));
        const QPoint mid = box.center();
        // Each edge within a pixel of where it lies.
        auto edge = [&](int x0, int y0, int dx, int dy) {
            for (int i = -1; i <= 1; ++i)
                if (!Light(image.pixelColor(x0 + i * dx, y0 + i * dy)))
                    return true;
            return false;
        };
        EXPECT_TRUE(edge(box.left(), mid.y(), 1, 0)) << "left";
        EXPECT_TRUE(edge(box.left() + box.width(), mid.y(), 1, 0)) << "right";
        EXPECT_TRUE(edge(mid.x(), box.top(), 0, 1)) << "top";
        EXPECT_TRUE(edge(mid.x(), box.top() + box.height(), 0, 1)) << "bottom";
    }
}

// The package's frame and its box each have their own captions, every one
// whole in its place (a cut caption would show its full text as a tip).
TEST(InspectorPaint, APackagesSizesHaveCaptionsOfTheirOwn)
{
    TFixture f;
    f.Doc.SelectItem(f.Doc.AddBasePackage(0, 0, 40000, 30000), false);
    f.Grid.grab();
    std::set<QString> captions;
    int sizes = 0, top = 0;
    for (const TJsonObject& row : f.Grid.GetRows()) {
        for (int j = 1; j <= row["N"].get<int>(); ++j) {
            // The frame's width and height, the box's sizes and, beside
            // each, its name.
            const int pos = row[K("P", j)].get<int>();
            if (pos != 260 && pos != 261 && (pos < 680 || pos > 685))
                continue;
            const QString name = QString::fromStdString(row[K("Name", j)].get<std::string>());
            SCOPED_TRACE(name.toStdString());
            if (pos == 260 || pos == 261 || pos % 2 == 0) {
                ++sizes;
                EXPECT_TRUE(captions.insert(name).second) << "twice";
            }
            const TKVRInsCol col = TKVRInsCol(row[K("C", j)].get<int>());
            QTest::mouseMove(f.Grid.viewport(),
                             QPoint(int(XPosTitle(col, 10)) + 5, top + row[K("T", j)].get<int>() + 5));
            EXPECT_TRUE(f.Grid.viewport()->toolTip().isEmpty()) << "cut";
        }
        top += row["H"].get<int>();
    }
    EXPECT_EQ(sizes, 5);
}

// The right-hand boxes at the grid's width, with and without the scroll
// bar: a red swatch ends in its frame inside the grid, and the open Field
// list and number box end inside it too; the open box follows its column
// when the grid widens.
TEST(InspectorPaint, RightHandBoxesEndInsideTheGrid)
{
    constexpr int BackColourPos = 151, FontColourPos = 162, FieldPos = 231, Y1Pos = 1003;
    TFixture f;
    auto* rect = f.Doc.AddBaseRectangle(0, 0, 20000, 10000);
    auto* text = f.Doc.AddBaseText(0, 20000);
    const struct
    {
        TKVRBaseItem* Item;
        int Pos, Code;
    } parts[] = {
        {rect, BackColourPos, KVRInsProp::Color},
        {text, FontColourPos, KVRInsProp::Color},
        {text, FieldPos, KVRInsProp::List},
        {rect, Y1Pos, KVRInsProp::Number},
    };
    for (const int width : {240, 371, 500})
        for (const bool bar : {false, true})
            for (const auto& p : parts) {
                SCOPED_TRACE(std::to_string(width) + (bar ? " with the bar, " : " without, ") + std::to_string(p.Pos));
                f.Grid.resize(width, bar ? 120 : 1500);
                f.Doc.SelectItem(p.Item, false);
                ASSERT_EQ(f.Grid.GetVertScrollBarVisible(), bar);
                const int right = f.Grid.viewport()->width();
                ASSERT_EQ(right, width - (bar ? f.Grid.GetScrollBar()->width() : 0));
                // The part's row at the top.
                int r = 0;
                for (; r < int(f.Grid.GetRows().size()); ++r) {
                    const TJsonObject& row = f.Grid.GetRows()[size_t(r)];
                    if (row[K("P", row["N"].get<int>())] == p.Pos)
                        break;
                }
                ASSERT_LT(r, int(f.Grid.GetRows().size()));
                f.Grid.GetScrollBar()->setValue(std::min(r, f.Grid.GetLastTopIndex()));
                int top = 0;
                for (int i = f.Grid.GetTopIndex(); i < r; ++i)
                    top += f.Grid.GetRows()[size_t(i)]["H"].get<int>();
                const int h = f.Grid.GetRows()[size_t(r)]["H"].get<int>();
                ASSERT_LE(top + h, f.Grid.viewport()->height());
                const int kind = f.Grid.GetRows()[size_t(r)]["Kind"].get<int>();
                const int type = f.Grid.GetRows()[size_t(r)]["Type"].get<int>();
                if (p.Code == KVRInsProp::Color) {
                    f.Doc.UpdateProp(KVRInsProp::Color, kind, type, p.Pos, {{"i64", int64_t(0xFFFF0000)}});
                    const QImage image = f.Grid.grab().toImage();
                    QRect red;
                    for (int y = top; y < top + h; ++y)
                        for (int x = 0; x < image.width(); ++x)
                            if (image.pixelColor(x, y) == QColor(255, 0, 0))
                                red |= QRect(x, y, 1, 1);
                    ASSERT_FALSE(red.isEmpty());
                    // Its frame, then the grid's back, before the grid ends.
                    const int y = red.center().y();
                    EXPECT_LT(red.right() + 1, right - 1);
                    EXPECT_FALSE(Light(image.pixelColor(red.right() + 1, y))) << "no frame right of the swatch";
                    EXPECT_TRUE(Light(image.pixelColor(right - 1, y))) << "the swatch reaches the grid's edge";
                    continue;
                }
                QTest::mouseClick(f.Grid.viewport(), Qt::LeftButton, {}, PartCentre(f.Grid, p.Pos, p.Code));
                if (p.Code == KVRInsProp::List) {
                    ASSERT_TRUE(f.Grid.GetComboList()->isVisible());
                    EXPECT_LE(f.Grid.GetComboList()->geometry().right(), right - 1);
                    f.Grid.GetComboList()->hide();
                } else {
                    ASSERT_TRUE(f.Grid.GetEdit().Active);
                    EXPECT_LE(f.Grid.GetEdit().Left + f.Grid.GetEdit().Width, right - 1);
                    // A wider grid takes the open box along with its column.
                    f.Grid.resize(width + 100, f.Grid.height());
                    ASSERT_TRUE(f.Grid.GetEdit().Active);
                    const double unit = f.Grid.viewport()->width() / 24.0;
                    EXPECT_NEAR(f.Grid.GetEdit().Left, XPosCtrl(KVRInsCol::Right, KVRInsProp::Number, unit), 0.5);
                    EXPECT_LE(f.Grid.GetEdit().Left + f.Grid.GetEdit().Width, f.Grid.viewport()->width() - 1);
                    QTest::keyClick(&f.Grid, Qt::Key_Escape);
                }
            }
}

}  // namespace
