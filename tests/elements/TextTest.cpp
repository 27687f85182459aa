#include "elements/TKVRParagraph.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRText.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ContentTestSupport.h"
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

// A black text at (x, y) micrometres.
TKVRText* MakeText(TKVRBaseLabel& label, const QString& text, int64_t x, int64_t y, int32_t height = 5000)
{
    auto* t = new TKVRText(&label);
    t->SetBase(1, x, y);
    t->SetText(text);
    t->SetFontName(QStringLiteral("Arial"));
    t->SetBaseFontHeight(height);
    t->SetPenWidth(0.0f);  // no frame unless a test asks for one
    return t;
}

// The pixels of a clearly red colour in the columns x-1 .. x+1.
int RedInColumns(const QImage& image, int x)
{
    return RedCount(image.copy(x - 1, 0, 3, image.height()));
}

}  // namespace

// ---------------------------------------------------------------- streams

namespace {

// The three text kinds share one record; each is made with "Visible" at
// (5, 5) mm (the boxes 60 x 20 mm), 4 mm high, spacing or stretch 2.0.
struct TTextKind
{
    const char* Name;
    TKVRBaseTextItem* (*Make)(TKVRBaseLabel&);
    BinaryReadFn Read;
    TKVRBaseItem* (*ReadJson)(TKVRBaseLabel*, int32_t, const TJsonObject&);
    int32_t DefaultHeight;
};

template <class T>
TKVRBaseTextItem* MakeKind(TKVRBaseLabel& l)
{
    auto* t = new T(&l);
    t->SetText(QStringLiteral("Visible"));
    if constexpr (std::is_same_v<T, TKVRText>) {
        t->SetScale(2.0f);
    } else {
        t->SetScaleX(2.0f);
        t->SetBase(2, 65000, 25000);
    }
    t->SetBase(1, 5000, 5000);
    t->SetBaseFontHeight(4000);
    return t;
}

const TTextKind kTextKinds[] = {
    {"text", MakeKind<TKVRText>, TKVRText::Read, TKVRText::ReadFromJson, 10000},
    {"paragraph", MakeKind<TKVRParagraph>, TKVRParagraph::Read, TKVRParagraph::ReadFromJson, 6000},
    {"rich text", MakeKind<TKVRRichText>, TKVRRichText::Read, TKVRRichText::ReadFromJson, 6000},
};

}  // namespace

// Every field set away from its default survives the binary and the JSON
// road exactly; a short or damaged record leaves no element behind.
TEST(TextStreams, RoundTripsAreExactAndDamageLeavesNoElement)
{
    for (const TTextKind& k : kTextKinds) {
        SCOPED_TRACE(k.Name);
        TKVRBaseLabel label;
        TKVRBaseTextItem* t = k.Make(label);
        t->SetBase(1, 12000, -3000);
        t->SetFontName(QStringLiteral("Liberation Serif"));
        t->SetBold(true);
        t->SetItalic(true);
        t->SetUnderline(true);
        t->SetStrikeout(true);
        t->SetFontColor(0xFF102030);
        t->SetAngle(TKVRAngle::Angle270);
        t->SetHorzAlign(TKVRHorzAlign::Right);
        t->SetVertAlign(TKVRVertAlign::Center);
        t->SetBasePadX(700);
        t->SetBasePadY(300);
        t->SetBaseRadio(1500);
        t->SetFilled(true);
        t->SetAlpha(0);
        t->SetBackColor(0xFFEEDDCC);
        t->SetFillType(2);
        t->SetFillName(QStringLiteral("Price"));
        t->SetFormat(QStringLiteral("#,##0.00"));
        if (auto* text = dynamic_cast<TKVRText*>(t))
            text->SetMaxWidth(40000);
        if (auto* para = dynamic_cast<TKVRBasePara*>(t)) {
            para->SetAutoGrow(true);
            para->SetAutoShrink(true);
        }
        if (auto* rich = dynamic_cast<TKVRRichText*>(t))
            rich->SetText(QStringLiteral("<B>Fett</B> und <FC:FF0000>rot</FC><BR><C>Mitte – µm</C>"));
        const QByteArray first = WriteBinary(*t);
        EXPECT_EQ(RoundTripBinary(label, *t, k.Read), first);
        TKVRBaseItem* copy = k.ReadJson(&label, KVRFileVersion, TJsonObject::parse(WriteJsonText(*t).toStdString()));
        EXPECT_EQ(WriteJsonText(*copy), WriteJsonText(*t));
        EXPECT_EQ(WriteBinary(*copy), first);
        if (auto* rich = dynamic_cast<TKVRRichText*>(copy)) {
            // A read rich text comes with its formats and runs.
            EXPECT_EQ(first.left(4), QByteArray::fromRawData("\x1D\x00\x00\x00", 4));  // kind 29
            EXPECT_EQ(rich->GetFormats(), static_cast<TKVRRichText*>(t)->GetFormats());
            EXPECT_EQ(rich->GetPlainText(), QStringLiteral("Fett und rot\nMitte – µm"));
        }

        const int count = label.GetItemsCount();
        EXPECT_GT(CheckTruncatedRecords(label, *t, k.Read), 60);
        for (const char* key : {"PaddingX", "Text", "Points"}) {
            TJsonObject bad = t->WriteJson();
            bad[key] = TJsonObject::array({true});  // of no kind the key can hold
            EXPECT_THROW(k.ReadJson(&label, KVRFileVersion, bad), std::runtime_error) << key;
        }
        TJsonObject bad = t->WriteJson();
        bad["Radius"] = -5;
        EXPECT_THROW(k.ReadJson(&label, KVRFileVersion, bad), EKVRDataError);
        EXPECT_EQ(label.GetItemsCount(), count);
    }
}

// A height or scale of 0 means "not stored" and reads as the kind's default,
// so an old or damaged record still shows its text; values no text can hold
// are refused with a clear error.
TEST(TextStreams, MissingAndImpossibleTextFields)
{
    for (const TTextKind& k : kTextKinds) {
        SCOPED_TRACE(k.Name);
        TKVRBaseLabel label;
        TKVRBaseTextItem* t = k.Make(label);
        const QByteArray bytes = WriteBinary(*t);
        const qsizetype h = bytes.indexOf(QByteArray::fromRawData("\xA0\x0F\x00\x00", 4));         // 4000
        const qsizetype s = bytes.indexOf(QByteArray::fromRawData("\x00\x00\x00\x40", 4), h + 4);  // 2.0f
        ASSERT_GT(h, 0);
        ASSERT_GT(s, h);

        QByteArray blank = bytes;
        blank.replace(h, 4, QByteArray(4, '\0'));
        blank.replace(s, 4, QByteArray(4, '\0'));
        auto* read = dynamic_cast<TKVRBaseTextItem*>(ReadRecord(label, blank, k.Read));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->GetBaseFontHeight(), k.DefaultHeight);
        EXPECT_EQ(WriteBinary(*read).mid(s, 4), QByteArray::fromRawData("\x00\x00\x80\x3F", 4));  // 1.0f
        EXPECT_GT(InkCount(Screen(*read, 900, 400)), 200);
        EXPECT_GT(InkCount(Paper(*read, 900, 400)), 200);

        TJsonObject json = t->WriteJson();
        json.erase("FontHeight");
        json["Scale"] = 0;
        auto* fromJson = dynamic_cast<TKVRBaseTextItem*>(k.ReadJson(&label, KVRFileVersion, json));
        ASSERT_NE(fromJson, nullptr);
        EXPECT_EQ(fromJson->GetBaseFontHeight(), k.DefaultHeight);

        const int count = label.GetItemsCount();
        QByteArray negative = bytes;
        negative.replace(s, 4, QByteArray::fromRawData("\x00\x00\x80\xBF", 4));  // -1.0f
        EXPECT_THROW(ReadRecord(label, negative, k.Read), EKVRDataError);
        json = t->WriteJson();
        json["Angle"] = 256;  // no byte
        EXPECT_THROW(k.ReadJson(&label, KVRFileVersion, json), EKVRJsonError);
        EXPECT_EQ(label.GetItemsCount(), count);
    }
}

// ---------------------------------------------------------------- layout

TEST(TextLayout, NewTextMeasuresTenMillimetresAndScaleStretchesTheWidth)
{
    TKVRBaseLabel label;
    auto* t = new TKVRText(&label);
    t->SetText(QStringLiteral("Widths"));
    t->SetBase(1, 10000, 20000);
    t->CalcValues(0);
    EXPECT_EQ(t->GetBaseFontHeight(), 10000);
    EXPECT_EQ(t->GetLineHeight(), 10000);
    EXPECT_NEAR(t->GetAscent() + t->GetDescent(), 10000, 2);
    const int32_t plain = TKVRCalc::CalcTxtSize(QStringLiteral("Widths"));
    EXPECT_EQ(t->GetTextWidth(), plain);
    // Top-left alignment: the box starts at the reference point.
    EXPECT_EQ(t->GetBounds(), (TKVRRect{10000, 20000, 10000 + plain, 30000}));

    t->SetScale(2.0f);
    t->CalcValues(0);
    EXPECT_EQ(t->GetTextWidth(), 2 * plain);
    t->SetScale(1.25f);
    t->CalcValues(0);
    EXPECT_EQ(t->GetTextWidth(), RoundHalfEven32(plain * 1.25));

    // fontconfig substitutes a family it does not know: the text stays visible.
    t->SetFontName(QStringLiteral("No Such Family 4711"));
    t->CalcValues(0);
    EXPECT_GT(t->GetTextWidth(), 0);
}

TEST(TextLayout, BoundsTurnAboutTheReferencePoint)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("Turn"), 20000, 20000, 4000);
    t->SetBasePadX(1000);
    t->SetBasePadY(500);
    t->CalcValues(0);
    const int64_t w = t->GetTextWidth() + 2000;
    const int64_t h = 4000 + 1000;
    EXPECT_EQ(t->GetBounds(), (TKVRRect{20000, 20000, 20000 + w, 20000 + h}));
    t->SetAngle(TKVRAngle::Angle90);  // reads upwards, lines stack to the right
    t->CalcValues(0);
    EXPECT_EQ(t->GetBounds(), (TKVRRect{20000, 20000 - w, 20000 + h, 20000}));
    t->SetAngle(TKVRAngle::Angle180);
    t->SetHorzAlign(TKVRHorzAlign::Center);
    t->CalcValues(0);
    EXPECT_EQ(t->GetBounds(), (TKVRRect{20000 - (w - w / 2), 20000 - h, 20000 + w / 2, 20000}));
}

// ---------------------------------------------------------------- screen and paper

TEST(TextTwins, FourQuarterTurnsLandInTheSamePlace)
{
    for (int angle = 0; angle < 4; ++angle) {
        TKVRBaseLabel label;
        TKVRText* t = MakeText(label, QStringLiteral("Quarter Hg"), 30000, 30000, 5000);
        t->SetAngle(TKVRAngle(angle));
        t->SetBasePadX(1500);
        t->SetBasePadY(800);
        t->SetPenWidth(0.2f);
        t->SetColor(0xFF0000FF);
        const TTwin twin = Twins(*t, 700, 700);
        const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
        ASSERT_FALSE(a.isEmpty()) << angle;
        // The printed frame straddles the box edge (half a 2.4-pixel pen).
        EXPECT_TRUE(SameBox(a, b, 2)) << "turn " << angle;

        // Without the frame the text ink itself must agree.
        t->SetPenWidth(0.0f);
        const TTwin ink = Twins(*t, 700, 700);
        const QRect c = InkBounds(ink.screen), e = InkBounds(ink.paper);
        EXPECT_TRUE(SameBox(c, e, 2)) << "turn " << angle;
        EXPECT_TRUE(a.contains(c)) << angle;
        // The glyphs run along the turned axis: long side horizontal for 0 and 2.
        EXPECT_EQ(c.width() > c.height(), angle % 2 == 0) << angle;
    }
}

TEST(TextTwins, StretchedCentredTextIsPlacedByItsStretchedWidth)
{
    for (TKVRHorzAlign align : {TKVRHorzAlign::Center, TKVRHorzAlign::Right}) {
        TKVRBaseLabel label;
        TKVRText* t = MakeText(label, QStringLiteral("Stretch"), 50000, 15000, 5000);
        t->SetScale(2.0f);
        t->SetHorzAlign(align);
        t->SetVertAlign(TKVRVertAlign::Center);
        t->SetFilled(true);
        t->SetBackColor(0xFFE0E0E0);  // a light grey box: ink only at the higher threshold
        const TTwin twin = Twins(*t, 1000, 400);
        const QRect a = InkBounds(twin.screen, 100), b = InkBounds(twin.paper, 100);
        ASSERT_FALSE(b.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 2));
        const QRect box = InkBounds(twin.paper, 250);
        EXPECT_TRUE(SameBox(InkBounds(twin.screen, 250), box, 2));
        // The text lies inside its box on paper.
        EXPECT_TRUE(box.adjusted(-1, -1, 1, 1).contains(b)) << BoxText(box) << " / " << BoxText(b);
        const int refX = RoundHalfEven32(PxUm(50000));
        // Ink stops short of the advance by the glyphs' side bearings.
        if (align == TKVRHorzAlign::Center) {
            EXPECT_NEAR((box.left() + box.right()) / 2.0, refX, 1.0);
            EXPECT_NEAR((b.left() + b.right()) / 2.0, refX, 4.0);
        } else {
            EXPECT_NEAR(box.right(), refX, 1.0);
            EXPECT_LE(b.right(), refX);
            EXPECT_GE(b.right(), refX - 12);
        }
    }
}

// ---------------------------------------------------------------- editor

TEST(TextEditor, MaximumWidthClipsOnlyInTheEditor)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("MMMMMMMMMMMMM"), 2000, 2000, 5000);
    t->CalcValues(0);
    const int32_t full = t->GetTextWidth();
    ASSERT_GT(full, 40000);
    t->SetMaxWidth(full / 2);
    const QRect p = InkBounds(Screen(*t, 800, 200));
    const QImage editor = Screen(*t, 800, 200, KVRDrawState::Editor);
    const QRect e = InkBounds(editor);
    // Ink runs from the first glyph's left bearing; the clip cuts at the
    // maximum width from the text's origin.
    EXPECT_NEAR(p.width(), PxUm(full), 12.0);
    EXPECT_NEAR(e.right() + 1, PxUm(2000 + full / 2), 2.0);
    EXPECT_EQ(e.left(), p.left());
}

// While the text is edited in place, the editor measures it on screen and
// shows the caret.
TEST(TextEditor, EditedTextMeasuresItselfAndShowsTheCaret)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("Caret"), 5000, 5000, 6000);
    t->CalcValues(0);
    t->SetItemState(1);
    label.GetAct().SetCurAction(TAct::ActWriteText);
    t->SetText(QStringLiteral("Caret text"));  // the editor typed on
    ScreenSurface s(600, 200, kDpi);
    s.draw.DrawState = KVRDrawState::EditorText;
    s.draw.aFocused = true;
    s.draw.aTxt = t->GetText();
    s.draw.aPos = 0;
    t->Draw(&s.draw);
    EXPECT_EQ(t->GetCaret().cx, 0);
    EXPECT_NEAR(t->GetCaret().cy, PxUm(6000), 2.0);
    // The width was measured on screen.
    EXPECT_NEAR(t->GetTextWidth(), TKVRCalc::CalcTxtSize(QStringLiteral("Caret text")), 200);
    EXPECT_EQ(t->GetBounds().Right, 5000 + t->GetTextWidth());

    s.draw.aPos = 5;
    t->Draw(&s.draw);
    const QImage img = s.Finish().copy();
    EXPECT_NEAR(t->GetCaret().cx, PxUm(TKVRCalc::CalcTxtSize(QStringLiteral("Caret"))), 2.0);
    EXPECT_GT(RedInColumns(img, RoundHalfEven32(PxUm(5000)) + t->GetCaret().cx), t->GetCaret().cy / 2);

    // Out of the editing action no caret is drawn.
    label.GetAct().SetCurAction(0);
    ScreenSurface plain(600, 200, kDpi);
    plain.draw.aFocused = true;
    t->Draw(&plain.draw);
    EXPECT_EQ(RedCount(plain.Finish()), 0);
}
