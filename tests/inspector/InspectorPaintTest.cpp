// What the grid paints, read back from grab(): colour swatches that show
// whatever their colour, and captions that tell a package's sizes apart.
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

std::string K(const char* aPrefix, int aPart) { return aPrefix + std::to_string(aPart); }

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

}  // namespace
