// A linear dimension's position handle dragged with the mouse: the line takes
// the dropped offset, the handle stays where it was dropped, the value stays
// the measured one, and a saved and reloaded label shows the same.
#include "tests/editor/EditorInput.h"
#include "platform/rtl/model/TKVRBaseDim.h"
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>

namespace {

TKVRPto Handle(const TKVRBaseItem& aDim)
{
    std::vector<TKVRSelPoint> points;
    aDim.GetSelPoints(points);
    for (const TKVRSelPoint& p : points)
        if (p.Kind == KVRSelKind::DimPosition)
            return {p.X, p.Y};
    ADD_FAILURE() << "no position handle";
    return {};
}

// Micrometres between aAt and the line through aA and aB.
double OffLine(const TKVRPto& aA, const TKVRPto& aB, const TKVRPto& aAt)
{
    const double dx = double(aB.X - aA.X), dy = double(aB.Y - aA.Y);
    return std::fabs(double(aAt.X - aA.X) * dy - double(aAt.Y - aA.Y) * dx) / std::hypot(dx, dy);
}

// Dark pixels in a square of 5 pixels about p: the dimension line is black,
// thin and maybe blended.
int Ink(const QImage& aImage, QPoint p)
{
    int n = 0;
    for (int y = p.y() - 2; y <= p.y() + 2; ++y)
        for (int x = p.x() - 2; x <= p.x() + 2; ++x)
            if (qGray(aImage.pixel(x, y)) < 160)
                ++n;
    return n;
}

// A quarter of the way along the dimension line: clear of the handles and the text.
TKVRPto Quarter(const TKVRBaseDim& aDim)
{
    const TKVRPto a = aDim.GetPoint(5), b = aDim.GetPoint(6);
    return {a.X + (b.X - a.X) / 4, a.Y + (b.Y - a.Y) / 4};
}

}  // namespace

TEST(EditorDimension, PositionHandleStaysWhereDropped)
{
    struct Row
    {
        const char* Name;
        TVXDimType Type;
        TKVRPto P1, P2, Pos;  // paper micrometres
        QPoint Step;          // pixels of the drag
    };
    const Row rows[] = {
        {"horizontal", KVRDimType::Horizontal, {20000, 40000}, {70000, 40000}, {45000, 30000}, {40, -25}},
        {"vertical", KVRDimType::Vertical, {40000, 10000}, {40000, 50000}, {25000, 30000}, {-30, 45}},
        {"aligned", KVRDimType::Aligned, {20000, 45000}, {60000, 15000}, {45000, 35000}, {50, 35}},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Row& r : rows)
        for (const int64_t scale : {1, 5000})
            for (const TKVRExt format : {KVRExt::Binary, KVRExt::Json}) {
                SCOPED_TRACE(testing::Message() << r.Name << " 1:" << scale << " format " << int(format));
                TEditorInput in;
                in.doc.GetMeasure().SetDrawScale(int32_t(scale));
                in.doc.SendInfo();
                TKVRBaseDim* dim = in.doc.AddBaseDim(r.P1.X * scale, r.P1.Y * scale, r.P2.X * scale, r.P2.Y * scale,
                                                     r.Pos.X * scale, r.Pos.Y * scale);
                ASSERT_NE(dim, nullptr);
                ASSERT_EQ(dim->GetDimType(), r.Type);
                const QString text = dim->GetText();
                const TKVRPto before = Quarter(*dim);
                in.doc.SelectItem(dim, false);
                const TKVRPto grabbed = Handle(*dim);
                const QPoint from = in.Px(grabbed.X, grabbed.Y), to = from + r.Step;
                in.Drag(from, to);
                const TKVRPto drop{in.MMX(to.x()), in.MMY(to.y())};

                // The line runs through the drop, the handle sits on it, the value is the measured one.
                ASSERT_EQ(in.doc.Select(), dim);
                EXPECT_LE(OffLine(dim->GetPoint(5), dim->GetPoint(6), drop), 1.0);
                const TKVRPto handle = Handle(*dim);
                EXPECT_LE(std::abs(handle.X - drop.X), 1);
                EXPECT_LE(std::abs(handle.Y - drop.Y), 1);
                if (r.Type != KVRDimType::Aligned) {
                    EXPECT_EQ(handle, drop);
                }
                EXPECT_EQ(dim->GetText(), text);
                // The line is painted at the dropped offset, no longer where it was
                // (unselected: a selected element is painted dashed).
                in.doc.UnSelectItem(dim);
                const QImage shown = in.Surface()->grab().toImage();
                const TKVRPto quarter = Quarter(*dim);
                EXPECT_GT(Ink(shown, in.Px(quarter.X, quarter.Y)), 0);
                EXPECT_EQ(Ink(shown, in.Px(before.X, before.Y)), 0);

                // Saved and read back, nothing moved.
                std::vector<TKVRPto> laid;
                for (int32_t i = 1; i <= 8; ++i)
                    laid.push_back(dim->GetPoint(i));
                const QString file = dir.filePath(format == KVRExt::Binary ? "dim.eti" : "dim.json");
                ASSERT_TRUE(in.doc.SaveToFile(file, format));
                ASSERT_TRUE(in.doc.LoadFromFile(file));
                ASSERT_EQ(in.doc.GetItemsCount(), 1);
                auto* back = dynamic_cast<TKVRBaseDim*>(in.Last());
                ASSERT_NE(back, nullptr);
                EXPECT_TRUE(in.Surface()->grab().toImage() == shown);
                EXPECT_EQ(Handle(*back), handle);
                EXPECT_EQ(back->GetText(), text);
                for (int32_t i = 1; i <= 8; ++i)
                    EXPECT_EQ(back->GetPoint(i), laid[size_t(i - 1)]) << "point " << i;
            }
}
