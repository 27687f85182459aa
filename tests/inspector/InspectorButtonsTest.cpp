// The "..." and map buttons of the dialog parts, offscreen: each is found in
// the painted grid and clicked all over, through the suite's scripted
// openers; each click opens its dialog and the pointer over it is a hand.
#include "document/KVR.FMX.Openers.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBasePoly.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

std::string K(const char* aPrefix, int aPart) { return aPrefix + std::to_string(aPart); }

// Top and height of the row holding the part at aPos.
bool RowOf(const TKVRBaseInspector& aGrid, int aPos, int& aTop, int& aHeight)
{
    int top = 0;
    for (const TJsonObject& row : aGrid.GetRows()) {
        for (int j = 1; j <= row["N"].get<int>(); ++j)
            if (row[K("P", j)] == aPos) {
                aTop = top;
                aHeight = row["H"].get<int>();
                return true;
            }
        top += row["H"].get<int>();
    }
    return false;
}

// The red areas (the buttons, filled in the button colour) painted in the
// rows from aTop to aBottom, left to right.
std::vector<QRect> RedAreas(const QImage& aImage, int aTop, int aBottom)
{
    std::vector<QRect> areas;
    for (int x = 0; x < aImage.width(); ++x) {
        QRect column;
        for (int y = aTop; y < aBottom; ++y)
            if (aImage.pixelColor(x, y) == QColor(255, 0, 0))
                column |= QRect(x, y, 1, 1);
        if (column.isEmpty())
            continue;
        if (!areas.empty() && areas.back().right() == x - 1)
            areas.back() |= column;
        else
            areas.push_back(column);
    }
    return areas;
}

struct TOpeners
{
    TKVRLabelOpeners Saved = KVRLabelOpeners();
    ~TOpeners() { KVRLabelOpeners() = Saved; }
};

TEST(InspectorButtons, EveryButtonAnswersAllOverWhereItIsPainted)
{
    TOpeners openers;
    TVXLabelFMX doc;
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("dot.png"));
    QImage dot(4, 4, QImage::Format_ARGB32);
    dot.fill(Qt::blue);
    ASSERT_TRUE(dot.save(png));
    KVRLabelOpeners().OpenPicture = [&](const QString&, const QString&) { return png; };
    auto* picture = doc.AddBaseImage(0, 0, 10000, 10000, false, QString());
    ASSERT_TRUE(picture);
    // Which dialog the last click opened.
    QString opened;
    KVRLabelOpeners().OpenPicture = [&](const QString&, const QString&) { return opened = "file", QString(); };
    KVRLabelOpeners().SelectMap = [&](TVXLabelFMX&, int32_t, int32_t) { return opened = "map", false; };
    KVRLabelOpeners().EditLongText = [&](QString&, bool) { return opened = "text", false; };
    KVRLabelOpeners().EditTable = [&](TVXLabelFMX&) { return opened = "columns", false; };
    KVRLabelOpeners().EditPolyText = [&](TVXLabelFMX&) { return opened = "items", false; };

    TKVRInspector grid;
    grid.resize(240, 900);
    grid.SetLabel(&doc);
    QPalette red = grid.palette();
    red.setColor(QPalette::Button, Qt::red);
    grid.setPalette(red);
    grid.show();

    struct TCase
    {
        const char* Name;
        TKVRBaseItem* Item;
        int Pos;
        bool Map;
        // The dialogs of the buttons from left to right.
        std::vector<QString> Dialogs;
    };
    const TCase cases[] = {
        {"paragraph", doc.AddBaseParagraph(0, 20000, 20000, 10000), 181, false, {"text"}},
        {"rich text", doc.AddBaseRichText(0, 40000, 20000, 10000), 181, false, {"text"}},
        {"picture", picture, 460, false, {"file"}},
        {"picture with map", picture, 460, true, {"map", "file"}},
        {"table", doc.AddBaseTable(0, 60000, 60000, 30000), 520, false, {"columns"}},
        {"poly-text", doc.AddBasePolyText(0, 100000), 540, false, {"items"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(c.Item);
        grid.SetOptions(c.Map ? grid.GetOptions() | KVRFmxInspector::ioMapButton
                              : grid.GetOptions() & ~TVXInspectorOptions(KVRFmxInspector::ioMapButton));
        doc.SelectItem(c.Item, false);
        int top = 0, height = 0;
        ASSERT_TRUE(RowOf(grid, c.Pos, top, height));
        const std::vector<QRect> buttons = RedAreas(grid.grab().toImage(), top, top + height);
        ASSERT_EQ(buttons.size(), c.Dialogs.size());
        for (size_t b = 0; b < buttons.size(); ++b) {
            const QRect& r = buttons[b];
            // Two pixels inside the fill reach the frame's inner edge.
            ASSERT_GE(r.width(), 10);
            ASSERT_GE(r.height(), 10);
            const QPoint c0 = r.center();
            for (const QPoint at : {c0, QPoint(r.left() + 2, c0.y()), QPoint(r.right() - 2, c0.y()),
                                    QPoint(c0.x(), r.top() + 2), QPoint(c0.x(), r.bottom() - 2)}) {
                SCOPED_TRACE(QStringLiteral("%1 at %2,%3").arg(c.Dialogs[b]).arg(at.x()).arg(at.y()).toStdString());
                QTest::mouseMove(grid.viewport(), QPoint(1, 1));
                ASSERT_EQ(grid.viewport()->cursor().shape(), Qt::ArrowCursor);
                QTest::mouseMove(grid.viewport(), at);
                EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::PointingHandCursor);
                opened.clear();
                QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
                EXPECT_EQ(opened, c.Dialogs[b]);
            }
        }
        // Beside the buttons, on the caption's line, nothing opens.
        opened.clear();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(buttons.front().left() - 6, buttons.front().center().y()));
        EXPECT_TRUE(opened.isEmpty()) << opened.toStdString();
    }
}

}  // namespace
