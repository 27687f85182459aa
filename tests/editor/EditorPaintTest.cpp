// What the surface paints, read back through grab() and a recording device.
#include "document/KVR.FMX.Shared.Factory.h"
#include "document/KVR.FMX.h"
#include "editor/KVR.FMX.Editor.h"
#include "elements/TKVRArc.h"
#include "elements/TKVRRectangle.h"
#include "platform/rtl/label/TKVRLayer.h"
#include "platform/skia/TSkCanvas.h"
#include "tests/editor/SurfaceProbes.h"
#include "tests/support/ImageProbes.h"
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <tuple>

namespace {
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kMargin = 0xFFC0C0C0;

// The label's corner at (15, 15) of the surface: no rulers, no side controls.
struct TPainted : TEditedLabel
{
    explicit TPainted(int64_t aWidth = 100000, int64_t aHeight = 60000, QSize aSize = {600, 500})
        : TEditedLabel(aWidth, aHeight, aSize, {})
    {
    }
};

QByteArray RedPng()
{
    QImage img(20, 20, QImage::Format_ARGB32);
    img.fill(0xFFFF0000);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

// Rows of column x inside [y0, y1) that are not white, with their colours.
std::vector<std::pair<int, QRgb>> MarkedRows(const QImage& aImage, int x, int y0, int y1)
{
    std::vector<std::pair<int, QRgb>> rows;
    for (int y = y0; y < y1; ++y)
        if (aImage.pixel(x, y) != kWhite)
            rows.emplace_back(y, aImage.pixel(x, y));
    return rows;
}
}  // namespace

TEST(EditorPaint, LabelAreaWithAndWithoutBackgroundImage)
{
    struct Row
    {
        const char* Name;
        bool Image;
        float Margin;  // millimetres on every side
        QRgb AtMillimetreOne, AtTen;
    };
    const Row rows[] = {
        {"no image", false, 0, kWhite, kWhite},
        {"image with margins", true, 3, kWhite, 0xFFFF0000},
        {"image without margins", true, 0, 0xFFFF0000, 0xFFFF0000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TPainted p;
        if (r.Image) {
            TKVRLayer* layer = p.doc.GetLayer(0);
            layer->SetState(TKVRLayer::StateVisible | TKVRLayer::StatePrintable);
            layer->ImgBytes = RedPng();
            layer->ImgMarLeft = layer->ImgMarTop = layer->ImgMarRight = layer->ImgMarBottom = r.Margin;
            p.doc.SetBackLayer(1);
        }
        const QImage img = p.Grab();
        EXPECT_EQ(img.pixel(5, 5), kMargin);
        EXPECT_EQ(img.pixel(15 + 4, 15 + 4), r.AtMillimetreOne);
        EXPECT_EQ(img.pixel(15 + 38, 15 + 38), r.AtTen);
    }
}

TEST(EditorPaint, GridLinesEveryStepUnitsEveryCentimetrePointsOnTheCrossings)
{
    TPainted p;  // 100 x 60 mm
    TKVRGrid& grid = *p.editor.GetGrid();
    grid.SetIncX(2);
    grid.SetIncY(2);
    grid.SetStyle(TKVRGridDraw::gdLines);
    const QImage lines = p.Grab();
    ImageProbes::SaveForLooking(lines, "editor-grid-lines.png");
    const int labelBottom = 15 + 226;  // 60 mm is 226.8 px
    // Column 1 mm in: it crosses every horizontal line and no vertical one.
    const auto rows = MarkedRows(lines, 15 + 4, 15, labelBottom);
    ASSERT_EQ(rows.size(), 29u);  // 2 .. 58 mm: none on the border
    for (size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(rows[k].second, (k + 1) % 5 == 0 ? 0xFF808080 : 0xFFC0C0C0);
    }
    EXPECT_EQ(lines.pixel(15 + 4, 15), kWhite);

    // Columns of the vertical lines, along a row 1 mm below the top.
    std::vector<int> columns;
    for (int x = 15; x < 15 + 377; ++x)
        if (lines.pixel(x, 15 + 4) != kWhite)
            columns.push_back(x);
    ASSERT_EQ(columns.size(), 49u);  // 2 .. 98 mm
    const auto near = [](const auto& aList, int v) {
        return std::any_of(aList.begin(), aList.end(), [v](const auto& e) {
            if constexpr (std::is_same_v<std::decay_t<decltype(e)>, int>)
                return std::abs(e - v) <= 1;
            else
                return std::abs(e.first - v) <= 1;
        });
    };

    grid.SetStyle(TKVRGridDraw::gdPoints);
    const QImage points = p.Grab();
    int count = 0;
    for (int y = 15; y < labelBottom; ++y)
        for (int x = 15; x < 15 + 377; ++x)  // 100 mm is 377.95 px
            if (points.pixel(x, y) != kWhite) {
                ++count;
                EXPECT_EQ(points.pixel(x, y), 0xFFC0C0C0);
                // On a crossing of the lines, within the pixel the rasteriser rounds to.
                EXPECT_TRUE(near(rows, y) && near(columns, x)) << x << "," << y;
            }
    EXPECT_EQ(count, 29 * 49);
}

TEST(EditorPaint, FineGridOnALargeLabelPaintsOnlyWhatShows)
{
    TPainted p(1189000, 841000);  // A0
    p.editor.GetGrid()->SetIncX(1);
    p.editor.GetGrid()->SetIncY(1);
    p.editor.GetGrid()->SetStyle(TKVRGridDraw::gdPoints);
    const size_t ops = p.Record().size();
    // About 150 x 125 crossings show; the label has a million.
    EXPECT_GT(ops, 150u * 120u);
    EXPECT_LT(ops, 160u * 135u);
    // A step under 2 pixels would only fill the view: no grid at all.
    p.editor.GetGrid()->SetIncX(0.1f);
    p.editor.GetGrid()->SetIncY(0.1f);
    EXPECT_LT(p.Record().size(), 100u);
}

TEST(EditorPaint, RubberBandDashedOnlyWhenDrawnBackwards)
{
    TPainted p;
    TKVRBackEditor& s = *p.editor.GetSurface();
    p.doc.GetAct().fDrawType = 1;
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards);
        s.PO = backwards ? QPointF(300, 200) : QPointF(100, 100);
        s.LP = backwards ? QPointF(100, 100) : QPointF(300, 200);
        const QImage img = p.Grab();
        int drawn = 0;
        for (int x = 110; x < 290; ++x)
            drawn += img.pixel(x, 100) == 0xFF008080;
        if (backwards) {
            EXPECT_GT(drawn, 20);
            EXPECT_LT(drawn, 160);
        } else {
            EXPECT_EQ(drawn, 180);
        }
    }
}

TEST(EditorPaint, HandlesInTheirColoursAndNoneWhileTextIsEdited)
{
    struct Row
    {
        const char* Name;
        std::function<TKVRBaseItem*(TVXLabelFMX&)> Make;
        QRgb Shown, NotShown;  // the sizing colour and the radius colour
    };
    const Row rows[] = {
        {"rectangle: sizing handles", [](TVXLabelFMX& d) { return TKVRFactory::AddBaseRectangle(&d, 20000, 10000, 30000, 20000); },
         0xFF00C000, 0xFF00FF00},
        {"arc: its points and centre", [](TVXLabelFMX& d) { return TKVRFactory::AddBaseArc(&d, 20000, 40000, 40000, 20000, 60000, 40000); },
         0xFF00FF00, 0xFF00C000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TPainted p;
        p.doc.SelectItem(r.Make(p.doc), false);
        p.editor.GetSelectionColors()->SetSizeColor(0xFF00C000);
        p.editor.GetSelectionColors()->SetRadio(0xFF00FF00);
        const auto count = [&p](QRgb aColour) {
            const QImage img = p.Grab();
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += img.pixel(x, y) == aColour;
            return n;
        };
        EXPECT_GE(count(r.Shown), 3 * 20);  // at least three marks of about 6 x 6
        EXPECT_EQ(count(r.NotShown), 0);
        for (uint8_t action : {TAct::ActEditText, TAct::ActPressText}) {
            p.doc.GetAct().fCurAction = action;
            EXPECT_EQ(count(r.Shown), 0) << int(action);
        }
    }
}

TEST(EditorPaint, RulerTicksAndLabelsFollowTheUnit)
{
    struct Row
    {
        TKVRUnits Units;
        float Minor, LabelStep;
        size_t Labels;  // on the 100 mm label, but "0" in the corner
    };
    const Row rows[] = {
        {TKVRUnits::Millimetre, 2, 10, 10},
        {TKVRUnits::Inch, 0.1f, 0.5f, 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Units));
        TPainted p;
        p.doc.SetUnits(r.Units);
        p.editor.GetRulers()->SetVisible(rvTop);
        const auto ops = p.Record();
        TKVRBackEditor& s = *p.editor.GetSurface();
        EXPECT_FLOAT_EQ(s.fIncS, r.Minor);
        EXPECT_FLOAT_EQ(float(s.aPosT), r.LabelStep);
        EXPECT_EQ(size_t(std::count_if(ops.begin(), ops.end(), [](const TRecordedOp& op) { return op.IsText; })),
                  r.Labels);
    }
    const std::tuple<double, double, const char*> texts[] = {
        {0, 0.5, "0"}, {0.5, 0.5, "0.5"}, {1.0000000001, 0.5, "1"}, {1.5, 0.5, "1.5"}, {20, 10, "20"}, {0.2, 0.1, "0.2"}};
    for (const auto& [pos, step, text] : texts)
        EXPECT_EQ(TKVRBackEditor::TickText(pos, step), text);
    // Ticks every 2 mm in the top ruler, over the whole 100 mm label but its
    // first 18 pixels (the corner, where 0 lies without a left ruler).
    TPainted p;
    p.editor.GetRulers()->SetVisible(rvTop);
    const QImage img = p.Grab();
    ImageProbes::SaveForLooking(img, "editor-ruler-mm.png");
    int ticks = 0;
    for (int x = 0; x < img.width(); ++x)
        ticks += qGray(img.pixel(x, 16)) < 64;
    EXPECT_EQ(ticks, 50);
}

TEST(EditorPaint, RubberBandShapesAndTheirDegenerateCases)
{
    struct Row
    {
        const char* Name;
        uint8_t DrawType, State;
        QPointF PO, LP;
        std::vector<std::pair<int64_t, int64_t>> Points;  // collected, micrometres
        size_t Strokes;
    };
    const Row rows[] = {
        {"rectangle", 5, 0, {100, 100}, {300, 200}, {}, 1},
        {"rectangle on the anchor's column", 5, 0, {100, 100}, {100, 200}, {}, 0},
        {"circle on a diameter", 7, 0, {100, 100}, {300, 200}, {}, 1},
        {"circle through three points", 8, 0, {0, 0}, {200, 40}, {{10000, 10000}, {30000, 15000}}, 1},
        {"three points in a row", 8, 0, {0, 0}, {15 + 18 + 151, 15 + 18 + 151}, {{10000, 10000}, {20000, 20000}}, 0},
        {"arc", 9, 0, {0, 0}, {200, 40}, {{10000, 10000}, {30000, 15000}}, 1},
        {"rhombus", 12, 0, {100, 100}, {300, 200}, {}, 4},
        {"curved box", 13, 0, {100, 100}, {300, 200}, {}, 1},
        {"dimension line", 23, 0, {0, 0}, {150, 200}, {{10000, 10000}, {30000, 10000}}, 1},
        {"nothing for type 2", 2, 0, {100, 100}, {300, 200}, {}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        TPainted p;
        p.editor.GetRulers()->SetVisible(TKVRShowRulers(rvLeft | rvTop));
        TAct& act = p.doc.GetAct();
        const size_t before = p.Record().size();
        act.fDrawType = r.DrawType;
        act.fCurState = r.State;
        for (const auto& [x, y] : r.Points)
            act.AddPoint(x, y);
        p.editor.GetSurface()->PO = r.PO;
        p.editor.GetSurface()->LP = r.LP;
        EXPECT_EQ(p.Record().size() - before, r.Strokes);
    }
}
