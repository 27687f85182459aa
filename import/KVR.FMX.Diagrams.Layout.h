#pragma once
#include "import/KVR.FMX.Diagrams.Gantt.h"
#include "import/KVR.FMX.Diagrams.Mermaid.h"
#include <QList>
#include <QString>
#include <cstdint>

// Where the imported diagrams go on the drawing, in micrometres, apart from
// the document: the factory only places what these give.

struct TKVRDiagramBox
{
    int64_t X = 0;
    int64_t Y = 0;
    int64_t Width = 0;
    int64_t Height = 0;
};

// Gantt chart: the title at (4 mm, 4 mm), 8 mm high; one bar 5 mm high per
// top-level task from y = 12 mm down, 1 cm per day from the earliest start
// (4 mm in); paper 120 mm wide and 5 mm below the last bar.
struct TGanttBar
{
    TKVRDiagramBox Box;
    QString Text;
    TAlphaColor Color = 0;
};

struct TGanttChart
{
    static constexpr int64_t TitleX = 4000;
    static constexpr int64_t TitleY = 4000;
    static constexpr int64_t TitleFontHeight = 8000;
    static constexpr int64_t BarFontHeight = 4000;
    static constexpr int64_t PaperWidth = 120000;

    QList<TGanttBar> Bars;
    int64_t PaperHeight = 0;
};

TGanttChart KVRGanttChart(const TGanttParser& aParser);

// Mermaid flowchart: 40 x 20 mm nodes in one row at y = 1 mm, from x = 1 mm,
// 60 mm apart, in the parser's order of nodes.
TKVRDiagramBox KVRMermaidNodeBox(qsizetype aIndex);
// The outline (flow type) that stands for a node type.
uint8_t KVRMermaidFlowType(TNodeType aType);
