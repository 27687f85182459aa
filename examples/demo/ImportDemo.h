#pragma once
class TKVRBaseLabel;

// A Gantt task list imported as a titled bar chart (replaces the document's elements).
void BuildGanttImportDemo(TKVRBaseLabel& doc);
// A flowchart written as people write it, imported as a row of nodes joined
// by links (replaces the document's elements).
void BuildFlowchartImportDemo(TKVRBaseLabel& doc);
