#include "import/KVR.FMX.Diagrams.Mermaid.h"
#include "import/KVR.FMX.Diagrams.MermaidStatement.h"
#include "import/KVR.FMX.Diagrams.Text.h"
#include <QRegularExpression>
#include <limits>

namespace {

// The two fixed line forms. A match can only begin where a run of word
// characters begins (the run is followed by a blank, a bracket or a dash), so
// the look-behind lets every other position fail at once instead of running
// the pattern against the rest of the line from there. Identifiers are
// words in any script: "\w" takes Unicode letters and digits.
const QRegularExpression& NodePattern()
{
    static const QRegularExpression re(QStringLiteral(
        R"((?<!\w)(\w+)\s*(\[\[|\(\(\(|\(|\[\(\(|\[|\{)([^()\[\]{}]*)\]\]?\)?\)?\}?\]?\)?)"),
        QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

const QRegularExpression& ConnectionPattern()
{
    static const QRegularExpression re(QStringLiteral(R"((?<!\w)(\w+)\s*--(x|-|o)?-->\s*(\w+)\s*\|\|\s*(.*))"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

}  // namespace

TNodeType TMermaidParser::ParseNodeType(const QString& aLine)
{
    if (aLine.contains(u"((") && aLine.contains(u"))"))
        return ntStartEnd;
    if (aLine.contains(u'{') && aLine.contains(u'}'))
        return ntDecision;
    if (aLine.contains(u"[[") && aLine.contains(u"]]"))
        return ntSubroutine;
    if (aLine.contains(u"(((") && aLine.contains(u")))"))
        return ntLoopStop;
    if (aLine.contains(u"[((") && aLine.contains(u"))]"))
        return ntDatabase;
    if (aLine.startsWith(u'[') && aLine.endsWith(u']'))
        return aLine.contains(u"Document") ? ntDocument : ntProcess;
    if (aLine.contains(u"(Link"))
        return ntLink;
    return ntUnknown;
}

TNode* TMermaidParser::FindNode(const QString& aID)
{
    const auto it = FNodeIndex.constFind(aID);
    return it == FNodeIndex.cend() ? nullptr : &FNodes[*it];
}

const TNode* TMermaidParser::FindNode(const QString& aID) const
{
    const auto it = FNodeIndex.constFind(aID);
    return it == FNodeIndex.cend() ? nullptr : &FNodes[*it];
}

void TMermaidParser::ParseMermaidCode(const QString& aCode)
{
    const QStringList lines = KVRDiagramLines(aCode);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int32_t lineNo = int32_t(std::min<qsizetype>(i + 1, std::numeric_limits<int32_t>::max()));
        const QString& line = lines[i];
        // A comment may hold anything, ";" included.
        if (KVRDiagramTrim(line).startsWith(u"%%"))
            continue;
        for (const QString& statement : KVRMermaid::SplitStatements(line))
            ParseStatement(statement, lineNo);
    }
}

void TMermaidParser::ParseStatement(const QString& aStatement, int32_t aLineNo)
{
    if (KVRDiagramTrim(aStatement).isEmpty() || KVRMermaid::IsPassedOver(aStatement))
        return;

    const QRegularExpressionMatch connection = ConnectionPattern().match(aStatement);
    const QRegularExpressionMatch node = NodePattern().match(aStatement);
    if (connection.hasMatch() || (node.hasMatch() && !KVRMermaid::HasArrow(aStatement))) {
        // The fixed forms: the first node found, typed by the whole line, and
        // the connection, which declares no node.
        if (node.hasMatch())
            DeclareNode(node.captured(1), KVRDiagramTrim(node.captured(3)), ParseNodeType(aStatement), true);
        if (connection.hasMatch())
            FConnections.append({connection.captured(1), connection.captured(3), KVRDiagramTrim(connection.captured(4))});
        return;
    }

    TMermaidStatement statement;
    if (!KVRMermaid::ReadStatement(aStatement, statement)) {
        FSkippedLines.append(aLineNo);
        return;
    }
    for (const TMermaidNodeRef& ref : statement.Nodes)
        DeclareNode(ref.ID, ref.Text, ParseNodeType(ref.Declaration), ref.Shaped);
    for (const TMermaidEdge& edge : statement.Edges)
        FConnections.append({statement.Nodes[edge.From].ID, statement.Nodes[edge.To].ID, edge.Text});
}

void TMermaidParser::DeclareNode(const QString& aID, const QString& aText, TNodeType aType, bool aShaped)
{
    if (TNode* existing = FindNode(aID)) {
        if (aShaped) {
            existing->Text = aText;
            existing->NodeType = aType;
        }
        return;
    }
    FNodeIndex.insert(aID, FNodes.size());
    FNodes.append({aID, 0, aText, aType});
}
