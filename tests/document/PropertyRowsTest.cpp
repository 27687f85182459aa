// Property rows of every kind, as the grid reads and sends them: every part
// of every row on the factory's every-kind document, then the selections of
// two elements.
#include "tests/document/FactoryTestSupport.h"
#include "tests/support/LabelDocuments.h"
#include "platform/rtl/geometry/KVR.Dimension.h"
#include "platform/rtl/label/KVR.Units.h"
#include "platform/rtl/model/TKVRBaseBarcode.h"
#include "platform/rtl/model/TKVRBaseLine.h"
#include "platform/rtl/model/TKVRBaseRectangle.h"
#include "platform/rtl/model/TKVRBaseText.h"
#include <set>
#include "platform/rtl/label/TKVRCounter.h"
#include "platform/rtl/model/TKVRBaseRichText.h"
#include <QTemporaryDir>
#include "platform/rtl/text/KVR.FormatFloat.h"
#include <cmath>
#include <limits>

namespace {

using KVRJson::Str;

constexpr double Unit = 10;  // pixels per grid unit: 240 px across

TJsonObject Rows(TKVRBaseLabel& aDoc)
{
    TKVRInpectorBaseTypes base = KVRInsTypeBase::All;
    TKVRInpectorTypes types = KVRInsType::Default;
    for (int32_t i = 1; i <= aDoc.GetSelectionCount(); ++i)
        aDoc.GetSelection(i)->CheckProp(base, types);
    TJsonObject rows = TJsonObject::array();
    for (int32_t i = 1; i <= aDoc.GetSelectionCount(); ++i)
        aDoc.GetSelection(i)->JsonInspector(base, types, rows);
    return rows;
}

// The shown value of part (code, pos), or null.
TJsonObject Shown(const TJsonObject& aRows, int aCode, int aPos)
{
    for (const TJsonObject& row : aRows)
        for (int i = 1; i <= row["N"].get<int>(); ++i) {
            const std::string n = std::to_string(i);
            if (row["Prop" + n] != aCode)
                continue;
            if (aCode >= KVRInsProp::HorzAlign && (aPos == 1 || aPos == 2))
                return row[aPos == 1 ? "Value1" : "Value2"];
            if (row["P" + n] == aPos)
                return row["Value" + n];
        }
    return nullptr;
}

struct TBox
{
    double L, T, W, H;
};

bool Overlap(const TBox& a, const TBox& b)
{
    return a.L < b.L + b.W && b.L < a.L + a.W && a.T < b.T + b.H && b.T < a.T + a.H;
}

struct TSend
{
    int Code, Kind, Type, Pos;
    const char* Key;
    TJsonObject Value;  // as shown
    double Min, Max, Step;
    TVXListProp List;
    bool ReadOnly = false;  // a value the element lays out itself
};

// A different value the part takes, or null when it has no other.
TJsonObject Other(const TSend& s)
{
    switch (s.Code) {
    case KVRInsProp::Number: {
        const double v = s.Value.get<double>();
        return v + s.Step <= s.Max ? v + s.Step : v - s.Step;
    }
    case KVRInsProp::Color: return s.Value.get<int64_t>() ^ 0x00FFFFFF;
    case KVRInsProp::Check: return !s.Value.get<bool>();
    default: break;
    }
    if (std::string(s.Key) == "int") {
        const int v = s.Value.get<int>();
        if (s.Max <= s.Min)
            return nullptr;
        return v + 1 <= s.Max ? v + 1 : v - 1;
    }
    if (s.List == KVRListProp::Fonts)
        return s.Value == "Arial" ? "Times New Roman" : "Arial";
    return s.Value.get<std::string>() + "7";
}

TJsonObject Value(const char* aKey, const TJsonObject& aValue)
{
    TJsonObject v = TJsonObject::object();
    v[aKey] = aValue;
    return v;
}

// Every part of every row of one selected element: its keys, bounds,
// formats and boxes, then what the document does with what the grid sends.
void CheckEveryPart(TKVRBaseLabel& aDoc, TKVRBaseItem* aItem)
{
    const TJsonObject rows = Rows(aDoc);
    ASSERT_FALSE(rows.empty());
    std::set<std::pair<int, int>> pairs;
    std::vector<TSend> sends;
    for (const TJsonObject& row : rows) {
        SCOPED_TRACE(row.dump());
        for (const char* k : {"H", "N", "Kind", "Type"})
            ASSERT_TRUE(row.contains(k) && row[k].is_number_integer()) << k;
        const int h = row["H"].get<int>();
        std::vector<TBox> boxes;
        for (int i = 1; i <= row["N"].get<int>(); ++i) {
            const std::string n = std::to_string(i);
            for (const char* k : {"Prop", "P", "C", "T", "AT", "TV"})
                ASSERT_TRUE(row[k + n].is_number_integer()) << k << n;
            ASSERT_TRUE(row["Name" + n].is_string());
            const int code = row["Prop" + n].get<int>();
            const TVXListProp list = TVXListProp(row.value("List" + n, 0));
            const TKVRInsCol col = TKVRInsCol(row["C" + n].get<int>());
            EXPECT_TRUE(pairs.insert({code, row["P" + n].get<int>()}).second) << "a second part answers (code, P)";
            // Boxes inside the grid and the row, none over another.
            if (row["T" + n].get<int>() >= 0)
                boxes.push_back({XPosTitle(col, Unit), row["T" + n].get<double>() - 2, WidthTitle(col, Unit),
                                 double(ScalePos(14, 96))});
            boxes.push_back({XPosCtrl(col, TKVRInsProp(code), Unit), row["TV" + n].get<double>(),
                             WidthCtrl(col, TKVRInsProp(code), Unit), HeightCtrl(TKVRInsProp(code), 96)});
            const bool options = code == KVRInsProp::HorzAlign || code == KVRInsProp::AlignPos;
            const char* key = ValueKey(TKVRInsProp(code), list);
            if (options) {
                ASSERT_TRUE(row["Value1"].is_number_integer() && row["Value2"].is_number_integer());
                EXPECT_EQ(row["Kind"], code == KVRInsProp::AlignPos ? 1 : row["Kind"].get<int>());
                sends.push_back({code, row["Kind"], row["Type"], 1, key, row["Value1"], 0, 2, 1, 0});
                if (code == KVRInsProp::AlignPos) {
                    EXPECT_EQ(row["Type"], 18);
                    sends.push_back({code, 1, 18, 2, key, row["Value2"], 0, 2, 1, 0});
                }
                continue;
            }
            const TJsonObject& v = row["Value" + n];
            const std::string k = key;
            if (k == "ext")
                ASSERT_TRUE(v.is_number());
            else if (k == "bol")
                ASSERT_TRUE(v.is_boolean());
            else if (k == "txt")
                ASSERT_TRUE(v.is_string());
            else
                ASSERT_TRUE(v.is_number_integer());
            double lo = 0, hi = 0, step = 0;
            if (code == KVRInsProp::Number || code == KVRInsProp::Integer) {
                lo = row["M" + n].get<double>();
                hi = row["X" + n].get<double>();
                step = row["I" + n].get<double>();
                EXPECT_LE(lo, v.get<double>());
                EXPECT_GE(hi, v.get<double>());
                EXPECT_GT(step, 0);
                const QString fe = QString::fromStdString(row["FE" + n].get<std::string>());
                EXPECT_FALSE(fe.contains(QLatin1Char(',')));
                EXPECT_LE(fe.size() - std::max<qsizetype>(fe.indexOf(QLatin1Char('.')), fe.size() - 1) - 1, 3);
                bool ok = false;
                FormatFloat(fe, v.get<double>()).toDouble(&ok);
                EXPECT_TRUE(ok) << Str(FormatFloat(fe, v.get<double>()));
                EXPECT_FALSE(FormatFloat(QString::fromStdString(row["F" + n].get<std::string>()), v.get<double>()).isEmpty());
            }
            if (code == KVRInsProp::List && std::string(key) == "int") {
                // The index names an entry of the list the grid fills.
                QStringList entries;
                if (list == KVRListProp::Layers)
                    aDoc.GetLayersNames(entries);
                else if (list == KVRListProp::DimStyles)
                    aDoc.GetDimStylesNames(entries);
                else {
                    FillList(list, entries);
                    EXPECT_EQ(ItemList(list, v.get<int>()), entries.value(v.get<int>()));
                }
                lo = 0;
                hi = entries.size() - 1;
                EXPECT_FALSE(entries.value(v.get<int>()).isEmpty()) << "list " << int(list);
            }
            sends.push_back({code, row["Kind"], row["Type"], row["P" + n], key, v, lo, hi, step, list});
            sends.back().ReadOnly = row.value("RO" + n, false);
        }
        for (size_t a = 0; a < boxes.size(); ++a) {
            EXPECT_GE(boxes[a].L, 0);
            EXPECT_LE(boxes[a].L + boxes[a].W, 24 * Unit);
            EXPECT_GE(boxes[a].T, 0);
            EXPECT_LE(boxes[a].T + boxes[a].H, h);
            for (size_t b = a + 1; b < boxes.size(); ++b)
                EXPECT_FALSE(Overlap(boxes[a], boxes[b])) << "boxes " << a << " and " << b;
        }
    }

    for (const TSend& s : sends) {
        SCOPED_TRACE(testing::Message() << "code " << s.Code << " kind " << s.Kind << " type " << s.Type << " pos "
                                        << s.Pos);
        const TJsonObject saved = aItem->WriteJson();
        if (s.ReadOnly) {
            // Shown, never taken: the reply holds what the element keeps.
            const TJsonObject other = Other(s);
            const TJsonObject reply = aDoc.UpdateProp(TKVRInsProp(s.Code), s.Kind, s.Type, s.Pos,
                                                      Value(s.Key, other.is_null() ? s.Value : other));
            EXPECT_EQ(aItem->WriteJson(), saved);
            EXPECT_EQ(reply[s.Key], Shown(Rows(aDoc), s.Code, s.Pos));
            continue;
        }
        // The shown value sent back changes nothing and comes back.
        TJsonObject reply = aDoc.UpdateProp(TKVRInsProp(s.Code), s.Kind, s.Type, s.Pos, Value(s.Key, s.Value));
        EXPECT_EQ(aItem->WriteJson(), saved);
        EXPECT_EQ(reply[s.Key], s.Value);
        ASSERT_TRUE(reply["Link"].is_array());

        // Refused or limited, the element left valid: the wrong key, NaN,
        // beyond the bounds, an index past its list.
        const char* wrong = std::string(s.Key) == "txt" ? "int" : "txt";
        aDoc.UpdateProp(TKVRInsProp(s.Code), s.Kind, s.Type, s.Pos, Value(wrong, TJsonObject(std::string(s.Key) == "txt" ? TJsonObject(3) : TJsonObject("3"))));
        EXPECT_EQ(aItem->WriteJson(), saved) << "wrong key";
        if (s.Code == KVRInsProp::Number) {
            aDoc.UpdateProp(TKVRInsProp(s.Code), s.Kind, s.Type, s.Pos,
                            Value(s.Key, std::numeric_limits<double>::quiet_NaN()));
            EXPECT_EQ(aItem->WriteJson(), saved) << "NaN";
            for (double beyond : {s.Max + 1e12, s.Min - 1e12}) {
                reply = aDoc.UpdateProp(TKVRInsProp(s.Code), s.Kind, s.Type, s.Pos, Value(s.Key, beyond));
                EXPECT_LE(reply[s.Key].get<double>(), s.Max);
                EXPECT_GE(reply[s.Key].get<double>(), s.Min);
                EXPECT_EQ(Shown(Rows(aDoc), s.Code, s.Pos), reply[s.Key]);
            }
            aItem->ReadJson(KVRFileVersion, saved);
            aItem->CalcValues(0);
        }
        if (std::string(s.Key) == "int" && s.Code != KVRInsProp::Integer) {
            for (double past : {s.Max + 1, s.Min - 1}) {
                aDoc.UpdateProp(TKVRInsProp(s.Code), s.Kind, s.Type, s.Pos, Value(s.Key, int(past)));
                EXPECT_EQ(aItem->WriteJson(), saved) << "index " << past;
            }
        }
        // A new valid value reaches a fresh rebuild as the reply gives it.
        const TJsonObject other = Other(s);
        if (!other.is_null()) {
            reply = aDoc.UpdateProp(TKVRInsProp(s.Code), s.Kind, s.Type, s.Pos, Value(s.Key, other));
            EXPECT_EQ(Shown(Rows(aDoc), s.Code, s.Pos), reply[s.Key]);
        }
        for (const TKVRPto& p : aItem->GetPoints()) {
            EXPECT_LE(std::llabs(p.X), KVRMaxCoordinate);
            EXPECT_LE(std::llabs(p.Y), KVRMaxCoordinate);
        }
        EXPECT_GE(aItem->GetBasePenWidth(), 0);
        aItem->ReadJson(KVRFileVersion, saved);
        aItem->CalcValues(0);
    }
}

TEST(PropertyRows, EveryPartOfEveryKind)
{
    TVXLabelFMX doc;
    FactoryTest::SetUpLayers(doc);
    AddEveryKindElements(doc);
    std::set<int32_t> kinds;
    for (int32_t i = 1; i <= doc.GetItemsCount(); ++i) {
        TKVRBaseItem* item = doc.GetItem(i);
        if (!kinds.insert(item->GetKind()).second)
            continue;
        SCOPED_TRACE(testing::Message() << "kind " << item->GetKind());
        item->CalcValues(0);  // as painted
        doc.SelectItem(item, false);
        CheckEveryPart(doc, item);
    }
    EXPECT_EQ(kinds.size(), 29u);
}

}  // namespace

namespace {

struct TChanges : IVXObserver
{
    std::vector<TVXChange> Seen;
    void UpdateCtrl(TVXChange aChange, const TVXChangeValue&) override { Seen.push_back(aChange); }
    uint8_t TypeDest() const override { return 1; }
    int Count(TVXChange aChange) const { return int(std::count(Seen.begin(), Seen.end(), aChange)); }
};

// (Kind, Type) of every row.
std::set<std::pair<int, int>> Groups(const TJsonObject& aRows)
{
    std::set<std::pair<int, int>> groups;
    for (const TJsonObject& row : aRows)
        groups.insert({row["Kind"].get<int>(), row["Type"].get<int>()});
    return groups;
}

TEST(PropertyRows, TwoRectanglesShareRowsAndOneEditChangesBoth)
{
    TVXLabelFMX doc;
    TKVRBaseRectangle* a = doc.AddBaseRectangle(0, 0, 10000, 5000);
    TKVRBaseRectangle* b = doc.AddBaseRectangle(20000, 0, 8000, 4000);
    doc.SelectItem(a, false);
    const TJsonObject one = Rows(doc);
    doc.SelectItem(b, true);
    const TJsonObject both = Rows(doc);
    // The rows of one rectangle less its points, each once.
    size_t points = 0;
    for (const TJsonObject& row : one)
        points += row["Kind"] == 0 && row["Type"] == KVRInsTypeBase::Points;
    EXPECT_EQ(points, 2u);
    EXPECT_EQ(both.size(), one.size() - points);

    TChanges seen;
    doc.Attach(&seen);
    const TJsonObject reply = doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Pen, 120, Value("ext", 1.5));
    doc.Detach(&seen);
    EXPECT_EQ(reply["ext"], 1.5);
    EXPECT_EQ(a->GetBasePenWidth(), 1500);
    EXPECT_EQ(b->GetBasePenWidth(), 1500);
    EXPECT_EQ(seen.Count(KVRChange::Items), 1);

    // The corner moves with the width: the reply names its row and number.
    const TJsonObject sized = doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Size, 260, Value("ext", 12.0));
    EXPECT_EQ(sized["ext"], 12.0);
    EXPECT_EQ(a->GetPoint(2).X, 12000);
    EXPECT_EQ(b->GetPoint(2).X, 32000);
    EXPECT_EQ(sized["Link"], TJsonObject::parse(R"([{"Kind":0,"Pos":1004,"Type":7,"Prop":1,"ext":12.0}])"));
    doc.UpdateProp(KVRInsProp::Number, 0, KVRInsTypeBase::Corner, 220, Value("ext", 1.0));
    EXPECT_EQ(a->GetBaseRadio(), 1000);
    EXPECT_EQ(b->GetBaseRadio(), 1000);
}

TEST(PropertyRows, ALineAndATextShowOnlyWhatBothHave)
{
    TVXLabelFMX doc;
    TKVRBaseItem* line = doc.AddBaseLine(0, 0, 10000, 0);
    TKVRBaseItem* text = doc.AddBaseText(0, 10000);
    doc.SelectItem(line, false);
    const auto lineGroups = Groups(Rows(doc));
    doc.SelectItem(text, false);
    const auto textGroups = Groups(Rows(doc));
    doc.SelectItem(line, true);
    const auto bothGroups = Groups(Rows(doc));
    std::set<std::pair<int, int>> shared;
    std::set_intersection(lineGroups.begin(), lineGroups.end(), textGroups.begin(), textGroups.end(),
                          std::inserter(shared, shared.begin()));
    shared.erase({0, KVRInsTypeBase::Points});
    EXPECT_EQ(bothGroups, shared);
}

// The option boxes as the grid sends them, whatever the row says.
TEST(PropertyRows, OptionBoxesTakeTheGridsNumbers)
{
    TVXLabelFMX doc;
    auto* text = doc.AddBaseText(0, 10000);
    auto* code = doc.AddBaseBarcode(0, 30000, QStringLiteral("5901234123457"), TKVRBarType(0));
    doc.SelectItem(text, false);
    doc.UpdateProp(KVRInsProp::AlignPos, 1, 18, 2, Value("int", 2));
    EXPECT_EQ(text->GetVertAlign(), TKVRVertAlign::Bottom);
    doc.UpdateProp(KVRInsProp::AlignPos, 1, 18, 1, Value("int", 1));
    EXPECT_EQ(text->GetHorzAlign(), TKVRHorzAlign::Center);
    EXPECT_EQ(text->GetVertAlign(), TKVRVertAlign::Bottom);
    doc.SelectItem(code, false);
    const TJsonObject reply = doc.UpdateProp(KVRInsProp::HorzAlign, 1, KVRInsType::AlignType, 1, Value("int", 2));
    EXPECT_EQ(code->GetHorzAlign(), TKVRHorzAlign::Right);
    EXPECT_EQ(reply["int"], 2);
}

TEST(PropertyRows, NameListsOfTheDocument)
{
    TVXLabelFMX doc;
    FactoryTest::SetUpLayers(doc);
    doc.AddDimStyle()->SetName(QStringLiteral("Fine"));
    QStringList names;
    doc.GetLayersNames(names);
    EXPECT_EQ(names.size(), doc.GetLayerCount());
    EXPECT_EQ(names.back(), QStringLiteral("2"));
    doc.GetDimStylesNames(names);
    EXPECT_EQ(names.size(), doc.GetDimStyleCount());
    EXPECT_EQ(names.back(), QStringLiteral("Fine"));
}

// The field lists of a CSV data set (untyped fields) and a counter, as the
// grid's lists 9, 10, 12 to 16 fill them.
TEST(PropertyRows, FieldListsOfACsvDataSet)
{
    QTemporaryDir dir;
    TVXLabelFMX doc;
    BuildSheet(doc, dir.filePath(QStringLiteral("sheet.csv")), 2);
    (new TKVRCounter(&doc))->Name = QStringLiteral("No");  // the document owns it
    const QStringList fields{QStringLiteral("Name"), QStringLiteral("Code")};
    const QStringList withCounter = fields + QStringList{QStringLiteral("No")};
    using TFill = void (TKVRBaseLabel::*)(QStringList&, const QString&) const;
    const struct
    {
        TFill Fill;
        QStringList Expected;
    } cases[] = {{&TKVRBaseLabel::GetDataFields, withCounter}, {&TKVRBaseLabel::GetIntFields, withCounter},
                 {&TKVRBaseLabel::GetNumFields, withCounter},  {&TKVRBaseLabel::GetTxtFields, withCounter},
                 {&TKVRBaseLabel::GetImgFields, fields}};
    for (const auto& c : cases) {
        QStringList names{QStringLiteral("stale")};
        (doc.*c.Fill)(names, QString());
        EXPECT_EQ(names, c.Expected);
        // A name the element holds that the data lacks stays choosable.
        (doc.*c.Fill)(names, QStringLiteral("Gone"));
        EXPECT_EQ(names, c.Expected + QStringList{QStringLiteral("Gone")});
    }
    QStringList names;
    doc.GetDetails(names);
    EXPECT_EQ(names, QStringList{TKVRData::CsvDataset});
    doc.GetDetailFields(names, QString(), TKVRData::CsvDataset);
    EXPECT_EQ(names, fields);
    doc.GetDetailFields(names, QString(), QStringLiteral("none"));
    EXPECT_TRUE(names.isEmpty());
    doc.GetMasterDetailFields(names, TKVRData::CsvDataset);
    EXPECT_EQ(names, withCounter);
}

// A rich text's font edits reach its mark-up's base format, which paints it.
TEST(PropertyRows, RichTextFontEditsReachTheMarkUp)
{
    TVXLabelFMX doc;
    auto* rich = doc.AddBaseRichText(0, 0, 30000, 20000);
    rich->SetText(QStringLiteral("plain <I>slanted</I>"));
    doc.SelectItem(rich, false);
    doc.UpdateProp(KVRInsProp::Check, 0, KVRInsTypeBase::Font, 163, Value("bol", true));
    doc.UpdateProp(KVRInsProp::Color, 0, KVRInsTypeBase::Font, 162, Value("i64", int64_t(0xFF112233)));
    doc.UpdateProp(KVRInsProp::List, 0, KVRInsTypeBase::Font, 160, Value("txt", "Courier New"));
    ASSERT_FALSE(rich->GetFormats().empty());
    const TRichTextFormat& base = rich->GetFormats().front();
    EXPECT_TRUE(base.Bold);
    EXPECT_EQ(base.Color, 0xFF112233u);
    EXPECT_EQ(base.FontName, QStringLiteral("Courier New"));
}

}  // namespace
