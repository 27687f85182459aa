#include "examples/demo/ImportDemo.h"
#include "document/KVR.FMX.Shared.Factory.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QString>
#include <cstdio>
#include <exception>

void BuildGanttImportDemo(TKVRBaseLabel& doc)
{
    const QString text = QStringLiteral(
        "GxControl:Gantt:Release 2.4\n"
        "-> Spec Specification x [StartDate:02-09-2024] [EndDate:05-09-2024] #FF4F81BD [Priority:High]\n"
        "--> Review Review x [StartDate:04-09-2024] [EndDate:05-09-2024]\n"
        "-> Build Implementation x [StartDate:04-09-2024] [EndDate:10-09-2024] #FFF79646 [Critical] [Cost:1200.50]\n"
        "-> Test Testing x [StartDate:08-09-2024] [EndDate:12-09-2024] #FF9BBB59\n"
        "-> Ship Release x [StartDate:12-09-2024] [EndDate:13-09-2024] #FFC0504D\n");
    try {
        TKVRFactory::LoadGantt(&doc, text);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Gantt import: %s\n", e.what());
    }
}

void BuildFlowchartImportDemo(TKVRBaseLabel& doc)
{
    const QString text = QStringLiteral(
        "flowchart LR\n"
        "    %% a review loop\n"
        "    Start((Draft)) --> Check{Approved?}\n"
        "    Check -->|yes| Done[[Publish]]\n"
        "    Check -- no --> Start\n"
        "    style Check fill:#f96\n");
    int32_t skipped = 0;
    TKVRFactory::LoadMermaid(&doc, text, &skipped);
    if (skipped > 0)
        std::fprintf(stderr, "Flowchart import: %d statements not read\n", int(skipped));
}
