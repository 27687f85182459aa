// What binding to a data field does for every text, picture and code kind:
// what the per-cell copy shows, what paper prints for each record and where
// the data marker appears.
#include "elements/TKVRBarcode.h"
#include "elements/TKVRDataMatrix.h"
#include "elements/TKVRImage.h"
#include "elements/TKVRLevel.h"
#include "elements/TKVRRank.h"
#include "elements/TKVRPDF417.h"
#include "elements/TKVRParagraph.h"
#include "elements/TKVRQRCode.h"
#include "elements/TKVRRichText.h"
#include "elements/TKVRText.h"
#include "tests/elements/ContentTestSupport.h"
#include <functional>
#include <gtest/gtest.h>

using namespace kvrtest;

namespace {

template <class T>
T* TextKind(TKVRBaseLabel& label, const QString& text)
{
    auto* t = new T(&label);
    if constexpr (!std::is_same_v<T, TKVRText>)
        t->SetBase(2, 65000, 30000);
    t->SetBase(1, 5000, 5000);
    t->SetFontName(QStringLiteral("Arial"));
    t->SetBaseFontHeight(4000);
    t->SetPenWidth(0.0f);
    t->SetText(text);
    return t;
}

template <class T>
T* Bound(T* item)
{
    item->SetFillType(1);
    item->SetFillName(QStringLiteral("F"));
    return item;
}

}  // namespace

// The green data marker of every bound kind, at point 1, belongs to the
// editor: never in the preview or the exports.
TEST(DataBinding, MarkerOnlyInTheEditor)
{
    const QRgb green = qRgb(0x90, 0xEE, 0x90);
    using JsonReadFn = TKVRBaseItem* (*)(TKVRBaseLabel*, int32_t, const TJsonObject&);
    const std::pair<JsonReadFn, const char*> kinds[] = {
        {TKVRText::ReadFromJson, R"({"Text":"stored","Points":[[5000,5000]]})"},
        {TKVRParagraph::ReadFromJson, R"({"Text":"stored","Points":[[5000,5000],[65000,30000]]})"},
        {TKVRRichText::ReadFromJson, R"({"Text":"<B>stored</B>","Points":[[5000,5000],[65000,30000]]})"},
        {TKVRImage::ReadFromJson, R"({"FileName":"missing.png","Points":[[5000,5000],[30000,30000]]})"},
        {TKVRBarcode::ReadFromJson, R"({"BarCode":"CODE-1","Points":[[5000,5000]]})"},
        {TKVRPDF417::ReadFromJson, R"({"Code":"CODE-1","Points":[[5000,5000]]})"},
        {TKVRDataMatrix::ReadFromJson, R"({"Code":"CODE-1","Points":[[5000,5000]]})"},
        {TKVRQRCode::ReadFromJson, R"({"Code":"CODE-1","Points":[[5000,5000]]})"},
        {TKVRLevel::ReadFromJson, R"({"LevelType":2,"PenWidth":0,"Points":[[5000,5000],[35000,35000]]})"},
        {TKVRRank::ReadFromJson, R"({"Position":1,"Points":[[5000,5000],[55000,17000]]})"},
    };
    for (const auto& [read, json] : kinds) {
        SCOPED_TRACE(json);
        TKVRBaseLabel label;
        TJsonObject j = TJsonObject::parse(json);
        j["FillType"] = 1;
        j["FillName"] = "F";
        TKVRBaseItem* item = read(&label, KVRFileVersion, j);
        const QImage editor = Screen(*item, 500, 300, KVRDrawState::Editor);
        const QRect marker = ColourBounds(editor, green, 8);
        EXPECT_GE(CountColour(editor, green, 8), 15);
        EXPECT_TRUE(QRect(Px(5) - 6, Px(5) - 6, 12, 12).contains(marker)) << RectText(marker);
        EXPECT_EQ(CountColour(Screen(*item, 500, 300, KVRDrawState::Preview), green, 8), 0);
        EXPECT_EQ(CountColour(Screen(*item, 500, 300, KVRDrawState::Export), green, 8), 0);
    }
}

// A preview shows every label cell with its own record: the per-cell copy of
// a data-bound text, paragraph or rich text shows the current record, the
// element itself its stored text. Paper prints the record's value for each
// label, laid out as the same text would be.
TEST(DataBinding, CellCopyShowsAndPaperPrintsTheRecord)
{
    const QString record = QStringLiteral("Record <B>42</B> of the batch");
    // The rich text lays a record out anew with printer measurements, its own
    // text with the screen's: the same lines, glyphs a pixel apart.
    auto check = [&](auto make, const BinaryReadFn& read, const char* name, bool samePixels = true) {
        SCOPED_TRACE(name);
        TKVRBaseLabel label;
        label.SetDataValue(QStringLiteral("F"), record);
        TKVRBaseItem* bound = Bound(make(label, QStringLiteral("stored")));
        TKVRBaseItem* copy = ReadRecord(label, WriteBinary(*bound), read, KVRReadType::CellCopy);
        const TTwin recordAlone = Twins(*make(label, record), 900, 400);
        const TTwin storedAlone = Twins(*make(label, QStringLiteral("stored")), 900, 400);
        ASSERT_GT(InkCount(recordAlone.screen), 300);
        const QImage shown = Screen(*copy, 900, 400);
        EXPECT_EQ(shown, recordAlone.screen);
        EXPECT_EQ(Screen(*bound, 900, 400), storedAlone.screen);
        for (TKVRBaseItem* e : {bound, copy}) {
            const QImage paper = Paper(*e, 900, 400);
            if (samePixels)
                EXPECT_EQ(paper, recordAlone.paper);
            else
                EXPECT_TRUE(SameBox(InkBounds(paper), InkBounds(recordAlone.paper), 2));
        }
        // The next record prints its own value.
        label.SetDataValue(QStringLiteral("F"), QStringLiteral("i"));
        EXPECT_LT(InkCount(Paper(*bound, 900, 400)) * 4, InkCount(recordAlone.paper));
    };
    check([](TKVRBaseLabel& l, const QString& t) { return TextKind<TKVRText>(l, t); }, TKVRText::Read, "text");
    check([](TKVRBaseLabel& l, const QString& t) { return TextKind<TKVRParagraph>(l, t); }, TKVRParagraph::Read,
          "paragraph");
    check([](TKVRBaseLabel& l, const QString& t) { return TextKind<TKVRRichText>(l, t); }, TKVRRichText::Read,
          "rich text", false);

    // With a format, a number of the record is printed formatted.
    TKVRBaseLabel label;
    TKVRText* t = Bound(TextKind<TKVRText>(label, QStringLiteral("stored")));
    t->SetFormat(QStringLiteral("0.00"));
    label.SetDataValue(QStringLiteral("F"), QStringLiteral("3.14159"));
    EXPECT_EQ(t->PrintText(), QStringLiteral("3.14"));
}
