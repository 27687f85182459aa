#include "import/KVR.FMX.Diagrams.Layout.h"

namespace {
constexpr int64_t DayWidth = 10000;
constexpr int64_t ChartLeft = 4000;
constexpr int64_t FirstBarY = 12000;
constexpr int64_t BarHeight = 5000;

constexpr int64_t NodeLeft = 1000;
constexpr int64_t NodeTop = 1000;
constexpr int64_t NodeWidth = 40000;
constexpr int64_t NodeHeight = 20000;
}  // namespace

TGanttChart KVRGanttChart(const TGanttParser& aParser)
{
    TGanttChart chart;
    const TDateTime first = aParser.GetMinStartDate();
    int64_t y = FirstBarY;
    for (const auto& task : aParser.GetElements()) {
        // Days are held below 10^12, so these products stay far inside 64 bits.
        const int64_t x = KVRGantt::DaysBetween(first, task->GetStartDate()) * DayWidth + ChartLeft;
        const int64_t xEnd = KVRGantt::DaysBetween(first, task->GetEndDate()) * DayWidth + ChartLeft;
        chart.Bars.append({{x, y, xEnd - x, BarHeight}, task->GetName(), task->GetColor()});
        y += BarHeight;
    }
    y += BarHeight;
    chart.PaperHeight = y;
    return chart;
}

TKVRDiagramBox KVRMermaidNodeBox(qsizetype aIndex)
{
    return {NodeLeft + int64_t(aIndex) * (NodeWidth + NodeWidth / 2), NodeTop, NodeWidth, NodeHeight};
}

uint8_t KVRMermaidFlowType(TNodeType aType)
{
    switch (aType) {
    case ntProcess: return 1;
    case ntDecision: return 4;
    case ntStartEnd: return 12;
    case ntSubroutine: return 13;
    case ntLoopStop: return 14;
    case ntLink: return 7;
    case ntDatabase: return 6;
    case ntDocument: return 2;
    case ntTerminal: return 0;
    case ntUnknown: return 7;
    }
    return 7;
}
