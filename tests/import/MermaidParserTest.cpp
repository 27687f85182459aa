#include "import/KVR.FMX.Diagrams.h"
#include <gtest/gtest.h>

namespace {

// Nodes as "id:type:caption" in table order, connections as "from>to:caption".
QStringList NodeList(const TMermaidParser& aParser)
{
    QStringList out;
    for (const TNode& node : aParser.GetNodes())
        out.append(QStringLiteral("%1:%2:%3").arg(node.ID).arg(int(node.NodeType)).arg(node.Text));
    return out;
}

QStringList ConnectionList(const TMermaidParser& aParser)
{
    QStringList out;
    for (const TConnection& c : aParser.GetConnections())
        out.append(QStringLiteral("%1>%2:%3").arg(c.FromNode, c.ToNode, c.Text));
    return out;
}

}  // namespace

struct TLineCase
{
    const char* Text;
    QStringList Nodes;
    QStringList Connections;
};

class MermaidLines : public ::testing::TestWithParam<TLineCase>
{
};

TEST_P(MermaidLines, Read)
{
    TMermaidParser parser;
    parser.ParseMermaidCode(QString::fromUtf8(GetParam().Text));
    EXPECT_EQ(NodeList(parser), GetParam().Nodes) << GetParam().Text;
    EXPECT_EQ(ConnectionList(parser), GetParam().Connections) << GetParam().Text;
    EXPECT_EQ(parser.GetSkipped(), 0) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    FixedForms, MermaidLines,
    ::testing::Values(
        // Bars connections declare no node.
        TLineCase{"A --x--> B || no", {}, {"A>B:no"}}, TLineCase{"A -----> B ||", {}, {"A>B:"}},
        TLineCase{"A --o--> B ||  two words ", {}, {"A>B:two words"}},
        // Captions are trimmed; a node line is typed by the whole line.
        TLineCase{"A[ Start ]", {"A:9:Start"}, {}}, TLineCase{"A[Process]", {"A:9:Process"}, {}},
        TLineCase{"[x] A[My Document]", {"A:7:My Document"}, {}},
        TLineCase{"A[Go] B{x}", {"A:1:Go"}, {}}));

INSTANTIATE_TEST_SUITE_P(
    Statements, MermaidLines,
    ::testing::Values(
        TLineCase{"A --> B", {"A:9:A", "B:9:B"}, {"A>B:"}},
        TLineCase{"A-->B-->C", {"A:9:A", "B:9:B", "C:9:C"}, {"A>B:", "B>C:"}},
        TLineCase{"A ----> B", {"A:9:A", "B:9:B"}, {"A>B:"}},
        TLineCase{"A --- B", {"A:9:A", "B:9:B"}, {"A>B:"}},
        TLineCase{"A ==> B", {"A:9:A", "B:9:B"}, {"A>B:"}},
        TLineCase{"A === B", {"A:9:A", "B:9:B"}, {"A>B:"}},
        TLineCase{"A -.-> B", {"A:9:A", "B:9:B"}, {"A>B:"}},
        TLineCase{"A -..- B", {"A:9:A", "B:9:B"}, {"A>B:"}},
        TLineCase{"A -->|go on| B", {"A:9:A", "B:9:B"}, {"A>B:go on"}},
        TLineCase{"A --> | go | B", {"A:9:A", "B:9:B"}, {"A>B:go"}},
        TLineCase{"A -- go on --> B", {"A:9:A", "B:9:B"}, {"A>B:go on"}},
        TLineCase{"A -- go --- B", {"A:9:A", "B:9:B"}, {"A>B:go"}},
        TLineCase{"A == go ==> B", {"A:9:A", "B:9:B"}, {"A>B:go"}},
        TLineCase{"A -. go .-> B", {"A:9:A", "B:9:B"}, {"A>B:go"}},
        // Shapes, each typed as its declaration alone would be.
        TLineCase{"A(Round) --> B{Ask} --> C((Circle))", {"A:9:Round", "B:1:Ask", "C:2:Circle"}, {"A>B:", "B>C:"}},
        TLineCase{"A[[Sub]] --> B(((Stop))) --> C[(Base)]", {"A:3:Sub", "B:2:Stop", "C:9:Base"}, {"A>B:", "B>C:"}},
        TLineCase{"A([Pill]) --> B{{Hex}} --> C[/Slant/] --> D[\\Back\\] --> E>Flag]",
                  {"A:9:Pill", "B:1:Hex", "C:9:Slant", "D:9:Back", "E:9:Flag"},
                  {"A>B:", "B>C:", "C>D:", "D>E:"}},
        TLineCase{"A[(Link here)] --> B", {"A:5:Link here", "B:9:B"}, {"A>B:"}},
        // Quoted captions may hold brackets; class suffixes are dropped.
        TLineCase{"A[\"Array [i] (x)\"] --> B:::hot", {"A:9:Array [i] (x)", "B:9:B"}, {"A>B:"}},
        TLineCase{"A(\"a;b\"):::c1 --> B", {"A:9:a;b", "B:9:B"}, {"A>B:"}},
        // A lone identifier is a node captioned with itself.
        TLineCase{"  Lone  ", {"Lone:9:Lone"}, {}}));

// Identifiers are words in any script, in both fixed forms and statements.
INSTANTIATE_TEST_SUITE_P(
    Scripts, MermaidLines,
    ::testing::Values(TLineCase{"Größe[Maß]", {"Größe:9:Maß"}, {}},
                      TLineCase{"Ünü ----> Büß || ok", {}, {"Ünü>Büß:ok"}},
                      TLineCase{"Größe[Maß] --> Ärger:::warn", {"Größe:9:Maß", "Ärger:9:Ärger"}, {"Größe>Ärger:"}},
                      TLineCase{"\xF0\x9D\x90\x80\xF0\x9D\x90\x81[x] --> 東京",
                                {"\xF0\x9D\x90\x80\xF0\x9D\x90\x81:9:x", "東京:9:東京"},
                                {"\xF0\x9D\x90\x80\xF0\x9D\x90\x81>東京:"}}));

TEST(MermaidParser, StatementsThatDoNotReadAreCountedWithTheirLines)
{
    TMermaidParser parser;
    parser.ParseMermaidCode(QStringLiteral("flowchart TD\n"
                                           "X[One]\n"
                                           "A & B --> C\n"
                                           "D -->\n"
                                           "E --> F[open; G --> H\n"
                                           "I -- --> J\n"
                                           "K --> L || not a bars form\n"
                                           "M <--> N\n"));
    EXPECT_EQ(parser.GetSkippedLines(), QList<int32_t>({3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(parser.GetSkipped(), 6);
    // Nothing of a skipped statement is kept.
    EXPECT_EQ(NodeList(parser), QStringList({"X:9:One"}));
    EXPECT_TRUE(parser.GetConnections().isEmpty());
}

TEST(MermaidParser, SplitsAtSemicolonsOutsideBracketsAndQuotes)
{
    TMermaidParser parser;
    parser.ParseMermaidCode(QStringLiteral("graph LR; A[\"x;y\"] --> B;B-->C(p;q)"));
    // Inside quotes and brackets ";" is part of the caption.
    EXPECT_EQ(NodeList(parser), QStringList({"A:9:x;y", "B:9:B", "C:9:p;q"}));
    EXPECT_EQ(ConnectionList(parser), QStringList({"A>B:", "B>C:"}));
    EXPECT_EQ(parser.GetSkipped(), 0);

    // A bars caption keeps its ";"; statements before it are still cut.
    TMermaidParser bars;
    bars.ParseMermaidCode(QStringLiteral("X --> Y; A ----> B || wait; retry"));
    EXPECT_EQ(NodeList(bars), QStringList({"X:9:X", "Y:9:Y"}));
    EXPECT_EQ(ConnectionList(bars), QStringList({"X>Y:", "A>B:wait; retry"}));
}

TEST(MermaidParser, PassesOverHeadersCommentsAndStyling)
{
    TMermaidParser parser;
    parser.ParseMermaidCode(QStringLiteral("%% A[old]; B[older]\n"
                                           "%%{init: {'theme': 'dark'}}%%\n"
                                           "subgraph s1 [Title]\n"
                                           "  direction LR\n"
                                           "  N[In]\n"
                                           "end\n"
                                           "classDef warm fill:#f96;\n"
                                           "class N warm\n"
                                           "style N fill:#f9f,stroke:#333\n"
                                           "linkStyle 0 stroke:#ff3\n"
                                           "click N callback \"Tip\"\n"
                                           "flowchart\n"));
    EXPECT_EQ(NodeList(parser), QStringList({"N:9:In"}));
    EXPECT_EQ(parser.GetSkipped(), 0);
}

struct TTypeCase
{
    const char* Line;
    TNodeType Type;
};

class MermaidNodeType : public ::testing::TestWithParam<TTypeCase>
{
};

TEST_P(MermaidNodeType, FirstRuleThatHolds)
{
    EXPECT_EQ(int(TMermaidParser::ParseNodeType(QString::fromUtf8(GetParam().Line))), int(GetParam().Type))
        << GetParam().Line;
}

INSTANTIATE_TEST_SUITE_P(Cases, MermaidNodeType,
                         ::testing::Values(TTypeCase{"A((x))", ntStartEnd}, TTypeCase{"A(((x)))", ntStartEnd},
                                           TTypeCase{"A[((x))]", ntStartEnd}, TTypeCase{"A{x}", ntDecision},
                                           TTypeCase{"A[[x]]", ntSubroutine}, TTypeCase{"[x]", ntProcess},
                                           TTypeCase{"[a Document]", ntDocument}, TTypeCase{"A(Link)", ntLink},
                                           TTypeCase{"A[Process]", ntUnknown}, TTypeCase{"A", ntUnknown},
                                           TTypeCase{"A{x", ntUnknown}));

TEST(MermaidLayout, FlowTypesAndRow)
{
    const std::pair<TNodeType, int> table[] = {{ntProcess, 1},    {ntDecision, 4}, {ntStartEnd, 12}, {ntSubroutine, 13},
                                               {ntLoopStop, 14},  {ntLink, 7},     {ntDatabase, 6},  {ntDocument, 2},
                                               {ntTerminal, 0},   {ntUnknown, 7}};
    for (const auto& [type, flow] : table)
        EXPECT_EQ(KVRMermaidFlowType(type), flow) << int(type);
    const TKVRDiagramBox third = KVRMermaidNodeBox(2);
    EXPECT_EQ(third.X, 121000);
    EXPECT_EQ(third.Y, 1000);
    EXPECT_EQ(third.Width, 40000);
    EXPECT_EQ(third.Height, 20000);
}
