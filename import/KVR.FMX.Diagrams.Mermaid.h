#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>

// Mermaid-style flowcharts: node declarations and connections, read into a
// table of nodes (in the order they first appear) and a list of connections.

enum TNodeType : uint8_t {
    ntProcess = 0,
    ntDecision = 1,
    ntStartEnd = 2,
    ntSubroutine = 3,
    ntLoopStop = 4,
    ntLink = 5,
    ntDatabase = 6,
    ntDocument = 7,
    ntTerminal = 8,
    ntUnknown = 9
};

struct TNode
{
    QString ID;
    int32_t InId = 0;  // numeric id of the flowchart element made for the node
    QString Text;
    TNodeType NodeType = ntUnknown;
};

struct TConnection
{
    QString FromNode;
    QString ToNode;
    QString Text;
};

class TMermaidParser
{
public:
    // Reads the text's lines (ended by CR LF, LF or CR). Two line forms are
    // read by fixed patterns: "A[Text]" alone (a node typed by its whole line)
    // and "A --x--> B || caption" (a connection that declares no node). Every
    // other line is a statement of nodes joined by arrows, chains included;
    // ";" outside brackets and quotes separates statements. Header, comment,
    // subgraph, end, direction, classDef, class, style, linkStyle and click
    // lines are passed over. A statement that does not read as a whole adds
    // nothing and is counted with its line number. A repeated identifier is
    // the same node: it keeps its place, a later shape sets caption and type.
    void ParseMermaidCode(const QString& aCode);

    // The node type a declaration (or a whole line) stands for.
    static TNodeType ParseNodeType(const QString& aLine);

    // In the order of first appearance.
    const QList<TNode>& GetNodes() const { return FNodes; }
    TNode* FindNode(const QString& aID);
    const TNode* FindNode(const QString& aID) const;
    const QList<TConnection>& GetConnections() const { return FConnections; }

    // Statements that were not read, and the line of each.
    int32_t GetSkipped() const { return int32_t(FSkippedLines.size()); }
    const QList<int32_t>& GetSkippedLines() const { return FSkippedLines; }

private:
    void ParseStatement(const QString& aStatement, int32_t aLineNo);
    // Adds the node, or updates the one of that identifier when aShaped.
    void DeclareNode(const QString& aID, const QString& aText, TNodeType aType, bool aShaped);

    QList<TNode> FNodes;
    QHash<QString, qsizetype> FNodeIndex;
    QList<TConnection> FConnections;
    QList<int32_t> FSkippedLines;
};
