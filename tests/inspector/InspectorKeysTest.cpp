// Keys into the inspector's painted box, offscreen, on a real document: each
// case opens a box, types, and reads what the element then holds.
#include "document/KVR.FMX.Shared.Factory.h"
#include "elements/TKVRImage.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseCircle.h"
#include "platform/rtl/model/TKVRBaseEllipse.h"
#include "platform/rtl/model/TKVRBaseImage.h"
#include "platform/rtl/model/TKVRBaseLevel.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBaseNutri.h"
#include "platform/rtl/model/TKVRBasePDF417.h"
#include "platform/rtl/model/TKVRBasePackage.h"
#include "platform/rtl/model/TKVRBasePara.h"
#include "platform/rtl/model/TKVRBaseQRCode.h"
#include "platform/rtl/model/TKVRBaseRank.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include "platform/rtl/model/TKVRBaseSector.h"
#include "platform/rtl/model/TKVRBaseTable.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include "tests/inspector/InspectorFixture.h"
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLocale>
#include <QTest>
#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

namespace {

constexpr int WidthPos = 260, TextPos = 180;

bool Locate(const TKVRBaseInspector& aGrid, int aPos, int& aRow, int& aPart)
{
    for (int r = 0; r < int(aGrid.GetRows().size()); ++r)
        for (int j = 1; j <= aGrid.GetRows()[size_t(r)]["N"].get<int>(); ++j)
            if (aGrid.GetRows()[size_t(r)][K("P", j)] == aPos) {
                aRow = r;
                aPart = j;
                return true;
            }
    return false;
}

TJsonObject Shown(const TKVRBaseInspector& aGrid, int aPos)
{
    int r = 0, j = 0;
    return Locate(aGrid, aPos, r, j) ? aGrid.GetRows()[size_t(r)][K("Value", j)] : TJsonObject();
}

struct TFixture : TInspectorFixture
{    // Sets the width, then opens its box with these bounds and step.
    void OpenWidth(double aValue, double aMin, double aMax, double aStep)
    {
        Doc.SelectItem(Rect, false);
        Doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Size, WidthPos, {{"ext", aValue}});
        int r = 0, j = 0;
        ASSERT_TRUE(Locate(Grid, WidthPos, r, j));
        TJsonObject& row = Grid.GetRows()[size_t(r)];
        row[K("M", j)] = aMin;
        row[K("X", j)] = aMax;
        row[K("I", j)] = aStep;
        Grid.Edit(r, j);
        ASSERT_TRUE(Grid.GetEdit().Active);
    }
    void Send(QEvent::Type aType, int aKey, Qt::KeyboardModifiers aMods, const QString& aText = {})
    {
        QKeyEvent event(aType, aKey, aMods, aText);
        QApplication::sendEvent(&Grid, &event);
    }
};

// Keys: a character types it; else a named key.
struct TKey
{
    char Char;
    Qt::Key Key;
};
constexpr TKey Up{0, Qt::Key_Up}, Home{0, Qt::Key_Home}, Backspace{0, Qt::Key_Backspace};
TKey Ch(char aChar) { return {aChar, Qt::Key_unknown}; }

template <class TKeys>
void Press(QWidget& aGrid, const TKeys& aKeys)
{
    for (const TKey& key : aKeys)
        if (key.Char)
            QTest::keyClick(&aGrid, key.Char);
        else
            QTest::keyClick(&aGrid, key.Key);
}

struct TNumberCase
{
    const char* Name;
    double Value, Min, Max, Step;
    bool SelectAll;
    int Caret;  // -1: at the end
    std::vector<TKey> Keys;
    std::vector<double> Stored;  // the element's width after each key
    const char* Text;            // the box's text at the end
};

void RunNumberBoxTable()
{
    const TNumberCase cases[] = {
        {"no step past the maximum", 9.8, 0, 10, 0.5, false, -1, {Up}, {9.8}, "9.8"},
        {"a step onto the maximum", 9.5, 0, 10, 0.5, false, -1, {Up}, {10}, "10"},
        {"above the maximum sends it", 50, 1, 99, 1, false, -1, {Ch('0')}, {99}, "99"},
        {"below the minimum keeps the digits", 50, 5, 99, 1, true, 0, {Ch('1'), Ch('2')}, {5, 12}, "12"},
        {"a leading zero sends the value again", 50, 0, 99, 1, false, 0, {Ch('0')}, {50}, "50"},
        {"a comma moves the caret only", 25.4, 0, 99, 1, false, 0, {Ch(','), Ch('7')}, {25.4, 25.74}, "25.74"},
        {"a point too", 25.4, 0, 99, 1, false, 0, {Ch('.'), Ch('1'), Home}, {25.4, 25.14, 25.14}, "25.14"},
        {"a letter is refused", 25.4, 0, 99, 1, false, -1, {Ch('x')}, {25.4}, "25.4"},
    };
    for (const TNumberCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFixture f;
        f.OpenWidth(c.Value, c.Min, c.Max, c.Step);
        if (c.SelectAll)
            f.Grid.DblClick();
        else if (c.Caret >= 0)
            for (int i = 0; i < 10; ++i)
                QTest::keyClick(&f.Grid, Qt::Key_Left);
        for (size_t i = 0; i < c.Keys.size(); ++i) {
            if (c.Keys[i].Char)
                QTest::keyClick(&f.Grid, c.Keys[i].Char);
            else
                QTest::keyClick(&f.Grid, c.Keys[i].Key);
            EXPECT_NEAR(Shown(f.Grid, WidthPos).get<double>(), c.Stored[i], 1e-9) << i;
            EXPECT_NEAR((f.Rect->GetPoint(2).X - f.Rect->GetPoint(1).X) / 1000.0, c.Stored[i], 1e-3) << i;
        }
        EXPECT_EQ(f.Grid.GetEdit().Text, QString::fromLatin1(c.Text));
        QTest::keyClick(&f.Grid, Qt::Key_Escape);
        EXPECT_FALSE(f.Grid.GetEdit().Active);
    }
}

// The key tests run as they are and again in a ctest entry under
// LC_ALL=de_DE.UTF-8, where Qt has set the C library's locale to write a
// comma. A run asking for that locale must really be in it, or say why not.
class InspectorKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QByteArray asked = qgetenv("LC_ALL");
        if (!asked.startsWith("de_DE"))
            return;
        const std::string point = std::localeconv()->decimal_point;
        if (point != ",")
            GTEST_SKIP() << "LC_ALL=" << asked.constData() << " is not in effect (the C library writes '" << point
                         << "'): the locale is missing; create it with localedef -i de_DE -f UTF-8 de_DE.UTF-8";
        if (QLocale::system().language() != QLocale::German)
            GTEST_SKIP() << "LC_ALL=" << asked.constData() << " but Qt's system locale is "
                         << QLocale::system().name().toStdString();
    }
};

TEST_F(InspectorKeys, NumberBoxTable)
{
    RunNumberBoxTable();
}

// A comma locale changes nothing: the boxes show and read a point.
TEST_F(InspectorKeys, NumberBoxTableUnderACommaLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    RunNumberBoxTable();
    QLocale::setDefault(before);
}

// A comma or a point types the decimal point in every locale; a digit
// edited in a long value leaves the others as they were.
TEST_F(InspectorKeys, TypedValuesReadAlikeInEveryLocale)
{
    struct TCase
    {
        const char* Name;
        double Value;
        int Lefts;  // -1: all selected, else caret moves left from the end
        std::vector<TKey> Keys;
        double Stored;
        const char* Text;
    };
    const TCase cases[] = {
        {"3,5", 20, -1, {Ch('3'), Ch(','), Ch('5')}, 3.5, "3.5"},
        {"3.5", 20, -1, {Ch('3'), Ch('.'), Ch('5')}, 3.5, "3.5"},
        {"a typed zero stays", 20, -1, {Ch('3'), Ch(','), Ch('0'), Ch('5')}, 3.05, "3.05"},
        {"a point into a whole number", 35, 1, {Ch(',')}, 3.5, "3.5"},
        {"a point after a whole number", 35, 0, {Ch(','), Ch('2')}, 35.2, "35.2"},
        {"a decimal of 20,000.123", 20000.123, 2, {Backspace, Ch('9')}, 20000.923, "20000.923"},
        {"the last decimal of 20,000.123", 20000.123, 0, {Backspace, Ch('4')}, 20000.124, "20000.124"},
        {"a thousand of 20,000.123", 20000.123, 7, {Backspace, Ch('5')}, 25000.123, "25000.123"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFixture f;
        f.OpenWidth(c.Value, 0, 100000, 1);
        ASSERT_EQ(f.Grid.GetEdit().Text, QString::number(c.Value, 'g', 10));
        if (c.Lefts < 0)
            f.Grid.DblClick();
        for (int i = 0; i < c.Lefts; ++i)
            QTest::keyClick(&f.Grid, Qt::Key_Left);
        Press(f.Grid, c.Keys);
        EXPECT_EQ(f.Grid.GetEdit().Text, QString::fromLatin1(c.Text));
        EXPECT_DOUBLE_EQ(Shown(f.Grid, WidthPos).get<double>(), c.Stored);
        // Held to the micrometre, so a float would lose the last digit.
        EXPECT_EQ(f.Rect->GetPoint(2).X - f.Rect->GetPoint(1).X, std::llround(c.Stored * 1000));
    }
}

// A comma sends nothing: it only moves the caret behind the point.
TEST_F(InspectorKeys, ACommaSendsNothing)
{
    TFixture f;
    f.OpenWidth(25.4, 0, 99, 1);
    const int items = f.Count.Items;
    QTest::keyClick(&f.Grid, Qt::Key_Home);
    QTest::keyClick(&f.Grid, ',');
    EXPECT_EQ(f.Count.Items, items);
    EXPECT_EQ(f.Grid.GetEdit().CursorPos, 3);
}

TEST_F(InspectorKeys, AltCodeAndPaste)
{
    TFixture f;
    f.Doc.SelectItem(f.Text, false);
    int r = 0, j = 0;
    ASSERT_TRUE(Locate(f.Grid, TextPos, r, j));
    f.Grid.Edit(r, j);
    f.Grid.DblClick();
    QTest::keyClick(&f.Grid, 'b');
    ASSERT_EQ(f.Text->GetText(), QStringLiteral("b"));
    // Alt held, keypad 6 and 5, Alt released: one "A", sent once.
    const int items = f.Count.Items;
    const Qt::KeyboardModifiers alt = Qt::AltModifier, pad = Qt::AltModifier | Qt::KeypadModifier;
    // As the window system sends them: the modifier state before the event
    // (QKeyEvent turns it into the state after it).
    f.Send(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    f.Send(QEvent::KeyPress, Qt::Key_6, pad);
    f.Send(QEvent::KeyRelease, Qt::Key_6, pad);
    f.Send(QEvent::KeyPress, Qt::Key_5, pad);
    f.Send(QEvent::KeyRelease, Qt::Key_5, pad);
    EXPECT_EQ(f.Text->GetText(), QStringLiteral("b"));
    f.Send(QEvent::KeyRelease, Qt::Key_Alt, alt);
    EXPECT_EQ(f.Text->GetText(), QStringLiteral("bA"));
    EXPECT_EQ(f.Count.Items, items + 1);
    // Ctrl+V pastes; Ctrl+Shift+V does not; typing takes the same characters.
    QApplication::clipboard()->setText(QStringLiteral("<x>"));
    QTest::keyClick(&f.Grid, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.Text->GetText(), QStringLiteral("bA"));
    QTest::keyClick(&f.Grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.Text->GetText(), QStringLiteral("bA<x>"));
    QTest::keyClick(&f.Grid, '<');
    EXPECT_EQ(f.Text->GetText(), QStringLiteral("bA<x><"));
    QTest::keyClick(&f.Grid, Qt::Key_Backspace);
    EXPECT_EQ(f.Text->GetText(), QStringLiteral("bA<x>"));
}

// The spin arrows repeat while held and only while the box is open.
TEST_F(InspectorKeys, SpinRepeatsWhileHeld)
{
    TFixture f;
    f.OpenWidth(20, 0, 1000, 1);
    const TDataEdit& e = f.Grid.GetEdit();
    const QPoint up(e.Left + e.Width - 4, e.Top + 3), down(e.Left + e.Width - 4, e.Top + e.Height - 3);
    QTest::mousePress(f.Grid.viewport(), Qt::LeftButton, {}, up);
    EXPECT_DOUBLE_EQ(Shown(f.Grid, WidthPos).get<double>(), 21);
    QTRY_VERIFY_WITH_TIMEOUT(Shown(f.Grid, WidthPos).get<double>() >= 23, 2000);
    QTest::mouseRelease(f.Grid.viewport(), Qt::LeftButton, {}, up);
    const double released = Shown(f.Grid, WidthPos).get<double>();
    QTest::qWait(300);
    EXPECT_EQ(Shown(f.Grid, WidthPos).get<double>(), released);
    QTest::mousePress(f.Grid.viewport(), Qt::LeftButton, {}, down);
    EXPECT_EQ(Shown(f.Grid, WidthPos).get<double>(), released - 1);
    // Closing the box stops the repeat, the button still down.
    QTest::keyClick(&f.Grid, Qt::Key_Return);
    EXPECT_FALSE(f.Grid.IsTimerActive());
    const double closed = Shown(f.Grid, WidthPos).get<double>();
    QTest::qWait(300);
    EXPECT_EQ(Shown(f.Grid, WidthPos).get<double>(), closed);
    QTest::mouseRelease(f.Grid.viewport(), Qt::LeftButton, {}, down);
}

}  // namespace

// A barcode's value box takes what its symbology takes.
TEST_F(InspectorKeys, BarcodeValueKeys)
{
    struct TCase
    {
        TKVRBarType Type;
        const char* Code;
        char Typed;
        const char* Stored;
    };
    const TCase cases[] = {
        {TKVRBarType(0), "400638133393", 'a', "400638133393"},
        {TKVRBarType(0), "400638133393", '1', "4006381333931"},
        {TKVRBarType(10), "ABC", 'a', "ABCa"},
        {TKVRBarType(10), "ABC", '~', "ABC~"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed);
        TFixture f;
        auto* code = f.Doc.AddBaseBarcode(0, 40000, QString::fromLatin1(c.Code), c.Type);
        ASSERT_TRUE(code);
        f.Doc.SelectItem(code, false);
        int r = 0, j = 0;
        ASSERT_TRUE(Locate(f.Grid, 400, r, j));
        f.Grid.Edit(r, j);
        ASSERT_TRUE(f.Grid.GetEdit().Active);
        QTest::keyClick(&f.Grid, c.Typed);
        EXPECT_EQ(code->GetCode(), QString::fromLatin1(c.Stored));
    }
}

// The integer box: a leading zero and a comma are refused, a value above
// the maximum sends the maximum, the box shows the reply.
TEST_F(InspectorKeys, IntegerBoxKeys)
{
    TFixture f;
    auto* code = f.Doc.AddBasePDF417(0, 40000, QStringLiteral("text"));
    ASSERT_TRUE(code);
    f.Doc.SelectItem(code, false);
    int r = 0, j = 0;
    ASSERT_TRUE(Locate(f.Grid, 443, r, j));
    f.Grid.Edit(r, j);
    ASSERT_TRUE(f.Grid.GetEdit().Active);
    ASSERT_EQ(f.Grid.GetEdit().InputType, KVRInputType::Integer);
    f.Grid.DblClick();
    QTest::keyClick(&f.Grid, '3');
    EXPECT_EQ(int(code->GetCorrectionLevel()), 3);
    QTest::keyClick(&f.Grid, Qt::Key_Home);
    QTest::keyClick(&f.Grid, Qt::Key_Left);
    QTest::keyClick(&f.Grid, '0');
    QTest::keyClick(&f.Grid, ',');
    EXPECT_EQ(f.Grid.GetEdit().Text, QStringLiteral("3"));
    QTest::keyClick(&f.Grid, Qt::Key_End);
    QTest::keyClick(&f.Grid, Qt::Key_Right);
    QTest::keyClick(&f.Grid, '5');
    EXPECT_EQ(int(code->GetCorrectionLevel()), 8);
    EXPECT_EQ(f.Grid.GetEdit().Text, QStringLiteral("8"));
}

// Text rows take every character typed, key by key, as the element holds
// it; the barcode's value keeps its symbology's filter (BarcodeValueKeys).
TEST_F(InspectorKeys, TextRowsTakeEveryCharacter)
{
    const struct
    {
        const char* Name;
        int Kind;  // 10 text, 15 QR code
        int Pos;
        QString Typed;
    } cases[] = {
        {"an address into a QR code", 15, 440, QStringLiteral("https://example.org/a?b=1")},
        {"punctuation into a text", 10, TextPos, QStringLiteral("Hi! a/b: (x) & y?")},
        {"quotes, brackets and more", 10, TextPos, QStringLiteral("\"q\" 'r' [s] {t} <u> ~^`|\\ =*;")},
        {"beyond ASCII and the BMP", 10, TextPos, QString::fromUtf8("Größe 5 € – \xF0\x9F\x98\x80 o")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TFixture f;
        TKVRBaseItem* item = f.Text;
        if (c.Kind == 15)
            item = f.Doc.AddBaseQRCode(0, 40000, QStringLiteral("x"));
        f.Doc.SelectItem(item, false);
        int r = 0, j = 0;
        ASSERT_TRUE(Locate(f.Grid, c.Pos, r, j));
        f.Grid.Edit(r, j);
        f.Grid.DblClick();
        // Key by key, each key's text one UTF-16 unit, as a keyboard sends them.
        for (const QChar ch : c.Typed) {
            f.Send(QEvent::KeyPress, Qt::Key_unknown, {}, QString(ch));
            f.Send(QEvent::KeyRelease, Qt::Key_unknown, {}, QString(ch));
        }
        EXPECT_EQ(QString::fromStdString(Shown(f.Grid, c.Pos).get<std::string>()), c.Typed);
        EXPECT_EQ(f.Grid.GetEdit().Text, c.Typed);
        EXPECT_EQ(f.Grid.GetEdit().CursorPos, c.Typed.size());
        // Backspace takes a character beyond the BMP whole.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(&f.Grid, Qt::Key_Backspace);
        QList<uint> points = c.Typed.toUcs4();
        points.resize(points.size() - 4);
        EXPECT_EQ(QString::fromStdString(Shown(f.Grid, c.Pos).get<std::string>()),
                  QString::fromUcs4(reinterpret_cast<const char32_t*>(points.data()), points.size()));
    }
}

// Signs and cleared boxes: a leading minus is kept where the range goes
// below zero, refused where it does not; a box cleared by Backspace takes
// what is typed next, whatever its minimum.
TEST_F(InspectorKeys, MinusAndClearedBoxes)
{
    constexpr int FontHeightPos = 161, StartPos = 312, LevelPos = 601;
    enum TOpen { Whole, End, Front };  // all selected, caret at the end, caret in front
    const struct
    {
        const char* Name;
        int Kind;  // 6 rectangle, 10 text, 23 level, 27 sector
        int Pos;
        double Value;  // set first
        TOpen Open;
        std::vector<TKey> Keys;
        double Stored;
        const char* Text;
    } cases[] = {
        {"-5 into X1", 6, 1002, 12, Whole, {Ch('-'), Ch('5')}, -5, "-5"},
        {"-2,5 into X1", 6, 1002, 12, Whole, {Ch('-'), Ch('2'), Ch(','), Ch('5')}, -2.5, "-2.5"},
        {"-0,5 into X1", 6, 1002, 12, Whole, {Ch('-'), Ch('0'), Ch('.'), Ch('5')}, -0.5, "-0.5"},
        {"a minus in front of X1", 6, 1002, 12, Front, {Ch('-')}, -12, "-12"},
        {"no second minus", 6, 1002, -12, Front, {Ch('-')}, -12, "-12"},
        {"no minus inside", 6, 1002, 12, End, {Ch('-')}, 12, "12"},
        {"-30 into an angle", 27, StartPos, 10, Whole, {Ch('-'), Ch('3'), Ch('0')}, -30, "-30"},
        {"-7 into a level", 23, LevelPos, 3, Whole, {Ch('-'), Ch('7')}, -7, "-7"},
        {"a cleared X1 takes a minus", 6, 1002, 4, End, {Backspace, Ch('-'), Ch('8')}, -8, "-8"},
        {"no minus for a width", 6, WidthPos, 12, Whole, {Ch('-'), Ch('5')}, 5, "5"},
        {"font height 3, Backspace, 5", 10, FontHeightPos, 3, End, {Backspace, Ch('5')}, 5, "5"},
        {"font height cleared whole, 5", 10, FontHeightPos, 3, Whole, {Backspace, Ch('5')}, 5, "5"},
        {"font height 3, Backspace, 0,5", 10, FontHeightPos, 3, End, {Backspace, Ch(','), Ch('5')}, 0.5, "0.5"},
        {"width 7, Backspace, 25", 6, WidthPos, 7, End, {Backspace, Ch('2'), Ch('5')}, 25, "25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TFixture f;
        TKVRBaseItem* item = c.Kind == 6 ? static_cast<TKVRBaseItem*>(f.Rect) : f.Text;
        if (c.Kind == 23)
            item = f.Doc.AddBaseLevel(50000, 50000, 8000);
        else if (c.Kind == 27)
            item = f.Doc.AddBaseSector(50000, 50000, 8000, 0.0f, 90.0f);
        f.Doc.SelectItem(item, false);
        int r = 0, j = 0;
        ASSERT_TRUE(Locate(f.Grid, c.Pos, r, j));
        const TJsonObject& row = f.Grid.GetRows()[size_t(r)];
        f.Doc.UpdateProp(KVRInsProp::Number, row["Kind"].get<int>(), row["Type"].get<int>(), c.Pos,
                         {{"ext", c.Value}});
        ASSERT_DOUBLE_EQ(Shown(f.Grid, c.Pos).get<double>(), c.Value);
        ASSERT_TRUE(Locate(f.Grid, c.Pos, r, j));
        f.Grid.Edit(r, j);
        ASSERT_TRUE(f.Grid.GetEdit().Active);
        if (c.Open == Whole)
            f.Grid.DblClick();
        else if (c.Open == Front)
            for (int i = 0; i < 10; ++i)
                QTest::keyClick(&f.Grid, Qt::Key_Left);
        Press(f.Grid, c.Keys);
        EXPECT_EQ(f.Grid.GetEdit().Text, QString::fromLatin1(c.Text));
        EXPECT_DOUBLE_EQ(Shown(f.Grid, c.Pos).get<double>(), c.Stored);
    }
}

// A number typed into one point of a pair the element keeps in order is what
// that pair ends with, whatever the digits passed on the way: typed into X1
// of a box from 10 to 80, 125.5 leaves it from 80 to 125.5 and nothing else
// changed. Each key still goes to the element at once, and the box shows the
// digits as typed. An element that keeps no order ends with the typed value
// in the typed row; a laid-out point follows.
TEST_F(InspectorKeys, ATypedPointEndsWhereTyped)
{
    const struct
    {
        const char* Name;
        TKVRBaseItem* (*Make)(TVXLabelFMX&);
        bool Orders;  // puts X1/X2 and Y1/Y2 in order
    } kinds[] = {
        {"rich text", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseRichText(0, 0, 5000, 5000); }, true},
        {"paragraph", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseParagraph(0, 0, 5000, 5000); }, true},
        {"rectangle", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseRectangle(0, 0, 5000, 5000); }, true},
        {"package", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBasePackage(0, 0, 5000, 5000); }, true},
        {"ellipse", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseEllipse(5000, 5000, 3000, 2000); }, true},
        {"circle", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseCircle(5000, 5000, 3000); }, true},
        {"sector", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseSector(5000, 5000, 3000, 0, 90); }, true},
        {"level", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseLevel(5000, 5000, 3000); }, true},
        {"picture",
         [](TVXLabelFMX& d) -> TKVRBaseItem* {
             return TKVRFactory::AddBaseImage(&d, 0, 0, 5000, 5000, QStringLiteral("pic.png"));
         },
         true},
        {"table", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseTable(0, 0, 5000, 5000); }, true},
        {"rating", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseRank(0, 0, 5000, 5000); }, true},
        {"nutrition score", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseNutriScore(0, 0, 5000, 5000); },
         true},
        {"line", [](TVXLabelFMX& d) -> TKVRBaseItem* { return d.AddBaseLine(0, 0, 5000, 5000); }, false},
    };
    // The keys: '\b' Backspace, 'p' the locale's decimal point, 'u' Up,
    // '\n' Return, '\x1b' Esc. Texts: the box's after each key but the last, which closes.
    const struct
    {
        const char* Name;
        int Pos;  // 1002 X1, 1003 Y1, 1004 X2, 1005 Y2
        const char* Keys;
        std::vector<const char*> Texts;
        double X1, Y1, X2, Y2;  // ordered, after the box closed
    } cases[] = {
        {"125.5 into X1", 1002, "\b\b125p5\n", {"1", "0", "1", "12", "125", "125.", "125.5"}, 80, 103, 125.5, 125},
        {"12.5 after X1's 10", 1002, "12p5\n", {"101", "1012", "1012.", "1012.5"}, 80, 103, 1012.5, 125},
        {"130.5 into Y1", 1003, "\b\b\b130p5\x1b", {"10", "1", "0", "1", "13", "130", "130.", "130.5"}, 10, 125, 80,
         130.5},
        {"5.5 into X2", 1004, "\b\b5p5\n", {"8", "0", "5", "5.", "5.5"}, 5.5, 103, 10, 125},
        {"90 into Y2, back to 120", 1005, "\b\b\b90\b\b120\n",
         {"12", "1", "0", "9", "90", "9", "0", "1", "12", "120"}, 10, 103, 80, 120},
        {"79 into X1, three steps up", 1002, "\b\b79uuu\n", {"1", "0", "7", "79", "80", "81", "82"}, 80, 103, 82,
         125},
    };
    const QString point = QLocale::system().decimalPoint();
    for (const auto& k : kinds)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(k.Name) + ", " + c.Name);
            TFixture f;
            f.Grid.resize(240, 2000);
            TKVRBaseItem* item = k.Make(f.Doc);
            ASSERT_TRUE(item);
            // The demo's rich text: from (10, 103) to (80, 125).
            item->SetBase(1, 10000, 103000);
            item->SetBase(2, 80000, 125000);
            item->CheckPosition();
            f.Doc.SelectItem(item, false);
            const TKVRPto open[2] = {item->GetPoint(1), item->GetPoint(2)};
            ASSERT_EQ(open[0].X, 10000);
            ASSERT_EQ(open[1].Y, 125000);
            QTest::mouseClick(f.Grid.viewport(), Qt::LeftButton, {}, PartCentre(f.Grid, c.Pos, KVRInsProp::Number));
            ASSERT_TRUE(f.Grid.GetEdit().Active);
            // The typed point and coordinate, and the other point's as it opened.
            const int typed = (c.Pos - 1002) / 2;
            const bool y = (c.Pos - 1002) % 2 == 1;
            auto axis = [y](const TKVRPto& p) { return y ? p.Y : p.X; };
            const int64_t other = axis(open[1 - typed]);
            for (size_t i = 0; i < std::strlen(c.Keys); ++i) {
                const char key = c.Keys[i];
                if (key == '\b')
                    QTest::keyClick(&f.Grid, Qt::Key_Backspace);
                else if (key == '\n')
                    QTest::keyClick(&f.Grid, Qt::Key_Return);
                else if (key == '\x1b')
                    QTest::keyClick(&f.Grid, Qt::Key_Escape);
                else if (key == 'u')
                    QTest::keyClick(&f.Grid, Qt::Key_Up);
                else if (key == 'p')
                    QTest::keyClicks(&f.Grid, point);
                else
                    QTest::keyClick(&f.Grid, key);
                if (i >= c.Texts.size())
                    break;
                SCOPED_TRACE(i);
                ASSERT_TRUE(f.Grid.GetEdit().Active);
                const QString text = QString::fromLatin1(c.Texts[i]);
                EXPECT_EQ(f.Grid.GetEdit().Text.toStdString(), c.Texts[i]);
                // What the box shows, and the other point as it opened.
                const int64_t now = std::llround(QLocale::c().toDouble(text) * 1000);
                int64_t first = typed == 0 ? now : other, second = typed == 0 ? other : now;
                if (k.Orders && first > second)
                    std::swap(first, second);
                EXPECT_EQ(axis(item->GetPoint(1)), first);
                EXPECT_EQ(axis(item->GetPoint(2)), second);
                // The other coordinate of both points is left as it was.
                EXPECT_EQ(y ? item->GetPoint(1).X : item->GetPoint(1).Y, y ? open[0].X : open[0].Y);
                EXPECT_EQ(y ? item->GetPoint(2).X : item->GetPoint(2).Y, y ? open[1].X : open[1].Y);
            }
            EXPECT_FALSE(f.Grid.GetEdit().Active);
            // The line's typed row keeps what was typed, the other row its own.
            double expected[4] = {c.X1, c.Y1, c.X2, c.Y2};
            if (!k.Orders) {
                for (int p = 0; p < 4; ++p)
                    expected[p] = (p % 2 ? open[p / 2].Y : open[p / 2].X) / 1000.0;
                expected[c.Pos - 1002] = QLocale::c().toDouble(QString::fromLatin1(c.Texts.back()));
            }
            for (int p = 0; p < 4; ++p) {
                EXPECT_EQ(p % 2 ? item->GetPoint(p / 2 + 1).Y : item->GetPoint(p / 2 + 1).X,
                          std::llround(expected[p] * 1000))
                    << p;
                EXPECT_DOUBLE_EQ(PartShown(f.Grid, 1002 + p, KVRInsProp::Number).get<double>(), expected[p]) << p;
            }
        }
}
