// The grid's lists as a user opens them by mouse: the fonts the host offers
// (the dialogs' list), and line ends drawn as samples.
#include "document/KVR.FMX.FontNames.h"
#include "inspector/KVR.FMX.Inspector.h"
#include "inspector/TKVRHeadTypeDelegate.h"
#include "platform/rtl/model/TKVRBaseArrowLine.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "platform/fmx/TCanvas.h"
#include "render/KVR.FMX.LineTypes.h"
#include <QComboBox>
#include <QListView>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <cstdlib>
#include <functional>

namespace {

std::string K(const char* aPrefix, int aPart) { return aPrefix + std::to_string(aPart); }

constexpr int FontPos = 160, StartPos = 300;

// Opens the list of the part at aPos by a click on its box.
QComboBox* OpenList(TKVRBaseInspector& aGrid, int aPos)
{
    int top = 0;
    for (const TJsonObject& row : aGrid.GetRows()) {
        for (int j = 1; j <= row["N"].get<int>(); ++j)
            if (row[K("P", j)] == aPos && (row[K("Prop", j)].get<int>() & 0xFF) == KVRInsProp::List) {
                const TKVRInsCol col = TKVRInsCol(row[K("C", j)].get<int>());
                const QPoint at(int(XPosCtrl(col, KVRInsProp::List, 10) + WidthCtrl(col, KVRInsProp::List, 10) / 2),
                                top + row[K("TV", j)].get<int>() + 9);
                QTest::mouseClick(aGrid.viewport(), Qt::LeftButton, {}, at);
                return aGrid.GetComboList()->isVisible() ? aGrid.GetComboList() : nullptr;
            }
        top += row["H"].get<int>();
    }
    return nullptr;
}

QStringList Entries(const QComboBox& aList)
{
    QStringList entries;
    for (int i = 0; i < aList.count(); ++i)
        entries << aList.itemText(i);
    return entries;
}

struct TFixture
{
    TVXLabelFMX Doc;
    TKVRInspector Grid;
    TFixture()
    {
        Grid.resize(240, 1200);
        Grid.SetLabel(&Doc);
        Grid.show();
    }
    ~TFixture() { Grid.SetLabel(nullptr); }
};

// Every kind's font list is the host's when it gives one (asked with the
// grid as sender), else the machine's families as the dialogs list them.
TEST(InspectorLists, TheFontListIsTheDialogsList)
{
    TFixture f;
    const QStringList host{"Host Sans", "Host Serif", "Host Mono"};
    QObject* asker = nullptr;
    struct TCase
    {
        const char* Name;
        std::function<TKVRBaseItem*(TVXLabelFMX&)> Make;
    };
    const TCase cases[] = {
        {"text", [](TVXLabelFMX& d) { return d.AddBaseText(0, 0); }},
        {"paragraph", [](TVXLabelFMX& d) { return d.AddBaseParagraph(0, 0, 20000, 10000); }},
        {"arrow line", [](TVXLabelFMX& d) { return d.AddBaseArrowLine(0, 0, 20000, 0); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TKVRBaseItem* item = c.Make(f.Doc);
        ASSERT_TRUE(item);
        f.Doc.SelectItem(item, false);
        f.Doc.OnGetFontListEvent = [&](QObject* aSender, QStringList& aFonts) {
            asker = aSender;
            aFonts = host;
        };
        QComboBox* list = OpenList(f.Grid, FontPos);
        ASSERT_TRUE(list);
        EXPECT_EQ(Entries(*list).join(u'|').toStdString(), host.join(u'|').toStdString());
        EXPECT_EQ(asker, &f.Grid);
        // Chosen from the host's list, the family reaches the element.
        emit list->activated(1);
        f.Doc.SelectItem(item, false);
        list = OpenList(f.Grid, FontPos);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->currentText(), QStringLiteral("Host Serif"));
        list->hide();
        f.Doc.OnGetFontListEvent = nullptr;
        list = OpenList(f.Grid, FontPos);
        ASSERT_TRUE(list);
        const QStringList machine = Entries(*list);
        EXPECT_EQ(machine, KVRDialogFonts(&f.Doc, &f.Grid));
        EXPECT_TRUE(machine.contains(QStringLiteral("DejaVu Sans")));
        for (const QString& family : machine)
            EXPECT_FALSE(family.endsWith(u']')) << family.toStdString();
        list->hide();
    }
}

// Dark blue, the samples' line colour, also where it is smoothed over white
// or lavender (red and green alike, blue well above them); the selection's
// blue is not.
bool HasSample(const QImage& aImage, const QRect& aRect)
{
    for (int y = aRect.top(); y <= aRect.bottom(); ++y)
        for (int x = aRect.left(); x <= aRect.right(); ++x) {
            const QColor c = aImage.pixelColor(x, y);
            if (std::abs(c.red() - c.green()) < 16 && c.blue() - c.red() > 35)
                return true;
        }
    return false;
}

// Dark grey to black, as the names are written (the selected one in white).
bool HasName(const QImage& aImage, const QRect& aRect)
{
    for (int y = aRect.top(); y <= aRect.bottom(); ++y)
        for (int x = aRect.left(); x <= aRect.right(); ++x) {
            const QColor c = aImage.pixelColor(x, y);
            if (std::abs(c.red() - c.green()) < 16 && std::abs(c.green() - c.blue()) < 16 && c.red() < 128)
                return true;
        }
    return false;
}

// The line-end list of a line's start and end draws each end as a sample
// (the ends that have one), not as its name.
TEST(InspectorLists, TheLineEndListDrawsSamples)
{
    TFixture f;
    auto* line = f.Doc.AddBaseArrowLine(0, 0, 20000, 0);
    f.Doc.SelectItem(line, false);
    for (const int pos : {StartPos, StartPos + 1}) {
        SCOPED_TRACE(pos);
        QComboBox* list = OpenList(f.Grid, pos);
        ASSERT_TRUE(list);
        ASSERT_GE(list->count(), 12);
        list->showPopup();
        QAbstractItemView* view = list->view();
        QTRY_VERIFY(view->isVisible());
        int samples = 0;
        for (int i = 0; i < list->count(); ++i) {
            const QModelIndex index = list->model()->index(i, 0);
            view->scrollTo(index);
            const QRect r = view->visualRect(index);
            ASSERT_TRUE(view->viewport()->rect().contains(r)) << i;
            // Tall enough to tell the samples apart.
            EXPECT_GE(r.height(), TKVRHeadTypeDelegate::SampleHeight) << i;
            const QImage painted = view->viewport()->grab().toImage();
            // What the end's own sample looks like in an item of that size.
            QImage alone(r.size(), QImage::Format_ARGB32);
            alone.fill(Qt::white);
            {
                QPainter p(&alone);
                TCanvas canvas(p);
                ASSERT_TRUE(canvas.BeginScene());
                DrawTerm(canvas, TRectF(0, 0, float(r.width() - 1), float(r.height() - 1)), TKVRTermType(i),
                         TKVRHeadTypeDelegate::LineColor, TKVRHeadTypeDelegate::FillColor);
                canvas.EndScene();
            }
            const bool drawn = HasSample(alone, alone.rect());
            samples += drawn;
            EXPECT_EQ(HasSample(painted, r), drawn) << "end " << i;
            if (i != list->currentIndex()) {
                EXPECT_FALSE(HasName(painted, r)) << "end " << i;
            }
        }
        EXPECT_GE(samples, 8);
        list->hidePopup();
        list->hide();
    }
}

}  // namespace
