#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.SymLibrary.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/LabelDocuments.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace {

// kSymbolLibrary (tests/support): three symbols with every item kind between them, in three units.
const char* const kLibrary = kSymbolLibrary;

std::string Error(const QByteArray& aText)
{
    try {
        KVRSymLib::ReadText(aText);
    } catch (const EKVRJsonError& e) {
        return e.what();
    } catch (const EKVRDataError& e) {
        return e.what();
    }
    return {};
}

std::vector<const TKVRBaseLibSymbol*> View(const TKVRLibSymbolList& aList)
{
    std::vector<const TKVRBaseLibSymbol*> v;
    for (const auto& s : aList)
        v.push_back(s.get());
    return v;
}

}  // namespace

TEST(SymbolLibrary, FileOfSeveralSymbolsReadsBackEqual)
{
    const TKVRLibSymbolList first = KVRSymLib::ReadText(kLibrary);
    ASSERT_EQ(first.size(), 3u);
    const TKVRBaseLibSymbol& valve = *first[0];
    EXPECT_EQ(valve.GetName(), "Valve");
    EXPECT_EQ(valve.GetCategory(), QStringLiteral("Pipes/Välves"));
    EXPECT_EQ(valve.GetNote(), "Gate valve");
    EXPECT_EQ(valve.GetItemsCount(), 18);
    EXPECT_EQ(valve.GetRefX(), 5000);
    EXPECT_EQ(valve.GetRefY(), 2500);
    ASSERT_EQ(valve.GetNumLinks(), 2);
    EXPECT_EQ(valve.GetLink(2), (TKVRPto{10000, 2500}));
    // Bounds: the ellipse and the arc's circle reach furthest.
    EXPECT_EQ(valve.GetLeft(), 0);
    EXPECT_EQ(valve.GetTop(), -2000);
    EXPECT_EQ(valve.GetRight(), 10000);
    EXPECT_EQ(valve.GetBottom(), 5000);
    const TKVRBaseLibSymbol& label = *first[1];
    EXPECT_EQ(label.GetUnits(), TKVRUnits::Inch);
    const auto* text = static_cast<const TKVRSymText*>(label.GetItem(8));
    EXPECT_EQ(text->GetText(), QString::fromUtf8("Ñandú €"));
    EXPECT_EQ(text->GetPoint(1), (TKVRPto{12700, 6350}));
    EXPECT_EQ(first[2]->GetItemsCount(), 0);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("pipes.lyp");
    KVRSymLib::WriteFile(file, View(first));
    const TKVRLibSymbolList second = KVRSymLib::ReadFile(file);
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(second[i]->WriteJson().dump(), first[i]->WriteJson().dump()) << i;
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), KVRSymLib::WriteText(View(second))) << "written twice, the same bytes";
}

// A full disk: the library is not cut short under its name; the earlier file stays.
TEST(SymbolLibrary, AFullDiskRaisesAndKeepsTheEarlierFile)
{
    const TKVRLibSymbolList symbols = KVRSymLib::ReadText(QByteArray(kLibrary));
    ASSERT_FALSE(symbols.empty());
    QTemporaryDir dir;
    const QString file = dir.filePath("pipes.lyp");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[]\n");
    old.close();
    const QByteArray text = KVRSymLib::WriteText(View(symbols));
    ASSERT_GT(text.size(), 64);
    {
        TFileSizeLimit limit(64);
        EXPECT_THROW(KVRSymLib::WriteFile(file, View(symbols)), EKVRDataError);
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("[]\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(SymbolLibrary, TruncatedFilesGiveAnErrorAndNoSymbol)
{
    const QByteArray whole(kLibrary);
    int refused = 0;
    for (qsizetype n = 0; n < whole.size() - 1; n += 7) {
        const std::string e = Error(whole.left(n));
        EXPECT_FALSE(e.empty()) << "prefix of " << n << " bytes read";
        refused += e.empty() ? 0 : 1;
    }
    EXPECT_GT(refused, 100);
}

TEST(SymbolLibrary, DamagedDefinitionsNameWhatIsWrong)
{
    struct TCase
    {
        const char* Text;
        const char* Expect;
    };
    const std::string head = R"({"Version":1,"Name":"S","Units":"mm","Def":)";
    const auto def = [&](const std::string& items) { return "[" + head + items + "}]"; };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{}", "JSON array"},
        {"[1]", "JSON object"},
        {R"([{"Name":"S","Def":"none"}])", "\"Def\""},
        {R"([{"Name":"S"}])", "Missing key \"Def\""},
        {R"([{"Name":"","Def":[]}])", "no \"Name\""},
        {R"([{"Name":7,"Def":[]}])", "\"Name\""},
        {R"([{"Name":"S","Units":"furlong","Def":[]}])", "furlong"},
        {R"([{"Name":"S","Version":9,"Def":[]}])", "version 9"},
        {def(R"([{"Type":"Squiggle"}])"), "Item 1"},
        {def(R"([{"Type":"Fill","Value":"yes"}])"), "\"Value\""},
        {def(R"([{"Type":"Fill"}])"), "Missing key \"Value\""},
        {def(R"([{"Type":"PenWidth","Value":-1}])"), "\"Value\""},
        {def(R"([{"Type":"FColor","Value":-5}])"), "\"Value\""},
        {def(R"([{"Type":"LineType","Value":300}])"), "\"Value\""},
        {def(R"([{"Type":"Line","Points":[0,0,1]}])"), "pairs"},
        {def(R"([{"Type":"Line","Points":[0,0,1,"a"]}])"), "\"Points\""},
        {def(R"([{"Type":"Line","Points":[0,0,1e300,1]}])"), "out of range"},
        {def(R"([{"Type":"Circle","Center":[0,0],"Radius":-2}])"), "negative"},
        {def(R"([{"Type":"Circle","Center":[0,0]}])"), "\"Radius\""},
        {def(R"([{"Type":"Text","Text":5,"Point":[0,0]}])"), "\"Text\""},
        {def(R"([{"Type":"Text","Text":"a","Point":[0,0],"HAlign":3}])"), "\"HAlign\""},
        {def(R"([{"Type":"Arc","Center":[0,0],"Radius":1,"Sweep":1e9}])"), "\"Sweep\""},
        {def(R"([7])"), "Item 1"},
        {def(R"([])") + "x", "Invalid JSON"},
    };
    for (const auto& [text, expect] : cases) {
        const std::string e = Error(QByteArray::fromStdString(text));
        EXPECT_NE(e.find(expect), std::string::npos) << text << "\n  gave: " << e;
    }
}

TEST(SymbolLibrary, HugeCountsAndFilesAreRefused)
{
    // More items than a symbol may hold.
    std::string items = "[";
    for (int i = 0; i <= KVRSymMaxItems; ++i)
        items += std::string(i ? "," : "") + R"({"Type":"Fill","Value":true})";
    items += "]";
    const std::string many = R"([{"Name":"S","Def":)" + items + "}]";
    EXPECT_NE(Error(QByteArray::fromStdString(many)).find("Too many items"), std::string::npos);

    std::string points = "[";
    for (int i = 0; i <= KVRSymMaxPoints; ++i)
        points += std::string(i ? "," : "") + "1,2";
    points += "]";
    const std::string poly = R"([{"Name":"S","Def":[{"Type":"Polyline","Points":)" + points + "}]}]";
    EXPECT_NE(Error(QByteArray::fromStdString(poly)).find("points"), std::string::npos);

    QByteArray big(KVRSymLibMaxBytes + 1, ' ');
    big[0] = '[';
    big[big.size() - 1] = ']';
    EXPECT_NE(Error(big).find("too large"), std::string::npos);

    QTemporaryDir dir;
    EXPECT_THROW(KVRSymLib::ReadFile(dir.filePath("missing.lyp")), EKVRDataError);
}

TEST(SymbolLibrary, RejectedDefinitionLeavesTheSymbolAsItWas)
{
    TKVRBaseLibSymbol symbol;
    QString error;
    ASSERT_TRUE(symbol.ReadJson(TJsonObject::parse(R"({"Name":"Good","Def":[{"Type":"Line","Points":[0,0,1,1]}]})"),
                                error));
    const std::string before = symbol.WriteJson().dump();
    EXPECT_FALSE(symbol.ReadJson(
        TJsonObject::parse(R"({"Name":"Bad","Def":[{"Type":"Line","Points":[0,0,1,1]},{"Type":"Circle"}]})"), error));
    EXPECT_TRUE(error.contains("Bad")) << error.toStdString();
    EXPECT_TRUE(error.contains("Item 2")) << error.toStdString();
    EXPECT_EQ(symbol.WriteJson().dump(), before);
    EXPECT_FALSE(symbol.ReadJson(TJsonObject::parse("[]"), error));
    EXPECT_EQ(symbol.WriteJson().dump(), before);
}

TEST(SymbolLibrary, NewDefinitionTemplateNeedsOnlyAName)
{
    // The label services' template as shown to the user, placeholders replaced.
    QString text = QStringLiteral(
        R"({"Version":#ver,"Name":"","Category":"","ID":"#guid","Units":"mm","InsertX":0,"InsertY":0,"Def":[]})");
    text.replace("#ver", "1").replace("#guid", "{0F8FAD5B-D9CB-469F-A165-70867728950E}");
    TJsonObject json = TJsonObject::parse(text.toStdString());
    TKVRLibSymbol symbol;
    QString error;
    EXPECT_FALSE(symbol.ReadJson(json, error));
    EXPECT_TRUE(error.contains("Name")) << error.toStdString();
    json["Name"] = "Door";
    json["Def"].push_back(TJsonObject::parse(R"({"Type":"Line","Points":[0,0,0.9,0]})"));
    ASSERT_TRUE(symbol.ReadJson(json, error)) << error.toStdString();
    EXPECT_EQ(symbol.GetID(), "{0F8FAD5B-D9CB-469F-A165-70867728950E}");
    EXPECT_EQ(symbol.GetRight(), 900);
    EXPECT_EQ(symbol.WriteJson().dump(), json.dump()) << "written back in the template's key order";
}
