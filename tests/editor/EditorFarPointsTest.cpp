// Far points given to every drawing action of two or more points, through
// Qt's event loop as the running program gets them: each element made reads
// back from both label files, and one that would reach past the coordinate
// range is refused like a point outside it, the drawing going on.
#include "tests/editor/EditorInput.h"
#include "tests/support/LabelDocuments.h"
#include "document/KVR.FMX.Openers.h"
#include "platform/rtl/text/TKVRMsg.h"
#include <QEventLoop>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <exception>
#include <vector>

namespace {

// One entry: a point typed into the coordinate box and Enter, a left click
// at a document point (µm), or the right button that ends a point-by-point
// drawing.
struct TEntry
{
    enum class TBy { Typed, Click, Right } By;
    QString Text;
    int64_t X = 0, Y = 0;
};

TEntry Typed(const QString& aText)
{
    return {TEntry::TBy::Typed, aText};
}

TEntry Click(int64_t aXmm, int64_t aYmm)
{
    return {TEntry::TBy::Click, {}, aXmm * 1000, aYmm * 1000};
}

TEntry Right()
{
    return {TEntry::TBy::Right, {}, 30000, 30000};
}

Qt::Key KeyOf(QChar c)
{
    if (c.isDigit())
        return Qt::Key(Qt::Key_0 + c.digitValue());
    switch (c.toLatin1()) {
    case '-': return Qt::Key_Minus;
    case ',': return Qt::Key_Comma;
    case '.': return Qt::Key_Period;
    default: return Qt::Key_At;
    }
}

// The entry's events are posted, then Qt's event loop delivers them: an
// exception leaving a handler there ends the running program.
void Give(TEditorInput& in, const TEntry& aEntry)
{
    QWidget* surface = in.Surface();
    const auto key = [surface](Qt::Key aKey, const QString& aText) {
        QCoreApplication::postEvent(surface, new QKeyEvent(QEvent::KeyPress, aKey, Qt::NoModifier, aText));
        QCoreApplication::postEvent(surface, new QKeyEvent(QEvent::KeyRelease, aKey, Qt::NoModifier, aText));
    };
    const auto mouse = [surface](QEvent::Type aType, QPoint p, Qt::MouseButton aButton, Qt::MouseButtons aHeld) {
        QCoreApplication::postEvent(surface, new QMouseEvent(aType, QPointF(p), surface->mapToGlobal(QPointF(p)),
                                                             aButton, aHeld, Qt::NoModifier));
    };
    if (aEntry.By == TEntry::TBy::Typed) {
        for (const QChar c : aEntry.Text)
            key(KeyOf(c), QString(c));
        key(Qt::Key_Return, QStringLiteral("\r"));
    } else {
        const QPoint p = in.Px(aEntry.X, aEntry.Y);
        const Qt::MouseButton button = aEntry.By == TEntry::TBy::Right ? Qt::RightButton : Qt::LeftButton;
        mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, p, button, button);
        mouse(QEvent::MouseButtonRelease, p, button, Qt::NoButton);
    }
    QEventLoop loop;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    try {
        loop.exec();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "an exception left Qt's event loop: " << e.what();
    }
}

// The drawing under way as the document holds it.
struct TDrawing
{
    uint8_t Action, State;
    std::vector<TKVRPto> Points;
    bool operator==(const TDrawing&) const = default;
};

TDrawing DrawingOf(const TKVRBaseLabel& aDoc)
{
    return {aDoc.GetAction(), aDoc.GetState(), aDoc.GetAct().GetPoints()};
}

// The label saved as .eti and as .json reads back whole from each.
void ExpectReadsBack(TVXLabelFMX& aDoc)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& [name, format] : {std::pair{"far.eti", KVRExt::Binary}, std::pair{"far.json", KVRExt::Json}}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(aDoc.SaveToFile(dir.filePath(name), format));
        TVXLabelFMX back;
        try {
            ASSERT_TRUE(back.LoadFromFile(dir.filePath(name)));
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the saved label does not open: " << e.what();
            continue;
        }
        EXPECT_EQ(Snapshot(back), Snapshot(aDoc));
    }
}

struct TRow
{
    const char* Name;
    uint8_t Action;
    std::vector<TEntry> Given;  // the points before the one under test
    TEntry Last;
    bool Refused;
    // After a refusal, the points that finish the drawing; none where the
    // points kept can make nothing within the range.
    std::vector<TEntry> Then = {};
    TKVRUnits Units = TKVRUnits::Millimetre;
    int32_t Param = 0;
};

// The row's points go to a fresh editor; aTold collects what it tells the user.
void Draw(const TRow& aRow, const QStringList& aTold)
{
    TEditorInput in;
    in.doc.SetUnits(aRow.Units);
    in.doc.StartAction(aRow.Action, aRow.Param);
    for (const TEntry& e : aRow.Given)
        Give(in, e);
    ASSERT_TRUE(aTold.isEmpty()) << aTold.join('\n').toStdString();
    ASSERT_EQ(in.doc.GetAct().NumPoints(), int32_t(aRow.Given.size()));
    const std::string before = Snapshot(in.doc);
    const TDrawing drawing = DrawingOf(in.doc);
    Give(in, aRow.Last);
    if (!aRow.Refused) {
        EXPECT_TRUE(aTold.isEmpty()) << aTold.join('\n').toStdString();
        ASSERT_EQ(in.doc.GetItemsCount(), 1);
        ExpectReadsBack(in.doc);
        return;
    }
    // Refused as a point outside the range: a typed entry says so and
    // stays in the box; a click is dropped as one off the label is.
    const bool typed = aRow.Last.By == TEntry::TBy::Typed;
    EXPECT_EQ(aTold, typed ? QStringList{TKVRMsg::GetErrorValue(QStringLiteral("CoordRange"))} : QStringList{});
    if (typed) {
        EXPECT_EQ(in.editor.GetInputText(), aRow.Last.Text);
    }
    EXPECT_EQ(Snapshot(in.doc), before);
    EXPECT_TRUE(DrawingOf(in.doc) == drawing) << "the drawing goes on with the points it had";
    if (aRow.Then.empty())
        return;
    // The refused entry is cleared as any typing is, with Backspace.
    for (qsizetype i = 0; typed && i < aRow.Last.Text.size(); ++i)
        in.Key(Qt::Key_Backspace);
    for (const TEntry& e : aRow.Then)
        Give(in, e);
    EXPECT_EQ(aTold.size(), typed ? 1 : 0);
    ASSERT_EQ(in.doc.GetItemsCount(), 1);
    ExpectReadsBack(in.doc);
}

}  // namespace

TEST(EditorFarPoints, EveryDrawingActionMakesOnlyWhatTheFilesReadBack)
{
    // Millimetres near the range's end (2^53 µm), each corner within it.
    const TEntry fF = Typed("9000000000000,9000000000000"), mFmF = Typed("-9000000000000,-9000000000000"),
                 fmF = Typed("9000000000000,-9000000000000"), mFf = Typed("-9000000000000,9000000000000");
    const std::vector<TRow> rows = {
        // Points far apart: the element lies within them.
        {"line", 4, {Typed("0,0")}, mFmF, false},
        {"arrow line", 5, {Typed("0,0")}, mFmF, false},
        {"rectangle", 6, {mFmF}, fF, false},
        {"polyline", 7, {mFmF, fmF, fF}, Right(), false},
        {"polygon", 9, {mFmF, fmF, fF}, Right(), false},
        {"Bezier curve", 10, {mFmF, fmF, fF, mFf}, Right(), false},
        {"ellipse in a box", 18, {mFmF}, fF, false},
        {"paragraph", 19, {mFmF}, fF, false},
        {"rich text", 24, {mFmF}, fF, false},
        {"table", 29, {mFmF}, fF, false},
        {"rank", 33, {mFmF}, fF, false},
        {"nutrition score", 34, {mFmF}, fF, false},
        {"package", 37, {mFmF}, fF, false},
        {"flowchart node", 39, {mFmF}, fF, false, {}, TKVRUnits::Millimetre, 1},
        // Elements that reach past their points.
        // The refused point is no base for the next: 10 mm right of the centre.
        {"circle: a far radius point typed", 11, {Click(50, 30)}, mFmF, true, {Typed("@10,0")}},
        {"circle: the radius clicked after a far centre", 11, {mFmF}, Click(50, 30), true,
         {Typed("-8999000000000,-9000000000000")}},
        {"circle: the radius typed as a length", 11, {Typed("-9000000000000,0")}, Typed("9000000000000"), true,
         {Typed("1000000000")}},
        {"circle on a diameter", 12, {Click(50, 30)}, mFmF, true, {Click(60, 40)}},
        {"circle through three points", 8, {Typed("-1000000000000,0"), Click(50, 30)}, Typed("0,9000000000000"),
         true, {Typed("0,1000000000000")}},
        {"arc through three points", 13, {Typed("4976477588,-4616189618.055"), Typed("-96,9007199255")},
         Typed("0,0"), true, {}, TKVRUnits::Metre},
        {"ellipse: its last axis", 14, {Typed("0,1000000000000"), Typed("10000000,1000000000000")},
         Typed("0,-9000000000000"), true, {Typed("0,0")}},
        {"sector: its last point clicked", 36, {mFmF, Click(50, 30)}, Click(60, 40), true},
        {"sector: its last point typed", 36, {mFmF, Click(50, 30)}, Typed("0,0"), true},
        {"level", 35, {Click(50, 30)}, mFmF, true, {Click(60, 30)}},
        // Its dimension line runs across the place, square to the slanted
        // side measured: its ends lie beyond the place.
        {"linear dimension: its place", 38, {Click(20, 20), Click(28, 14)},
         Typed("@-851180329573,-851180329573"), true, {Click(40, 40)}, TKVRUnits::Centimetre},
        {"radius dimension", 47, {Click(50, 30)}, mFmF, true, {Click(60, 30)}},
    };
    TKVRLabelOpeners& openers = KVRLabelOpeners();
    const auto keep = openers.ShowMessage;
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        QStringList told;
        openers.ShowMessage = [&told](const QString& aText) { told << aText; };
        Draw(row, told);
    }
    openers.ShowMessage = keep;
}

// The rubber band stays on the points the document kept: a refused point
// is no anchor of it.
TEST(EditorFarPoints, ARefusedPointLeavesTheRubberBandOnThePointsKept)
{
    TKVRLabelOpeners& openers = KVRLabelOpeners();
    const auto keep = openers.ShowMessage;
    openers.ShowMessage = [](const QString&) {};
    TEditorInput in;
    in.doc.StartAction(11);
    Give(in, Click(50, 30));
    Give(in, Typed("-9000000000000,-9000000000000"));
    ASSERT_EQ(in.doc.GetAct().NumPoints(), 1);
    in.Move(in.Px(60000, 40000));
    in.Move(in.Px(62000, 39000));
    const QImage shown = in.Surface()->grab().toImage();
    // The circle round the centre kept, through the pointer (15 mm away):
    // ink on its far side and at its top.
    const auto inkNear = [&shown](QPoint p) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (QColor(shown.pixel(p + QPoint(dx, dy))) != QColor(Qt::white))
                    return true;
        return false;
    };
    EXPECT_TRUE(inkNear(in.Px(35000, 30000)));
    EXPECT_TRUE(inkNear(in.Px(50000, 15000)));
    EXPECT_FALSE(inkNear(in.Px(50000, 30000))) << "nothing at the centre";
    openers.ShowMessage = keep;
}
