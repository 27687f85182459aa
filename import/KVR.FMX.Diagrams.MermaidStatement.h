#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The reader of flowchart statements as people write them:
//   node (arrow node)*
// node:  identifier (\w+), optionally a shape [..] (..) {..} ((..)) [[..]]
//        (((..))) [(..)] ([..]) {{..}} [/../] [\..\] >..] whose caption may be
//        quoted ("..", brackets allowed inside), optionally ":::class".
// arrow: -- with more dashes and an optional ">" (at least "-->" or "---"),
//        ==> and ===, -.-> and -.-, each optionally followed by |label|, or
//        the label forms "-- label -->", "== label ==>", "-. label .->".
// Every step moves forward through the text, so a statement of any length is
// read in one pass.

struct TMermaidNodeRef
{
    QString ID;
    bool Shaped = false;
    QString Text;         // caption, trimmed and unquoted; the identifier when not shaped
    QString Declaration;  // identifier and shape as written, for typing the node
};

struct TMermaidEdge
{
    qsizetype From = 0;  // indices into TMermaidStatement::Nodes
    qsizetype To = 0;
    QString Text;
};

struct TMermaidStatement
{
    QList<TMermaidNodeRef> Nodes;
    QList<TMermaidEdge> Edges;
};

namespace KVRMermaid {
// The line's statements: it is cut at ";" outside brackets and quotes and
// before a "||", whose caption runs to the end of the line.
QStringList SplitStatements(const QString& aLine);
// Header, comment and styling statements, which declare nothing.
bool IsPassedOver(QStringView aStatement);
// An arrow ("--", "==" or "-.") outside brackets and quotes.
bool HasArrow(QStringView aStatement);
// The whole statement read; false (and aResult untouched) when any of it does not read.
bool ReadStatement(QStringView aStatement, TMermaidStatement& aResult);
}
