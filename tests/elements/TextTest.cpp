#include "elements/TKVRText.h"
#include "platform/rtl/KVR.Model.Records.h"
#include "render/TKVRCalc.h"
#include "tests/elements/ElementTestSupport.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr int kDpi = 300;

std::string Box(const QRect& r)
{
    return std::to_string(r.left()) + "," + std::to_string(r.top()) + " - " + std::to_string(r.right()) + "," +
           std::to_string(r.bottom());
}

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

struct TTwin
{
    QImage screen, paper;
};

TTwin PaintTwins(TKVRBaseItem& item, int width = 700, int height = 700)
{
    ScreenSurface screen(width, height, kDpi);
    item.DrawElement(&screen.draw);
    PaperSurface paper(width, height, kDpi);
    item.PrintElement(&paper.draw);
    return {screen.Finish().copy(), paper.Finish().copy()};
}

QByteArray ReadBack(TKVRBaseLabel& label, const QByteArray& bytes, TKVRReadType type, TKVRBaseItem** out = nullptr)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    TBinaryReader reader(&buffer);
    reader.ReadInt32();
    TKVRBaseItem* item = TKVRText::Read(&label, KVRFileVersion, reader, type);
    if (out)
        *out = item;
    return WriteBinary(*item);
}

}  // namespace

// ---------------------------------------------------------------- streams

TEST(TextStreams, BinaryAndJsonRoundTripsAreExact)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("Ø 12 – µm"), 12000, -3000);
    t->SetScale(1.75f);
    t->SetBold(true);
    t->SetUnderline(true);
    t->SetStrikeout(true);
    t->SetFontColor(0xFF102030);
    t->SetAngle(TKVRAngle::Angle270);
    t->SetHorzAlign(TKVRHorzAlign::Right);
    t->SetVertAlign(TKVRVertAlign::Center);
    t->SetBasePaddingX(700);
    t->SetBasePaddingY(300);
    t->SetBaseRadio(1500);
    t->SetMaxWidth(40000);
    t->SetFilled(true);
    t->SetBackColor(0xFFEEDDCC);
    t->SetFillType(1);
    t->SetFillName(QStringLiteral("Price"));
    t->SetFormat(QStringLiteral("0.00"));
    const QByteArray first = WriteBinary(*t);
    EXPECT_EQ(RoundTripBinary(label, *t, TKVRText::Read), first);

    const TJsonObject json = TJsonObject::parse(WriteJsonText(*t).toStdString());
    TKVRBaseItem* copy = TKVRText::ReadFromJson(&label, KVRFileVersion, json);
    ASSERT_NE(dynamic_cast<TKVRText*>(copy), nullptr);
    EXPECT_EQ(WriteJsonText(*copy), WriteJsonText(*t));
    EXPECT_EQ(WriteBinary(*copy), first);
    EXPECT_EQ(label.GetItemsCount(), 3);
}

TEST(TextStreams, DamagedRecordsLeaveNoElement)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("caption"), 0, 0);
    EXPECT_GT(CheckTruncatedRecords(label, *t, TKVRText::Read), 60);

    TJsonObject bad = t->WriteJson();
    bad["Scale"] = -1.0;
    const int before = label.GetItemsCount();
    EXPECT_THROW(TKVRText::ReadFromJson(&label, KVRFileVersion, bad), EKVRDataError);
    bad = t->WriteJson();
    bad["PaddingX"] = "wide";
    EXPECT_THROW(TKVRText::ReadFromJson(&label, KVRFileVersion, bad), EKVRJsonError);
    EXPECT_EQ(label.GetItemsCount(), before);
}

TEST(TextStreams, OnlyTheCellCopyIsReadAsPreview)
{
    TKVRBaseLabel label;
    const QByteArray bytes = WriteBinary(*MakeText(label, QStringLiteral("x"), 0, 0));
    for (TKVRReadType type : {KVRReadType::File, KVRReadType::Paste, KVRReadType::CellCopy}) {
        TKVRBaseItem* item = nullptr;
        EXPECT_EQ(ReadBack(label, bytes, type, &item), bytes);
        EXPECT_EQ(item->GetPreview(), type == KVRReadType::CellCopy);
    }
    const TJsonObject json = TJsonObject::parse(WriteJsonText(*label.GetItem(1)).toStdString());
    EXPECT_FALSE(TKVRText::ReadFromJson(&label, KVRFileVersion, json)->GetPreview());
}

// The stream road does not run IniText: the model's own defaults must keep a
// record without height or scale readable and visible.
TEST(TextStreams, RecordWithoutHeightOrScaleKeepsTheDefaults)
{
    TKVRBaseLabel label;
    TKVRText model(nullptr, false);  // the model's constructor, as the reader builds it
    EXPECT_EQ(model.GetBaseFontHeight(), 10000);
    EXPECT_EQ(model.GetScale(), 1.0f);

    TKVRText* t = MakeText(label, QStringLiteral("Visible"), 5000, 5000);
    t->SetScale(2.0f);
    t->SetBaseFontHeight(4000);
    QByteArray bytes = WriteBinary(*t);
    // Blank the height and the scale where the record holds them.
    const QByteArray height = QByteArray::fromRawData("\xA0\x0F\x00\x00", 4);  // 4000
    const QByteArray scale = QByteArray::fromRawData("\x00\x00\x00\x40", 4);   // 2.0f
    const qsizetype h = bytes.indexOf(height);
    const qsizetype s = bytes.indexOf(scale, h + 4);
    ASSERT_GT(h, 0);
    ASSERT_GT(s, h);
    bytes.replace(h, 4, QByteArray(4, '\0'));
    bytes.replace(s, 4, QByteArray(4, '\0'));

    TKVRBaseItem* item = nullptr;
    ReadBack(label, bytes, KVRReadType::File, &item);
    auto* read = dynamic_cast<TKVRText*>(item);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetBaseFontHeight(), 10000);
    EXPECT_EQ(read->GetScale(), 1.0f);
    read->CalcValues(0);
    EXPECT_GT(read->GetTextWidth(), 10000);
    const TTwin twin = PaintTwins(*read);
    EXPECT_GT(InkCount(twin.screen), 200);
    EXPECT_GT(InkCount(twin.paper), 200);

    // A negative scale cannot be held: the record is refused.
    QByteArray negative = bytes;
    negative.replace(s, 4, QByteArray::fromRawData("\x00\x00\x80\xBF", 4));  // -1.0f
    const int before = label.GetItemsCount();
    EXPECT_THROW(ReadBack(label, negative, KVRReadType::File), EKVRDataError);
    EXPECT_EQ(label.GetItemsCount(), before);
}

TEST(TextStreams, JsonWithoutHeightOrScaleGetsTheNewTextDefaults)
{
    TKVRBaseLabel label;
    TJsonObject json = MakeText(label, QStringLiteral("A"), 0, 0)->WriteJson();
    json.erase("FontHeight");
    json.erase("Scale");
    auto* t = dynamic_cast<TKVRText*>(TKVRText::ReadFromJson(&label, KVRFileVersion, json));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetBaseFontHeight(), 10000);
    EXPECT_EQ(t->GetScale(), 1.0f);
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
}

TEST(TextLayout, BoundsTurnAboutTheReferencePoint)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("Turn"), 20000, 20000, 4000);
    t->SetBasePaddingX(1000);
    t->SetBasePaddingY(500);
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

TEST(TextLayout, UnknownFamilyStillLaysOut)
{
    // fontconfig substitutes a family it does not know: the text stays visible.
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("Fallback"), 1000, 1000);
    t->SetFontName(QStringLiteral("No Such Family 4711"));
    t->CalcValues(0);
    EXPECT_GT(t->GetTextWidth(), 0);
}

// ---------------------------------------------------------------- screen and paper

TEST(TextTwins, FourQuarterTurnsLandInTheSamePlace)
{
    for (int angle = 0; angle < 4; ++angle) {
        TKVRBaseLabel label;
        TKVRText* t = MakeText(label, QStringLiteral("Quarter Hg"), 30000, 30000, 5000);
        t->SetAngle(TKVRAngle(angle));
        t->SetBasePaddingX(1500);
        t->SetBasePaddingY(800);
        t->SetPenWidth(0.2f);
        t->SetColor(0xFF0000FF);
        const TTwin twin = PaintTwins(*t);
        SaveForLook(twin.screen, QString("text-turn%1-screen").arg(angle));
        SaveForLook(twin.paper, QString("text-turn%1-paper").arg(angle));
        const QRect a = InkBounds(twin.screen), b = InkBounds(twin.paper);
        ASSERT_FALSE(a.isEmpty()) << angle;
        // The printed frame straddles the box edge (half a 2.4-pixel pen).
        EXPECT_TRUE(SameBox(a, b, 2)) << "turn " << angle << ": " << Box(a) << " vs " << Box(b);

        // Without the frame the text ink itself must agree.
        t->SetPenWidth(0.0f);
        const TTwin ink = PaintTwins(*t);
        const QRect c = InkBounds(ink.screen), e = InkBounds(ink.paper);
        EXPECT_TRUE(SameBox(c, e, 2)) << "turn " << angle << ": " << Box(c) << " vs " << Box(e);
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
        const TTwin twin = PaintTwins(*t, 1000, 400);
        SaveForLook(twin.paper, QString("text-stretch%1-paper").arg(int(align)));
        const QRect a = InkBounds(twin.screen, 100), b = InkBounds(twin.paper, 100);
        ASSERT_FALSE(b.isEmpty());
        EXPECT_TRUE(SameBox(a, b, 2)) << Box(a) << " vs " << Box(b);
        const QRect box = InkBounds(twin.paper, 250);
        EXPECT_TRUE(SameBox(InkBounds(twin.screen, 250), box, 2)) << Box(box);
        // The text lies inside its box on paper.
        EXPECT_TRUE(box.adjusted(-1, -1, 1, 1).contains(b)) << Box(box) << " / " << Box(b);
        const int refX = RoundHalfEven32(50000.0 * kDpi / 25400.0);
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

    ScreenSurface preview(800, 200, kDpi);
    t->DrawElement(&preview.draw);
    ScreenSurface editor(800, 200, kDpi);
    editor.draw.DrawState = KVRDrawState::Editor;
    t->DrawElement(&editor.draw);
    const QRect p = InkBounds(preview.Finish()), e = InkBounds(editor.Finish());
    SaveForLook(editor.image, "text-maxwidth-editor");
    const double px = kDpi / 25400.0;
    // Ink runs from the first glyph's left bearing; the clip cuts at the
    // maximum width from the text's origin.
    EXPECT_NEAR(p.width(), full * px, 12.0);
    EXPECT_NEAR(e.right() + 1, (2000 + full / 2) * px, 2.0);
    EXPECT_EQ(e.left(), p.left());
}

TEST(TextEditor, EditedTextMeasuresItselfAndShowsTheCaret)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("Caret"), 5000, 5000, 6000);
    t->CalcValues(0);
    t->SetItemState(1);
    label.SetCurAction(TKVRText::ActEditText);
    t->SetText(QStringLiteral("Caret text"));  // the editor typed on

    ScreenSurface s(600, 200, kDpi);
    s.draw.DrawState = KVRDrawState::EditorText;
    s.draw.aFocused = true;
    s.draw.aTxt = t->GetText();
    s.draw.aPos = 0;
    t->Draw(&s.draw);
    EXPECT_EQ(t->GetCaret().cx, 0);
    EXPECT_NEAR(t->GetCaret().cy, 6000 * kDpi / 25400.0, 2.0);
    // The width was measured on screen.
    EXPECT_NEAR(t->GetTextWidth(), TKVRCalc::CalcTxtSize(QStringLiteral("Caret text")), 200);
    EXPECT_EQ(t->GetBounds().Right, 5000 + t->GetTextWidth());

    s.draw.aPos = 5;
    t->Draw(&s.draw);
    const QImage& img = s.Finish();
    SaveForLook(img, "text-caret");
    const int expected = RoundHalfEven32(5000.0 * kDpi / 25400.0) + t->GetCaret().cx;
    EXPECT_NEAR(t->GetCaret().cx, TKVRCalc::CalcTxtSize(QStringLiteral("Caret")) * kDpi / 25400.0, 2.0);
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = expected - 1; x <= expected + 1; ++x) {
            const QRgb p = img.pixel(x, y);
            red += (qRed(p) - std::max(qGreen(p), qBlue(p)) > 60) ? 1 : 0;
        }
    EXPECT_GT(red, t->GetCaret().cy / 2);

    // Out of the editing action no caret is drawn.
    label.SetCurAction(0);
    ScreenSurface plain(600, 200, kDpi);
    plain.draw.aFocused = true;
    t->Draw(&plain.draw);
    const QImage& p2 = plain.Finish();
    int red2 = 0;
    for (int y = 0; y < p2.height(); ++y)
        for (int x = 0; x < p2.width(); ++x)
            red2 += (qRed(p2.pixel(x, y)) - std::max(qGreen(p2.pixel(x, y)), qBlue(p2.pixel(x, y))) > 60) ? 1 : 0;
    EXPECT_EQ(red2, 0);
}

// ---------------------------------------------------------------- data

TEST(TextData, PaperTakesTheCurrentRecordsValue)
{
    TKVRBaseLabel label;
    TKVRText* bound = MakeText(label, QStringLiteral("i"), 3000, 3000);
    bound->SetFillType(1);
    bound->SetFillName(QStringLiteral("Name"));
    TKVRText* plain = MakeText(label, QStringLiteral("WXYZ 42"), 3000, 3000);

    label.SetDataValue(QStringLiteral("Name"), QStringLiteral("WXYZ 42"));
    PaperSurface a(500, 150, kDpi);
    bound->PrintElement(&a.draw);
    PaperSurface b(500, 150, kDpi);
    plain->PrintElement(&b.draw);
    const QImage& pa = a.Finish();
    EXPECT_GT(InkCount(pa), 300);
    EXPECT_EQ(pa, b.Finish());

    // The next record prints its own value.
    label.SetDataValue(QStringLiteral("Name"), QStringLiteral("i"));
    PaperSurface c(500, 150, kDpi);
    bound->PrintElement(&c.draw);
    EXPECT_LT(InkCount(c.Finish()) * 4, InkCount(pa));

    // With a format, a number is printed formatted.
    bound->SetFormat(QStringLiteral("0.00"));
    label.SetDataValue(QStringLiteral("Name"), QStringLiteral("3.14159"));
    EXPECT_EQ(static_cast<TKVRText*>(bound)->PrintText(), QStringLiteral("3.14"));
}

TEST(TextData, MarkerOnlyInTheEditor)
{
    TKVRBaseLabel label;
    TKVRText* t = MakeText(label, QStringLiteral("Data"), 10000, 8000);
    t->SetFillType(1);
    t->SetFillName(QStringLiteral("F"));
    auto inkNear = [&](TKVRDrawState state) {
        ScreenSurface s(400, 300, kDpi);
        s.draw.DrawState = state;
        t->DrawElement(&s.draw);
        const QImage& img = s.Finish();
        const QPoint c(RoundHalfEven32(10000.0 * kDpi / 25400.0), RoundHalfEven32(8000.0 * kDpi / 25400.0));
        return InkCount(img.copy(QRect(c - QPoint(4, 4), QSize(8, 8))));
    };
    EXPECT_GT(inkNear(KVRDrawState::Editor), 20);
    EXPECT_EQ(inkNear(KVRDrawState::Preview), 0);
}
