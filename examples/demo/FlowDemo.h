#pragma once
class TKVRBaseLabel;

// A small flowchart: start, process, decision, end and a retry loop, joined
// by connectors of several link types, with captions.
void BuildFlowDemo(TKVRBaseLabel& doc);
