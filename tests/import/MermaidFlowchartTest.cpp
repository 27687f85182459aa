#include "import/KVR.FMX.Diagrams.h"
#include <gtest/gtest.h>

namespace {

const QStringList Flowchart = {
    QStringLiteral("flowchart LR"),
    QStringLiteral("%% order pipeline"),
    QStringLiteral("    Start((Begin)) --> Input[Read order]"),
    QStringLiteral("    Input --> Check{Valid?}"),
    QStringLiteral("    Check -->|yes| Store[(Orders)]"),
    QStringLiteral("    Check -- no --> Fix(Correct it) --> Input"),
    QStringLiteral("    subgraph ship [Shipping]"),
    QStringLiteral("        direction TB"),
    QStringLiteral("        Pack[[Pack goods]] ==> Send(((Dispatch)))"),
    QStringLiteral("    end"),
    QStringLiteral("    Store -.-> Pack"),
    QStringLiteral("    Send --- Done([Done]):::final"),
    QStringLiteral("    classDef final fill:#9f6,stroke:#333"),
    QStringLiteral("    style Check fill:#f96"),
    QStringLiteral("    click Store \"https://example.com\""),
    QStringLiteral("    linkStyle 0 stroke:#f00"),
};

struct TExpectedNode
{
    const char* ID;
    const char* Caption;
    int Flow;
};

// In the order the nodes first appear, which is left to right.
const TExpectedNode ExpectedNodes[] = {
    {"Start", "Begin", 12},  {"Input", "Read order", 7}, {"Check", "Valid?", 4},  {"Store", "Orders", 7},
    {"Fix", "Correct it", 7}, {"Pack", "Pack goods", 13}, {"Send", "Dispatch", 12}, {"Done", "Done", 7},
};

const QStringList ExpectedLinks = {"Start>Input:", "Input>Check:", "Check>Store:yes", "Check>Fix:no",
                                   "Fix>Input:",   "Pack>Send:",   "Store>Pack:",     "Send>Done:"};

QStringList Links(const TMermaidParser& aParser)
{
    QStringList out;
    for (const TConnection& c : aParser.GetConnections())
        out.append(QStringLiteral("%1>%2:%3").arg(c.FromNode, c.ToNode, c.Text));
    return out;
}

void ExpectFlowchart(const QString& aText)
{
    TMermaidParser parser;
    parser.ParseMermaidCode(aText);
    EXPECT_EQ(parser.GetSkipped(), 0);
    ASSERT_EQ(parser.GetNodes().size(), qsizetype(std::size(ExpectedNodes)));
    for (qsizetype i = 0; i < parser.GetNodes().size(); ++i) {
        const TNode& node = parser.GetNodes()[i];
        EXPECT_EQ(node.ID, QString::fromUtf8(ExpectedNodes[i].ID));
        EXPECT_EQ(node.Text, QString::fromUtf8(ExpectedNodes[i].Caption)) << ExpectedNodes[i].ID;
        EXPECT_EQ(KVRMermaidFlowType(node.NodeType), ExpectedNodes[i].Flow) << ExpectedNodes[i].ID;
    }
    EXPECT_EQ(Links(parser), ExpectedLinks);
}

}  // namespace

TEST(MermaidFlowchart, LineFeedsCarriageReturnsAndSemicolonsReadAlike)
{
    ExpectFlowchart(Flowchart.join(u'\n') + u'\n');
    ExpectFlowchart(Flowchart.join(QStringLiteral("\r\n")));
    ExpectFlowchart(Flowchart.join(u'\r'));
    // A comment runs to the end of its line, so it stays on a line of its own.
    QStringList statements = Flowchart;
    const QString comment = statements.takeAt(1);
    ExpectFlowchart(comment + u'\n' + statements.join(u';'));
}

// Long lines that would make a pattern tried at every position, against the
// rest of the line, run for hours; each is read in one pass.
TEST(MermaidFlowchart, MegabyteLinesReadInOnePass)
{
    const qsizetype n = 1 << 20;
    struct TCase
    {
        QString Line;
        qsizetype Nodes;
        qsizetype Connections;
        int32_t Skipped;
    };
    const TCase cases[] = {
        {QString(n, u'A'), 1, 0, 0},
        {QStringLiteral("A[").repeated(n / 2), 0, 0, 1},
        {QStringLiteral("a ").repeated(n / 2), 0, 0, 1},
        {QStringLiteral("A --").repeated(n / 4), 0, 0, 1},
        {QStringLiteral("A -").repeated(n / 3), 0, 0, 1},
        {QStringLiteral("A-->").repeated(n / 4) + u'B', 2, n / 4, 0},
        {u'x' + QString(n, u' ') + u'[', 0, 0, 1},
        {QStringLiteral("A[\"") + QString(n, u'a'), 0, 0, 1},
        {QStringLiteral("A -- ") + QString(n, u'x'), 0, 0, 1},
        {QStringLiteral("A[") + QString(n, u'x') + u']', 1, 0, 0},
        {QStringLiteral("A[x] ") + QString(n, u'-'), 0, 0, 1},
    };
    for (const TCase& c : cases) {
        TMermaidParser parser;
        parser.ParseMermaidCode(c.Line);
        EXPECT_EQ(parser.GetNodes().size(), c.Nodes) << c.Line.left(12).toStdString();
        EXPECT_EQ(parser.GetConnections().size(), c.Connections) << c.Line.left(12).toStdString();
        EXPECT_EQ(parser.GetSkipped(), c.Skipped) << c.Line.left(12).toStdString();
    }
}
